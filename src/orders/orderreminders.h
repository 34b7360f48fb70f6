#pragma once

#include <QDate>
#include <QString>

namespace florist {
class DataModule;
}

namespace florist::orders {

// "删除 &D" of order management, in one save: for a member order the points and the visit the
// order gave go back from the member it charged (MID; for an order written before that column,
// the earliest live member with its card number), with what the order's live
// "储值卡" collections took from that member's balance; then every collection row of the order
// and the order itself are flagged deleted. An order deleted meanwhile (by another station) is
// refused with nothing changed, so nothing is given back twice.
void deleteOrder(DataModule& dm, qlonglong orderId);

// "已送" of the not-delivered list: the actual delivery date, slot and time, state "已送".
// An empty slot is refused with "送达时段 不能为空，请重新选择！".
void markDelivered(DataModule& dm, qlonglong orderId, const QDate& date, const QString& slot,
                   const QString& time);
// "已取": state "已取".
void markPickedUp(DataModule& dm, qlonglong orderId);
// "已回收": the vase flag back to '否'.
void markVaseReturned(DataModule& dm, qlonglong orderId);

// A payment taken on an order's receivable ("已收").
struct Collection {
    qlonglong orderId = 0;
    QString amount; // as typed
    QString method;
    QString collector;
};
// The field a refused collection puts the focus on.
enum class CollectionField { None, Amount, Method };

// "已收" in one save: a "储值卡" payment is charged to the member the order belongs to, as for
// its deletion (member orders only, guarded: the "不足" message when the balance is short), the
// "应收回笼" collection row is written with the business date, and the order's received and
// receivable amounts move by the amount and take the payment method. An amount above the receivable
// is taken (the receivable goes below zero). Raises a Failure with the message; fieldAtFault says
// where the focus goes.
void collectPayment(DataModule& dm, const Collection& c, CollectionField* fieldAtFault = nullptr);

} // namespace florist::orders
