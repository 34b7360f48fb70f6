#pragma once

namespace florist::members {

// Adds the member entry (frmMember_In) and member import (frmMember_D) windows to the window
// registry, so their menu entries and toolbar buttons open them.
void registerMemberWindows();

} // namespace florist::members
