#include "core/db/datamodule.h"
#include "core/spreadsheet/importrun.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

class ImportRunTest : public test::DbTest {
protected:
    int sexes(const QString& remark) {
        return dm().myRetSC("SELECT ID FROM SSex WHERE (Remark = ?)", {remark});
    }
    // Inserts the row's name unless it is empty; "坏" runs a statement the server refuses,
    // after a first insert that must not survive.
    static bool rule(DataModule& dm, const SheetRow& row) {
        const QString name = row.text("名称");
        if (name.isEmpty()) {
            return false;
        }
        dm.myESQL("INSERT INTO SSex (theName, Remark) VALUES (?, ?)", {name, row.text("备注")});
        if (name == "坏") {
            dm.myESQL("INSERT INTO SSex (noSuchColumn) VALUES (1)");
        }
        return true;
    }
};

TEST_P(ImportRunTest, InsertsCountsAndSkips) {
    Sheet sheet{{"备注", "名称"}, {{"导入", "未知"}, {"导入", ""}, {"导入", "保密"}}};
    QList<int> progress;
    const ImportResult r =
        runImport(sheet, dm(), {"名称", "备注"}, rule, [&](int done) { progress << done; });
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.inserted, 2);
    EXPECT_EQ(sexes("导入"), 2);
    EXPECT_EQ(progress, QList<int>({1, 2, 3}));
}

// A failing row stops the import there: the rows before it stay, its own writes do not.
TEST_P(ImportRunTest, FailingRowStopsWithEarlierRowsKept) {
    Sheet sheet{{"名称", "备注"}, {{"甲", "导入"}, {"坏", "导入"}, {"乙", "导入"}}};
    const ImportResult r = runImport(sheet, dm(), {"名称"}, rule);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failedRow, 3);
    EXPECT_EQ(r.inserted, 1);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(sexes("导入"), 1);
    const QString text = importStoppedText(r);
    EXPECT_TRUE(text.contains("第 3 行") && text.contains("已导入 1 条")) << text.toStdString();
}

TEST_P(ImportRunTest, MissingHeadingWritesNothing) {
    Sheet sheet{{"名称"}, {{"甲"}, {"乙"}}};
    const ImportResult r = runImport(sheet, dm(), {"名称", "备注"}, rule);
    EXPECT_EQ(r.failedRow, 2);
    EXPECT_EQ(r.error, "EXCEL文件中缺少列：备注");
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM SSex WHERE (theName = ?)", {"甲"}), 0);
}

// A list this program exported: the title in row 1, the headings in row 2, the rows from row 3.
TEST_P(ImportRunTest, HeadingsBelowATitleRow) {
    Sheet sheet{{"青禾花店性别表", ""}, {{"名称", "备注"}, {"甲", "导入"}, {"坏", "导入"}}};
    ASSERT_TRUE(takeHeadingsBelowTitle(sheet, {"名称", "备注"}));
    EXPECT_EQ(sheet.headings, QStringList({"名称", "备注"}));
    EXPECT_EQ(sheet.rows.size(), 2);
    const ImportResult r = runImport(sheet, dm(), {"名称"}, rule);
    EXPECT_EQ(r.inserted, 1);
    EXPECT_EQ(r.failedRow, 4); // the sheet's own row number
    // Headings already in row 1, or nowhere: the sheet stays as it is.
    Sheet plain{{"名称", "备注"}, {{"名称", "备注"}}};
    EXPECT_FALSE(takeHeadingsBelowTitle(plain, {"名称"}));
    EXPECT_EQ(plain.rows.size(), 1);
    Sheet other{{"标题", ""}, {{"名称", "说明"}}};
    EXPECT_FALSE(takeHeadingsBelowTitle(other, {"名称", "备注"}));
    EXPECT_EQ(other.headings.first(), "标题");
}

FLORIST_ON_EVERY_BACKEND(ImportRunTest);

} // namespace
} // namespace florist
