#include "orders/takings.h"

#include "core/db/database.h"
#include "core/text/amount.h"

#include <QMap>

namespace florist::orders {

namespace {

// Where money comes from or goes to: the table, the amount column and which figure it adds to.
struct Source {
    const char* table;
    const char* amount;
    double TakingsLine::*figure;
    const char* extra; // a further term, or ""
};

const Source kSources[] = {
    {"UO_SK", "theMoney", &TakingsLine::orders, "AND (MType <> '储值卡') "},
    {"UStore", "M1", &TakingsLine::topUps, ""},
    {"USK", "theMoney", &TakingsLine::partners, ""},
    {"UXS", "theFK", &TakingsLine::sales, ""},
    {"UFK", "theMoney", &TakingsLine::payments, ""},
    {"UCG", "theFK", &TakingsLine::purchases, ""},
};

// "WHERE (theDel = '否') AND (theDate BETWEEN ? AND ?) [AND (WName = ?)] "
QString where(const TakingsQuery& q, QVariantList& params) {
    params = {q.from, q.to};
    QString w = "WHERE (theDel = '否') AND (theDate BETWEEN ? AND ?) ";
    if (!q.store.isEmpty()) {
        w += "AND (WName = ?) ";
        params << q.store;
    }
    return w;
}

} // namespace

TakingsLine& TakingsLine::operator+=(const TakingsLine& o) {
    orders += o.orders;
    topUps += o.topUps;
    partners += o.partners;
    sales += o.sales;
    payments += o.payments;
    purchases += o.purchases;
    return *this;
}

Takings readTakings(Database& db, const TakingsQuery& query) {
    QMap<QPair<QString, QString>, TakingsLine> lines;
    QMap<QString, TakingsDay> days;
    QVariantList params;
    const QString filter = where(query, params);
    for (const Source& s : kSources) {
        const ResultSet rows = db.select(
            QString("SELECT theDate, MType, SUM(%1) AS theSum FROM %2 ").arg(s.amount, s.table) +
                filter + s.extra + "GROUP BY theDate, MType",
            params);
        for (int i = 0; i < rows.size(); ++i) {
            const QString date = rows.text(i, "theDate");
            const QString method = rows.text(i, "MType");
            TakingsLine& line = lines[{date, method}];
            line.date = date;
            line.method = method;
            line.*(s.figure) += rows.value(i, "theSum").toDouble();
        }
    }
    const ResultSet orders = db.select("SELECT theDate, COUNT(*) AS theCount, SUM(M6) AS theTotal, "
                                       "SUM(M8) AS theOwed FROM UOrder " +
                                           filter + "GROUP BY theDate",
                                       params);
    for (int i = 0; i < orders.size(); ++i) {
        TakingsDay& day = days[orders.text(i, "theDate")];
        day.orderCount = orders.value(i, "theCount").toInt();
        day.orderTotal = orders.value(i, "theTotal").toDouble();
        day.orderOwed = orders.value(i, "theOwed").toDouble();
    }

    Takings t;
    for (const TakingsLine& line : lines) {
        t.lines << line;
        days[line.date].money += line;
        t.total += line;
    }
    for (auto it = days.begin(); it != days.end(); ++it) {
        it->date = it.key();
        it->money.date = it.key();
        t.days << *it;
        t.orderCount += it->orderCount;
        t.orderTotal += it->orderTotal;
        t.orderOwed += it->orderOwed;
    }
    t.storedValueOwed =
        db.scalar("SELECT SUM(theMoney) FROM UMember WHERE (theDel = '否')").toDouble();
    return t;
}

QStringList takingsHeadings() {
    return {"营业日期", "收款方式", "订单收款", "储值收款", "往来收款", "销售收款",
            "收入合计", "往来付款", "采购付款", "支出合计", "净收入"};
}

QStringList takingsCells(const TakingsLine& l) {
    return {l.date,
            l.method,
            formatAmount(l.orders),
            formatAmount(l.topUps),
            formatAmount(l.partners),
            formatAmount(l.sales),
            formatAmount(l.moneyIn()),
            formatAmount(l.payments),
            formatAmount(l.purchases),
            formatAmount(l.moneyOut()),
            formatAmount(l.net())};
}

QStringList takingsDayHeadings() {
    return {"营业日期", "订单数量", "订单总计", "订单应收", "收入合计", "支出合计", "净收入"};
}

QStringList takingsDayCells(const TakingsDay& d) {
    return {d.date,
            QString::number(d.orderCount),
            formatAmount(d.orderTotal),
            formatAmount(d.orderOwed),
            formatAmount(d.money.moneyIn()),
            formatAmount(d.money.moneyOut()),
            formatAmount(d.money.net())};
}

} // namespace florist::orders
