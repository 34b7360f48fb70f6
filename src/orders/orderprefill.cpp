#include "orders/orderprefill.h"

namespace florist::orders {

OrderPrefill prefillFromOrderRow(const QVariantMap& row) {
    auto value = [&](const QString& column) {
        for (auto it = row.begin(); it != row.end(); ++it) {
            if (it.key().compare(column, Qt::CaseInsensitive) == 0) {
                return it.value().toString();
            }
        }
        return QString();
    };
    OrderPrefill p;
    p.cardNumber = value("MNum");
    p.recipient = value("SH1");
    p.recipientSex = value("SH2");
    p.timeSlot = value("SH4");
    p.deliveryTime = value("SH5");
    p.recipientPhone = value("SH6");
    p.area = value("SH7");
    p.address = value("SH8");
    p.sender = value("SH01");
    p.senderSex = value("SH02");
    p.senderPhone = value("SH03");
    p.purpose = value("SH04");
    p.recipientKind = value("SH05");
    p.product = value("theHX");
    return p;
}

} // namespace florist::orders
