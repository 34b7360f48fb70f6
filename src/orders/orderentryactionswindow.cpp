// The operations of frmOrder_In: member lookup, rates, area, history, save and reset.
#include "orders/orderentrywindow.h"

#include "core/db/datamodule.h"
#include "core/text/amount.h"
#include "members/memberentrywindow.h"
#include "members/memberfinddialog.h"
#include "orders/orderhistorydialog.h"
#include "reports/printmodule.h"
#include "ui/outcome.h"
#include "ui/prompt.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QPushButton>

namespace florist::orders {

void OrderEntryWindow::myFind() {
    const QString text = texts_["卡号"]->text();
    members::MemberFindOutcome found;
    if (!ui::guarded(this, [&] {
            found = members::findMember(this, context_.dm, members::kCallerOrder, text);
        })) {
        return;
    }
    if (found.kind == members::MemberFindOutcome::Picked) {
        takeMember(found.member.id, found.member.fields, true);
        return;
    }
    if (found.kind == members::MemberFindOutcome::Cancelled) {
        return;
    }
    // No member holds the text: create one on the spot, in the entry window's order mode.
    members::MemberEntryWindow entry(context_, this);
    entry.newForOrder(text);
    connect(
        &entry, &members::MemberEntryWindow::memberCreatedForOrder, this,
        [this](const members::NewMember& member) { takeMember(member.id, member.fields, false); });
    if (modalRunner_) {
        modalRunner_(&entry);
    } else {
        entry.exec();
    }
}

void OrderEntryWindow::takeMember(qlonglong id, const QVariantMap& fields, bool historyEnabled) {
    memberId_ = id;
    for (auto it = panel_.begin(); it != panel_.end(); ++it) {
        it.value()->setText(fields.value(it.key()).toString());
    }
    texts_["送花人"]->setText(fields.value("姓名").toString());
    texts_["送花电话"]->setText(fields.value("手机号码").toString());
    ui::chooseText(lists_["送花性别"], fields.value("性别").toString());
    texts_["商品单价"]->setFocus();
    myZK();
    updating_ = true;
    texts_["速递费"]->setText("0");
    updating_ = false;
    recompute(PriceRule::Charges);
    history_->setEnabled(historyEnabled);
}

void OrderEntryWindow::myZK() {
    CategoryRates rates;
    if (!ui::guarded(this,
                     [&] { rates = orders::myZK(context_.dm, panel_["会员分类"]->text()); })) {
        return;
    }
    pointsRate_ = rates.pointsRate;
    updating_ = true;
    texts_["折扣"]->setText(rates.discount);
    updating_ = false;
    recompute(PriceRule::PriceOrDiscount);
}

void OrderEntryWindow::allianceChosen() {
    const QString partner = ui::chosenText(lists_["联盟单位"]);
    QString discount;
    if (!ui::guarded(this, [&] { discount = context_.dm.myRetAZK(partner); })) {
        return;
    }
    updating_ = true;
    texts_["折扣"]->setText(discount);
    updating_ = false;
    recompute(PriceRule::PriceOrDiscount);
}

void OrderEntryWindow::areaChanged(const QString& text) {
    AreaMatch match;
    if (!ui::guarded(this, [&] { match = areaForText(context_.dm, text); }) || !match.found) {
        return;
    }
    updating_ = true;
    area_->setEditText(match.name);
    texts_["速递费"]->setText(match.fee);
    updating_ = false;
    recompute(PriceRule::Charges);
}

void OrderEntryWindow::showHistory() {
    if (memberId_ == 0) {
        return;
    }
    const QString card = panel_["卡号"]->text();
    ResultSet rows;
    if (!ui::guarded(this, [&] { rows = orderHistory(context_.dm, card); })) {
        return;
    }
    const int row = chooseHistoryOrder(this, card, rows);
    if (row < 0) {
        return;
    }
    updating_ = true;
    for (const auto& [heading, field] : historyCopiedFields()) {
        const QString value = rows.text(row, heading);
        if (field == "送达区域") {
            area_->setEditText(value);
        } else if (QLineEdit* edit = texts_.value(field)) {
            edit->setText(field == "商品单价" ? formatAmount(value.toDouble()) : value);
        } else if (QComboBox* box = lists_.value(field)) {
            ui::chooseText(box, value);
        }
    }
    updating_ = false;
    recompute(PriceRule::PriceOrDiscount);
    texts_["商品单价"]->setFocus();
}

OrderValues OrderEntryWindow::values() const {
    OrderValues v;
    auto text = [this](const char* name) { return texts_[QString::fromUtf8(name)]->text(); };
    auto chosen = [this](const char* name) {
        return ui::chosenText(lists_[QString::fromUtf8(name)]);
    };
    v.orderDate = orderDate_->date().toString("yyyy-MM-dd");
    v.alliance = chosen("联盟单位");
    v.memberId = memberId_;
    v.memberCard = panel_["卡号"]->text();
    v.pointsRate = pointsRate_;
    v.recipient = text("收花人");
    v.recipientSex = chosen("收花性别");
    v.deliveryDate = deliveryDate_->date().toString("yyyy-MM-dd");
    v.timeSlot = chosen("送达时段");
    v.deliveryTime = text("送达时间");
    v.recipientPhone = text("收花电话");
    v.area = area_->currentText();
    v.address = text("送达地址");
    v.sender = text("送花人");
    v.senderSex = chosen("送花性别");
    v.senderPhone = text("送花电话");
    v.purpose = chosen("送花用途");
    v.recipientKind = chosen("送花对象");
    v.product = chosen("商品名称");
    v.prices = priceFields();
    v.paymentMethod = chosen("收款方式");
    v.cardPayment = cardPay_->isChecked();
    v.collector = chosen("收款人");
    v.receptionist = chosen("接待人");
    v.florist = chosen("花艺师");
    v.deliverer = chosen("递送人");
    v.orderType = chosen("订单类型");
    v.orderState = chosen("订单状态");
    v.remark = text("备注");
    v.invoice = checks_["开发票"]->isChecked();
    v.vase = checks_["花器回收"]->isChecked();
    v.notify = checks_["送达通知"]->isChecked();
    v.settleOnDelivery = checks_["送达结款"]->isChecked();
    v.nextYear = checks_["来年同日提醒"]->isChecked();
    v.noPoints = checks_["本单不积分"]->isChecked();
    return v;
}

bool OrderEntryWindow::save() {
    const OrderValues v = values();
    OrderSaveResult result;
    if (!ui::guarded(this, [&] { result = saveOrder(context_.dm, v); })) {
        return false;
    }
    if (!result.outcome.done) {
        ui::showOutcome(this, result.outcome);
        return false;
    }
    if (context_.print) {
        ui::guarded(this, [&] { context_.print->PrintDD_Pos(result.number); });
    }
    myNew();
    texts_["卡号"]->setFocus();
    return true;
}

void OrderEntryWindow::myNew() {
    updating_ = true;
    memberId_ = 0;
    pointsRate_ = "1";
    for (QLineEdit* edit : std::as_const(panel_)) {
        edit->clear();
    }
    for (const char* name :
         {"卡号", "收花人", "收花电话", "送达地址", "送达时间", "送花人", "送花电话", "商品单价",
          "折后单价", "总计", "收款金额", "应收金额", "备注"}) {
        texts_[QString::fromUtf8(name)]->clear();
    }
    area_->setCurrentIndex(-1);
    area_->setEditText("");
    texts_["折扣"]->setText("100");
    texts_["速递费"]->setText("0");
    texts_["代金券"]->setText("0");
    lists_["联盟单位"]->setCurrentIndex(-1);
    history_->setEnabled(false);
    updating_ = false;
}

void OrderEntryWindow::prefill(const OrderPrefill& p) {
    if (!p.cardNumber.isEmpty()) {
        ResultSet rows;
        ui::guarded(this, [&] {
            rows = members::lookupMembers(context_.dm, members::kCallerOrder, p.cardNumber);
        });
        for (int r = 0; r < rows.size(); ++r) {
            // Only the member holding exactly this card, never one whose card merely contains it.
            if (rows.text(r, "卡号") == p.cardNumber) {
                const members::PickedMember m = members::pickMember(members::kCallerOrder, rows, r);
                takeMember(m.id, m.fields, true);
                break;
            }
        }
    }
    auto setText = [this](const char* name, const QString& value) {
        if (!value.isEmpty()) {
            texts_[QString::fromUtf8(name)]->setText(value);
        }
    };
    auto choose = [this](const char* name, const QString& value) {
        if (!value.isEmpty()) {
            ui::chooseText(lists_[QString::fromUtf8(name)], value);
        }
    };
    setText("收花人", p.recipient);
    choose("收花性别", p.recipientSex);
    choose("送达时段", p.timeSlot);
    setText("送达时间", p.deliveryTime);
    setText("收花电话", p.recipientPhone);
    if (!p.area.isEmpty()) {
        updating_ = true;
        area_->setEditText(p.area);
        updating_ = false;
    }
    setText("送达地址", p.address);
    setText("送花人", p.sender);
    choose("送花性别", p.senderSex);
    setText("送花电话", p.senderPhone);
    choose("送花用途", p.purpose);
    choose("送花对象", p.recipientKind);
    choose("商品名称", p.product);
    texts_["商品单价"]->setFocus();
}

void OrderEntryWindow::focusByName(const QString& name) {
    if (QLineEdit* edit = texts_.value(name)) {
        edit->setFocus();
        edit->selectAll();
    } else if (QComboBox* box = lists_.value(name)) {
        box->setFocus();
    }
}

bool OrderEntryWindow::eventFilter(QObject* watched, QEvent* event) {
    QLineEdit* card = texts_.value("卡号");
    if (watched == card && event->type() == QEvent::MouseButtonDblClick) {
        myFind();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == card) {
                myFind();
            } else {
                // At the counter Enter moves on to the next field, as Tab does.
                focusNextChild();
            }
            return true;
        }
        // Delete or Backspace on the alliance list takes the partner off the order again.
        if (watched == lists_.value("联盟单位") &&
            (key == Qt::Key_Delete || key == Qt::Key_Backspace)) {
            lists_["联盟单位"]->setCurrentIndex(-1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace florist::orders
