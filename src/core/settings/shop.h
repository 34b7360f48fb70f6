#pragma once

#include "core/formoutcome.h"
#include "core/session/loginvalues.h"

#include <QString>

namespace florist {
class DataModule;
}

namespace florist::settings {

// The shop's own details (SDept row 1), printed on every receipt.
struct ShopDetails {
    QString name;
    QString phone;
    QString address;
    QString remark;
    QString advertising; // theGG
};

// The details when SDept has exactly one row of ID 1; empty fields otherwise.
ShopDetails loadShop(DataModule& dm);
// "保存" of frmDept: the name is required; the program ends after success (the shop name is
// read at start).
FormOutcome saveShop(DataModule& dm, const ShopDetails& shop);

// "保存" of frmMRX: the seven defaults of the current store, as chosen (empty when nothing is).
// The login values keep the old defaults until the next start.
FormOutcome saveStoreDefaults(DataModule& dm, const StoreDefaults& defaults);

} // namespace florist::settings
