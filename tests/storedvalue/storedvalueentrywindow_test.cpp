#include "core/db/datamodule.h"
#include "reports/printmodule.h"
#include "storedvalue/exchangewindow.h"
#include "storedvalue/memberinfowidget.h"
#include "storedvalue/storedvaluefixture.h"
#include "storedvalue/topupwindow.h"
#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/finddialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace florist::storedvalue {
namespace {

class StoredValueEntryWindowTest : public test::StoredValueTest {
protected:
    void SetUp() override {
        StoredValueTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        dm().login().defaults.paymentMethod = "刷卡";
        dm().myESQL("INSERT INTO SWorker (theName, WName, Remark) VALUES ('admin', '总店', '')");
        dm().myESQL("INSERT INTO SGift (theName, thePrice, Remark) VALUES ('玫瑰', 50, '')");
        dm().myESQL("INSERT INTO SGift (theName, thePrice, Remark) VALUES ('贺卡', 5, '')");
        print_ = std::make_unique<PrintModule>(dm());
        print_->setPresenter([this](const Receipt& r) { receipts_ << r.number; });
        context_ = std::make_unique<ui::Context>(ui::Context{dm(), print_.get()});
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        print_.reset();
        StoredValueTest::TearDown();
    }
    template <class W> W* open() {
        auto* w = new W(*context_);
        window_.reset(w);
        w->show();
        return w;
    }
    void lookup(const QString& text) {
        auto* w = static_cast<MemberDocumentWindow*>(window_.get());
        w->searchField()->setText(text);
        QTest::keyClick(w->searchField(), Qt::Key_Return);
    }
    void save() {
        for (auto* b : window_->findChildren<QPushButton*>()) {
            if (b->text() == "保存") {
                b->click();
            }
        }
    }

    std::unique_ptr<PrintModule> print_;
    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<QDialog> window_;
    QStringList receipts_;
};

TEST_P(StoredValueEntryWindowTest, TopUpLooksUpSavesPrintsAndResets) {
    const qlonglong id = addMember("VIP001", 10, 3);
    addMember("VIP002");
    TopUpWindow* w = open<TopUpWindow>();
    EXPECT_EQ(w->objectName(), "frmStore_In");
    EXPECT_EQ(w->windowTitle(), "储值录入");
    EXPECT_EQ(w->giftField()->text(), "0");
    EXPECT_EQ(w->dateField()->date(), QDate(2025, 3, 1));
    EXPECT_EQ(ui::chosenText(w->methodField()), "刷卡");
    EXPECT_EQ(ui::chosenText(w->receiverField()), "admin");
    EXPECT_FALSE(w->memberInfo()->isEnabled());
    EXPECT_EQ(w->searchField()->placeholderText(), "录入会员卡号或手机号码按回车...");

    test::PromptRecorder prompts;
    save();
    EXPECT_EQ(prompts.last(), "会员信息 不能为空，请重新选择！");
    EXPECT_EQ(w->focusWidget(), w->searchField());
    lookup("zzz");
    EXPECT_EQ(prompts.last(), "会员 不存在，请重新录入！");

    lookup("001");
    EXPECT_EQ(w->memberId(), id);
    EXPECT_EQ(w->memberInfo()->text("卡号"), "VIP001");
    EXPECT_EQ(w->memberInfo()->text("账户余额"), "10");
    EXPECT_EQ(w->focusWidget(), w->storedField());

    // Text that reached the field without typing is checked again.
    w->storedField()->setText("1.2.3");
    prompts.clear();
    save();
    EXPECT_EQ(prompts.last(), "储值金额 不是有效的数字，请重新录入！");
    EXPECT_EQ(w->focusWidget(), w->storedField());
    EXPECT_DOUBLE_EQ(money(id), 10);

    w->storedField()->clear();
    test::typeText(w->storedField(), "1a00");
    EXPECT_EQ(w->storedField()->text(), "100");
    w->giftField()->setText("20");
    prompts.clear();
    save();
    EXPECT_TRUE(prompts.requests().isEmpty()) << prompts.last().toStdString();
    EXPECT_EQ(receipts_, QStringList("CZ250301-0001"));
    EXPECT_DOUBLE_EQ(money(id), 130);
    // Ready for the next top-up: method, receiver and date stay.
    EXPECT_EQ(w->memberId(), 0);
    EXPECT_EQ(w->searchField()->text(), "");
    EXPECT_EQ(w->memberInfo()->text("卡号"), "");
    EXPECT_EQ(w->storedField()->text(), "");
    EXPECT_EQ(w->giftField()->text(), "0");
    EXPECT_EQ(ui::chosenText(w->methodField()), "刷卡");
    EXPECT_EQ(w->focusWidget(), w->searchField());
    EXPECT_TRUE(test::ledgerBalances(db(), {{id, {10, 3}}}));
}

TEST_P(StoredValueEntryWindowTest, ExchangeTakesTheGiftPriceAndRefusesTooFewPoints) {
    const qlonglong id = addMember("VIP001", 0, 149);
    ui::FindDialog::setRunner([](ui::FindDialog* d) { d->reject(); });
    ExchangeWindow* w = open<ExchangeWindow>();
    EXPECT_EQ(w->objectName(), "frmExchange_In");
    EXPECT_EQ(w->windowTitle(), "兑换录入");
    EXPECT_EQ(w->countField()->text(), "1");
    EXPECT_TRUE(w->priceField()->isReadOnly());
    lookup("VIP001");
    EXPECT_EQ(w->focusWidget(), w->giftField());
    EXPECT_EQ(w->memberInfo()->text("积分"), "149");

    w->giftField()->setCurrentIndex(w->giftField()->findText("玫瑰"));
    emit w->giftField()->activated(w->giftField()->currentIndex());
    EXPECT_EQ(w->priceField()->text(), "50");
    EXPECT_EQ(w->focusWidget(), w->countField());
    w->countField()->setText("3");
    test::PromptRecorder prompts;
    save();
    EXPECT_EQ(prompts.last(), "VIP001 积分不足 不能兑换，请重新选择！");
    EXPECT_EQ(w->focusWidget(), w->searchField());
    EXPECT_TRUE(receipts_.isEmpty());
    EXPECT_DOUBLE_EQ(points(id), 149);

    // Points earned elsewhere are seen at the next lookup.
    db().exec("UPDATE UMember SET theJF = 150 WHERE (ID = ?)", {id});
    lookup("VIP001");
    prompts.clear();
    save();
    EXPECT_TRUE(prompts.requests().isEmpty()) << prompts.last().toStdString();
    EXPECT_EQ(receipts_, QStringList("DH250301-0001"));
    EXPECT_DOUBLE_EQ(points(id), 0);
    EXPECT_EQ(w->countField()->text(), "1");
    EXPECT_EQ(w->giftField()->currentIndex(), -1);
    EXPECT_EQ(w->priceField()->text(), "");
    EXPECT_EQ(ui::chosenText(w->receptionistField()), "admin");
    ui::FindDialog::setRunner({});
    EXPECT_TRUE(test::ledgerBalances(db(), {{id, {0, 150}}}));
}

FLORIST_ON_EVERY_BACKEND(StoredValueEntryWindowTest);

} // namespace
} // namespace florist::storedvalue
