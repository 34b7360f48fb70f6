#pragma once

#include "ui/importwindow.h"

namespace florist::stock {

// frmUHC_D "花材导入" on the shared import window: the seven headings, each column 80 wide.
ui::ImportSpec materialImportSpec();

// Adds the catalogue windows to the window registry: frmUHC_In, frmUHC_D (modal), frmUHC_M and
// frmUHC_Q (search windows; management edits and deletes from the grid's context menu).
void registerMaterialWindows();

} // namespace florist::stock
