#pragma once

namespace florist::storedvalue {

// Registers the top-up windows frmStore_In, frmStore_M, frmStore_Q and the exchange windows
// frmExchange_In, frmExchange_M, frmExchange_Q.
void registerStoredValueWindows();

} // namespace florist::storedvalue
