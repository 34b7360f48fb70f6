#pragma once

#include "core/lists/listdescriptor.h"

namespace florist::members {

// frmMType "会员类别设置": the member categories with their discount and points rate. The rate
// divides every member order's total into points, so a rate that is empty, not a number or zero
// is refused; the discount is written as typed when it reads as a number. "保存" checks the name
// (empty, too long), then whether the category exists, then the values and the remark.
lists::ListDescriptor memberTypeList();

} // namespace florist::members
