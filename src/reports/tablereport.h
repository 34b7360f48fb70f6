#pragma once

#include "reports/pagebuilder.h"

namespace florist::reports {

// A column of a report printed as a table on A4.
struct ReportColumn {
    QString heading;
    double widthMm = 20;
    HAlign hAlign = HAlign::Left;
};

// One block of a table report, kept whole on one page.
struct ReportBlock {
    enum class Kind {
        Group,    // a heading line across the page, a rule below
        Subgroup, // a smaller heading line
        Row,      // one cell per column
        Note,     // text across the page, wrapped within heightMm
        Total     // a row of cells with a rule above
    };
    Kind kind = Kind::Row;
    QStringList cells; // Row and Total
    QString text;      // Group, Subgroup and Note
    double heightMm = 6;
    // The block and the next stay on one page (a heading and its first row, a row and its note).
    bool keepWithNext = false;
    // A thin rule under the block.
    bool ruleBelow = false;
};

// A report printed on A4 (portrait unless landscape): the shop's name and the title as heading,
// a subtitle line, the column headings, then the blocks; "第 n 页 共 m 页" at every page's foot.
struct TableReport {
    QString name; // the page name, e.g. 送货单
    QString heading;
    QString subtitle;
    QList<ReportColumn> columns;
    QList<ReportBlock> blocks;
    bool landscape = false;
};

// The pages, at least one (with the headings alone when there are no blocks).
QList<Page> buildTablePages(const TableReport& report);

} // namespace florist::reports
