#include "stock/materials.h"

#include "core/db/datamodule.h"
#include "core/search/searchdescriptor.h"
#include "core/spreadsheet/importrun.h"
#include "stock/materialimport.h"
#include "stock/materiallists.h"
#include "stock/materiallookup.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

using namespace stock;

MaterialValues rose(const QString& number = "R01") {
    MaterialValues v;
    v.type = "鲜花";
    v.number = number;
    v.name = "玫瑰";
    v.unit = "支";
    v.purchasePrice = "1.5";
    v.salePrice = "3";
    v.remark = "";
    return v;
}

TEST(MaterialChecks, RefuseInTheirOrderNamingTheField) {
    struct Case {
        QString MaterialValues::*field;
        QString value;
        QString message;
        QString focus;
    };
    const QList<Case> cases = {
        {&MaterialValues::type, "", "花材分类 不能为空，请重新选择！", "花材分类"},
        {&MaterialValues::number, "", "花材编号 不能为空，请重新录入！", "花材编号"},
        {&MaterialValues::name, "", "花材名称 不能为空，请重新录入！", "花材名称"},
        {&MaterialValues::unit, "", "花材单位 不能为空，请重新选择！", "花材单位"},
        {&MaterialValues::number, "123456789012345", "花材编号 超过 14 个字节，请重新录入！",
         "花材编号"},
        {&MaterialValues::name, "一二三四五六七八九十一", "花材名称 超过 20 个字节，请重新录入！",
         "花材名称"},
        {&MaterialValues::purchasePrice, "1.2.3", "采购单价 不是有效的数字，请重新录入！",
         "采购单价"},
        {&MaterialValues::salePrice, ".", "销售单价 不是有效的数字，请重新录入！", "销售单价"},
        {&MaterialValues::salePrice, "-2", "销售单价 不是有效的数字，请重新录入！", "销售单价"},
    };
    for (const Case& c : cases) {
        MaterialValues v = rose();
        v.*c.field = c.value;
        const FormOutcome out = checkMaterial(v);
        EXPECT_FALSE(out.done) << c.value.toStdString();
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.focus, c.focus);
    }
    MaterialValues empty = rose();
    empty.purchasePrice.clear();
    EXPECT_TRUE(checkMaterial(empty).done);
}

TEST(MaterialExport, UprightWithTheNumberKeptAsText) {
    const ExportSpec e = search::exportSpec(materialManagementSpec());
    EXPECT_EQ(e.titleWord, "花材表");
    EXPECT_EQ(e.headings, QStringList({"花材分类", "花材编号", "花材名称", "花材单位", "采购单价",
                                       "销售单价", "备注"}));
    EXPECT_EQ(e.usedLastColumn(), "H");
    EXPECT_EQ(e.textColumns, QStringList({"花材编号"}));
    EXPECT_FALSE(e.hasTotals());
    EXPECT_FALSE(e.landscape);
    EXPECT_EQ(search::exportSpec(materialQuerySpec()).headings, e.headings);
}

class MaterialTest : public test::DbTest {
protected:
    int live(const QString& number) {
        return dm().myRetSC("SELECT ID FROM UHC WHERE (theDel = '否') AND (theNum = ?)", {number});
    }
    QVariant column(qlonglong id, const QString& col) {
        return db().scalar("SELECT " + col + " FROM UHC WHERE (ID = ?)", {id});
    }
    ResultSet list(const QString& filterText = {}, const QVariantList& params = {}) {
        const search::SearchDescriptor s = materialManagementSpec();
        return db().select("SELECT " + search::selectList(s) + " " + search::whereHead(s) +
                               filterText + "ORDER BY ID DESC ",
                           params);
    }
};

TEST_P(MaterialTest, NumberIsUniqueAmongLiveMaterialsOnlyAndNotTestedOnEdit) {
    const MaterialSaveResult first = saveMaterial(dm(), rose("R01"), 0);
    ASSERT_TRUE(first.outcome.done);
    EXPECT_EQ(first.outcome.message, "恭喜！恭喜！ 花材信息 保存成功！");

    const MaterialSaveResult again = saveMaterial(dm(), rose("R01"), 0);
    EXPECT_FALSE(again.outcome.done);
    EXPECT_EQ(again.outcome.message, "花材编号 重复，请重新录入！");
    EXPECT_EQ(again.outcome.focus, "花材编号");
    EXPECT_EQ(live("R01"), 1);
    // Compared as every duplicate test compares: the case and trailing blanks do not count.
    EXPECT_FALSE(saveMaterial(dm(), rose("r01 "), 0).outcome.done);

    // Another material may take R01 by an edit.
    const MaterialSaveResult other = saveMaterial(dm(), rose("R02"), 0);
    ASSERT_TRUE(saveMaterial(dm(), rose("R01"), other.id).outcome.done);
    EXPECT_EQ(live("R01"), 2);

    // Once both are deleted the number is free for a new one.
    deleteMaterial(dm(), first.id);
    deleteMaterial(dm(), other.id);
    EXPECT_TRUE(saveMaterial(dm(), rose("R01"), 0).outcome.done);
    EXPECT_EQ(live("R01"), 1);
}

TEST_P(MaterialTest, EmptyPricesAreZeroInitialsFollowTheNameQuotesStayVerbatim) {
    MaterialValues v = rose();
    v.purchasePrice.clear();
    v.salePrice.clear();
    v.name = "满天星";
    v.remark = "O'Brien's \"白\"";
    const qlonglong id = saveMaterial(dm(), v, 0).id;
    ASSERT_GT(id, 0);
    EXPECT_EQ(column(id, "theCG").toDouble(), 0.0);
    EXPECT_EQ(column(id, "theXS").toDouble(), 0.0);
    EXPECT_EQ(column(id, "thePY").toString(), "MTX");
    EXPECT_EQ(column(id, "Remark").toString(), v.remark);

    v.name = "玫瑰花";
    v.salePrice = "12.5";
    ASSERT_TRUE(saveMaterial(dm(), v, id).outcome.done);
    EXPECT_EQ(column(id, "thePY").toString(), "MGH");
    EXPECT_EQ(column(id, "theXS").toDouble(), 12.5);
}

TEST_P(MaterialTest, APriceThatIsNotANumberWritesNothing) {
    MaterialValues v = rose();
    v.purchasePrice = "1..5";
    const MaterialSaveResult r = saveMaterial(dm(), v, 0);
    EXPECT_FALSE(r.outcome.done);
    EXPECT_EQ(r.outcome.message, "采购单价 不是有效的数字，请重新录入！");
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UHC"), 0);
}

TEST_P(MaterialTest, SearchesFindByInitialsAndDropDeletedMaterials) {
    const qlonglong rose1 = saveMaterial(dm(), rose("R01"), 0).id;
    MaterialValues lily = rose("L01");
    lily.name = "百合";
    saveMaterial(dm(), lily, 0);
    MaterialValues percent = rose("P%1");
    percent.name = "满天星";
    saveMaterial(dm(), percent, 0);

    EXPECT_EQ(searchMaterials(dm(), "mg").size(), 1); // 玫瑰 by its initials
    EXPECT_EQ(searchMaterials(dm(), "L0").size(), 1); // by number
    EXPECT_EQ(searchMaterials(dm(), "百").size(), 1); // by name
    EXPECT_EQ(searchMaterials(dm(), "%").size(), 1);  // a typed % is looked for as it stands
    EXPECT_EQ(searchMaterials(dm(), "").size(), 3);

    const search::SearchDescriptor s = materialManagementSpec();
    QList<search::ConditionInput> in(s.conditions.size());
    in[2] = {true, "mg"};
    const search::Term f = search::buildFilter(s, in, db().dialect());
    ResultSet byName = list(f.text, f.params);
    ASSERT_EQ(byName.size(), 1);
    EXPECT_EQ(byName.text(0, "花材名称"), "玫瑰");
    EXPECT_EQ(byName.value(0, "采购单价").toDouble(), 1.5);

    deleteMaterial(dm(), rose1);
    EXPECT_EQ(searchMaterials(dm(), "mg").size(), 0);
    EXPECT_EQ(list().size(), 2);
    EXPECT_EQ(list(f.text, f.params).size(), 0);
}

// Texts of three characters or more go through the substring index on SQLite; every text finds
// the rows of the plain statement, after edits and rows removed for good.
TEST_P(MaterialTest, IndexedSearchFindsThePlainStatementsRows) {
    const auto add = [&](const QString& number, const QString& name, const QString& py) {
        db().exec("INSERT INTO UHC (theType, theNum, theName, theUnit, thePY, theDel) VALUES "
                  "('鲜花', ?, ?, '支', ?, '否')",
                  {number, name, py});
        return db().scalar("SELECT ID FROM UHC WHERE (theNum = ?)", {number}).toLongLong();
    };
    add("Q'7%_x", "欧阳'玫瑰", "oy'mg");
    add("abc138", "Red Rose", "RR");
    add("H000123", "百合花", "bhh");
    add("Z\"q\"", "满天星%", "mtx");
    const qlonglong edited = add("ED1", "旧名字", "jmz");
    const qlonglong removed = add("RM1", "马上走", "msz");
    const qlonglong hidden = add("HD1", "藏起来", "ccl");
    MaterialValues renamed = rose("ED2");
    renamed.name = "新名字";
    ASSERT_TRUE(saveMaterial(dm(), renamed, edited).outcome.done);
    db().exec("DELETE FROM UHC WHERE (ID = ?)", {removed});
    deleteMaterial(dm(), hidden);

    EXPECT_EQ(db().dialect().substringPrefilter("UHC", "abc").text.contains("UHC_trgm"),
              backend() == Backend::Sqlite);
    EXPECT_TRUE(db().dialect().substringPrefilter("UHC", "ab").text.isEmpty());
    for (const QString& text :
         {"",          "H0",     "H00",    "000123", "0012", "ABC",    "abc",   "C13",
          "red r",     "ROSE",   "x_",     "7%_",    "%_x",  "Q'7",    "阳'玫", "玫瑰",
          "欧阳'玫瑰", "百合花", "星%",    "\"q\"",  "z\"q", "新名字", "xmz",   "旧名字",
          "jmz",       "马上走", "藏起来", "ED2",    "ED1",  "RM1",    "HD1",   "_x%"}) {
        const QString p = search::containsPattern(text);
        const ResultSet plain = db().select(materialSearchSelect(db().dialect()), {p, p, p});
        const ResultSet found = searchMaterials(dm(), text);
        QStringList expected;
        QStringList got;
        for (int i = 0; i < plain.size(); ++i) {
            expected << plain.text(i, "花材编号");
        }
        for (int i = 0; i < found.size(); ++i) {
            got << found.text(i, "花材编号");
        }
        expected.sort();
        got.sort();
        EXPECT_EQ(got, expected) << text.toStdString();
    }
    const auto numbers = [&](const QString& text) {
        const ResultSet rs = searchMaterials(dm(), text);
        return rs.size() == 1 ? rs.text(0, "花材编号") : QString::number(rs.size());
    };
    EXPECT_EQ(numbers("新名字"), "ED2");
    EXPECT_EQ(numbers("xmz"), "ED2");
    EXPECT_EQ(numbers("旧名字"), "0");
    EXPECT_EQ(numbers("马上走"), "0");
    EXPECT_EQ(numbers("藏起来"), "0");
    EXPECT_EQ(numbers("7%_"), "Q'7%_x");
    EXPECT_EQ(numbers("0012"), "H000123");
}

TEST_P(MaterialTest, ImportSkipsEmptyAndUsedNumbersInAnyHeadingOrder) {
    saveMaterial(dm(), rose("R01"), 0);
    Sheet sheet;
    sheet.headings = {"备注",     "销售单价", "采购单价", "花材单位",
                      "花材名称", "花材编号", "花材分类"};
    sheet.rows = {{"", "", "", "支", "百合", "L01", "鲜花"},   // empty prices: 0
                  {"", "2", "1", "支", "玫瑰", "R01", "鲜花"}, // held by a live material
                  {"", "2", "1", "支", "无号", "", "鲜花"},    // no number
                  {"O'k", "8", "4", "扎", "满天星", "M01", "配花"},
                  {"", "9", "9", "扎", "满天星", "M01", "配花"}}; // the same new number again
    const ImportResult r = runImport(sheet, dm(), materialImportHeadings(), importMaterialRow);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(materialImportDoneText(r.inserted), "成功导入花材数据 2 条！");
    const ResultSet m =
        db().select("SELECT theNum, theCG, theXS, thePY, Remark FROM UHC WHERE (theNum = 'M01' OR "
                    "theNum = 'L01') ORDER BY ID");
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m.value(0, "theCG").toDouble(), 0.0);
    EXPECT_EQ(m.text(1, "thePY"), "MTX");
    EXPECT_EQ(m.text(1, "Remark"), "O'k");
    EXPECT_EQ(m.value(1, "theXS").toDouble(), 8.0);

    // A price that is not a number stops the import at its sheet row; the rows before stay.
    sheet.rows = {{"", "1", "1", "支", "甲", "A01", "鲜花"},
                  {"", "1.2.3", "1", "支", "乙", "A02", "鲜花"}};
    const ImportResult bad = runImport(sheet, dm(), materialImportHeadings(), importMaterialRow);
    EXPECT_EQ(bad.failedRow, 3);
    EXPECT_TRUE(bad.error.contains("销售单价")) << bad.error.toStdString();
    EXPECT_EQ(live("A01"), 1);
    EXPECT_EQ(live("A02"), 0);
}

FLORIST_ON_EVERY_BACKEND(MaterialTest);

} // namespace
} // namespace florist
