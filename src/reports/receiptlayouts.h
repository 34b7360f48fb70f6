#pragma once

#include "reports/layout.h"

namespace florist::reports {

// The three receipts for the 76 mm receipt printer. Each reads the shop row frxDB_Dept, its
// title row frxDB_DJ and its document's row source.
PageLayout orderReceiptLayout();    // frxDB_DD, UOrder
PageLayout topUpReceiptLayout();    // frxDB_CZ, UStore
PageLayout exchangeReceiptLayout(); // frxDB_DH, UExchange

} // namespace florist::reports
