#include "partners/partners.h"

#include "core/db/datamodule.h"
#include "core/spreadsheet/importrun.h"
#include "partners/partnerimport.h"
#include "partners/partnerlists.h"
#include "partners/partnerlookup.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

using namespace partners;

PartnerValues partner(const QString& name, const QString& type = "供应商") {
    PartnerValues v;
    v.type = type;
    v.name = name;
    v.contact = "王五";
    v.phone = "0571-1234";
    v.mobile = "13800000000";
    v.address = "杭州";
    v.receivable = "";
    v.payable = "100.5";
    v.remark = "";
    return v;
}

TEST(PartnerChecks, RefuseInTheirOrderNamingTheField) {
    struct Case {
        QString PartnerValues::*field;
        QString value;
        QString message;
        QString focus;
    };
    const QList<Case> cases = {
        {&PartnerValues::type, "", "单位分类 不能为空，请重新选择！", "单位分类"},
        {&PartnerValues::name, "", "单位名称 不能为空，请重新录入！", "单位名称"},
        {&PartnerValues::contact, "一二三四五六七八九十一", "联系人 超过 20 个字节，请重新录入！",
         "联系人"},
        {&PartnerValues::receivable, "1.2.3", "应收金额 不是有效的数字，请重新录入！", "应收金额"},
        {&PartnerValues::payable, "..", "应付金额 不是有效的数字，请重新录入！", "应付金额"},
    };
    for (const Case& c : cases) {
        PartnerValues v = partner("花农甲");
        v.*c.field = c.value;
        const FormOutcome out = checkPartner(v);
        EXPECT_FALSE(out.done) << c.value.toStdString();
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.focus, c.focus);
    }
    EXPECT_EQ(presetType("JH"), "供应商");
    EXPECT_EQ(presetType("FK"), "供应商");
    EXPECT_EQ(presetType("XS"), "客户");
    EXPECT_EQ(presetType("SK"), "客户");
}

TEST(PartnerExport, LandscapeWithPhonesAsTextAndBalanceTotals) {
    const ExportSpec e = search::exportSpec(partnerManagementSpec());
    EXPECT_EQ(e.titleWord, "往来单位表");
    EXPECT_EQ(e.headings, QStringList({"门店名称", "单位分类", "单位名称", "联系人", "电话号码",
                                       "手机号码", "联系地址", "应收金额", "应付金额", "备注"}));
    EXPECT_EQ(e.usedLastColumn(), "K");
    EXPECT_EQ(e.textColumns, QStringList({"电话号码", "手机号码"}));
    ASSERT_EQ(e.totals.size(), 2); // columns I and J
    EXPECT_EQ(e.totals[0].first, "应收金额");
    EXPECT_EQ(e.totals[1].first, "应付金额");
    EXPECT_TRUE(e.landscape);
}

class PartnerTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        dm().myESQL("INSERT INTO SWLType (theName, Remark) VALUES ('同行', '')");
    }
    QVariant column(qlonglong id, const QString& col) {
        return db().scalar("SELECT " + col + " FROM UWL WHERE (ID = ?)", {id});
    }
    int live(const QString& name) {
        return dm().myRetSC("SELECT ID FROM UWL WHERE (theDel = '否') AND (theName = ?)", {name});
    }
};

TEST_P(PartnerTest, NameIsUniqueAmongLivePartnersOfEveryStoreAndNotTestedOnEdit) {
    dm().login().currentStore = "分店";
    const PartnerSaveResult first = savePartner(dm(), partner("花农甲"), 0, kModeMenu);
    ASSERT_TRUE(first.outcome.done);
    EXPECT_EQ(first.outcome.message, "恭喜！恭喜！ 往来单位信息 保存成功！");
    EXPECT_EQ(column(first.id, "WName").toString(), "分店");

    dm().login().currentStore = "总店";
    const PartnerSaveResult again = savePartner(dm(), partner("花农甲"), 0, kModeMenu);
    EXPECT_FALSE(again.outcome.done);
    EXPECT_EQ(again.outcome.message, "单位名称 重复，请重新录入！");
    EXPECT_EQ(again.outcome.focus, "单位名称");
    EXPECT_FALSE(savePartner(dm(), partner("花农甲  "), 0, kModeMenu).outcome.done);

    // From a document window: no message.
    const PartnerSaveResult other = savePartner(dm(), partner("花农乙"), 0, kModePurchase);
    ASSERT_TRUE(other.outcome.done);
    EXPECT_TRUE(other.outcome.message.isEmpty());
    // An edit may take a name that is held; it shows no message either.
    const PartnerSaveResult edited = savePartner(dm(), partner("花农甲"), other.id, kModeEdit);
    ASSERT_TRUE(edited.outcome.done);
    EXPECT_TRUE(edited.outcome.message.isEmpty());
    EXPECT_EQ(live("花农甲"), 2);

    deletePartner(dm(), first.id);
    deletePartner(dm(), other.id);
    EXPECT_TRUE(savePartner(dm(), partner("花农甲"), 0, kModeMenu).outcome.done);
    EXPECT_EQ(column(first.id, "theDel").toString(), "是");
}

TEST_P(PartnerTest, TypedBalancesReplaceTheStoredOnesAndInitialsFollowTheName) {
    PartnerValues v = partner("城东花卉");
    v.remark = "O'Neil \"甲\"";
    const qlonglong id = savePartner(dm(), v, 0, kModeMenu).id;
    EXPECT_EQ(column(id, "theYS").toDouble(), 0.0);
    EXPECT_EQ(column(id, "theYF").toDouble(), 100.5);
    EXPECT_EQ(column(id, "thePY").toString(), "CDHH");
    EXPECT_EQ(column(id, "Remark").toString(), v.remark);

    // Documents moved the balance since the row was listed; the edit writes what it shows.
    dm().myESQL("UPDATE UWL SET theYF = theYF + 50 WHERE (ID = ?)", {id});
    v.name = "城西花卉";
    v.receivable = "7";
    v.payable = "100.5";
    ASSERT_TRUE(savePartner(dm(), v, id, kModeEdit).outcome.done);
    EXPECT_EQ(column(id, "theYS").toDouble(), 7.0);
    EXPECT_EQ(column(id, "theYF").toDouble(), 100.5);
    EXPECT_EQ(column(id, "thePY").toString(), "CXHH");

    v.payable = "1.2.3";
    EXPECT_FALSE(savePartner(dm(), v, id, kModeEdit).outcome.done);
    EXPECT_EQ(column(id, "theYF").toDouble(), 100.5);
}

TEST_P(PartnerTest, FindOffersEachModeItsTypesOfTheLoggedInStoreOnly) {
    savePartner(dm(), partner("甲供应商", "供应商"), 0, kModeMenu);
    savePartner(dm(), partner("乙客户", "客户"), 0, kModeMenu);
    savePartner(dm(), partner("丙同行", "同行"), 0, kModeMenu);
    const qlonglong gone = savePartner(dm(), partner("丁供应商", "供应商"), 0, kModeMenu).id;
    deletePartner(dm(), gone);
    dm().login().currentStore = "分店";
    savePartner(dm(), partner("戊供应商", "供应商"), 0, kModeMenu);
    dm().login().currentStore = "总店";

    auto names = [&](const QString& mode) {
        QStringList n;
        const ResultSet rows = searchPartners(dm(), mode, "");
        for (int r = 0; r < rows.size(); ++r) {
            n << rows.text(r, "单位名称");
        }
        return n;
    };
    EXPECT_EQ(names("JH"), QStringList({"丙同行", "甲供应商"}));
    EXPECT_EQ(names("FK"), QStringList({"丙同行", "甲供应商"}));
    EXPECT_EQ(names("XS"), QStringList({"丙同行", "乙客户"}));
    EXPECT_EQ(names("SK"), QStringList({"丙同行", "乙客户"}));

    const ResultSet byInitials = searchPartners(dm(), "JH", "jgy");
    ASSERT_EQ(byInitials.size(), 1);
    const PickedPartner p = pickPartner(byInitials, 0);
    EXPECT_EQ(p.fields.value("单位名称"), "甲供应商");
    EXPECT_EQ(p.fields.value("应付金额"), "100.5");
    EXPECT_EQ(p.fields.value("应收金额"), "0");
    EXPECT_EQ(p.fields.size(), 9);
}

TEST_P(PartnerTest, ImportSkipsEmptyAndUsedNamesInAnyHeadingOrder) {
    savePartner(dm(), partner("花农甲"), 0, kModeMenu);
    dm().login().currentStore = "分店";
    Sheet sheet;
    sheet.headings = {"备注",     "应付金额", "应收金额", "联系地址", "手机号码",
                      "电话号码", "联系人",   "单位名称", "单位分类"};
    sheet.rows = {{"", "", "", "", "", "", "", "城东花卉", "客户"},   // empty balances: 0
                  {"", "1", "1", "", "", "", "", "花农甲", "供应商"}, // held
                  {"", "1", "1", "", "", "", "", "", "供应商"},       // no name
                  {"", "2.5", "3", "", "139", "", "", "花农丙", "供应商"}};
    const ImportResult r = runImport(sheet, dm(), partnerImportHeadings(), importPartnerRow);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(partnerImportDoneText(r.inserted), "成功导入往来单位数据 2 条！");
    const ResultSet rows = db().select(
        "SELECT theName, theYS, theYF, WName, thePY FROM UWL WHERE (WName = '分店') ORDER BY ID");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.value(0, "theYS").toDouble(), 0.0);
    EXPECT_EQ(rows.value(0, "theYF").toDouble(), 0.0);
    EXPECT_EQ(rows.text(1, "thePY"), "HNB");
    EXPECT_EQ(rows.value(1, "theYS").toDouble(), 3.0);
    EXPECT_EQ(rows.value(1, "theYF").toDouble(), 2.5);
}

FLORIST_ON_EVERY_BACKEND(PartnerTest);

} // namespace
} // namespace florist
