#include "storedvalue/exchangewindow.h"

#include "core/db/datamodule.h"
#include "core/save/decrement.h"
#include "reports/printmodule.h"
#include "reports/receiptpreview.h"
#include "storedvalue/memberinfowidget.h"
#include "storedvalue/topup.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QGridLayout>
#include <QGroupBox>

namespace florist::storedvalue {

ExchangeWindow::ExchangeWindow(ui::Context& context, QWidget* parent)
    : MemberDocumentWindow(context, {"frmExchange_In", "兑换录入", "dh", "兑换信息", "兑换日期："},
                           parent) {
    DataModule& dm = context_.dm;
    const LoginValues& login = dm.login();
    auto* group = new QGroupBox("礼品信息", this);
    auto* grid = new QGridLayout(group);
    gift_ = ui::listField("礼品名称：", dm.loaders().DBComSGift(), group);
    // Only the gift choice fills the price.
    price_ = ui::textField("所需积分：", 0, group);
    price_->setReadOnly(true);
    // Nothing to type here: Tab goes from the gift straight to the count.
    price_->setFocusPolicy(Qt::ClickFocus);
    count_ = ui::textField("数        量：", 0, group, ui::KeyFilter::Digits);
    count_->setText("1");
    receptionist_ =
        ui::listField("接  待  人：", dm.loaders().DBComWorker(login.currentStore), group);
    remark_ = ui::textField("备        注：", 0, group);
    place(grid, 0, 0, "礼品名称：", gift_);
    place(grid, 0, 1, "所需积分：", price_);
    place(grid, 0, 2, "数        量：", count_);
    place(grid, 1, 0, "接  待  人：", receptionist_);
    place(grid, 1, 1, "备        注：", remark_, 2);
    for (int c : {1, 3, 5}) {
        grid->setColumnStretch(c, 1);
    }
    addOwnGroup(group);
    // The price follows the gift shown, however it came there (a reloaded shared list too).
    connect(gift_, &QComboBox::currentIndexChanged, this, [this] { showGiftPrice(); });
    connect(gift_, &QComboBox::activated, this, [this] { giftChosen(); });

    // The current user is preset only when the name is on the store's staff list.
    ui::chooseText(receptionist_, login.currentUser);
    setTabOrder(searchField(), dateField());
    setTabOrder(dateField(), gift_);
    setTabOrder(gift_, count_);
    setTabOrder(count_, receptionist_);
    setTabOrder(receptionist_, remark_);
}

void ExchangeWindow::showGiftPrice() {
    const QString gift = ui::chosenText(gift_);
    if (gift.isEmpty()) {
        price_->clear();
        return;
    }
    ui::guarded(this, [&] { price_->setText(context_.dm.myRetGift(gift)); });
}

void ExchangeWindow::giftChosen() {
    showGiftPrice();
    count_->setFocus();
    count_->selectAll();
}

ExchangeValues ExchangeWindow::values() const {
    ExchangeValues v;
    v.memberId = memberId();
    v.cardNumber = memberInfo()->text("卡号");
    v.shownPoints = memberInfo()->text("积分");
    v.date = dateField()->date().toString("yyyy-MM-dd");
    v.gift = ui::chosenText(gift_);
    v.price = price_->text();
    v.count = count_->text();
    v.receptionist = ui::chosenText(receptionist_);
    v.remark = remark_->text();
    return v;
}

bool ExchangeWindow::save() {
    const ExchangeValues v = values();
    const FormOutcome check = checkExchange(v);
    if (!check.done) {
        refuse(check.message, check.focus);
        return false;
    }
    QString number;
    const bool saved = ui::guarded(this, [&] {
        try {
            number = saveExchange(context_.dm, v);
        } catch (const Shortfall&) {
            // Points spent at another station since the lookup: the message names the card.
            searchField()->setFocus();
            throw;
        }
    });
    if (!saved) {
        return false;
    }
    if (context_.print) {
        ui::printReceipt(this, *context_.print, ReceiptKind::Exchange, number);
    }
    clearForNext();
    return true;
}

void ExchangeWindow::memberTaken() {
    gift_->setFocus();
}

void ExchangeWindow::focusField(const QString& name) {
    if (name == kGiftListField) {
        gift_->setFocus();
    } else if (name == kCountField) {
        count_->setFocus();
        count_->selectAll();
    } else {
        MemberDocumentWindow::focusField(name);
    }
}

// The date and receptionist stay for the next exchange.
void ExchangeWindow::clearForNext() {
    price_->clear();
    remark_->clear();
    count_->setText("1");
    gift_->setCurrentIndex(-1);
    forgetMember();
}

} // namespace florist::storedvalue
