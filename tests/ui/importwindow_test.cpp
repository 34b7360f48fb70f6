#include "core/db/datamodule.h"
#include "support/dbfixture.h"
#include "support/fakefilechooser.h"
#include "support/uitest.h"
#include "ui/importwindow.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

namespace florist {
namespace {

using ui::ImportWindow;

class ImportWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (!db_) {
            return;
        }
        ui::ImportSpec spec;
        spec.objectName = "frmSex_D";
        spec.caption = "性别导入";
        spec.hint = "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为名称、备注";
        spec.headings = {"名称", "备注"};
        spec.columnWidths = {120, 60};
        spec.rule = [this](DataModule& dm, const SheetRow& row) {
            const QString name = row.text("名称");
            if (name.isEmpty()) {
                return false;
            }
            dm.myESQL("INSERT INTO SSex (theName, Remark) VALUES (?, ?)", {name, row.text("备注")});
            if (name == failOn_) {
                dm.myESQL("INSERT INTO SSex (noSuchColumn) VALUES (1)");
            }
            return true;
        };
        spec.doneMessage = [](int n) { return "成功导入性别数据 " + QString::number(n) + " 条！"; };
        window_ = std::make_unique<ImportWindow>(spec, dm());
        window_->show();
    }
    void TearDown() override {
        window_.reset();
        DbTest::TearDown();
    }

    QString csv(const QString& name, const QString& text) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        return f.fileName();
    }
    void open(const QString& file) {
        files_.answers << file;
        button("打开")->click();
    }
    QPushButton* button(const QString& name) {
        return test::findByName<QPushButton>(window_.get(), name);
    }
    QString caption() { return test::findByName<QGroupBox>(window_.get(), "grpData")->title(); }
    QTableView* grid() { return test::findByName<QTableView>(window_.get(), "gridData"); }
    int imported() { return dm().myRetSC("SELECT ID FROM SSex WHERE (Remark = ?)", {"导入"}); }

    QTemporaryDir dir_;
    test::FakeFileChooser files_;
    std::unique_ptr<ImportWindow> window_;
    QString failOn_;
};

TEST_P(ImportWindowTest, OpensSheetAndImportsItsRows) {
    EXPECT_EQ(window_->objectName(), "frmSex_D");
    EXPECT_EQ(window_->windowTitle(), "性别导入");
    // Word joiners hold each heading together where the line wraps.
    const QString hint = test::findByName<QLabel>(window_.get(), "lblHint")->text();
    EXPECT_EQ(QString(hint).remove(ImportWindow::kWordJoiner),
              "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为名称、备注");
    EXPECT_TRUE(hint.contains(QString("名") + ImportWindow::kWordJoiner + "称"));
    EXPECT_FALSE(button("导入")->isEnabled());

    files_.answers << QString(); // cancelled: nothing changes
    button("打开")->click();
    EXPECT_EQ(caption(), "EXCEL数据");
    ASSERT_EQ(files_.requests.size(), 1);
    EXPECT_TRUE(files_.requests[0].filter.contains("Excel文件(*.xls)"));
    EXPECT_TRUE(files_.requests[0].filter.contains("Excel文件(*.xlsx)"));

    // Headings in another order than the hint, an extra column, an empty name that is skipped.
    open(csv("sexes.csv", "备注,其它,名称\n导入,x,未知\n导入,y,\n导入,z,保密\n"));
    EXPECT_EQ(caption(), "EXCEL数据  共有 3 条数据");
    EXPECT_TRUE(button("导入")->isEnabled());
    EXPECT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_EQ(grid()->model()->headerData(2, Qt::Horizontal).toString(), "名称");
    EXPECT_EQ(grid()->columnWidth(0), 120);
    EXPECT_EQ(grid()->columnWidth(1), 60);

    test::PromptRecorder prompts;
    button("导入")->click();
    EXPECT_EQ(prompts.texts(), QStringList({"成功导入性别数据 2 条！"}));
    EXPECT_EQ(imported(), 2);
    EXPECT_EQ(test::findByName<QProgressBar>(window_.get(), "progress")->maximum(), 3);
    EXPECT_EQ(window_->result(), QDialog::Accepted);
    EXPECT_FALSE(window_->isVisible());
}

TEST_P(ImportWindowTest, SheetWithoutRowsLeavesImportDisabled) {
    open(csv("empty.csv", "名称,备注\n"));
    EXPECT_EQ(caption(), "EXCEL数据  共有 0 条数据");
    EXPECT_FALSE(button("导入")->isEnabled());
}

// A sheet lacking a column the import reads is refused when it is opened, naming the heading:
// the grid of the file before is gone, the caption stays, "导入" stays disabled.
TEST_P(ImportWindowTest, SheetLackingAHeadingIsRefusedAtOpening) {
    open(csv("good.csv", "名称,备注\n甲,导入\n"));
    ASSERT_TRUE(button("导入")->isEnabled());
    test::PromptRecorder prompts;
    open(csv("nohead.csv", "名称,说明\n未知,导入\n"));
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(prompts.last(), "EXCEL文件中缺少列：备注，请在表格头部补上该列后重新打开！");
    EXPECT_EQ(caption(), "EXCEL数据");
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    EXPECT_FALSE(button("导入")->isEnabled());
    button("导入")->click();
    EXPECT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM SSex WHERE (theName = ?)", {"未知"}), 0);
    EXPECT_TRUE(window_->isVisible());
}

// A row the database refuses stops the import there; the rows before it stay.
TEST_P(ImportWindowTest, FailingRowStopsAndIsNamed) {
    failOn_ = "坏";
    open(csv("bad.csv", "名称,备注\n甲,导入\n乙,导入\n坏,导入\n丁,导入\n"));
    test::PromptRecorder prompts;
    button("导入")->click();
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("第 4 行")) << prompts.last().toStdString();
    EXPECT_TRUE(prompts.last().contains("已导入 2 条"));
    EXPECT_EQ(imported(), 2);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(button("导入")->isEnabled());
}

// A file that cannot be read empties the grid of the previous file and disables "导入".
TEST_P(ImportWindowTest, UnreadableFileClearsTheGrid) {
    open(csv("good.csv", "名称,备注\n甲,导入\n"));
    ASSERT_TRUE(button("导入")->isEnabled());
    QFile broken(dir_.filePath("broken.xlsx"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("PK\x03\x04") + QByteArray(100, 'x'));
    broken.close();
    test::PromptRecorder prompts;
    open(broken.fileName());
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("broken.xlsx"));
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    EXPECT_EQ(caption(), "EXCEL数据");
    EXPECT_FALSE(button("导入")->isEnabled());
}

// "取消" while the helper reads stops the reading; the window stays open and usable.
TEST_P(ImportWindowTest, CancelWhileReadingLeavesTheWindowAsItWas) {
    const QString file = csv("wait.csv", "名称,备注\n甲,导入\n");
    QPushButton* cancel = button("取消");
    EXPECT_FALSE(cancel->isVisible());
    bool sawCancel = false;
    QTimer::singleShot(0, window_.get(), [&] {
        sawCancel = cancel->isVisible() && !button("打开")->isEnabled();
        cancel->click();
    });
    test::PromptRecorder prompts;
    open(file);
    EXPECT_TRUE(sawCancel);
    EXPECT_TRUE(prompts.requests().isEmpty());
    EXPECT_EQ(caption(), "EXCEL数据");
    EXPECT_FALSE(button("导入")->isEnabled());
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_TRUE(button("打开")->isEnabled());
    EXPECT_TRUE(window_->isVisible());
    open(file);
    EXPECT_EQ(caption(), "EXCEL数据  共有 1 条数据");
}

// The hint stands above "打开", as the window is laid out for the person reading it.
TEST_P(ImportWindowTest, HintStandsAboveOpen) {
    auto* hint = test::findByName<QLabel>(window_.get(), "lblHint");
    QPushButton* open = button("打开");
    EXPECT_LT(hint->mapTo(window_.get(), QPoint(0, hint->height())).y(),
              open->mapTo(window_.get(), QPoint(0, 0)).y() + 1);
}

FLORIST_ON_EVERY_BACKEND(ImportWindowTest);

} // namespace
} // namespace florist
