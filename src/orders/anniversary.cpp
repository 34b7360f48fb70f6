#include "orders/anniversary.h"

#include <QMap>

namespace florist::orders {

using search::Column;
using search::ColumnKind;
using search::Condition;
using search::InputKind;
using search::Match;
using search::SearchDescriptor;
using search::Term;

namespace {

const QString kMonthDay = QStringLiteral("SUBSTRING(myDate, 6, 5)");

Column text(const QString& heading, const QString& field, int width = 0) {
    Column c;
    c.heading = heading;
    c.field = field;
    c.width = width;
    return c;
}

// The order of the coming days as a number: month * 100 + day, and the days of next year after
// those of this one (a window that crosses New Year).
Column comingDayKey(const QDate& business) {
    Column c;
    c.heading = "来年同日序";
    c.field = "CAST(NULLIF(SUBSTRING(myDate, 6, 2), '') AS INTEGER) * 100 + "
              "CAST(NULLIF(SUBSTRING(myDate, 9, 2), '') AS INTEGER) + "
              "CASE WHEN " +
              kMonthDay + " < ? THEN 10000 ELSE 0 END";
    c.params = {business.toString("MM-dd")};
    c.kind = ColumnKind::Number;
    c.hidden = true;
    c.exported = false;
    return c;
}

} // namespace

Term anniversaryFilter(const QDate& business, int days) {
    days = qBound(0, days, kAnniversaryDaysMax);
    // The month-days of each year the window touches (at most two).
    QMap<int, QStringList> byYear;
    for (int i = 0; i <= days; ++i) {
        const QDate d = business.addDays(i);
        QStringList& list = byYear[d.year()];
        list << d.toString("MM-dd");
        if (d.month() == 2 && d.day() == 28 && !QDate::isLeapYear(d.year())) {
            list << "02-29";
        }
    }
    Term t{"AND (theLN = ?) AND (", {QString("是")}};
    QStringList parts;
    for (auto it = byYear.cbegin(); it != byYear.cend(); ++it) {
        parts << "(" + kMonthDay + " IN (" + QStringList(it->size(), "?").join(",") +
                     ") AND myDate < ?)";
        for (const QString& md : *it) {
            t.params << md;
        }
        t.params << QDate(it.key(), 1, 1).toString("yyyy-MM-dd");
    }
    t.text += parts.join(" OR ") + ") ";
    return t;
}

SearchDescriptor anniversarySpec(const QDate& business) {
    SearchDescriptor s;
    s.objectName = "frmOrder_LN";
    s.caption = "来年同日提醒";
    s.from = "UOrder";
    Condition c;
    c.caption = "提醒天数";
    c.kind = InputKind::Number;
    c.match = Match::Custom;
    c.startsTicked = true;
    c.always = true;
    c.numberMin = 0;
    c.numberMax = kAnniversaryDaysMax;
    c.numberPreset = kAnniversaryDaysPreset;
    c.term = [business](const search::ConditionInput& in) {
        return anniversaryFilter(business, in.number);
    };
    s.conditions = {c};
    Column total = text("总计", "M6", 60);
    total.kind = ColumnKind::Number;
    s.columns = {text("门店名称", "WName"),
                 text("单号", "theNum", 110),
                 text("订单日期", "myDate"),
                 text("类型", "theType"),
                 text("卡号", "MNum"),
                 text("送花人", "SH01", 80),
                 text("送花性别", "SH02"),
                 text("送花电话", "SH03", 100),
                 text("收花人", "SH1", 80),
                 text("收花性别", "SH2"),
                 text("收花电话", "SH6", 100),
                 text("送达时段", "SH4"),
                 text("送达时间", "SH5"),
                 text("送达区域", "SH7", 80),
                 text("送达地址", "SH8", 180),
                 text("商品名称", "theHX"),
                 total,
                 text("送花用途", "SH04"),
                 text("送花对象", "SH05"),
                 text("备注", "Remark", 120),
                 comingDayKey(business)};
    Column id = text("ID", "ID");
    id.kind = ColumnKind::Number;
    id.hidden = true;
    s.columns << id;
    s.countCaption = "订单数量：";
    s.totals = {{"总计：", "SUM(M6)", "总计"}};
    s.sortHeading = "来年同日序";
    s.sortAscending = true;
    return s;
}

} // namespace florist::orders
