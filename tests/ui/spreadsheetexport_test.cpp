#include "core/spreadsheet/sheetreader.h"
#include "support/fakefilechooser.h"
#include "support/uitest.h"
#include "ui/spreadsheetexport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist {
namespace {

ExportSpec materials() {
    ExportSpec spec;
    spec.titleWord = "花材表";
    spec.lastColumn = "C";
    spec.headings = {"花材编号", "花材名称"};
    spec.textColumns = {"花材编号"};
    spec.landscape = false;
    return spec;
}

class SpreadsheetExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    test::FakeFileChooser files_;
    ExportTable table_{{{"0012", "玫瑰"}}, {}};
};

TEST_F(SpreadsheetExportTest, SuggestsShopTitleAndDateInDocuments) {
    const QString p = ui::suggestedExportPath("青禾/花店", materials(), QDate(2026, 12, 10));
    EXPECT_EQ(QFileInfo(p).fileName(), "青禾_花店花材表2026-12-10.xlsx");
}

TEST_F(SpreadsheetExportTest, WritesChosenFileAndOpensIt) {
    files_.answers << dir_.filePath("花材");
    const QString written = ui::exportToSpreadsheet(nullptr, "青禾花店", materials(), table_);
    EXPECT_EQ(written, dir_.filePath("花材.xlsx"));
    ASSERT_EQ(files_.requests.size(), 1);
    EXPECT_EQ(files_.requests[0].kind, ui::FileRequest::Save);
    EXPECT_TRUE(files_.requests[0].path.endsWith(".xlsx"));
    EXPECT_EQ(files_.opened, QStringList({written}));
    const Sheet s = readSheet(written);
    ASSERT_EQ(s.rows.size(), 2);
    EXPECT_EQ(s.rows[1], QStringList({"1", "0012", "玫瑰"}));
}

TEST_F(SpreadsheetExportTest, CancelWritesNothing) {
    EXPECT_TRUE(ui::exportToSpreadsheet(nullptr, "青禾花店", materials(), table_).isEmpty());
    EXPECT_TRUE(files_.opened.isEmpty());
}

// Neither a file that cannot be written nor one that no program opens passes silently.
TEST_F(SpreadsheetExportTest, FailuresNameTheFile) {
    test::PromptRecorder prompts;
    files_.answers << dir_.filePath("missing/folder/a.xlsx");
    EXPECT_TRUE(ui::exportToSpreadsheet(nullptr, "青禾花店", materials(), table_).isEmpty());
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().startsWith("无法创建Xls文件，请确认是否安装EXCEL"));
    EXPECT_TRUE(prompts.last().contains("a.xlsx"));
    EXPECT_TRUE(files_.opened.isEmpty());

    prompts.clear();
    files_.desktopOpens = false;
    files_.answers << dir_.filePath("b.xlsx");
    EXPECT_FALSE(ui::exportToSpreadsheet(nullptr, "青禾花店", materials(), table_).isEmpty());
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("b.xlsx"));
}

} // namespace
} // namespace florist
