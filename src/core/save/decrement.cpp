#include "core/save/decrement.h"

namespace florist {

namespace {

// Sums of typed amounts carry binary noise (0.1 + 0.2 is 0.30000000000000004): a value that
// shows as exactly the amount must pass, so the comparison allows far less than a cent.
constexpr double kNoise = 1e-6;

void decrement(Database& db, const QString& table, const QString& column, qlonglong id,
               double amount, Shortfall::Kind kind, const QString& message) {
    const QString sql = "UPDATE " + table + " SET " + column + " = " + column +
                        " - ? WHERE (ID = ?) AND (" + column + " >= ?) ";
    if (db.exec(sql, {amount, id, amount - kNoise}) == 0) {
        throw Shortfall(kind, id, message);
    }
}

} // namespace

void chargeBalance(Database& db, qlonglong memberId, double amount, const QString& cardNumber) {
    decrement(db, "UMember", "theMoney", memberId, amount, Shortfall::Kind::Balance,
              cardNumber + " 账户余额 不足，请重新选择收款方式！");
}

void debitPoints(Database& db, qlonglong memberId, double points, const QString& cardNumber) {
    decrement(db, "UMember", "theJF", memberId, points, Shortfall::Kind::Points,
              cardNumber + " 积分不足 不能兑换，请重新选择！");
}

void withdrawLot(Database& db, qlonglong lotId, double quantity, const QString& materialNumber,
                 const QString& materialName) {
    decrement(db, "UHCKC", "theCount", lotId, quantity, Shortfall::Kind::Stock,
              materialNumber + " " + materialName + " 库存不足！");
}

} // namespace florist
