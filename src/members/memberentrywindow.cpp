#include "members/memberentrywindow.h"

namespace florist::members {

MemberEntryWindow::MemberEntryWindow(ui::Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmMember_In");
    setWindowTitle("会员录入");
}

MemberEntryWindow::~MemberEntryWindow() = default;

void MemberEntryWindow::editMember(qlonglong, const QVariantMap&) {}

void MemberEntryWindow::newForOrder(const QString&) {}

} // namespace florist::members
