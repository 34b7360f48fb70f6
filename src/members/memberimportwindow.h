#pragma once

#include "ui/importwindow.h"

namespace florist::members {

// frmMember_D "会员导入" on the shared import window: the eighteen headings, the first
// eighteen columns 80 pixels wide, one member per row.
ui::ImportSpec memberImportSpec();

} // namespace florist::members
