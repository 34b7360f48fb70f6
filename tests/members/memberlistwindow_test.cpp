#include "core/db/datamodule.h"
#include "core/search/columnwidths.h"
#include "core/spreadsheet/sheetreader.h"
#include "members/memberentrywindow.h"
#include "members/memberlistwindow.h"
#include "support/dbfixture.h"
#include "support/fakefilechooser.h"
#include "support/uitest.h"
#include "ui/mainwindow.h"
#include "ui/search/conditionpanel.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

namespace florist::members {
namespace {

class MemberListWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        // Dragged widths go to a file of the test, never to the user's own settings.
        savedLayout_ = qgetenv("FLORIST_LAYOUT_SETTINGS");
        qputenv("FLORIST_LAYOUT_SETTINGS", layout_.filePath("layout.ini").toUtf8());
        registerMemberListWindows();
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
        for (int i = 1; i <= 3; ++i) {
            dm().myESQL("INSERT INTO UMember (theNum, theName, thePY, theJF, theCount, theMoney, "
                        "theDel, WName, theType, myDate, XFDate) VALUES (?, ?, ?, ?, 1, 10, '否', "
                        "'总店', '普通会员', '2025-01-01', '2025-01-01')",
                        {QString("00%1").arg(i), QString("会员%1").arg(i), "HY", i * 10});
        }
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        qputenv("FLORIST_LAYOUT_SETTINGS", savedLayout_);
        DbTest::TearDown();
    }
    ui::SearchWindow* open(const QString& name) {
        window_.reset();
        QWidget* w = ui::WindowRegistry::find(name)(*context_, nullptr);
        window_.reset(qobject_cast<ui::SearchWindow*>(w));
        return window_.get();
    }
    QPushButton* button(const QString& text) {
        for (auto* b : window_->findChildren<QPushButton*>()) {
            if (b->text() == text) {
                return b;
            }
        }
        return nullptr;
    }
    QStringList totals() {
        QStringList t;
        for (QLabel* l : window_->totalsLabels()) {
            t << l->text();
        }
        return t;
    }
    QStringList actions() {
        QStringList a;
        for (QAction* act : window_->grid()->actions()) {
            a << (act->isSeparator() ? "-" : act->text());
        }
        return a;
    }
    QAction* action(const QString& text) {
        for (QAction* act : window_->grid()->actions()) {
            if (act->text() == text) {
                return act;
            }
        }
        return nullptr;
    }

    QTemporaryDir layout_;
    QByteArray savedLayout_;
    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<ui::SearchWindow> window_;
};

TEST_P(MemberListWindowTest, ManagementSearchesTotalsAndDeletes) {
    ui::SearchWindow* w = open("frmMember_M");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), "frmMember_M");
    EXPECT_EQ(w->windowTitle(), "会员管理");
    EXPECT_EQ(w->model()->rowCount(), 0);
    EXPECT_FALSE(w->excelButton()->isEnabled());
    EXPECT_TRUE(actions().isEmpty());
    EXPECT_TRUE(w->grid()->isColumnHidden(w->model()->columnOf("ID")));
    EXPECT_EQ(w->grid()->columnWidth(w->model()->columnOf("姓名")), 80);

    // Typing ticks the box; the name condition also finds the initials.
    auto* name = test::findByName<QLineEdit>(w, "姓名");
    ASSERT_TRUE(name);
    test::typeText(name, "会员2");
    EXPECT_TRUE(w->panel()->box(2)->isChecked());
    emit name->returnPressed(); // Enter searches as "查询" does
    ASSERT_EQ(w->model()->rowCount(), 1);
    EXPECT_EQ(totals(), QStringList({"会员数量：1", "积分：20", "消费次数：1", "账户余额：10"}));
    EXPECT_TRUE(w->excelButton()->isEnabled());
    EXPECT_EQ(actions(), QStringList({"修改 &M", "-", "删除 &D"}));

    w->panel()->box(2)->setChecked(false);
    button("查询")->click();
    EXPECT_EQ(w->model()->value(0, "卡号").toString(), "003");
    EXPECT_EQ(totals().first(), "会员数量：3");

    test::PromptRecorder prompts;
    prompts.answer(false);
    action("删除 &D")->trigger();
    EXPECT_EQ(w->model()->rowCount(), 3);
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(prompts.requests()[0].title, "删除");
    EXPECT_EQ(prompts.last(), "确认要删除吗？该删除将不可恢复！");
    prompts.answer(true);
    action("删除 &D")->trigger();
    EXPECT_EQ(w->model()->rowCount(), 2);
    EXPECT_EQ(totals().first(), "会员数量：2");
}

TEST_P(MemberListWindowTest, EditOpensTheEntryWindowWithTheRow) {
    ui::SearchWindow* w = open("frmMember_M");
    button("查询")->click();
    QString seen;
    w->setModalRunner([&](QDialog* d) {
        seen = d->objectName();
        emit static_cast<MemberEntryWindow*>(d)->memberUpdated(1);
    });
    dm().myESQL("UPDATE UMember SET theName = '改名' WHERE (theNum = '003')");
    action("修改 &M")->trigger();
    EXPECT_EQ(seen, "frmMember_In");
    EXPECT_EQ(w->model()->value(0, "姓名").toString(), "改名"); // refreshed after the save
}

TEST_P(MemberListWindowTest, ExportWritesTheLayoutWithSums) {
    test::FakeFileChooser files;
    QTemporaryDir dir;
    files.answers << dir.filePath("members.xlsx");
    ui::SearchWindow* w = open("frmMember_Q");
    button("查询")->click();
    ASSERT_TRUE(w->excelButton()->isEnabled());
    w->excelButton()->click();
    ASSERT_EQ(files.opened.size(), 1);
    // Row 1 is the title; the reader gives the rows below it.
    const Sheet sheet = readSheet(files.opened.first());
    EXPECT_EQ(sheet.headings.value(0), "青禾花店会员表");
    ASSERT_EQ(sheet.rows.size(), 5);
    EXPECT_EQ(sheet.rows[0].value(1), "会员分类");
    EXPECT_EQ(sheet.rows[1].value(2), "003");
    EXPECT_EQ(sheet.rows[4].value(0), "合计");
    EXPECT_EQ(sheet.rows[4].value(15), "60"); // column P
}

TEST_P(MemberListWindowTest, PointsClearingAsksForOneMember) {
    ui::SearchWindow* w = open("frmMember_JFQL");
    EXPECT_FALSE(w->excelButton());
    EXPECT_EQ(w->model()->columnOf("门店名称"), -1);
    button("查询")->click();
    EXPECT_EQ(actions(), QStringList({"积分清零 &Q"}));
    test::PromptRecorder prompts;
    prompts.answer(true);
    action("积分清零 &Q")->trigger();
    ASSERT_EQ(prompts.requests().size(), 2);
    EXPECT_EQ(prompts.requests()[0].text, "卡号 003 姓名 会员3 积分 30  积分清零！");
    EXPECT_EQ(prompts.requests()[1].title, "积分清零");
    EXPECT_EQ(prompts.requests()[1].text, "确认要积分清零吗？该积分清零将不可恢复！");
    EXPECT_EQ(w->model()->value(0, "积分").toDouble(), 0.0);
    EXPECT_EQ(totals()[1], "积分：30");
    // A member with 0 points is still asked about, and No changes nothing.
    prompts.clear();
    action("积分清零 &Q")->trigger();
    ASSERT_EQ(prompts.requests().size(), 2);
    EXPECT_EQ(prompts.requests()[0].text, "卡号 003 姓名 会员3 积分 0  积分清零！");
    EXPECT_EQ(totals()[1], "积分：30");
}

TEST_P(MemberListWindowTest, RemindersOpenWithTheirDefaults) {
    ui::SearchWindow* sr = open("frmMember_SR");
    EXPECT_TRUE(sr->panel()->box(0)->isChecked());
    auto dates = sr->panel()->findChildren<QDateEdit*>();
    ASSERT_EQ(dates.size(), 2);
    EXPECT_EQ(dates[0]->date(), QDate(2025, 3, 1));
    EXPECT_EQ(dates[1]->date(), QDate(2025, 3, 8));
    ui::SearchWindow* wxf = open("frmMember_WXF");
    auto* days = test::findByName<QSpinBox>(wxf, "会员未消费天数");
    ASSERT_TRUE(days);
    EXPECT_EQ(days->value(), 90);
    EXPECT_EQ(days->maximum(), 1000);
    button("查询")->click();
    EXPECT_EQ(wxf->model()->rowCount(), 0); // bought 2025-01-01, after the cut-off 2024-12-01
    days->setValue(30);
    EXPECT_TRUE(wxf->panel()->box(0)->isChecked());
    button("查询")->click();
    EXPECT_EQ(wxf->model()->rowCount(), 3);
}

TEST_P(MemberListWindowTest, DraggedWidthsAreKeptPerWindow) {
    ui::SearchWindow* w = open("frmMember_M");
    const int c = w->model()->columnOf("卡号");
    w->grid()->horizontalHeader()->resizeSection(c, 133);
    ui::SearchWindow* again = open("frmMember_M");
    EXPECT_EQ(again->grid()->columnWidth(c), 133);
    ui::SearchWindow* other = open("frmMember_Q");
    EXPECT_NE(other->grid()->columnWidth(c), 133);
    EXPECT_TRUE(search::ColumnWidths::settingsPath().startsWith(layout_.path()));
}

TEST_P(MemberListWindowTest, MenuOpensTheListMaximised) {
    ui::MainWindow main(*context_);
    main.openWindow(menuTable().at(2).entries.at(4));
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* sub = main.mdiArea()->subWindowList().first();
    EXPECT_EQ(sub->widget()->objectName(), "frmMember_M");
    EXPECT_TRUE(sub->isMaximized());
}

FLORIST_ON_EVERY_BACKEND(MemberListWindowTest);

} // namespace
} // namespace florist::members
