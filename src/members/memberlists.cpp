#include "members/memberlists.h"

#include "core/db/datamodule.h"
#include "core/search/builders.h"

#include <QSet>

namespace florist::members {

using search::Column;
using search::ColumnKind;
using search::Condition;
using search::InputKind;
using search::Match;
using search::SearchDescriptor;
using search::Term;

namespace {

using search::build::hidden;
using search::build::number;
using search::build::text;

// The member columns from "会员分类" to "账户余额", shared by every member list.
QList<Column> memberColumns() {
    return {text("会员分类", "theType", 60),
            text("卡号", "theNum", 0, true),
            text("姓名", "theName", 80),
            text("性别", "theSex"),
            text("生日", "theBir", 0, true),
            text("手机号码", "theMob", 100, true),
            text("电话号码", "thePhone", 100, true),
            text("QQ号", "theQQ", 100, true),
            text("微信号", "theWX", 100, true),
            text("个人喜好", "theLove", 100),
            text("单位名称", "theDept", 100),
            text("联系地址", "theAddress", 120),
            text("备注", "Remark", 120),
            text("持卡日期", "myDate", 0, true),
            number("积分", "theJF", 60),
            text("消费日期", "XFDate", 0, true),
            number("消费次数", "theCount"),
            number("账户余额", "theMoney", 60)};
}

// "门店名称" … "录入人" and the hidden ID: the list of management, query and the reminders.
QList<Column> fullColumns() {
    QList<Column> cols;
    cols << text("门店名称", "WName");
    cols += memberColumns();
    cols << text("录入日期", "theDate") << text("录入人", "UName") << hidden("ID");
    return cols;
}

Condition textCondition(const QString& caption, const QStringList& fields) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::Text;
    c.match = Match::Contains;
    c.fields = fields;
    return c;
}

Condition listCondition(const QString& caption, const QString& field,
                        std::function<QStringListModel*(Loaders&)> loader) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::List;
    c.match = Match::Equals;
    c.fields = {field};
    c.loader = std::move(loader);
    return c;
}

// The twelve conditions that the points clearing window shares with member management.
QList<Condition> memberConditions() {
    return {listCondition("会员分类", "theType", [](Loaders& l) { return l.DBComMType(); }),
            textCondition("卡        号", {"theNum"}),
            textCondition("姓        名", {"theName", "thePY"}),
            listCondition("性        别", "theSex", [](Loaders& l) { return l.DBComSex(); }),
            textCondition("手机号码", {"theMob"}),
            textCondition("电话号码", {"thePhone"}),
            textCondition("Q   Q   号", {"theQQ"}),
            textCondition("微  信  号", {"theWX"}),
            textCondition("个人喜好", {"theLove"}),
            textCondition("单位名称", {"theDept"}),
            textCondition("联系地址", {"theAddress"}),
            textCondition("备        注", {"Remark"})};
}

const QList<search::Total> kMemberTotals = {{"积分：", "SUM(theJF)", "积分"},
                                            {"消费次数：", "SUM(theCount)", "消费次数"},
                                            {"账户余额：", "SUM(theMoney)", "账户余额"}};

SearchDescriptor memberList(const QString& objectName, const QString& caption) {
    SearchDescriptor s;
    s.objectName = objectName;
    s.caption = caption;
    s.from = "UMember";
    s.columns = fullColumns();
    s.countCaption = "会员数量：";
    s.totals = kMemberTotals;
    s.exportTitle = "会员表";
    return s;
}

const QStringList kStoreAndEntry = {"门店名称", "录入日期", "录入人"};

} // namespace

SearchDescriptor memberManagementSpec() {
    SearchDescriptor s = memberList("frmMember_M", "会员管理");
    s.conditions = memberConditions();
    s.conditions << listCondition("门店名称", "WName", [](Loaders& l) { return l.DBComWare(); })
                 << listCondition("录  入  人", "UName", [](Loaders& l) { return l.DBComUser(); });
    // The screen shows the store first: "门店名称", "会员分类", "卡号", "姓名"; …; the entering
    // user at the end of the last row.
    s.screenRows = {{12, 0, 1, 2}, {3, 4, 5, 6}, {7, 8, 9, 10}, {11, -1, -1, 13}};
    return s;
}

SearchDescriptor memberQuerySpec() {
    SearchDescriptor s = memberManagementSpec();
    s.objectName = "frmMember_Q";
    s.caption = "会员查询";
    s.exportOmitted = kStoreAndEntry;
    return s;
}

SearchDescriptor birthdayReminderSpec() {
    SearchDescriptor s = memberList("frmMember_SR", "会员生日提醒");
    s.exportOmitted = kStoreAndEntry;
    Condition c;
    c.caption = "会员生日";
    c.kind = InputKind::DatePair;
    c.match = Match::Custom;
    c.startsTicked = true;
    c.always = true;
    c.defaultFrom = [](const QDate& d) { return d; };
    c.defaultTo = [](const QDate& d) { return d.addDays(7); };
    c.term = [](const search::ConditionInput& in) { return birthdayFilter(in.from, in.to); };
    s.conditions = {c};
    return s;
}

SearchDescriptor nonConsumptionSpec(const QDate& business) {
    SearchDescriptor s = memberList("frmMember_WXF", "会员未消费提醒");
    s.exportOmitted = kStoreAndEntry;
    Condition c;
    c.caption = "会员未消费天数";
    c.kind = InputKind::Number;
    c.match = Match::Custom;
    c.startsTicked = true;
    c.always = true;
    c.numberMin = 0;
    c.numberMax = 1000;
    c.numberPreset = 90;
    c.term = [business](const search::ConditionInput& in) {
        return nonConsumptionFilter(nonConsumptionCutOff(business, in.number));
    };
    s.conditions = {c};
    return s;
}

SearchDescriptor pointsClearingSpec() {
    SearchDescriptor s = memberList("frmMember_JFQL", "会员积分清零");
    s.columns = memberColumns();
    s.columns << hidden("ID");
    s.conditions = memberConditions();
    s.exportTitle.clear();
    return s;
}

QStringList birthdayMonthDays(const QDate& first, const QDate& second) {
    const qint64 n = qAbs(first.daysTo(second));
    QStringList days;
    for (qint64 i = 0; i <= n; ++i) {
        days << first.addDays(i).toString("MM-dd");
    }
    return days;
}

Term birthdayFilter(const QDate& first, const QDate& second) {
    // A range of years repeats month-days; each is bound once (at most 366 values).
    QStringList unique;
    QSet<QString> seen;
    for (const QString& d : birthdayMonthDays(first, second)) {
        if (!seen.contains(d)) {
            seen.insert(d);
            unique << d;
        }
        if (unique.size() == 366) {
            break;
        }
    }
    Term t;
    t.text = "AND (theBir IN (" + QStringList(unique.size(), "?").join(",") + ") ) ";
    for (const QString& d : unique) {
        t.params << d;
    }
    return t;
}

QDate nonConsumptionCutOff(const QDate& business, int days) {
    return business.addDays(-days);
}

Term nonConsumptionFilter(const QDate& cutOff) {
    return {" AND (XFDate <= ?) ", {cutOff.toString("yyyy-MM-dd")}};
}

void deleteMember(DataModule& dm, qlonglong id) {
    dm.myESQL("UPDATE UMember SET theDel = '是' WHERE (ID = ?)", {id});
}

void clearPoints(DataModule& dm, qlonglong id) {
    dm.myESQL("UPDATE UMember SET theJF = 0 WHERE (ID = ?) ", {id});
}

QString clearingMessage(const QString& card, const QString& name, const QString& points) {
    return "卡号 " + card + " 姓名 " + name + " 积分 " + points + "  积分清零！";
}

} // namespace florist::members
