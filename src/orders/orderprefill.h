#pragma once

#include <QString>
#include <QVariantMap>

namespace florist::orders {

// What a new order starts with when it is taken from an earlier one (the anniversary list's
// "录入新订单 &N"): the member's card and the recipient and sender groups, by their UOrder
// columns. Empty values leave the window's defaults.
struct OrderPrefill {
    QString cardNumber;     // MNum: looked up as the card field's Enter does, when exactly one
                            // live member holds it
    QString recipient;      // SH1
    QString recipientSex;   // SH2
    QString timeSlot;       // SH4
    QString deliveryTime;   // SH5
    QString recipientPhone; // SH6
    QString area;           // SH7
    QString address;        // SH8
    QString sender;         // SH01
    QString senderSex;      // SH02
    QString senderPhone;    // SH03
    QString purpose;        // SH04
    QString recipientKind;  // SH05
    QString product;        // theHX
};

// The prefill of an order row read with its column names (SELECT * FROM UOrder …); the case of
// the names does not matter (PostgreSQL folds them).
OrderPrefill prefillFromOrderRow(const QVariantMap& row);

} // namespace florist::orders
