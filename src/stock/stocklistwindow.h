#pragma once

namespace florist::stock {

// Registers frmUHCKC "花材库存查询" and the read-only lists of the four documents (management,
// query and line query) on the shared search window.
void registerStockListWindows();

} // namespace florist::stock
