#pragma once

#include "members/memberlookup.h"
#include "ui/finddialog.h"

class QWidget;

namespace florist {
class DataModule;
}

namespace florist::members {

// frmFindM "会员查找": the grid of the member lookup with its column widths, ID hidden.
ui::FindSpec memberFindSpec();

struct MemberFindOutcome {
    enum Kind { NotFound, Picked, Cancelled };
    Kind kind = NotFound;
    PickedMember member; // when Picked
};

// The member lookup of a window's card number field, decided by the number of rows: none gives
// "会员 不存在，请重新录入！" (order entry, code "dd", opens its member entry instead and gets
// no message), one is taken without the dialog, several show frmFindM modally. The caller
// fills its fields from the member and puts the focus where it wants; on NotFound it focuses
// its card number field. Database failures go on to the caller's guarded action.
MemberFindOutcome findMember(QWidget* parent, DataModule& dm, const QString& callerCode,
                             const QString& text);

// Up to this many rows the lookup result is read whole; beyond it the dialog reads pages
// (tests lower it).
void setFindWholeReadLimit(int rows);

} // namespace florist::members
