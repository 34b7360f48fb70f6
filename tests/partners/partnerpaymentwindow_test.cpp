#include "partners/partnerpaymentwindow.h"

#include "core/db/datamodule.h"
#include "stock/stockfixture.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/search/conditionpanel.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace florist::partners {
namespace {

using test::StockRows;

class PaymentWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
        registerPaymentWindows();
    }
    void TearDown() override {
        context_.reset();
        DbTest::TearDown();
    }
    template <class W> std::unique_ptr<W> open(const QString& name) {
        QWidget* w = ui::WindowRegistry::find(name)(*context_, nullptr);
        return std::unique_ptr<W>(qobject_cast<W*>(w));
    }
    std::unique_ptr<ui::Context> context_;
};

// Both directions from the keyboard: the partner by its initials, the checks, the save that
// moves the balance, the reset that keeps method and staff.
TEST_P(PaymentWindowTest, EntrySavesForThePartnerFound) {
    struct Case {
        Direction direction;
        const char* type;
        const char* partnerField;
        const char* amountField;
        const char* column;
    };
    for (const Case& c : {Case{Direction::Collection, "客户", "客户名称", "收款金额", "theYS"},
                          Case{Direction::Payment, "供应商", "供应商", "付款金额", "theYF"}}) {
        const qlonglong partner = StockRows::partner(db(), c.type, "青山", 50, 50);
        test::PromptRecorder prompts;
        auto w = open<PaymentEntryWindow>(paymentConfig(c.direction).entryWindow);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), paymentConfig(c.direction).entryCaption);
        auto* partnerField = test::findByName<QLineEdit>(w.get(), c.partnerField);
        auto* amount = test::findByName<QLineEdit>(w.get(), c.amountField);
        ASSERT_TRUE(partnerField && amount);
        EXPECT_FALSE(w->save());
        EXPECT_EQ(prompts.last(),
                  paymentConfig(c.direction).partnerWord + " 不能为空，请重新选择！");
        test::typeText(partnerField, "PY");
        QTest::keyClick(partnerField, Qt::Key_Return);
        EXPECT_EQ(w->partnerId(), partner);
        EXPECT_EQ(test::findByName<QLineEdit>(w.get(), "单位名称")->text(), "青山");
        test::typeText(amount, "1..2");
        EXPECT_FALSE(w->save());
        EXPECT_EQ(prompts.last(), QString(c.amountField) + " 不是有效的数字，请重新录入！");
        amount->setText("0");
        EXPECT_FALSE(w->save());
        EXPECT_EQ(prompts.last(), QString(c.amountField) + " 不能为零，请重新录入！");
        amount->setText("30");
        ASSERT_TRUE(w->save());
        EXPECT_EQ(prompts.last(),
                  "恭喜！恭喜！ " + paymentConfig(c.direction).subject + " 保存成功！");
        EXPECT_EQ(StockRows::value(db(), "UWL", c.column, partner), 20);
        EXPECT_EQ(w->partnerId(), 0);
        EXPECT_EQ(amount->text(), "");
        EXPECT_EQ(partnerField->text(), "");
        db().exec("UPDATE UWL SET theDel = '是' WHERE (ID = ?)", {partner});
    }
}

// Management lists the collections with their total and deletes one after the question,
// giving the amount back; the query window lists without actions.
TEST_P(PaymentWindowTest, ManagementDeletesAndGivesBack) {
    const qlonglong partner = StockRows::partner(db(), "客户", "青山", 100, 0);
    PaymentValues v;
    v.date = "2025-03-01";
    v.partnerId = partner;
    v.amount = "40";
    ASSERT_TRUE(savePayment(dm(), Direction::Collection, v).done);
    v.amount = "2.5";
    ASSERT_TRUE(savePayment(dm(), Direction::Collection, v).done);

    auto w = open<ui::SearchWindow>("frmUSK_M");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "往来单位收款管理");
    w->search();
    QStringList totals;
    for (QLabel* l : w->totalsLabels()) {
        totals << l->text();
    }
    EXPECT_EQ(totals, QStringList({"收款数量：2", "收款金额：42.5"}));
    QStringList actions;
    for (QAction* a : w->grid()->actions()) {
        actions << a->text();
    }
    EXPECT_EQ(actions, QStringList({"打印 &P", "删除 &D"}));
    test::PromptRecorder prompts;
    w->grid()->selectRow(1); // the older one: 40
    w->grid()->actions().at(1)->trigger();
    EXPECT_EQ(StockRows::value(db(), "UWL", "theYS", partner), 57.5);
    prompts.answer(true);
    w->grid()->actions().at(1)->trigger();
    EXPECT_EQ(prompts.requests().last().title, "删除");
    EXPECT_EQ(StockRows::value(db(), "UWL", "theYS", partner), 97.5);
    EXPECT_EQ(w->model()->rowCount(), 1);

    auto q = open<ui::SearchWindow>("frmUFK_Q");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->windowTitle(), "往来单位付款查询");
    q->search();
    EXPECT_TRUE(q->grid()->actions().isEmpty());
    EXPECT_TRUE(q->excelButton() && q->excelButton()->isEnabled());
}

FLORIST_ON_EVERY_BACKEND(PaymentWindowTest);

} // namespace
} // namespace florist::partners
