#include "reports/tablereport.h"

namespace florist::reports {

namespace {

constexpr double kMargin = 12;
constexpr double kHeadingPx = 20;
constexpr double kSubtitlePx = 12;
constexpr double kBodyPx = 12;
constexpr double kGroupPx = 14;
constexpr double kFooterHeight = 8;
constexpr double kCellPadding = 1;

struct Frame {
    QSizeF paper;
    double left = kMargin;
    double width = 0;
    double bodyBottom = 0;
};

PlacedText text(const QRectF& rect, const QString& content, double px, HAlign h = HAlign::Left,
                VAlign v = VAlign::Center) {
    PlacedText t;
    t.rectMm = rect;
    t.text = content;
    t.fontPx = px;
    t.hAlign = h;
    t.vAlign = v;
    return t;
}

// The heading, subtitle and column headings of a page; returns where the body starts.
double startPage(Page& page, const TableReport& report, const Frame& f) {
    double y = kMargin;
    page.items << text({f.left, y, f.width, 9}, report.heading, kHeadingPx, HAlign::Center);
    y += 10;
    if (!report.subtitle.isEmpty()) {
        page.items << text({f.left, y, f.width, 6}, report.subtitle, kSubtitlePx);
        y += 7;
    }
    double x = f.left;
    for (const ReportColumn& c : report.columns) {
        page.items << text({x + kCellPadding, y, c.widthMm - 2 * kCellPadding, 6}, c.heading,
                           kBodyPx, c.hAlign);
        x += c.widthMm;
    }
    page.rulesMm << QLineF(f.left, y, f.left + f.width, y);
    y += 6;
    page.rulesMm << QLineF(f.left, y, f.left + f.width, y);
    return y + 1;
}

void placeBlock(Page& page, const TableReport& report, const ReportBlock& b, const Frame& f,
                double y) {
    using Kind = ReportBlock::Kind;
    const QRectF across(f.left, y, f.width, b.heightMm);
    switch (b.kind) {
    case Kind::Group:
        page.items << text(across, b.text, kGroupPx);
        page.rulesMm << QLineF(f.left, y + b.heightMm, f.left + f.width, y + b.heightMm);
        break;
    case Kind::Subgroup:
        page.items << text(across, b.text, kBodyPx);
        break;
    case Kind::Note: {
        PlacedText note =
            text(across.adjusted(kCellPadding, 0, -kCellPadding, 0), b.text, kBodyPx - 1);
        note.wrap = true;
        note.shrinkToFit = true;
        note.vAlign = VAlign::Top;
        page.items << note;
        break;
    }
    case Kind::Total:
        page.rulesMm << QLineF(f.left, y, f.left + f.width, y);
        [[fallthrough]];
    case Kind::Row: {
        double x = f.left;
        for (int i = 0; i < report.columns.size(); ++i) {
            const ReportColumn& c = report.columns.at(i);
            page.items << text({x + kCellPadding, y, c.widthMm - 2 * kCellPadding, b.heightMm},
                               b.cells.value(i), kBodyPx, c.hAlign);
            x += c.widthMm;
        }
        break;
    }
    }
    if (b.ruleBelow) {
        page.rulesMm << QLineF(f.left, y + b.heightMm, f.left + f.width, y + b.heightMm);
    }
}

// The height of the run of blocks from i that must stay together.
double keptHeight(const QList<ReportBlock>& blocks, int i) {
    double h = 0;
    for (; i < blocks.size(); ++i) {
        h += blocks.at(i).heightMm;
        if (!blocks.at(i).keepWithNext) {
            break;
        }
    }
    return h;
}

} // namespace

QList<Page> buildTablePages(const TableReport& report) {
    Frame f;
    f.paper = report.landscape ? QSizeF(297, 210) : QSizeF(210, 297);
    f.width = f.paper.width() - 2 * kMargin;
    f.bodyBottom = f.paper.height() - kMargin - kFooterHeight;

    QList<Page> pages;
    auto newPage = [&] {
        Page p;
        p.name = report.name;
        p.paperMm = f.paper;
        p.marginsMm = QMarginsF(kMargin, kMargin, kMargin, kMargin);
        pages << p;
        return startPage(pages.last(), report, f);
    };
    double y = newPage();
    const double bodyTop = y;
    for (int i = 0; i < report.blocks.size(); ++i) {
        const double needed = report.blocks.at(i).keepWithNext ? keptHeight(report.blocks, i)
                                                               : report.blocks.at(i).heightMm;
        // A run taller than a whole page starts where it is and breaks where it must.
        const bool fitsAPage = needed <= f.bodyBottom - bodyTop;
        if (y + (fitsAPage ? needed : report.blocks.at(i).heightMm) > f.bodyBottom && y > bodyTop) {
            y = newPage();
        }
        placeBlock(pages.last(), report, report.blocks.at(i), f, y);
        y += report.blocks.at(i).heightMm;
    }
    for (int n = 0; n < pages.size(); ++n) {
        pages[n].items << text({f.left, f.paper.height() - kMargin - 6, f.width, 6},
                               QString("第 %1 页 共 %2 页").arg(n + 1).arg(pages.size()),
                               kSubtitlePx - 1, HAlign::Center);
    }
    return pages;
}

} // namespace florist::reports
