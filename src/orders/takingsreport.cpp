#include "orders/takingsreport.h"

#include "core/text/amount.h"
#include "reports/tablereport.h"

namespace florist::orders {

using reports::HAlign;
using reports::ReportBlock;

namespace {

// The line's cells without its date, which the printout shows in the day's heading.
QStringList withoutDate(const TakingsLine& line, const QString& method) {
    QStringList cells = takingsCells(line).mid(1);
    cells[0] = method;
    return cells;
}

} // namespace

QString takingsRangeText(const TakingsQuery& query) {
    return query.from + " 至 " + query.to + "    门店：" +
           (query.store.isEmpty() ? QString("全部门店") : query.store);
}

Receipt takingsPrintout(const Takings& t, const TakingsQuery& query, const QString& shopName) {
    reports::TableReport report;
    report.name = "营业日报";
    report.heading = shopName + "营业日报";
    report.subtitle = takingsRangeText(query);
    report.columns << reports::ReportColumn{"收款方式", 24};
    for (const QString& heading : takingsHeadings().mid(2)) {
        report.columns << reports::ReportColumn{heading, 18, HAlign::Right};
    }
    for (const TakingsDay& day : t.days) {
        report.blocks << ReportBlock{
            ReportBlock::Kind::Group,
            {},
            QString("%1    订单 %2 单，总计 %3，应收 %4")
                .arg(day.date)
                .arg(day.orderCount)
                .arg(formatAmount(day.orderTotal), formatAmount(day.orderOwed)),
            8,
            true};
        for (const TakingsLine& line : t.lines) {
            if (line.date == day.date) {
                report.blocks << ReportBlock{
                    ReportBlock::Kind::Row, withoutDate(line, line.method), {}, 6};
            }
        }
        report.blocks << ReportBlock{
            ReportBlock::Kind::Total, withoutDate(day.money, "小计"), {}, 6, false, false};
    }
    report.blocks << ReportBlock{ReportBlock::Kind::Total, withoutDate(t.total, "合计"), {}, 7};
    report.blocks << ReportBlock{
        ReportBlock::Kind::Note,
        {},
        QString("订单数量：%1    订单总计：%2    订单应收：%3    会员储值余额：%4")
            .arg(t.orderCount)
            .arg(formatAmount(t.orderTotal), formatAmount(t.orderOwed),
                 formatAmount(t.storedValueOwed)),
        8};

    const QList<reports::Page> pages = reports::buildTablePages(report);
    Receipt r;
    r.kind = ReceiptKind::Document;
    r.page = pages.first();
    r.following = pages.mid(1);
    r.title = "营业日报 " + query.from + " 至 " + query.to;
    r.found = true;
    return r;
}

ExportSpec takingsExportSpec() {
    ExportSpec spec;
    spec.titleWord = "营业日报";
    spec.headings = takingsHeadings();
    spec.textColumns = {"营业日期"};
    for (const QString& h : takingsHeadings().mid(2)) {
        spec.totals << qMakePair(h, h);
    }
    return spec;
}

ExportTable takingsExportTable(const Takings& t) {
    ExportTable table;
    for (const TakingsLine& line : t.lines) {
        table.rows << takingsCells(line);
    }
    QStringList total = takingsCells(t.total);
    total[0].clear();
    total[1].clear();
    table.totalsLine = total;
    return table;
}

} // namespace florist::orders
