#pragma once

#include "core/search/searchdescriptor.h"
#include "reports/printmodule.h"

namespace florist {
class Database;
}

namespace florist::orders {

// The delivery sheet ("送货单") a driver takes on the road: the live orders of a list's filter
// (the filter's WHERE terms after "WHERE (theDel = '否') "), grouped by delivery date and time
// slot, then area, on A4 with the shop's name in the heading and page numbers at the foot.
// Per order the number, slot and time, recipient, phone, area, product, the amount to collect
// (only when "送达结款" is '是' and money is owed), the vase flag, and below them the address
// and the remark, where the card message is kept.
Receipt deliverySheet(Database& db, const search::Term& filter, const QString& shopName);

} // namespace florist::orders
