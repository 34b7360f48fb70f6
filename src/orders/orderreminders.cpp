#include "orders/orderreminders.h"

#include "core/errors.h"
#include "core/save/decrement.h"
#include "core/save/saverunner.h"
#include "core/text/numberinput.h"
#include "storedvalue/documentmember.h"

namespace florist::orders {

namespace {

const QString kCard = QStringLiteral("储值卡");

struct OrderHead {
    QString number;
    QString type;
    QString card;
    double points = 0;
    QVariant memberId; // the member a member order charged (MID); null on older rows
};

// The order as it is now, held until the save ends; a Failure when another station deleted it
// since the list was read. The guarded update that changes nothing takes the order's row lock
// first, so that a deletion and a collection of one order on two stations run one after the
// other: otherwise a collection could add its row (and charge the card) to an order another
// station was deleting, leaving a live collection row under a deleted order and the charge
// never given back. The select then reads what the other station committed.
OrderHead liveOrder(Database& db, qlonglong orderId) {
    if (db.exec("UPDATE UOrder SET theDel = theDel WHERE (ID = ?) AND (theDel = '否') ",
                {orderId}) == 0) {
        throw Failure("该订单 已删除，请重新查询！");
    }
    const ResultSet r = db.select(
        "SELECT theNum, theType, MNum, theJF, MID FROM UOrder WHERE (ID = ?) AND (theDel = '否') ",
        {orderId});
    if (r.isEmpty()) {
        throw Failure("该订单 已删除，请重新查询！");
    }
    return {r.text(0, "theNum"), r.text(0, "theType"), r.text(0, "MNum"),
            r.value(0, "theJF").toDouble(), r.value(0, "MID")};
}

void flagOrderDeleted(Database& db, qlonglong orderId) {
    // Guarded too: of two stations deleting at once only one may give anything back.
    if (db.exec("UPDATE UOrder SET theDel = '是' WHERE (ID = ?) AND (theDel = '否') ", {orderId}) ==
        0) {
        throw Failure("该订单 已删除，请重新查询！");
    }
}

// A single update of one live order; refused when the order is gone.
void updateLiveOrder(DataModule& dm, const QString& set, QVariantList params, qlonglong orderId) {
    params << orderId;
    if (dm.db().exec("UPDATE UOrder SET " + set + " WHERE (ID = ?) AND (theDel = '否')", params) ==
        0) {
        throw Failure("该订单 已删除，请重新查询！");
    }
}

} // namespace

void deleteOrder(DataModule& dm, qlonglong orderId) {
    runSave(dm, [&](Save& s) {
        Database& db = s.db();
        const OrderHead o = liveOrder(db, orderId);
        if (o.type == "会员") {
            // Only the member the order charged (or, for an older order, the earliest live
            // member holding its card): a deleted member that once had the same number, or a
            // second member given the same number, keeps what it had.
            const qlonglong member = storedvalue::documentMember(db, o.memberId, o.card);
            db.exec("UPDATE UMember SET theJF = theJF - ?, theCount = theCount - 1, "
                    "theMoney = theMoney + (SELECT COALESCE(SUM(theMoney), 0) FROM UO_SK "
                    "WHERE (theNum = ?) AND (theDel = '否') AND (MType = ?)) "
                    "WHERE (ID = ?) AND (theDel = '否')",
                    {o.points, o.number, kCard, member});
        }
        db.exec("UPDATE UO_SK SET theDel = '是' WHERE (theNum = ?) ", {o.number});
        flagOrderDeleted(db, orderId);
    });
}

void markDelivered(DataModule& dm, qlonglong orderId, const QDate& date, const QString& slot,
                   const QString& time) {
    if (slot.isEmpty()) {
        throw Failure("送达时段 不能为空，请重新选择！");
    }
    updateLiveOrder(dm, "SH3 = ?, SH4 = ?, SH5 = ?, DState = '已送'",
                    {date.toString("yyyy-MM-dd"), slot, time}, orderId);
}

void markPickedUp(DataModule& dm, qlonglong orderId) {
    updateLiveOrder(dm, "DState = '已取'", {}, orderId);
}

void markVaseReturned(DataModule& dm, qlonglong orderId) {
    updateLiveOrder(dm, "theHS = '否'", {}, orderId);
}

void collectPayment(DataModule& dm, const Collection& c, CollectionField* fieldAtFault) {
    auto fault = [&](CollectionField f) {
        if (fieldAtFault) {
            *fieldAtFault = f;
        }
    };
    fault(CollectionField::Amount);
    const double amount = parseTypedNumber(c.amount, "收款金额", EmptyText::Refused);
    fault(CollectionField::None);
    const LoginValues& login = dm.login();
    try {
        runSave(dm, [&](Save& s) {
            Database& db = s.db();
            const OrderHead o = liveOrder(db, c.orderId);
            if (c.method == kCard) {
                if (o.type != "会员") {
                    fault(CollectionField::Method);
                    throw Failure(o.type + " 不能选择储值卡，请重新选择收款方式！");
                }
                const qlonglong member = storedvalue::documentMember(db, o.memberId, o.card);
                const bool live =
                    member > 0 &&
                    db.count("SELECT ID FROM UMember WHERE (ID = ?) AND (theDel = '否') ",
                             {member}) > 0;
                if (!live) {
                    fault(CollectionField::Method);
                    throw Failure(o.card + " 会员 不存在，请重新选择收款方式！");
                }
                chargeBalance(db, member, amount, o.card);
            }
            db.exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                    "theDel, theSKR ) VALUES (?, ?, ?, ?, ?, '应收回笼', ?, '否', ? ) ",
                    {o.number, s.businessDate(), login.currentUser, amount, c.method,
                     login.currentStore, c.collector});
            db.exec("UPDATE UOrder SET M7 = M7 + ?, M8 = M8 - ?, MType = ? WHERE (ID = ?) ",
                    {amount, amount, c.method, c.orderId});
        });
    } catch (const Shortfall&) {
        fault(CollectionField::Method);
        throw;
    }
}

} // namespace florist::orders
