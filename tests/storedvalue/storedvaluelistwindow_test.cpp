#include "core/db/datamodule.h"
#include "core/menu/menutable.h"
#include "reports/printmodule.h"
#include "storedvalue/storedvaluefixture.h"
#include "storedvalue/storedvalueregistrywindow.h"
#include "support/uitest.h"
#include "ui/mainwindow.h"
#include "ui/search/conditionpanel.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace florist::storedvalue {
namespace {

class StoredValueListWindowTest : public test::StoredValueTest {
protected:
    void SetUp() override {
        StoredValueTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        savedLayout_ = qgetenv("FLORIST_LAYOUT_SETTINGS");
        qputenv("FLORIST_LAYOUT_SETTINGS", layout_.filePath("layout.ini").toUtf8());
        registerStoredValueWindows();
        print_ = std::make_unique<PrintModule>(dm());
        print_->setPresenter([this](const Receipt& r) { receipts_ << r.number; });
        context_ = std::make_unique<ui::Context>(ui::Context{dm(), print_.get()});
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        print_.reset();
        qputenv("FLORIST_LAYOUT_SETTINGS", savedLayout_);
        StoredValueTest::TearDown();
    }
    ui::SearchWindow* open(const QString& name) {
        window_.reset();
        window_.reset(
            qobject_cast<ui::SearchWindow*>(ui::WindowRegistry::find(name)(*context_, nullptr)));
        return window_.get();
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
    void trigger(const QString& text) {
        for (QAction* act : window_->grid()->actions()) {
            if (act->text() == text) {
                act->trigger();
            }
        }
    }

    QTemporaryDir layout_;
    QByteArray savedLayout_;
    std::unique_ptr<PrintModule> print_;
    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<ui::SearchWindow> window_;
    QStringList receipts_;
};

TEST_P(StoredValueListWindowTest, TopUpManagementPrintsAndDeletes) {
    const qlonglong id = addMember("VIP001");
    saveTopUp(dm(), topUp(id, "VIP001", "100", "20"));
    saveTopUp(dm(), topUp(id, "VIP001", "12.5"));
    ui::SearchWindow* w = open("frmStore_M");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "储值管理");
    EXPECT_FALSE(w->excelButton()->isEnabled());
    auto* from = w->findChildren<QDateEdit*>().value(0);
    ASSERT_TRUE(from);
    EXPECT_EQ(from->date(), QDate(2025, 2, 1));
    w->search();
    EXPECT_EQ(totals(),
              QStringList({"储值数量：2", "储值金额：112.5", "赠送金额：20", "合计金额：132.5"}));
    EXPECT_EQ(actions(), QStringList({"打印 &P", "-", "删除 &D"}));
    EXPECT_TRUE(w->excelButton()->isEnabled());
    EXPECT_EQ(w->grid()->columnWidth(w->model()->columnOf("合计金额")), 80);
    EXPECT_EQ(w->grid()->columnWidth(w->model()->columnOf("备注")), 200);

    trigger("打印 &P"); // the current row is the newest
    EXPECT_EQ(receipts_, QStringList("CZ250301-0002"));

    test::PromptRecorder prompts;
    w->grid()->selectRow(1);
    prompts.answer(false);
    trigger("删除 &D");
    EXPECT_EQ(prompts.last(), "确认要删除吗？该删除将不可恢复！");
    EXPECT_DOUBLE_EQ(money(id), 132.5);
    prompts.answer(true);
    trigger("删除 &D");
    EXPECT_DOUBLE_EQ(money(id), 12.5);
    EXPECT_EQ(totals().first(), "储值数量：1");
    EXPECT_TRUE(test::ledgerBalances(db(), test::zeroOpenings({id})));
}

TEST_P(StoredValueListWindowTest, ExchangeManagementDeletesAndQueryOnlySearches) {
    const qlonglong id = addMember("VIP001", 0, 100);
    saveExchange(dm(), exchange(id, "VIP001", "100", "12.5", "2"));
    ui::SearchWindow* w = open("frmExchange_M");
    w->search();
    EXPECT_EQ(totals(), QStringList({"兑换数量：1", "数量：2", "兑换积分：25"}));
    test::PromptRecorder prompts;
    prompts.answer(true);
    trigger("删除 &D");
    EXPECT_DOUBLE_EQ(points(id), 100);
    EXPECT_EQ(totals(), QStringList({"兑换数量：0", "数量：0", "兑换积分：0"}));
    EXPECT_TRUE(test::ledgerBalances(db(), {{id, {0, 100}}}));

    for (const QString name : {"frmStore_Q", "frmExchange_Q"}) {
        ui::SearchWindow* q = open(name);
        q->search();
        EXPECT_TRUE(actions().isEmpty()) << name.toStdString();
        EXPECT_TRUE(q->excelButton()->isEnabled()) << name.toStdString();
    }
}

// Every window opens from its menu entry: the lists maximised inside the frame, the entry
// windows as modal dialogs.
TEST_P(StoredValueListWindowTest, MenuEntriesOpenTheWindows) {
    ui::MainWindow main(*context_);
    QStringList modal;
    main.setModalRunner([&](QDialog* d) { modal << d->objectName(); });
    for (int menu : {3, 4}) {
        for (int entry = 0; entry < 3; ++entry) {
            main.openWindow(menuTable().at(menu).entries.at(entry));
        }
    }
    EXPECT_EQ(modal, QStringList({"frmStore_In", "frmExchange_In"}));
    QStringList children;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList()) {
        children << sub->widget()->objectName();
        EXPECT_TRUE(sub->isMaximized());
    }
    EXPECT_EQ(children,
              QStringList({"frmStore_M", "frmStore_Q", "frmExchange_M", "frmExchange_Q"}));
}

FLORIST_ON_EVERY_BACKEND(StoredValueListWindowTest);

} // namespace
} // namespace florist::storedvalue
