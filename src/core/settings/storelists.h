#pragma once

#include "core/lists/listdescriptor.h"

namespace florist::settings {

// frmWare "门店设置": the stores of the shop. A new store starts with empty defaults for member
// category, sex and product; the server fills the other four.
lists::ListDescriptor storeList();
// frmWorker "员工设置": the staff of the current store; a name is unique within one store.
lists::ListDescriptor staffList();

} // namespace florist::settings
