#include "orders/orderentry.h"

#include "core/db/datamodule.h"
#include "core/errors.h"
#include "core/save/decrement.h"
#include "core/save/saverunner.h"
#include "core/text/amount.h"
#include "core/text/gbk.h"
#include "core/text/numberinput.h"
#include "core/text/pinyin.h"
#include "members/memberlookup.h"

#include <cmath>

namespace florist::orders {

namespace {

// Sums of typed amounts carry binary noise (0.1 + 0.2): a comparison between amounts allows far
// less than a cent.
constexpr double kNoise = 1e-9;

const QString kCardPayment = QStringLiteral("储值卡");
const QString kMember = QStringLiteral("会员");
const QString kWalkIn = QStringLiteral("散客");
const QString kPartner = QStringLiteral("单位");

double number(const QString& text, const QString& caption) {
    return parseTypedNumber(text, caption);
}

double discountOf(const QString& text) {
    return effectiveDiscount(number(text, "折扣"), text.trimmed().isEmpty());
}

// Total and received from the discounted price, fee and voucher; the receivable is then 0.
void setTotal(PriceFields& f, double total) {
    f.total = formatAmount(total);
    f.received = f.total;
    f.receivable = formatAmount(number(f.total, "总计") - number(f.received, "收款金额"));
}

double round2(double value) {
    // Through the two-decimal text, as the total is shown: 2.675 stays as the text says.
    return formatAmount2(value).toDouble();
}

} // namespace

QString discountAbove100Text() {
    return "折扣 不能大于100，请重新录入！";
}

QString receivedAboveTotalText() {
    return "收款金额 不能大于合计，请重新录入！";
}

bool isUnfinishedNumber(const QString& text) {
    return text.trimmed() == ".";
}

double effectiveDiscount(double typed, bool empty) {
    return (empty || typed == 0.0) ? 100.0 : typed;
}

FormOutcome recompute(PriceFields& fields, PriceRule rule) {
    PriceFields f = fields;
    switch (rule) {
    case PriceRule::PriceOrDiscount: {
        const double discount = discountOf(f.discount);
        if (discount > 100.0) {
            return FormOutcome::refused(discountAbove100Text(), "折扣");
        }
        const double price = number(f.price, "商品单价");
        const double fee = number(f.fee, "速递费");
        const double voucher = number(f.voucher, "代金券");
        f.discounted = formatAmount(discount * price / 100.0);
        setTotal(f, fee + number(f.discounted, "折后单价") - voucher);
        break;
    }
    case PriceRule::Charges: {
        const double total = number(f.discounted, "折后单价") + number(f.fee, "速递费") -
                             number(f.voucher, "代金券");
        setTotal(f, round2(total));
        break;
    }
    case PriceRule::Received: {
        const double total = number(f.total, "总计");
        const double received = number(f.received, "收款金额");
        if (received > total + kNoise) {
            return FormOutcome::refused(receivedAboveTotalText(), "收款金额");
        }
        f.receivable = formatAmount(total - received);
        break;
    }
    }
    fields = f;
    return FormOutcome::success();
}

CategoryRates myZK(DataModule& dm, const QString& category) {
    CategoryRates rates;
    const ResultSet rows =
        dm.db().select("SELECT theZK, theJF FROM SMType WHERE (theName = ?) ", {category});
    if (rows.isEmpty()) {
        return rates;
    }
    const QString discount = rows.text(0, "theZK");
    const QString rate = rows.text(0, "theJF");
    if (!discount.isEmpty()) {
        rates.discount = discount;
    }
    if (!rate.isEmpty()) {
        rates.pointsRate = rate;
    }
    return rates;
}

AreaMatch areaForText(DataModule& dm, const QString& text) {
    AreaMatch match;
    if (text.isEmpty()) {
        return match;
    }
    const bool escaped = members::needsLikeEscape(text);
    const QString like =
        dm.db().dialect().likeOperator() + " ?" + (escaped ? QString(" ESCAPE '!'") : QString());
    const QString pattern = members::containsPattern(text);
    const ResultSet rows = dm.db().select("SELECT theName, thePrice FROM SArea WHERE (theName " +
                                              like + ") OR (thePY " + like + ")",
                                          {pattern, pattern});
    if (rows.size() != 1) {
        return match;
    }
    match.found = true;
    match.name = rows.text(0, "theName");
    match.fee = formatAmount(rows.value(0, "thePrice").toDouble());
    return match;
}

ResultSet orderHistory(DataModule& dm, const QString& cardNumber) {
    return dm.db().select(
        "SELECT theNum AS 单号, myDate AS 订单日期, theType AS 类型, MNum AS 卡号, SH1 AS 收花人, "
        "SH2 AS 收花性别, SH3 AS 送达日期, SH4 AS 送达时段, SH5 AS 送达时间, SH6 AS 收花电话, "
        "SH7 AS 区域, SH8 AS 送达地址, SH01 AS 送花人, SH02 AS 送花性别, SH03 AS 送花电话, "
        "theHX AS 花型, M1 AS 鲜花单价, M2 AS 折扣, M3 AS 折后单价, M4 AS 递送费, M5 AS 代金券, "
        "M6 AS 总计, M7 AS 收款金额, MType AS 收款方式, M8 AS 应收金额, theJDR AS 接待人, "
        "theHYS AS 花艺师, DType AS 订单类型, DState AS 订单状态, Remark AS 备注, ID FROM UOrder "
        "WHERE (theDel = '否') AND (MNum = ?) ORDER BY ID DESC ",
        {cardNumber});
}

double orderPoints(double total, const QString& pointsRate) {
    const QString t = pointsRate.trimmed();
    bool ok = isTypedNumber(t);
    const double rate = ok ? t.toDouble(&ok) : 0.0;
    if (!ok || rate == 0.0 || !std::isfinite(rate)) {
        return 0.0;
    }
    return total / rate;
}

namespace {

struct Limit {
    const char* word;
    QString OrderValues::*text;
    int bytes;
};

// The byte limits the fields keep while typing, checked again at save.
const Limit kLimits[] = {
    {"收花人", &OrderValues::recipient, 20},        {"送达时间", &OrderValues::deliveryTime, 10},
    {"收花电话", &OrderValues::recipientPhone, 30}, {"送达区域", &OrderValues::area, 12},
    {"送达地址", &OrderValues::address, 100},       {"送花人", &OrderValues::sender, 20},
    {"送花电话", &OrderValues::senderPhone, 30},    {"备注", &OrderValues::remark, 100},
};

struct AmountLimit {
    const char* word;
    QString PriceFields::*text;
    int bytes;
};

const AmountLimit kAmountLimits[] = {
    {"商品单价", &PriceFields::price, 10},    {"折扣", &PriceFields::discount, 3},
    {"速递费", &PriceFields::fee, 10},        {"代金券", &PriceFields::voucher, 10},
    {"收款金额", &PriceFields::received, 10},
};

bool digitsOnly(const QString& text) {
    for (const QChar c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The eight amounts as numbers, in the order of the order row.
struct Amounts {
    double m[8] = {};
};

} // namespace

OrderSaveResult saveOrder(DataModule& dm, const OrderValues& v) {
    OrderSaveResult result;
    const PriceFields& p = v.prices;
    auto refuse = [&](const QString& message, const QString& focus) {
        result.outcome = FormOutcome::refused(message, focus);
        return result;
    };
    if (p.price.isEmpty()) {
        return refuse(emptyTextMessage("商品单价"), "商品单价");
    }
    if (p.price == "0") {
        return refuse(zeroMessage("商品单价"), "商品单价");
    }
    for (const Limit& limit : kLimits) {
        if (gbkLength(v.*limit.text) > limit.bytes) {
            return refuse(tooLongMessage(limit.word, limit.bytes), limit.word);
        }
    }
    for (const AmountLimit& limit : kAmountLimits) {
        if (gbkLength(p.*limit.text) > limit.bytes) {
            return refuse(tooLongMessage(limit.word, limit.bytes), limit.word);
        }
    }
    if (!digitsOnly(p.discount)) {
        return refuse(notNumberMessage("折扣"), "折扣");
    }
    // The typed amounts take digits and "." only: no sign.
    for (const AmountLimit& limit : kAmountLimits) {
        if ((p.*limit.text).contains('-')) {
            return refuse(notNumberMessage(limit.word), limit.word);
        }
    }
    if (p.discounted.contains('-')) {
        return refuse(notNumberMessage("折后单价"), "折后单价");
    }
    const std::pair<const char*, QString> typed[] = {
        {"商品单价", p.price},    {"折扣", p.discount},       {"折后单价", p.discounted},
        {"速递费", p.fee},        {"代金券", p.voucher},      {"总计", p.total},
        {"收款金额", p.received}, {"应收金额", p.receivable},
    };
    Amounts a;
    for (int i = 0; i < 8; ++i) {
        const QString word = QString::fromUtf8(typed[i].first);
        if (!isTypedNumber(typed[i].second) && !typed[i].second.trimmed().isEmpty()) {
            return refuse(notNumberMessage(word), word);
        }
        a.m[i] = parseTypedNumber(typed[i].second, word);
    }
    const double total = a.m[5];
    const double received = a.m[6];
    if (discountOf(p.discount) > 100.0) {
        return refuse(discountAbove100Text(), "折扣");
    }
    if (received > total + kNoise) {
        return refuse(receivedAboveTotalText(), "收款金额");
    }

    const bool member = v.memberId > 0;
    QString type = member ? kMember : kWalkIn;
    const QString card = member ? v.memberCard : QString();
    if (!v.alliance.isEmpty()) {
        type = kPartner;
    }
    const QString paymentMethod = v.cardPayment ? kCardPayment : v.paymentMethod;
    const bool byCard = paymentMethod == kCardPayment;
    if (byCard && type != kMember) {
        return refuse(type + " 不能选择储值卡，请重新选择收款方式！", "收款方式");
    }
    if (byCard && received < total - kNoise) {
        // The card pays the whole total, so the order must not show part of it still owed.
        return refuse("储值卡 收款金额 不能小于合计，请重新录入！", "收款金额");
    }
    const QString theDX = dm.NumToChar(total);
    const QString flag[2] = {"否", "是"};

    const bool withRecipient = !v.recipient.isEmpty();
    const bool withSender = !v.sender.isEmpty();
    const QString area = withRecipient ? v.area : QString();
    const double points = type == kMember && !v.noPoints ? orderPoints(total, v.pointsRate) : 0.0;
    const LoginValues& login = dm.login();

    try {
        result.number = runSave(dm, [&](Save& s) {
            Database& db = s.db();
            if (type == kMember) {
                // A member deleted by another station since the lookup gets nothing.
                if (db.exec("UPDATE UMember SET theJF = theJF + ?, XFDate = ?, "
                            "theCount = theCount + 1 WHERE (ID = ?) AND (theDel = '否')",
                            {points, login.businessDate, v.memberId}) == 0) {
                    throw Failure(members::memberNotFoundText());
                }
                if (byCard) {
                    chargeBalance(db, v.memberId, total, v.memberCard);
                }
            }
            if (!area.isEmpty() &&
                db.select("SELECT ID FROM SArea WHERE (theName = ?) ", {area}).isEmpty()) {
                db.exec(
                    "INSERT INTO SArea (theName, thePrice, Remark, thePY) VALUES (?, ?, '', ?) ",
                    {area, a.m[3], GetPY(area)});
            }
            const QString orderNumber = s.number("UOrder", "DD");
            db.exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                    "theDel, theSKR ) VALUES (?, ?, ?, ?, ?, '订单录入', ?, '否', ?) ",
                    {orderNumber, login.businessDate, login.currentUser, received, paymentMethod,
                     login.currentStore, v.collector});
            db.exec(
                "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, WName, "
                "DType, SH1,SH2, SH3, SH4, SH5, SH6, SH7, SH8, SH01, SH02, SH03, theHX, M1, M2, "
                "M3, "
                "M4, M5, M6, M7, M8, MType, theDX, theJDR, theHYS, DState, Remark, AName, theJF, "
                "SH04, SH05, theFP, theHS, theTZ, theJK, theSKR, theDSR, theLN, MID ) VALUES (?, "
                "?, '否', "
                "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ",
                {login.businessDate,
                 login.currentUser,
                 orderNumber,
                 v.orderDate,
                 type,
                 card,
                 login.currentStore,
                 v.orderType,
                 withRecipient ? v.recipient : QString(),
                 withRecipient ? v.recipientSex : QString(),
                 withRecipient ? v.deliveryDate : QString(),
                 withRecipient ? v.timeSlot : QString(),
                 withRecipient ? v.deliveryTime : QString(),
                 withRecipient ? v.recipientPhone : QString(),
                 area,
                 withRecipient ? v.address : QString(),
                 withSender ? v.sender : QString(),
                 withSender ? v.senderSex : QString(),
                 withSender ? v.senderPhone : QString(),
                 v.product,
                 a.m[0],
                 a.m[1],
                 a.m[2],
                 a.m[3],
                 a.m[4],
                 a.m[5],
                 a.m[6],
                 a.m[7],
                 paymentMethod,
                 theDX,
                 v.receptionist,
                 v.florist,
                 v.orderState,
                 v.remark,
                 v.alliance,
                 points,
                 withSender ? v.purpose : QString(),
                 withSender ? v.recipientKind : QString(),
                 flag[v.invoice],
                 flag[v.vase],
                 flag[v.notify],
                 flag[v.settleOnDelivery],
                 v.collector,
                 v.deliverer,
                 flag[v.nextYear],
                 type == kMember ? QVariant(v.memberId)
                                 : QVariant(QMetaType::fromType<qlonglong>())});
            return orderNumber;
        });
    } catch (const Shortfall& shortfall) {
        return refuse(shortfall.text(), "收款方式");
    }
    result.points = points;
    result.outcome = FormOutcome::success();
    return result;
}

} // namespace florist::orders
