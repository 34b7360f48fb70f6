#include "members/memberimport.h"

#include "core/search/pagedmodel.h"
#include "core/search/searchresult.h"
#include "core/spreadsheet/importrun.h"
#include "core/spreadsheet/sheetreader.h"
#include "core/spreadsheet/xlsxexport.h"
#include "members/memberentry.h"
#include "members/memberlists.h"
#include "support/dbfixture.h"

#include <QTemporaryDir>

namespace florist {
namespace {

using namespace members;

TEST(MemberImportTexts, HintNamesEveryHeading) {
    ASSERT_EQ(memberImportHeadings().size(), 18);
    const QString hint = memberImportHint();
    EXPECT_TRUE(hint.startsWith("打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为会员分类、卡号、"
                                "姓名、性别、生日、手机号码、电话号码、QQ号、微信号、个人喜好、"
                                "单位名称"));
    for (const QString& heading : memberImportHeadings()) {
        EXPECT_TRUE(hint.contains(heading)) << heading.toStdString();
    }
    EXPECT_EQ(memberImportDoneText(3), "成功导入会员数据 3 条！");
}

class MemberImportTest : public test::DbTest {
protected:
    // A sheet in another order than the hint: the balances first, then the rest reversed.
    Sheet sheet(const QList<QMap<QString, QString>>& rows) {
        Sheet s;
        s.headings = {"账户余额", "消费次数", "积分", "消费日期"};
        for (const QString& h : memberImportHeadings()) {
            if (!s.headings.contains(h)) {
                s.headings.prepend(h);
            }
        }
        for (const auto& values : rows) {
            QStringList cells;
            for (const QString& h : s.headings) {
                cells << values.value(h, defaults().value(h));
            }
            s.rows << cells;
        }
        return s;
    }
    static QMap<QString, QString> defaults() {
        return {{"会员分类", "普通会员"}, {"姓名", "李华"},           {"持卡日期", "2024-05-01"},
                {"积分", "12.5"},         {"消费日期", "2025-01-02"}, {"消费次数", "3"},
                {"账户余额", "88"}};
    }
    ImportResult run(const Sheet& s) {
        return runImport(s, dm(), memberImportHeadings(), importMemberRow);
    }
    int members() { return dm().myRetSC("SELECT ID FROM UMember"); }
};

TEST_P(MemberImportTest, InsertsRowsWithTheSheetsBalances) {
    // A deleted member's card is free again.
    MemberValues gone;
    gone.category = "普通会员";
    gone.cardNumber = "K3";
    gone.name = "旧";
    insertMember(dm(), gone, {});
    dm().myESQL("UPDATE UMember SET theDel = '是'");

    const ImportResult r = run(sheet({
        {{"卡号", "K1"}, {"生日", "5-3"}, {"手机号码", "138"}, {"QQ号", "99"}},
        {{"卡号", ""}},                     // no card number: skipped
        {{"卡号", "K1"}, {"姓名", "王五"}}, // the same new card again: skipped
        // held only by the deleted member; dates as a csv saved by a spreadsheet writes them
        {{"卡号", "K3"}, {"生日", ""}, {"持卡日期", "2019/1/1"}, {"消费日期", "2019年3月5日"}},
    }));
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(memberImportDoneText(r.inserted), "成功导入会员数据 2 条！");
    const ResultSet rs = db().select("SELECT * FROM UMember WHERE (theDel = '否') ORDER BY ID");
    ASSERT_EQ(rs.size(), 2);
    EXPECT_EQ(rs.text(0, "theNum"), "K1");
    EXPECT_EQ(rs.text(0, "theName"), "李华");
    EXPECT_EQ(rs.text(0, "thePY"), "LH");
    EXPECT_EQ(rs.text(0, "theBir"), "05-03");
    EXPECT_EQ(rs.text(0, "theMob"), "138");
    EXPECT_EQ(rs.text(0, "theQQ"), "99");
    EXPECT_EQ(rs.text(0, "theJF"), "12.5");
    EXPECT_EQ(rs.text(0, "theCount"), "3");
    EXPECT_EQ(rs.text(0, "theMoney"), "88");
    EXPECT_EQ(rs.text(0, "XFDate"), "2025-01-02");
    EXPECT_EQ(rs.text(0, "myDate"), "2024-05-01");
    EXPECT_EQ(rs.text(0, "theDate"), "2025-03-01");
    EXPECT_EQ(rs.text(0, "UName"), "admin");
    EXPECT_EQ(rs.text(0, "WName"), "总店");
    EXPECT_EQ(rs.text(1, "theNum"), "K3");
    EXPECT_EQ(rs.text(1, "theBir"), "");
    EXPECT_EQ(rs.text(1, "myDate"), "2019-01-01");
    EXPECT_EQ(rs.text(1, "XFDate"), "2019-03-05");
}

TEST_P(MemberImportTest, BadCellStopsAtItsRowNamingTheColumn) {
    struct Case {
        QString heading;
        QString value;
    };
    const QList<Case> cases = {
        {"积分", "abc"},        {"消费次数", ""},  {"账户余额", "12元"},
        {"生日", "1990-05-03"}, {"生日", "13-01"},
    };
    for (const Case& c : cases) {
        dm().myESQL("DELETE FROM UMember");
        const ImportResult r = run(
            sheet({{{"卡号", "G1"}}, {{"卡号", "G2"}, {c.heading, c.value}}, {{"卡号", "G3"}}}));
        EXPECT_EQ(r.failedRow, 3) << c.heading.toStdString();
        EXPECT_EQ(r.inserted, 1);
        EXPECT_TRUE(r.error.contains("“" + c.heading + "”")) << r.error.toStdString();
        EXPECT_TRUE(importStoppedText(r).contains("第 3 行"));
        EXPECT_EQ(members(), 1);
    }
}

TEST_P(MemberImportTest, MissingHeadingWritesNothing) {
    Sheet s = sheet({{{"卡号", "H1"}}});
    const int column = s.column("微信号");
    s.headings.removeAt(column);
    s.rows[0].removeAt(column);
    const ImportResult r = run(s);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("微信号"));
    EXPECT_EQ(members(), 0);
}

// The member list exported by "Excel" imports back as it stands: card numbers with leading
// zeros, birthdays, phones, dates and balances unchanged.
TEST_P(MemberImportTest, ExportedListImportsBack) {
    MemberValues v;
    v.category = "普通会员";
    v.cardNumber = "0012";
    v.name = "张三";
    v.birthday = "05-03";
    v.mobile = "013800001111";
    v.cardDate = "2019-01-01";
    MemberBalances b;
    b.points = 12.5;
    b.count = 3;
    b.money = 100.25;
    b.lastPurchase = "2024-12-31";
    insertMember(dm(), v, b);

    const search::SearchDescriptor spec = memberManagementSpec();
    search::PagedTableModel model(db(), spec.columns);
    model.setQuery(search::whereHead(spec), {});
    const search::Totals totals = search::readTotals(db(), spec, {});
    QTemporaryDir dir;
    const QString path = dir.filePath("members.xlsx");
    writeXlsx(path, "青禾花店", search::exportSpec(spec),
              search::exportRows(db(), spec, model, totals));
    dm().myESQL("UPDATE UMember SET theDel = '是'");

    Sheet sheet = readSheet(path);
    ASSERT_TRUE(takeHeadingsBelowTitle(sheet, memberImportHeadings()));
    const ImportResult r = run(sheet);
    ASSERT_TRUE(r.ok()) << importStoppedText(r).toStdString();
    EXPECT_EQ(r.inserted, 1); // the "合计" line has no card number
    const ResultSet rs = db().select("SELECT * FROM UMember WHERE (theDel = '否')");
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theNum"), "0012");
    EXPECT_EQ(rs.text(0, "theBir"), "05-03");
    EXPECT_EQ(rs.text(0, "theMob"), "013800001111");
    EXPECT_EQ(rs.text(0, "myDate"), "2019-01-01");
    EXPECT_EQ(rs.text(0, "XFDate"), "2024-12-31");
    EXPECT_EQ(rs.text(0, "theJF"), "12.5");
    EXPECT_EQ(rs.text(0, "theCount"), "3");
    EXPECT_EQ(rs.text(0, "theMoney"), "100.25");
}

FLORIST_ON_EVERY_BACKEND(MemberImportTest);

} // namespace
} // namespace florist
