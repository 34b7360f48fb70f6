#pragma once

namespace florist::members {

// Adds the member entry (frmMember_In), member import (frmMember_D) and member category
// (frmMType) windows to the window registry, so their menu entries and toolbar buttons open them.
void registerMemberWindows();

} // namespace florist::members
