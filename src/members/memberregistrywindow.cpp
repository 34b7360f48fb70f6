#include "members/memberregistrywindow.h"

#include "members/memberentrywindow.h"
#include "members/memberimportwindow.h"
#include "members/membertypes.h"
#include "ui/listeditorwindow.h"
#include "ui/windowregistry.h"

namespace florist::members {

void registerMemberWindows() {
    ui::WindowRegistry::add("frmMember_In", [](ui::Context& context, QWidget* parent) {
        return new MemberEntryWindow(context, parent);
    });
    ui::WindowRegistry::add("frmMember_D", [](ui::Context& context, QWidget* parent) {
        return new ui::ImportWindow(memberImportSpec(), context.dm, parent);
    });
    ui::registerListEditor(memberTypeList()); // frmMType, the member categories
}

} // namespace florist::members
