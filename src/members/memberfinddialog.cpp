#include "members/memberfinddialog.h"

#include "core/db/datamodule.h"
#include "core/search/pagedmodel.h"
#include "ui/prompt.h"

namespace florist::members {

ui::FindSpec memberFindSpec() {
    ui::FindSpec spec;
    spec.objectName = "frmFindM";
    spec.caption = "会员查找";
    spec.headings = {"会员分类", "卡号",     "姓名",     "性别",     "生日",
                     "手机号码", "电话号码", "QQ号",     "微信号",   "个人喜好",
                     "单位名称", "联系地址", "备注",     "持卡日期", "积分",
                     "消费日期", "消费次数", "账户余额", "ID"};
    spec.widths = {{"会员分类", 60},  {"姓名", 80},    {"手机号码", 100}, {"电话号码", 100},
                   {"QQ号", 100},     {"微信号", 100}, {"个人喜好", 100}, {"单位名称", 100},
                   {"联系地址", 120}, {"备注", 120},   {"积分", 60},      {"账户余额", 60}};
    spec.hidden = {"ID"};
    return spec;
}

int& wholeReadLimit() {
    static int limit = 200;
    return limit;
}

void setFindWholeReadLimit(int rows) {
    wholeReadLimit() = rows;
}

MemberFindOutcome findMember(QWidget* parent, DataModule& dm, const QString& callerCode,
                             const QString& text) {
    MemberFindOutcome outcome;
    // A few rows are read whole; more (Enter on an empty card lists every member) are shown a
    // page at a time, so the dialog opens at once over a hundred thousand members.
    const int limit = wholeReadLimit();
    ResultSet rows = lookupMembers(dm, callerCode, text, limit + 1);
    if (rows.size() > limit) {
        auto* model = new search::PagedTableModel(dm.db(), memberLookupColumns());
        model->setQuery(
            "FROM UMember WHERE (theDel = '否') ",
            memberLookupFilter(dm.db().dialect(), lookupSearchesName(callerCode), text));
        ui::FindDialog dialog(memberFindSpec(), model, parent);
        const int row = dialog.choose();
        if (row < 0) {
            outcome.kind = MemberFindOutcome::Cancelled;
            return outcome;
        }
        outcome.kind = MemberFindOutcome::Picked;
        outcome.member = pickMember(callerCode, model->rowValues(row));
        return outcome;
    }
    if (rows.isEmpty()) {
        if (callerCode != kCallerOrder) {
            ui::Prompt::message(parent, memberNotFoundText(), ui::PromptIcon::Warning);
        }
        return outcome;
    }
    if (rows.size() == 1) {
        outcome.kind = MemberFindOutcome::Picked;
        outcome.member = pickMember(callerCode, rows, 0);
        return outcome;
    }
    ui::FindDialog dialog(memberFindSpec(), std::move(rows), parent);
    const int row = dialog.choose();
    if (row < 0) {
        outcome.kind = MemberFindOutcome::Cancelled;
        return outcome;
    }
    outcome.kind = MemberFindOutcome::Picked;
    outcome.member = pickMember(callerCode, dialog.rows(), row);
    return outcome;
}

} // namespace florist::members
