#pragma once

namespace florist::orders {

// Adds order entry (frmOrder_In) to the window registry, so its menu entry and toolbar button
// open it.
void registerOrderWindows();

} // namespace florist::orders
