#pragma once

#include "core/db/database.h"

namespace florist {

// A guarded decrement found too little on the fresh value: nothing was taken. text() is the
// message for the person at the counter; rowId() the member or lot whose value was too small.
class Shortfall : public Failure {
public:
    enum class Kind { Balance, Points, Stock };
    Shortfall(Kind kind, qlonglong rowId, const QString& text)
        : Failure(text), kind_(kind), rowId_(rowId) {}
    Kind kind() const { return kind_; }
    qlonglong rowId() const { return rowId_; }

private:
    Kind kind_;
    qlonglong rowId_;
};

// Each decrement is one conditional statement on the value as the database holds it now: the
// row changes only while the value stays at or above zero, so two stations charging one member
// at once never take it below zero. When no row changes a Shortfall is raised; inside a save
// that rolls back everything the save wrote before. Additions and reversals stay plain
// statements of the window's own.

// Takes amount off the member's stored value (an order paid by "储值卡").
void chargeBalance(Database& db, qlonglong memberId, double amount, const QString& cardNumber);
// Takes points off the member's points (a points exchange).
void debitPoints(Database& db, qlonglong memberId, double points, const QString& cardNumber);
// Takes quantity out of a stock lot (a requisition, damage or sale line).
void withdrawLot(Database& db, qlonglong lotId, double quantity, const QString& materialNumber,
                 const QString& materialName);

} // namespace florist
