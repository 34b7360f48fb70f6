#pragma once

#include "core/search/searchdescriptor.h"

namespace florist::stock {

// The catalogue lists over UHC, as descriptors of the shared search window: the five conditions
// (type, number, name or initials, unit, remark), newest first, the "花材数量：" line.
search::SearchDescriptor materialManagementSpec(); // frmUHC_M "花材管理", export "花材表"
search::SearchDescriptor materialQuerySpec();      // frmUHC_Q "花材查询", the same export

} // namespace florist::stock
