#pragma once

#include "core/search/searchdescriptor.h"

namespace florist::partners {

// The partner lists over UWL, as descriptors of the shared search window: the eight conditions,
// newest first, "往来单位数量：" with the sums of the receivable and payable balances.
search::SearchDescriptor partnerManagementSpec(); // frmUWL_M "往来单位管理", export "往来单位表"
search::SearchDescriptor partnerQuerySpec(); // frmUWL_Q "往来单位查询", the same export

} // namespace florist::partners
