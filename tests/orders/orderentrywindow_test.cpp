#include "orders/orderentrywindow.h"

#include "core/db/datamodule.h"
#include "members/memberentrywindow.h"
#include "orders/orderprefill.h"
#include "reports/printmodule.h"
#include "support/dbfixture.h"
#include "support/ledger.h"
#include "support/uitest.h"
#include "ui/finddialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace florist {
namespace {

using orders::OrderEntryWindow;

class OrderEntryWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        LoginValues& login = dm().login();
        login.defaults = {"普通会员", "女", "花束", "上午", "现金", "未送", "门店"};
        dm().myESQL("INSERT INTO SWorker (WName, theName, Remark) VALUES ('总店', 'admin', '')");
        dm().myESQL(
            "INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES ('金卡', '', 88, 10)");
        dm().myESQL("INSERT INTO SArea (theName, thePrice, Remark, thePY) VALUES ('滨江区', 10, "
                    "'', 'BJQ')");
        dm().myESQL("INSERT INTO SAlliance (theName, Remark, theZK) VALUES ('银行', '', 80)");
        addMember("VIP001", "李华", "13800000001");
        addMember("VIP002", "王五", "13800000002");
        print_ = std::make_unique<PrintModule>(dm());
        print_->setPresenter([this](const Receipt& r) { printed_ << r.number; });
        context_ = std::make_unique<ui::Context>(ui::Context{dm(), print_.get()});
        window_ = std::make_unique<OrderEntryWindow>(*context_);
        window_->show();
    }
    void TearDown() override {
        ui::FindDialog::setRunner({});
        window_.reset();
        context_.reset();
        print_.reset();
        DbTest::TearDown();
    }
    void addMember(const QString& card, const QString& name, const QString& mobile) {
        dm().myESQL(
            "INSERT INTO UMember (theDate, UName, theDel, theType, theNum, theName, myDate, "
            "theSex, "
            "thePY, theJF, XFDate, theCount, theMoney, theMob, WName) VALUES ('2025-01-01', "
            "'admin', '否', '金卡', ?, ?, '2025-01-01', '男', '', 5, '2025-01-01', 2, 100, ?, "
            "'总店')",
            {card, name, mobile});
    }
    QLineEdit* text(const QString& name) { return window_->field(name); }
    QComboBox* list(const QString& name) { return window_->list(name); }
    QLineEdit* panel(const QString& heading) {
        return window_->findChild<QLineEdit*>("pnl" + heading);
    }
    QCheckBox* check(const QString& name) {
        return test::findByName<QCheckBox>(window_.get(), name);
    }
    QPushButton* button(const QString& text) {
        for (QPushButton* b : window_->findChildren<QPushButton*>()) {
            if (b->text() == text) {
                return b;
            }
        }
        return nullptr;
    }
    void retype(const QString& name, const QString& value) {
        text(name)->clear();
        test::typeText(text(name), value);
    }
    void findCard(const QString& card) {
        retype("卡号", card);
        QTest::keyClick(text("卡号"), Qt::Key_Return);
    }

    std::unique_ptr<PrintModule> print_;
    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<OrderEntryWindow> window_;
    QStringList printed_;
};

TEST_P(OrderEntryWindowTest, MemberOrderFromCardToReceipt) {
    EXPECT_EQ(window_->objectName(), "frmOrder_In");
    EXPECT_EQ(window_->windowTitle(), "订单录入");
    QStringList groups;
    for (QGroupBox* g : window_->findChildren<QGroupBox*>()) {
        groups << g->title();
    }
    EXPECT_EQ(groups,
              QStringList({"订单信息", "会员验证信息", "收花信息", "送花信息", "收款信息"}));
    // Defaults at opening.
    EXPECT_EQ(ui::chosenText(list("收花性别")), "女");
    EXPECT_EQ(ui::chosenText(list("送花性别")), "女");
    EXPECT_EQ(ui::chosenText(list("送达时段")), "上午");
    EXPECT_EQ(ui::chosenText(list("商品名称")), "花束");
    EXPECT_EQ(ui::chosenText(list("收款方式")), "现金");
    EXPECT_EQ(ui::chosenText(list("订单状态")), "未送");
    EXPECT_EQ(ui::chosenText(list("订单类型")), "门店");
    EXPECT_EQ(ui::chosenText(list("接待人")), "admin");
    EXPECT_EQ(ui::chosenText(list("花艺师")), "admin");
    EXPECT_EQ(ui::chosenText(list("收款人")), "");
    EXPECT_EQ(ui::chosenText(list("联盟单位")), "");
    EXPECT_EQ(text("折扣")->text(), "100");
    EXPECT_EQ(text("速递费")->text(), "0");
    EXPECT_FALSE(button("历史订单")->isEnabled());
    EXPECT_FALSE(window_->findChild<QGroupBox*>("grpMember")->isEnabled());

    // Key filters: amounts take digits and ".", the discount digits only, the total nothing.
    test::typeText(text("折扣"), ".x");
    EXPECT_EQ(text("折扣")->text(), "100");
    test::typeText(text("代金券"), "a.");
    EXPECT_EQ(text("代金券")->text(), "0.");
    retype("代金券", "0");
    const QString total = text("总计")->text();
    test::typeText(text("总计"), "5");
    EXPECT_EQ(text("总计")->text(), total);

    findCard("VIP001");
    EXPECT_EQ(window_->memberId() > 0, true);
    EXPECT_EQ(panel("姓名")->text(), "李华");
    EXPECT_EQ(panel("账户余额")->text(), "100");
    EXPECT_EQ(text("送花人")->text(), "李华");
    EXPECT_EQ(text("送花电话")->text(), "13800000001");
    EXPECT_EQ(ui::chosenText(list("送花性别")), "男");
    EXPECT_EQ(text("折扣")->text(), "88");
    EXPECT_EQ(window_->pointsRate(), "10");
    EXPECT_TRUE(button("历史订单")->isEnabled());

    test::typeText(text("商品单价"), "33.3");
    EXPECT_EQ(text("折后单价")->text(), "29.304");
    EXPECT_EQ(text("总计")->text(), "29.304");
    EXPECT_EQ(text("收款金额")->text(), "29.304");

    test::typeText(text("收花人"), "王芳");
    QComboBox* area = test::findByName<QComboBox>(window_.get(), "送达区域");
    area->setEditText("bjq"); // as pasted: each change looks the text up
    EXPECT_EQ(area->currentText(), "滨江区");
    area->setEditText("外地"); // no match: the text and the fee stay
    EXPECT_EQ(area->currentText(), "外地");
    area->setEditText("bjq");
    EXPECT_EQ(area->currentText(), "滨江区");
    EXPECT_EQ(text("速递费")->text(), "10");
    EXPECT_EQ(text("总计")->text(), "39.3");

    retype("收款金额", "20");
    EXPECT_EQ(text("应收金额")->text(), "19.3");
    check("来年同日提醒")->setChecked(true);
    check("花器回收")->setChecked(true);

    test::PromptRecorder prompts;
    button("保存")->click();
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.last().toStdString();
    ASSERT_EQ(printed_, QStringList{"DD250301-0001"});
    const ResultSet o = db().select("SELECT * FROM UOrder");
    ASSERT_EQ(o.size(), 1);
    EXPECT_EQ(o.text(0, "theType"), "会员");
    EXPECT_EQ(o.text(0, "SH1"), "王芳");
    EXPECT_EQ(o.text(0, "SH7"), "滨江区");
    EXPECT_DOUBLE_EQ(o.value(0, "M6").toDouble(), 39.3);
    EXPECT_DOUBLE_EQ(o.value(0, "M7").toDouble(), 20);
    EXPECT_DOUBLE_EQ(o.value(0, "M8").toDouble(), 19.3);
    EXPECT_DOUBLE_EQ(o.value(0, "theJF").toDouble(), 3.93);
    EXPECT_EQ(o.text(0, "theLN"), "是");
    EXPECT_EQ(o.text(0, "theJDR"), "admin");

    // Ready for the next order: the card, panel and amounts empty, the rest kept.
    EXPECT_EQ(text("卡号")->text(), "");
    EXPECT_EQ(panel("姓名")->text(), "");
    EXPECT_EQ(window_->memberId(), 0);
    EXPECT_EQ(window_->pointsRate(), "1");
    EXPECT_EQ(text("收花人")->text(), "");
    EXPECT_EQ(area->currentText(), "");
    EXPECT_EQ(text("商品单价")->text(), "");
    EXPECT_EQ(text("总计")->text(), "");
    EXPECT_EQ(text("折扣")->text(), "100");
    EXPECT_EQ(text("速递费")->text(), "0");
    EXPECT_TRUE(check("来年同日提醒")->isChecked());
    EXPECT_TRUE(check("花器回收")->isChecked());
    EXPECT_EQ(ui::chosenText(list("送花性别")), "男");
    EXPECT_EQ(ui::chosenText(list("收款方式")), "现金");
    EXPECT_FALSE(button("历史订单")->isEnabled());

    // The same member again, paid from the card: the balance gives what the collection row
    // names, and the ledger of the member still adds up.
    findCard("VIP001");
    const qlonglong member = window_->memberId();
    test::typeText(text("商品单价"), "50");
    check("会员储值卡")->setChecked(true);
    button("保存")->click();
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.last().toStdString();
    ASSERT_EQ(printed_.size(), 2);
    const ResultSet sk =
        db().select("SELECT theMoney, MType FROM UO_SK WHERE (theNum = ?)", {printed_.last()});
    ASSERT_EQ(sk.size(), 1);
    EXPECT_EQ(sk.text(0, "MType"), "储值卡");
    EXPECT_DOUBLE_EQ(sk.value(0, "theMoney").toDouble(), 44);
    EXPECT_DOUBLE_EQ(
        db().scalar("SELECT theMoney FROM UMember WHERE (ID = ?)", {member}).toDouble(), 56);
    EXPECT_TRUE(test::ledgerBalances(db(), {{member, {100, 5}}}));
}

TEST_P(OrderEntryWindowTest, LookupBySeveralNoneAndHistory) {
    // Several members: the find dialog; Enter on an empty card lists every live member.
    int shownRows = -1;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        shownRows = d->rows().size();
        d->grid()->selectRow(1);
        d->pickCurrent();
    });
    findCard("");
    EXPECT_EQ(shownRows, 2);
    EXPECT_EQ(panel("卡号")->text(), "VIP002");

    // None: the member entry in its order mode; the new member lands in the panel.
    int entries = 0;
    window_->setModalRunner([&](QDialog* d) {
        ++entries;
        auto* entry = qobject_cast<members::MemberEntryWindow*>(d);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(test::findByName<QLineEdit>(d, "卡号")->text(), "NEW9");
        test::typeText(test::findByName<QLineEdit>(d, "姓名"), "新客");
        test::PromptRecorder prompts;
        entry->save();
    });
    findCard("NEW9");
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(panel("卡号")->text(), "NEW9");
    EXPECT_EQ(panel("账户余额")->text(), "0");
    EXPECT_EQ(text("送花人")->text(), "新客");
    EXPECT_GT(window_->memberId(), 0);
    EXPECT_FALSE(button("历史订单")->isEnabled());

    // The history copies the listed fields of the chosen order.
    findCard("VIP001");
    test::typeText(text("商品单价"), "50");
    test::typeText(text("收花人"), "王芳");
    test::typeText(text("送达地址"), "文三路");
    button("保存")->click();
    findCard("VIP001");
    QString caption;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        caption = d->windowTitle();
        EXPECT_EQ(d->objectName(), "frmFindO");
        d->pickCurrent();
    });
    button("历史订单")->click();
    EXPECT_EQ(caption, "VIP001 历史订单");
    EXPECT_EQ(text("收花人")->text(), "王芳");
    EXPECT_EQ(text("送达地址")->text(), "文三路");
    EXPECT_EQ(text("商品单价")->text(), "50");
    EXPECT_EQ(text("总计")->text(), "44");

    // The alliance discount replaces the category's; a typed discount above 100 is refused.
    list("联盟单位")->setCurrentIndex(0);
    emit list("联盟单位")->activated(0);
    EXPECT_EQ(text("折扣")->text(), "80");
    EXPECT_EQ(text("总计")->text(), "40");
    test::PromptRecorder prompts;
    retype("折扣", "120"); // each key recomputes: 12 gives 6, then 120 is refused
    EXPECT_EQ(prompts.last(), "折扣 不能大于100，请重新录入！");
    EXPECT_EQ(text("总计")->text(), "6");
}

TEST_P(OrderEntryWindowTest, PrefilledFromAnEarlierOrder) {
    orders::OrderPrefill p;
    p.cardNumber = "VIP00"; // contained in both cards, held by neither: no member
    p.recipient = "王芳";
    p.area = "滨江区";
    p.sender = "张三";
    window_->prefill(p);
    EXPECT_EQ(window_->memberId(), 0);
    EXPECT_EQ(text("收花人")->text(), "王芳");
    EXPECT_EQ(text("送花人")->text(), "张三");
    p.cardNumber = "VIP002";
    p.sender = "";
    window_->prefill(p);
    EXPECT_EQ(panel("姓名")->text(), "王五");
    EXPECT_EQ(text("送花人")->text(), "王五");
}

FLORIST_ON_EVERY_BACKEND(OrderEntryWindowTest);

} // namespace
} // namespace florist
