// The order entry of a station: orders of members (paid in full from the card, or in part by
// another method) and of walk-in customers, through the rules of the order entry window.
#include "core/db/datamodule.h"
#include "orders/orderentry.h"
#include "stations/station.h"

namespace florist::stations {

namespace {

QString text(double value) {
    return QString::number(value, 'g', 15);
}

} // namespace

orders::OrderValues Station::orderValues(qlonglong memberId) {
    orders::OrderValues v;
    v.orderDate = dm_.login().businessDate;
    if (memberId > 0) {
        const ResultSet m =
            dm_.db().select("SELECT theNum, theType FROM UMember WHERE (ID = ?)", {memberId});
        v.memberId = memberId;
        v.memberCard = m.text(0, "theNum");
        const orders::CategoryRates rates = orders::myZK(dm_, m.text(0, "theType"));
        v.prices.discount = rates.discount;
        v.pointsRate = rates.pointsRate;
    } else {
        v.prices.discount = below(4) == 0 ? "88" : "100";
    }
    v.recipient = "收花人";
    v.deliveryDate = v.orderDate;
    v.area = below(2) == 0 ? "城东" : QString();
    v.sender = "送花人";
    v.product = "玫瑰花束";
    v.paymentMethod = "现金";
    v.receptionist = "admin";
    v.florist = "admin";
    v.orderType = "门店";
    v.orderState = "未送";
    v.prices.price = text(amount(20, 260));
    v.prices.fee = below(3) == 0 ? "10" : "0";
    v.prices.voucher = below(5) == 0 ? "5" : "0";
    const FormOutcome priced = orders::recompute(v.prices, orders::PriceRule::PriceOrDiscount);
    if (!priced.done) {
        throw Failure(priced.message);
    }
    return v;
}

// Part of the total paid now, the rest owed: typed last, as at the counter.
void Station::payPart(orders::OrderValues& v) {
    const double total = v.prices.total.toDouble();
    v.prices.received = text(below(3) == 0 ? 0 : amount(0, total));
    const FormOutcome owed = orders::recompute(v.prices, orders::PriceRule::Received);
    if (!owed.done) {
        throw Failure(owed.message);
    }
}

QString Station::saveOrder(const orders::OrderValues& v, const QString& kind) {
    const orders::OrderSaveResult r = orders::saveOrder(dm_, v);
    if (!r.outcome.done) {
        throw Failure(r.outcome.message);
    }
    return kind;
}

QString Station::memberOrderByCard() {
    orders::OrderValues v = orderValues(anyOf(members_));
    v.cardPayment = true;
    // Now and then the card is offered for part of the total only, which the rules refuse.
    if (below(8) == 0) {
        payPart(v);
    }
    return saveOrder(v, "会员订单储值卡");
}

QString Station::memberOrderInPart() {
    orders::OrderValues v = orderValues(anyOf(members_));
    payPart(v);
    return saveOrder(v, "会员订单部分付款");
}

QString Station::walkInOrder() {
    orders::OrderValues v = orderValues(0);
    payPart(v);
    return saveOrder(v, "散客订单");
}

} // namespace florist::stations
