#include "storedvalue/topupwindow.h"

#include "core/db/datamodule.h"
#include "reports/printmodule.h"
#include "reports/receiptpreview.h"
#include "storedvalue/memberinfowidget.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QGridLayout>
#include <QGroupBox>

namespace florist::storedvalue {

TopUpWindow::TopUpWindow(ui::Context& context, QWidget* parent)
    : MemberDocumentWindow(context, {"frmStore_In", "储值录入", "cz", "储值信息", "储值日期："},
                           parent) {
    DataModule& dm = context_.dm;
    const LoginValues& login = dm.login();
    auto* group = new QGroupBox("收款金额", this);
    auto* grid = new QGridLayout(group);
    stored_ = ui::textField("储值金额：", kAmountBytes, group, ui::KeyFilter::Amount);
    gift_ = ui::textField("赠送金额：", kAmountBytes, group, ui::KeyFilter::Amount);
    gift_->setText("0");
    method_ = ui::listField("收款方式：", dm.loaders().DBComSK(), group);
    receiver_ = ui::listField("收  款  人：", dm.loaders().DBComWorker(login.currentStore), group);
    remark_ = ui::textField("备        注：", kTopUpRemarkBytes, group);
    place(grid, 0, 0, "储值金额：", stored_);
    place(grid, 0, 1, "赠送金额：", gift_);
    place(grid, 0, 2, "收款方式：", method_);
    place(grid, 1, 0, "收  款  人：", receiver_);
    place(grid, 1, 1, "备        注：", remark_, 2);
    for (int c : {1, 3, 5}) {
        grid->setColumnStretch(c, 1);
    }
    addOwnGroup(group);

    ui::chooseText(method_, login.defaults.paymentMethod);
    // The current user is preset only when the name is on the store's staff list.
    ui::chooseText(receiver_, login.currentUser);
    setTabOrder(searchField(), dateField());
    setTabOrder(dateField(), stored_);
    setTabOrder(stored_, gift_);
    setTabOrder(gift_, method_);
    setTabOrder(method_, receiver_);
    setTabOrder(receiver_, remark_);
}

TopUpValues TopUpWindow::values() const {
    TopUpValues v;
    v.memberId = memberId();
    v.cardNumber = memberInfo()->text("卡号");
    v.date = dateField()->date().toString("yyyy-MM-dd");
    v.stored = stored_->text();
    v.gift = gift_->text();
    v.method = ui::chosenText(method_);
    v.receiver = ui::chosenText(receiver_);
    v.remark = remark_->text();
    return v;
}

bool TopUpWindow::save() {
    const TopUpValues v = values();
    const FormOutcome check = checkTopUp(v);
    if (!check.done) {
        refuse(check.message, check.focus);
        return false;
    }
    QString number;
    if (!ui::guarded(this, [&] { number = saveTopUp(context_.dm, v); })) {
        return false;
    }
    if (context_.print) {
        ui::printReceipt(this, *context_.print, ReceiptKind::TopUp, number);
    }
    clearForNext();
    return true;
}

void TopUpWindow::memberTaken() {
    stored_->setFocus();
}

void TopUpWindow::focusField(const QString& name) {
    QLineEdit* field = name == kStoredField   ? stored_
                       : name == kGiftField   ? gift_
                       : name == kRemarkField ? remark_
                                              : nullptr;
    if (!field) {
        MemberDocumentWindow::focusField(name);
        return;
    }
    field->setFocus();
    field->selectAll();
}

// The date, payment method and receiver stay for the next top-up.
void TopUpWindow::clearForNext() {
    stored_->clear();
    remark_->clear();
    gift_->setText("0");
    forgetMember();
}

} // namespace florist::storedvalue
