#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace florist {
class Database;
}

namespace florist::orders {

// The daily takings ("营业日报"): the money a shop took and paid out per business date (the
// documents' theDate) and payment method, kept apart from what it sold. Deleted documents never
// count.
//  - in: order collections (UO_SK, taken at entry and collected later) except "储值卡" rows,
//    which bring no money in; the stored amount of top-ups (UStore M1; the gift M2 is no money);
//    partner collections (USK); what sales collected (UXS theFK);
//  - out: partner payments (UFK); what purchases paid (UCG theFK).
struct TakingsQuery {
    QString from; // yyyy-mm-dd, inclusive
    QString to;
    QString store; // empty: every store
};

// One business date and payment method.
struct TakingsLine {
    QString date;
    QString method;
    double orders = 0;    // order collections
    double topUps = 0;    // stored amounts of top-ups
    double partners = 0;  // partner collections
    double sales = 0;     // collected by sales
    double payments = 0;  // partner payments
    double purchases = 0; // paid by purchases
    double moneyIn() const { return orders + topUps + partners + sales; }
    double moneyOut() const { return payments + purchases; }
    double net() const { return moneyIn() - moneyOut(); }
    TakingsLine& operator+=(const TakingsLine& o);
};

// One business date: its orders (entered that day) and the day's money.
struct TakingsDay {
    QString date;
    int orderCount = 0;
    double orderTotal = 0; // the orders' totals (M6): the sales, however paid
    double orderOwed = 0;  // what those orders still owe (M8)
    TakingsLine money;     // the day's lines added up (date kept, method empty)
};

struct Takings {
    QList<TakingsLine> lines; // by date, then method
    QList<TakingsDay> days;   // by date; every date with money or orders
    TakingsLine total;
    int orderCount = 0;
    double orderTotal = 0;
    double orderOwed = 0;
    // What the shop owes its members: the balances of every live member (of all stores, since a
    // card is spent in any of them), as it stands now.
    double storedValueOwed = 0;
};

Takings readTakings(Database& db, const TakingsQuery& query);

// The headings of the lines' table and one line's cells, amounts in their shortest form; the
// grid, the printout and the export share them.
QStringList takingsHeadings();
QStringList takingsCells(const TakingsLine& line);
QStringList takingsDayHeadings();
QStringList takingsDayCells(const TakingsDay& day);

} // namespace florist::orders
