#include "core/db/datamodule.h"
#include "core/search/pagedmodel.h"
#include "core/search/searchresult.h"
#include "members/memberlists.h"
#include "support/dbfixture.h"

namespace florist::members {
namespace {

using search::ConditionInput;

TEST(MemberLists, BirthdayRangeRunsForwardFromTheFirstDate) {
    struct Case {
        QDate first, second;
        QStringList days;
    };
    const QList<Case> cases = {
        {QDate(2025, 12, 28),
         QDate(2026, 1, 4),
         {"12-28", "12-29", "12-30", "12-31", "01-01", "01-02", "01-03", "01-04"}},
        {QDate(2025, 3, 10),
         QDate(2025, 3, 5),
         {"03-10", "03-11", "03-12", "03-13", "03-14", "03-15"}},
        {QDate(2025, 5, 3), QDate(2025, 5, 3), {"05-03"}},
        {QDate(2024, 2, 28), QDate(2024, 3, 1), {"02-28", "02-29", "03-01"}},
        {QDate(2025, 2, 28), QDate(2025, 3, 1), {"02-28", "03-01"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(birthdayMonthDays(c.first, c.second), c.days) << c.first.toString().toStdString();
    }
    const search::Term t = birthdayFilter(QDate(2025, 5, 3), QDate(2025, 5, 4));
    EXPECT_EQ(t.text, "AND (theBir IN (?,?) ) ");
    EXPECT_EQ(t.params, QVariantList({"05-03", "05-04"}));
    // Years of range bind each month-day once.
    EXPECT_EQ(birthdayFilter(QDate(2020, 1, 1), QDate(2025, 1, 1)).params.size(), 366);
}

TEST(MemberLists, NonConsumptionCutOff) {
    EXPECT_EQ(nonConsumptionCutOff(QDate(2025, 6, 30), 90), QDate(2025, 4, 1));
    EXPECT_EQ(nonConsumptionCutOff(QDate(2025, 6, 30), 0), QDate(2025, 6, 30));
    const search::Term t = nonConsumptionFilter(QDate(2025, 4, 1));
    EXPECT_EQ(t.text, " AND (XFDate <= ?) ");
    EXPECT_EQ(t.params, QVariantList{"2025-04-01"});
    EXPECT_EQ(clearingMessage("0012", "李华", "0"), "卡号 0012 姓名 李华 积分 0  积分清零！");
}

TEST(MemberLists, ExportLayouts) {
    const ExportSpec m = search::exportSpec(memberManagementSpec());
    EXPECT_EQ(m.titleWord, "会员表");
    ASSERT_EQ(m.headings.size(), 21); // B … V after "序号"
    EXPECT_EQ(m.headings.first(), "门店名称");
    EXPECT_EQ(m.headings.last(), "录入人");
    EXPECT_EQ(m.textColumns, QStringList({"卡号", "生日", "手机号码", "电话号码", "QQ号", "微信号",
                                          "持卡日期", "消费日期"}));
    QStringList sumColumns;
    for (const auto& [heading, field] : m.totals) {
        sumColumns << columnLetters(int(m.headings.indexOf(heading)) + 2);
    }
    EXPECT_EQ(sumColumns, QStringList({"Q", "S", "T"}));
    for (const search::SearchDescriptor& s :
         {memberQuerySpec(), birthdayReminderSpec(), nonConsumptionSpec(QDate(2025, 1, 1))}) {
        const ExportSpec e = search::exportSpec(s);
        ASSERT_EQ(e.headings.size(), 18) << s.objectName.toStdString(); // B … S
        EXPECT_EQ(e.headings.first(), "会员分类");
        QStringList sums;
        for (const auto& [heading, field] : e.totals) {
            sums << columnLetters(int(e.headings.indexOf(heading)) + 2);
        }
        EXPECT_EQ(sums, QStringList({"P", "R", "S"})) << s.objectName.toStdString();
    }
    EXPECT_TRUE(pointsClearingSpec().exportTitle.isEmpty());
}

class MemberListTest : public test::DbTest {
protected:
    void add(const QString& card, const QString& name, const QString& py, const QString& bir = "",
             const QString& xf = "2025-01-01", double jf = 0) {
        dm().myESQL("INSERT INTO UMember (theNum, theName, thePY, theBir, XFDate, theJF, theDel, "
                    "WName, theMob) VALUES (?, ?, ?, ?, ?, ?, '否', '总店', ?)",
                    {card, name, py, bir, xf, jf, "139" + card});
    }
    // The cards a descriptor lists for the given inputs, newest first, all pages read.
    QStringList cards(const search::SearchDescriptor& spec, const QList<ConditionInput>& inputs) {
        search::Term where = spec.fixed;
        where += search::buildFilter(spec, inputs, db().dialect());
        search::PagedTableModel m(db(), spec.columns);
        m.setPageSize(2);
        m.setQuery(search::whereHead(spec), where);
        while (m.canFetchMore()) {
            m.fetchMore();
        }
        QStringList list;
        for (int r = 0; r < m.rowCount(); ++r) {
            list << m.value(r, "卡号").toString();
        }
        return list;
    }
    static ConditionInput text(const QString& t) {
        ConditionInput in;
        in.ticked = true;
        in.text = t;
        return in;
    }
};

TEST_P(MemberListTest, ManagementConditions) {
    add("A1", "李华", "LH");
    add("A2", "O'Brien 王", "OBRIENW");
    add("A3", "张伟", "ZW");
    add("A4", "100%玫瑰", "100MG");
    add("A5", "1000玫瑰", "1000MG");
    const search::SearchDescriptor spec = memberManagementSpec();
    struct Case {
        const char* name;
        QList<ConditionInput> inputs;
        QStringList cards;
    };
    const QList<Case> cases = {
        {"nothing ticked lists all, newest first", {}, {"A5", "A4", "A3", "A2", "A1"}},
        {"name condition finds the initials, typed in lower case", {{}, {}, text("lh")}, {"A1"}},
        {"a typed quote is found verbatim", {{}, {}, text("O'B")}, {"A2"}},
        {"a typed percent is literal", {{}, {}, text("0%")}, {"A4"}},
        {"card contains", {{}, text("3")}, {"A3"}},
        {"empty ticked text matches all", {{}, text("")}, {"A5", "A4", "A3", "A2", "A1"}},
        {"mobile contains", {{}, {}, {}, {}, text("139A2")}, {"A2"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cards(spec, c.inputs), c.cards) << c.name;
    }
    // The query window lists the same rows for the same conditions.
    EXPECT_EQ(cards(memberQuerySpec(), {{}, {}, text("玫瑰")}), QStringList({"A5", "A4"}));
}

TEST_P(MemberListTest, DeleteHidesAndClearingWritesZero) {
    add("B1", "李华", "LH", "", "2025-01-01", 35.5);
    add("B2", "张伟", "ZW", "", "2025-01-01", 0);
    const search::SearchDescriptor spec = memberManagementSpec();
    const QString id1 = db().select("SELECT ID FROM UMember WHERE (theNum = 'B1')").text(0, "ID");
    const QString id2 = db().select("SELECT ID FROM UMember WHERE (theNum = 'B2')").text(0, "ID");
    clearPoints(dm(), id1.toLongLong());
    clearPoints(dm(), id2.toLongLong());
    EXPECT_EQ(db().scalar("SELECT SUM(theJF) FROM UMember").toDouble(), 0.0);
    deleteMember(dm(), id1.toLongLong());
    EXPECT_EQ(cards(spec, {}), QStringList{"B2"});
    EXPECT_EQ(cards(pointsClearingSpec(), {}), QStringList{"B2"});
}

TEST_P(MemberListTest, BirthdayAndNonConsumptionReminders) {
    add("C1", "甲", "J", "12-30");
    add("C2", "乙", "Y", "01-03");
    add("C3", "丙", "B", "01-05");
    add("C4", "丁", "D", "");
    add("C5", "戊", "W", "02-29");
    ConditionInput range;
    range.from = QDate(2025, 12, 28);
    range.to = range.from.addDays(7); // the box left unticked: the range applies anyway
    EXPECT_EQ(cards(birthdayReminderSpec(), {range}), QStringList({"C2", "C1"}));
    range.from = QDate(2024, 2, 27);
    range.to = QDate(2024, 3, 1);
    EXPECT_EQ(cards(birthdayReminderSpec(), {range}), QStringList({"C5"}));
    range.from = QDate(2025, 2, 27);
    range.to = QDate(2025, 3, 1);
    EXPECT_EQ(cards(birthdayReminderSpec(), {range}), QStringList());

    dm().myESQL("UPDATE UMember SET XFDate = '2025-04-01' WHERE (theNum = 'C1')");
    dm().myESQL("UPDATE UMember SET XFDate = '2025-04-02' WHERE (theNum = 'C2')");
    ConditionInput days;
    days.number = 90;
    const search::SearchDescriptor wxf = nonConsumptionSpec(QDate(2025, 6, 30));
    EXPECT_EQ(cards(wxf, {days}), QStringList({"C5", "C4", "C3", "C1"}));
}

FLORIST_ON_EVERY_BACKEND(MemberListTest);

} // namespace
} // namespace florist::members
