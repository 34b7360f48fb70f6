#pragma once

#include "stock/stockdocument.h"
#include "ui/finddialog.h"

#include <optional>

namespace florist {
class DataModule;
}

namespace florist::stock {

// frmFindHCKC "查找花材": the lots a requisition, damage or sale line may take, with the
// document's price column.
ui::FindSpec lotFindSpec(DocumentKind kind);

// The lot search of an outgoing line: no lot gives nothing, one is taken at once, several show
// frmFindHCKC; the line as the chosen lot fills it, or nothing (none found, or Esc).
std::optional<DocumentLine> findLot(QWidget* parent, DataModule& dm, DocumentKind kind,
                                    const QString& store, const QList<qlonglong>& excludedLots,
                                    const QString& text);

// A row of a result set as a map by its headings.
QVariantMap rowMap(const ResultSet& rows, int row, const QStringList& headings);

} // namespace florist::stock
