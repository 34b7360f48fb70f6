#include "members/memberlistwindow.h"

#include "core/db/datamodule.h"
#include "members/memberentrywindow.h"
#include "members/memberlists.h"
#include "ui/prompt.h"
#include "ui/search/searchwindow.h"

namespace florist::members {

using ui::Context;
using ui::RowAction;
using ui::SearchWindow;
using ui::SearchWindowSpec;

namespace {

QDate businessDate(const Context& context) {
    const QDate d = QDate::fromString(context.dm.login().businessDate, "yyyy-MM-dd");
    return d.isValid() ? d : QDate::currentDate();
}

// "修改 &M": the member entry window in edit mode, filled from the row; its save refreshes the
// list with the kept filter.
void editMember(SearchWindow& window, int row) {
    MemberEntryWindow entry(window.context(), &window);
    QObject::connect(&entry, &MemberEntryWindow::memberUpdated, &window,
                     [&window] { ui::guarded(&window, [&] { window.refresh(); }); });
    entry.editMember(window.value(row, "ID").toLongLong(), window.model()->rowValues(row));
    window.runModal(&entry);
}

void clearRow(SearchWindow& window, int row) {
    const QString card = displayText(window.value(row, "卡号"));
    const QString name = displayText(window.value(row, "姓名"));
    const QString points = displayText(window.value(row, "积分"));
    ui::Prompt::message(&window, clearingMessage(card, name, points));
    if (!ui::Prompt::question(&window, "积分清零", "确认要积分清零吗？该积分清零将不可恢复！")) {
        return;
    }
    clearPoints(window.context().dm, window.value(row, "ID").toLongLong());
    window.refresh();
}

} // namespace

void registerMemberListWindows() {
    ui::registerSearchWindow("frmMember_M", [](Context&) {
        return SearchWindowSpec{
            memberManagementSpec(),
            {RowAction{"修改 &M", editMember}, ui::deleteRowAction(deleteMember)}};
    });
    ui::registerSearchWindow("frmMember_Q", [](Context&) {
        return SearchWindowSpec{memberQuerySpec(), {}};
    });
    ui::registerSearchWindow("frmMember_SR", [](Context&) {
        return SearchWindowSpec{birthdayReminderSpec(), {}};
    });
    ui::registerSearchWindow("frmMember_WXF", [](Context& c) {
        return SearchWindowSpec{nonConsumptionSpec(businessDate(c)), {}};
    });
    ui::registerSearchWindow("frmMember_JFQL", [](Context&) {
        return SearchWindowSpec{pointsClearingSpec(), {RowAction{"积分清零 &Q", clearRow}}};
    });
}

} // namespace florist::members
