#pragma once

#include "core/db/resultset.h"

#include <QString>
#include <QVariantMap>

namespace florist {
class DataModule;
class Dialect;
} // namespace florist

namespace florist::stock {

// The caller code of the purchase document, the one window that picks materials from the
// catalogue (the outgoing documents pick stock lots instead).
inline const QString kMaterialCallerPurchase = QStringLiteral("JH");

// The headings of the catalogue select in order; rows are read back by them.
const QStringList& materialHeadings();

// The material search of the purchase lines: live materials whose name, initials or number
// contain the text (bound, found as typed; "" finds every material), in the server's order.
QString materialSearchSelect(const Dialect& dialect);
ResultSet searchMaterials(DataModule& dm, const QString& text);

// A material handed to the purchase document: what it writes into its current line.
struct PickedMaterial {
    qlonglong id = 0;
    QString number;           // "花材编号"
    QString name;             // "花材名称"
    QString unit;             // "花材单位"
    double purchasePrice = 0; // "采购单价"
    double salePrice = 0;     // "销售单价"
    QVariantMap fields;       // every heading of the row → its text
};

PickedMaterial pickMaterial(const ResultSet& rows, int row);

} // namespace florist::stock
