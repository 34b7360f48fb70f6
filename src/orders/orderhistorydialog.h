#pragma once

#include "core/db/resultset.h"
#include "ui/finddialog.h"

class QWidget;

namespace florist::orders {

// frmFindO "<card number> 历史订单": the member's orders with their column widths, ID hidden.
ui::FindSpec orderHistorySpec(const QString& cardNumber);

// The headings a picked order hands to order entry, each with the field it fills there (by the
// field's accessibleName).
const QList<std::pair<QString, QString>>& historyCopiedFields();

// Shows the member's orders modally; the row picked (Enter or a double click), -1 after Esc.
int chooseHistoryOrder(QWidget* parent, const QString& cardNumber, const ResultSet& rows);

} // namespace florist::orders
