#pragma once

#include "core/db/resultset.h"
#include "core/formoutcome.h"

#include <QString>

namespace florist {
class DataModule;
}

namespace florist::orders {

// The eight amount fields of the payment group, as their texts stand.
struct PriceFields {
    QString price;      // 商品单价 M1
    QString discount;   // 折扣 M2
    QString discounted; // 折后单价 M3
    QString fee;        // 速递费 M4
    QString voucher;    // 代金券 M5
    QString total;      // 总计 M6
    QString received;   // 收款金额 M7
    QString receivable; // 应收金额 M8
};

// What changed, and so which recomputation runs.
enum class PriceRule {
    PriceOrDiscount, // mySum: the discounted price and the total exact
    Charges,         // the discounted price, the fee or the voucher: the total to 2 decimals
    Received,        // the receivable
};

// Recomputes the derived fields after a change. Every change of price, discount, fee or voucher
// sets the received amount to the whole total and the receivable to 0, so a partial payment is
// typed last. A discount above 100 or a received amount above the total is refused with its
// message and the field to focus, and nothing changes; a text that is not a number raises the
// Failure naming its field (nothing changes either).
FormOutcome recompute(PriceFields& fields, PriceRule rule);
// A text typed on the way to a number (a lone "."), which the recomputation waits out.
bool isUnfinishedNumber(const QString& text);
// The discount as it counts: empty or zero is 100 (no discount).
double effectiveDiscount(double typed, bool empty);

// "折扣 不能大于100，请重新录入！", "收款金额 不能大于合计，请重新录入！"
QString discountAbove100Text();
QString receivedAboveTotalText();

// myZK: the discount and the points rate of a member category ("100" and "1" when the category
// has no row or an empty value).
struct CategoryRates {
    QString discount = "100";
    QString pointsRate = "1";
};
CategoryRates myZK(DataModule& dm, const QString& category);

// The delivery area that a typed text names: by its name or its pinyin initials, only when
// exactly one area matches.
struct AreaMatch {
    bool found = false;
    QString name;
    QString fee;
};
AreaMatch areaForText(DataModule& dm, const QString& text);

// frmFindO: the member's live orders of every store, newest first.
ResultSet orderHistory(DataModule& dm, const QString& cardNumber);

// Everything the window holds for one order, as typed and chosen.
struct OrderValues {
    QString orderDate; // 'yyyy-mm-dd'
    QString alliance;
    qlonglong memberId = 0; // 0: no member in the window
    QString memberCard;
    QString pointsRate = "1";

    QString recipient;
    QString recipientSex;
    QString deliveryDate; // 'yyyy-mm-dd'
    QString timeSlot;
    QString deliveryTime;
    QString recipientPhone;
    QString area;
    QString address;

    QString sender;
    QString senderSex;
    QString senderPhone;
    QString purpose;
    QString recipientKind;

    QString product;
    PriceFields prices;
    QString paymentMethod;
    bool cardPayment = false; // "会员储值卡"
    QString collector;
    QString receptionist;
    QString florist;
    QString deliverer;
    QString orderType;
    QString orderState;
    QString remark;

    bool invoice = false;          // 开发票
    bool vase = false;             // 花器回收
    bool notify = false;           // 送达通知
    bool settleOnDelivery = false; // 送达结款
    bool nextYear = false;         // 来年同日提醒
    bool noPoints = false;         // 本单不积分
};

struct OrderSaveResult {
    FormOutcome outcome; // refused: nothing was written
    QString number;      // the new order's number
    double points = 0;   // what the member earned
};

// "保存": the checks in order, then in one transaction the member's points, consumption date
// and count, the stored-value charge (on the fresh balance), a new delivery area, the number,
// the "订单录入" collection row and the order row. A Shortfall of the charge comes back as a
// refused outcome with its message; other database failures are raised.
OrderSaveResult saveOrder(DataModule& dm, const OrderValues& values);

// The points a member order earns: total ÷ rate, not rounded; 0 when the rate is 0 or unreadable.
double orderPoints(double total, const QString& pointsRate);

} // namespace florist::orders
