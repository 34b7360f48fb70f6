#include "core/db/datamodule.h"
#include "core/menu/menutable.h"
#include "orders/orderlists.h"
#include "orders/orderlistwindow.h"
#include "reports/printmodule.h"
#include "support/dbfixture.h"
#include "support/ledger.h"
#include "support/uitest.h"
#include "ui/mainwindow.h"
#include "ui/search/conditionpanel.h"
#include "ui/search/rowdialog.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

namespace florist::orders {
namespace {

class OrderListWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        savedLayout_ = qgetenv("FLORIST_LAYOUT_SETTINGS");
        qputenv("FLORIST_LAYOUT_SETTINGS", layout_.filePath("layout.ini").toUtf8());
        registerOrderListWindows();
        dm().login().defaults.paymentMethod = "现金";
        print_ = std::make_unique<PrintModule>(dm());
        print_->setPresenter([this](const Receipt& r) { printed_ << r.number; });
        context_ = std::make_unique<ui::Context>(ui::Context{dm(), print_.get()});
        db().exec("INSERT INTO SWare (theName) VALUES ('东城店')");
        db().exec(
            "INSERT INTO SWorker (WName, theName) VALUES ('总店', '小王'), ('东城店', '小李')");
        // Three live orders, newest last: a member order owing 30, a walk-in, a partner order.
        add("DD250301-0001", "会员", "V1", 100, 70, "未送", 8);
        add("DD250301-0002", "散客", "", 50, 50, "未取", 0);
        add("DD250301-0003", "单位", "", 20, 20, "未送", 0);
        db().exec("INSERT INTO UMember (theNum, theName, theJF, theCount, theMoney, theDel) "
                  "VALUES ('V1', '会员', 20, 2, 0, '否')");
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        print_.reset();
        qputenv("FLORIST_LAYOUT_SETTINGS", savedLayout_);
        DbTest::TearDown();
    }
    void add(const QString& num, const QString& type, const QString& card, double total,
             double received, const QString& state, double points) {
        db().exec(
            "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, "
            "WName, SH1, SH4, SH5, SH01, M1, M3, M6, M7, M8, MType, DState, theJF, theHS, "
            "theLN) VALUES ('2024-03-02', 'admin', '否', ?, '2024-03-02', ?, ?, '总店', "
            "'李四', '下午', '15点', '张三', ?, ?, ?, ?, ?, '现金', ?, ?, '是', '是')",
            {num, type, card, total, total, total, received, total - received, state, points});
        db().exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                  "theDel) VALUES (?, '2024-03-02', 'admin', ?, '现金', '订单录入', '总店', '否')",
                  {num, received});
    }
    ui::SearchWindow* open(const QString& name) {
        window_.reset();
        QWidget* w = ui::WindowRegistry::find(name)(*context_, nullptr);
        window_.reset(qobject_cast<ui::SearchWindow*>(w));
        return window_.get();
    }
    template <class T> T* child(const QString& text) {
        for (T* c : window_->findChildren<T*>()) {
            if (c->text() == text) {
                return c;
            }
        }
        return nullptr;
    }
    QAction* action(const QString& text) {
        for (QAction* a : window_->grid()->actions()) {
            if (a->text() == text) {
                return a;
            }
        }
        return nullptr;
    }
    QStringList numbers() {
        QStringList list;
        for (int r = 0; r < window_->model()->rowCount(); ++r) {
            list << window_->model()->value(r, "单号").toString();
        }
        return list;
    }
    QString totalsLine() {
        QStringList t;
        for (QLabel* l : window_->totalsLabels()) {
            t << l->text();
        }
        return t.join(" ");
    }

    QTemporaryDir layout_;
    QByteArray savedLayout_;
    std::unique_ptr<PrintModule> print_;
    QStringList printed_;
    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<ui::SearchWindow> window_;
};

TEST_P(OrderListWindowTest, ManagementSearchesAtOnceHidesColumnsPrintsAndDeletes) {
    ui::SearchWindow* w = open("frmOrder_M");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "订单管理");
    const auto dates = w->panel()->findChildren<QDateEdit*>();
    ASSERT_EQ(dates.size(), 2);
    EXPECT_EQ(dates[0]->date(), QDate(2025, 2, 1));
    EXPECT_EQ(dates[1]->date(), QDate(2025, 3, 1));
    QStringList radios;
    for (auto* r : w->findChildren<QRadioButton*>()) {
        radios << r->text();
        EXPECT_FALSE(r->isChecked());
    }
    EXPECT_EQ(radios, QStringList({"全部", "会员", "散客", "单位"}));

    // The staff drop-downs start with this store's staff; choosing a store reloads all four.
    auto* florist = test::findByName<QComboBox>(w, "花艺师");
    ASSERT_TRUE(florist);
    EXPECT_EQ(florist->findText("小王"), 0);
    ui::chooseText(test::findByName<QComboBox>(w, "门店名称"), "东城店");
    EXPECT_EQ(test::findByName<QComboBox>(w, "收款人")->itemText(0), "小李");
    EXPECT_EQ(florist->itemText(0), "小李");
    w->panel()->box(kStore)->setChecked(false);

    // A radio button searches at once.
    child<QRadioButton>("散客")->click();
    EXPECT_EQ(numbers(), QStringList{"DD250301-0002"});
    child<QRadioButton>("全部")->click();
    EXPECT_EQ(numbers().size(), 3);
    EXPECT_EQ(totalsLine(), "订单数量：3 商品：170 折后：170 递送费：0 代金券：0 总计：170 "
                            "收款：140 应收：30");
    // A hide box searches too and hides grid columns only.
    child<QCheckBox>("隐藏收花人信息")->click();
    const int recipient = w->model()->columnOf("收花人");
    EXPECT_TRUE(w->grid()->isColumnHidden(recipient));
    EXPECT_TRUE(w->grid()->isColumnHidden(w->model()->columnOf("送达地址")));
    EXPECT_FALSE(w->grid()->isColumnHidden(w->model()->columnOf("送花人")));
    EXPECT_EQ(totalsLine().left(6), "订单数量：3");

    // Print and delete act on the current row (the newest when none is chosen).
    action("打印 &P")->trigger();
    EXPECT_EQ(printed_, QStringList{"DD250301-0003"});
    w->grid()->selectRow(2);
    test::PromptRecorder prompts;
    prompts.answer(true);
    action("删除 &D")->trigger();
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(prompts.requests()[0].title, "删除");
    EXPECT_EQ(numbers(), QStringList({"DD250301-0003", "DD250301-0002"}));
    EXPECT_EQ(db().scalar("SELECT theJF FROM UMember").toDouble(), 12.0);
    EXPECT_EQ(totalsLine().right(4), "应收：0");
}

TEST_P(OrderListWindowTest, DeliveredDialogWritesTheBusinessDateUnlessChanged) {
    ui::SearchWindow* w = open("frmOrder_WS");
    child<QPushButton>("查询")->click();
    EXPECT_EQ(numbers(), QStringList({"DD250301-0003", "DD250301-0001"}));
    test::PromptRecorder prompts;
    int opened = 0;
    w->setModalRunner([&](QDialog* d) {
        ++opened;
        auto* dialog = qobject_cast<ui::RowDialog*>(d);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(d->objectName(), "frmOrder_WS1");
        EXPECT_EQ(d->windowTitle(), "DD250301-0003 已送");
        EXPECT_EQ(d->findChild<QGroupBox*>()->title(), "DD250301-0003 已送");
        EXPECT_EQ(test::findByName<QDateEdit>(d, "送达日期")->date(), QDate(2025, 3, 1));
        auto* slot = test::findByName<QComboBox>(d, "送达时段");
        EXPECT_EQ(slot->currentText(), "下午");
        EXPECT_EQ(test::findByName<QLineEdit>(d, "送达时间")->text(), "15点");
        slot->setCurrentIndex(-1);
        dialog->save();
        EXPECT_EQ(prompts.last(), "送达时段 不能为空，请重新选择！");
        EXPECT_EQ(d->result(), QDialog::Rejected);
        slot->setCurrentIndex(0);
        dialog->save();
    });
    action("已送 &Y")->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(numbers(), QStringList{"DD250301-0001"});
    const ResultSet r =
        db().select("SELECT SH3, SH4, DState, theHS FROM UOrder WHERE (theNum = 'DD250301-0003')");
    EXPECT_EQ(r.rows().first(), QVariantList({"2025-03-01", "上午", "已送", "是"}));
}

TEST_P(OrderListWindowTest, CollectionDialogOffersTheReceivableAndStaysOpenOnABadAmount) {
    ui::SearchWindow* w = open("frmOrder_YS");
    child<QPushButton>("查询")->click();
    ASSERT_EQ(numbers(), QStringList{"DD250301-0001"});
    test::PromptRecorder prompts;
    w->setModalRunner([&](QDialog* d) {
        auto* dialog = static_cast<ui::RowDialog*>(d);
        EXPECT_EQ(d->objectName(), "frmOrder_YS1");
        EXPECT_EQ(d->windowTitle(), "DD250301-0001 已收");
        auto* amount = test::findByName<QLineEdit>(d, "收款金额");
        EXPECT_EQ(amount->text(), "30");
        EXPECT_EQ(test::findByName<QComboBox>(d, "收款方式")->currentText(), "现金");
        EXPECT_EQ(test::findByName<QComboBox>(d, "收款人")->currentIndex(), -1);
        amount->setText("1..2");
        dialog->save();
        EXPECT_EQ(prompts.last(), "收款金额 不是有效的数字，请重新录入！");
        EXPECT_EQ(d->result(), QDialog::Rejected);
        amount->setText("10");
        dialog->save();
    });
    action("已收 &Y")->trigger();
    EXPECT_EQ(numbers(), QStringList{"DD250301-0001"}); // a part payment stays listed
    EXPECT_EQ(w->model()->value(0, "应收金额").toDouble(), 20.0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM UO_SK WHERE (theType = '应收回笼')").toInt(), 1);

    // The rest from the member's card: the balance gives exactly the collection's amount.
    // Before DD250301-0001 the member had 12 points (the order gave 8) and 50 on the card.
    db().exec("UPDATE UMember SET theMoney = 50");
    const qlonglong member = db().scalar("SELECT ID FROM UMember").toLongLong();
    w->setModalRunner([&](QDialog* d) {
        ui::chooseText(test::findByName<QComboBox>(d, "收款方式"), "储值卡");
        static_cast<ui::RowDialog*>(d)->save();
    });
    action("已收 &Y")->trigger();
    EXPECT_EQ(prompts.texts().size(), 1) << "no message: " << prompts.last().toStdString();
    EXPECT_TRUE(numbers().isEmpty());
    EXPECT_DOUBLE_EQ(db().scalar("SELECT theMoney FROM UMember").toDouble(), 30);
    EXPECT_TRUE(test::ledgerBalances(db(), {{member, {50, 12}}}));
}

TEST_P(OrderListWindowTest, PickedUpAndVaseAskFirstAndVaseOptionsWaitForTheSearch) {
    ui::SearchWindow* wq = open("frmOrder_WQ");
    child<QPushButton>("查询")->click();
    test::PromptRecorder prompts;
    prompts.answer(true);
    action("已取 &Y")->trigger();
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(prompts.requests()[0].title, "已取");
    EXPECT_EQ(prompts.last(), "确认该订单已取吗？该订单已取将不可恢复！");
    EXPECT_EQ(wq->model()->rowCount(), 0);

    ui::SearchWindow* hq = open("frmOrder_HQ");
    child<QRadioButton>("会员")->click();
    child<QCheckBox>("隐藏送花人信息")->click();
    EXPECT_FALSE(hq->searched());
    child<QPushButton>("查询")->click();
    EXPECT_EQ(numbers(), QStringList{"DD250301-0001"});
    EXPECT_TRUE(hq->grid()->isColumnHidden(hq->model()->columnOf("送花人")));
    prompts.clear();
    prompts.answer(true);
    action("已回收 &Y")->trigger();
    EXPECT_EQ(prompts.last(), "确认该订单花器已回收吗？该订单花器已回收将不可恢复！");
    EXPECT_EQ(hq->model()->rowCount(), 0);
    // Offered the management export, like every list here.
    EXPECT_TRUE(hq->excelButton()->isEnabled());
}

TEST_P(OrderListWindowTest, AnniversaryListHandsTheRowToOrderEntry) {
    QVariantMap handed;
    setNewOrderOpener([&](ui::Context&, QWidget*, const QVariantMap& row) { handed = row; });
    ui::SearchWindow* w = open("frmOrder_LN");
    auto* days = test::findByName<QSpinBox>(w, "提醒天数");
    ASSERT_TRUE(days);
    EXPECT_EQ(days->value(), 7);
    child<QPushButton>("查询")->click();
    EXPECT_EQ(numbers().size(), 3); // 2024-03-02 comes round within a week of 2025-03-01
    w->grid()->selectRow(1);
    action("录入新订单 &N")->trigger();
    // By column name, as order entry reads an earlier order.
    EXPECT_EQ(handed.value("theNum").toString(), "DD250301-0002");
    EXPECT_EQ(handed.value("SH01").toString(), "张三");
    EXPECT_EQ(handed.value("SH1").toString(), "李四");
    EXPECT_EQ(handed.value("SH4").toString(), "下午");
    setNewOrderOpener({});
}

TEST_P(OrderListWindowTest, MenuAndToolbarOpenTheLists) {
    ui::MainWindow main(*context_);
    main.applyLogin({"0101", "0104", "0109", "0110"});
    const auto& orders = menuTable().at(1).entries;
    ASSERT_EQ(orders.size(), 11);
    EXPECT_EQ(orders.last().caption, "来年同日提醒");
    for (int e : {1, 2, 4, 5, 6, 7, 9, 10}) {
        main.openWindow(orders.at(e));
    }
    QStringList names;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList()) {
        names << sub->widget()->objectName();
        EXPECT_EQ(sub->windowTitle(), sub->widget()->windowTitle());
    }
    EXPECT_EQ(names, QStringList({"frmOrder_M", "frmOrder_Q", "frmOrder_WS", "frmOrder_YS",
                                  "frmOrder_WQ", "frmOrder_HQ", "frmOrder_SKQ", "frmOrder_LN"}));
    for (QAction* a : main.toolbarActions()) {
        if (a->text() == "未送订单" || a->text() == "花器回收" || a->text() == "应收订单") {
            a->trigger(); // 0105 not granted: nothing opens
        }
    }
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 10);
}

FLORIST_ON_EVERY_BACKEND(OrderListWindowTest);

} // namespace
} // namespace florist::orders
