#include "orders/deliverysheet.h"

#include "core/db/database.h"
#include "core/text/amount.h"
#include "core/text/gbk.h"
#include "reports/tablereport.h"

namespace florist::orders {

using reports::HAlign;
using reports::ReportBlock;

namespace {

const char* const kSelect =
    "SELECT theNum, SH1, SH3, SH4, SH5, SH6, SH7, SH8, theHX, M8, theJK, theHS, Remark "
    "FROM UOrder WHERE (theDel = '否') ";

QString joined(const QString& a, const QString& b) {
    return a.isEmpty() ? b : b.isEmpty() ? a : a + " " + b;
}

} // namespace

Receipt deliverySheet(Database& db, const search::Term& filter, const QString& shopName) {
    const ResultSet rows = db.select(
        QString(kSelect) + filter.text +
            // Slots in the order the shop set them up (上午, 下午, 晚上), not by their text.
            "ORDER BY SH3, (SELECT MIN(ID) FROM SSD WHERE (SSD.theName = UOrder.SH4)), SH4, "
            "SH7, SH5, theNum",
        filter.params);

    reports::TableReport report;
    report.name = "送货单";
    report.heading = shopName + "送货单";
    report.subtitle = QString("共 %1 单").arg(rows.size());
    report.columns = {{"单号", 30},
                      {"时段 时间", 26},
                      {"收花人", 22},
                      {"收花电话", 30},
                      {"区域", 20},
                      {"商品", 28},
                      {"代收", 18, HAlign::Right},
                      {"花器", 12, HAlign::Center}};

    QString group;
    QString area;
    for (int i = 0; i < rows.size(); ++i) {
        const QString date = rows.text(i, "SH3");
        const QString slot = rows.text(i, "SH4");
        const QString thisGroup = "送达日期：" + date + "    送达时段：" + slot;
        if (thisGroup != group || i == 0) {
            group = thisGroup;
            area.clear();
            report.blocks << ReportBlock{ReportBlock::Kind::Group, {}, group, 8, true};
        }
        const QString thisArea = rows.text(i, "SH7");
        if (thisArea != area || report.blocks.last().kind == ReportBlock::Kind::Group) {
            area = thisArea;
            report.blocks << ReportBlock{ReportBlock::Kind::Subgroup,
                                         {},
                                         "区域：" + (area.isEmpty() ? QString("（未填）") : area),
                                         6,
                                         true};
        }
        const bool collect = rows.text(i, "theJK") == "是" && rows.value(i, "M8").toDouble() > 0;
        report.blocks << ReportBlock{
            ReportBlock::Kind::Row,
            {rows.text(i, "theNum"), joined(slot, rows.text(i, "SH5")), rows.text(i, "SH1"),
             rows.text(i, "SH6"), thisArea, rows.text(i, "theHX"),
             collect ? formatAmount(rows.value(i, "M8").toDouble()) : QString(),
             rows.text(i, "theHS") == "是" ? QString("是") : QString()},
            {},
            6,
            true};
        QString note = "地址：" + rows.text(i, "SH8");
        if (!rows.text(i, "Remark").isEmpty()) {
            note += "    备注：" + rows.text(i, "Remark");
        }
        // One line holds about 110 GBK bytes at the note's size; a longer note gets a second
        // line, and one longer still is drawn smaller rather than cut.
        const double noteHeight = gbkLength(note) <= 110 ? 6 : 10;
        report.blocks << ReportBlock{ReportBlock::Kind::Note, {}, note, noteHeight, false, true};
    }

    const QList<reports::Page> pages = reports::buildTablePages(report);
    Receipt r;
    r.kind = ReceiptKind::Document;
    r.page = pages.first();
    r.following = pages.mid(1);
    r.title = "送货单";
    r.found = !rows.isEmpty();
    return r;
}

} // namespace florist::orders
