// The order lists of a station: collections of what orders still owe ("已收", also from the
// card) and deletions, through the rules of the order lists.
#include "core/db/datamodule.h"
#include "orders/orderreminders.h"
#include "stations/station.h"

namespace florist::stations {

namespace {

QString text(double value) {
    return QString::number(value, 'g', 15);
}

} // namespace

QString Station::collectOrder() {
    // What the receivables list shows at the top: the newest orders still owing.
    const ResultSet owing = dm_.db().select("SELECT TOP 12 ID, theType, M8 FROM UOrder WHERE "
                                            "(theDel = '否') AND (M8 > 0.005) ORDER BY ID DESC");
    if (owing.isEmpty()) {
        return walkInOrder();
    }
    const int row = below(owing.size());
    const double receivable = owing.value(row, "M8").toDouble();
    orders::Collection c;
    c.orderId = owing.value(row, "ID").toLongLong();
    c.amount = text(below(2) == 0 ? receivable : amount(0.01, receivable));
    const bool byCard = owing.text(row, "theType") == "会员" && below(2) == 0;
    c.method = byCard ? "储值卡" : "现金";
    c.collector = "admin";
    orders::collectPayment(dm_, c);
    return byCard ? "订单已收储值卡" : "订单已收";
}

QString Station::deleteOrder() {
    const qlonglong id = anyOf(recentLive("UOrder"));
    if (id == 0) {
        return walkInOrder();
    }
    orders::deleteOrder(dm_, id);
    return "删除订单";
}

} // namespace florist::stations
