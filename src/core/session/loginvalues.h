#pragma once

#include <QDateTime>
#include <QString>

namespace florist {

// The current store's defaults for the entry windows, read once when the main window is shown.
struct StoreDefaults {
    QString memberCategory; // theMType
    QString sex;            // theSex
    QString product;        // theHX
    QString timeSlot;       // theSD
    QString paymentMethod;  // theSK
    QString orderState;     // theState
    QString orderType;      // theDType
};

// Set at start and at login, read by every window; they do not change until the program ends.
struct LoginValues {
    QString currentUser;
    QString userId;
    QString loginPassword; // the password as typed at login, for the password change
    QString currentStore;
    QString businessDate; // 'yyyy-mm-dd'
    QDateTime defaultBusinessDate;
    QString shopName;
    StoreDefaults defaults;
};

} // namespace florist
