#pragma once

#include "ui/importwindow.h"

namespace florist::partners {

// frmUWL_D "往来单位导入" on the shared import window: the nine headings and their widths.
ui::ImportSpec partnerImportSpec();

// Adds the partner windows to the window registry: frmUWL_In, frmUWL_D (modal), frmUWL_M and
// frmUWL_Q (search windows; management edits and deletes from the grid's context menu).
void registerPartnerWindows();

} // namespace florist::partners
