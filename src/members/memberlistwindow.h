#pragma once

namespace florist::members {

// Registers frmMember_M, frmMember_Q, frmMember_SR, frmMember_WXF and frmMember_JFQL: the member
// lists on the shared search window.
void registerMemberListWindows();

} // namespace florist::members
