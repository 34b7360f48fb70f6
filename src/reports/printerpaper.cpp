#include "reports/printerpaper.h"

#include <QtMath>

namespace florist::reports {

namespace {

// Points in one unit of a page layout.
double pointsPer(QPageLayout::Unit unit) {
    switch (unit) {
    case QPageLayout::Millimeter:
        return 72 / 25.4;
    case QPageLayout::Point:
        return 1;
    case QPageLayout::Inch:
        return 72;
    case QPageLayout::Pica:
        return 12;
    case QPageLayout::Didot:
        return 1.07;
    case QPageLayout::Cicero:
        return 12.84;
    }
    return 1;
}

QMarginsF toMm(const QMarginsF& m, QPageLayout::Unit unit) {
    return m * (pointsPer(unit) / pointsPer(QPageLayout::Millimeter));
}

QMarginsF larger(const QMarginsF& a, const QMarginsF& b) {
    return {qMax(a.left(), b.left()), qMax(a.top(), b.top()), qMax(a.right(), b.right()),
            qMax(a.bottom(), b.bottom())};
}

// Qt reads a driver's size range in whole points: a roll that takes up to 215.43 pt (76 mm)
// says 215 pt, so the range is given half a point more on either side.
bool within(const QSizeF& size, const QSizeF& minimum, const QSizeF& maximum) {
    constexpr double slack = 0.5 * 25.4 / 72;
    if (!minimum.isEmpty() &&
        (size.width() < minimum.width() - slack || size.height() < minimum.height() - slack)) {
        return false;
    }
    return maximum.isEmpty() ||
           (size.width() <= maximum.width() + slack && size.height() <= maximum.height() + slack);
}

QPageSize receiptSize(const Page& page) {
    return QPageSize(page.paperMm, QPageSize::Millimeter, page.name, QPageSize::ExactMatch);
}

} // namespace

bool takesPaper(const PrinterPaper& printer, const QSizeF& paperMm) {
    if (printer.customSizes && within(paperMm, printer.minimumMm, printer.maximumMm)) {
        return true;
    }
    const QPageSize wanted(paperMm, QPageSize::Millimeter, {}, QPageSize::ExactMatch);
    for (const QPageSize& size : printer.sizes) {
        if (size.isEquivalentTo(wanted)) {
            return true;
        }
    }
    return false;
}

QPageLayout receiptPrintLayout(const Page& page, const PrinterPaper& printer,
                               const std::optional<QMarginsF>& typedMm) {
    QPageSize size = receiptSize(page);
    if (!takesPaper(printer, page.paperMm)) {
        size = printer.defaultSize.isValid() ? printer.defaultSize : QPageSize(QPageSize::A4);
    }
    const QMarginsF minimum =
        printer.minimumMarginsMm ? printer.minimumMarginsMm(size) : QMarginsF(0, 0, 0, 0);
    const QMarginsF margins = larger(typedMm.value_or(page.marginsMm), minimum);
    return QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Millimeter, minimum);
}

QMarginsF marginsMm(const QPageLayout& layout) {
    return toMm(layout.margins(), layout.units());
}

QMarginsF minimumMarginsMm(const QPageLayout& layout) {
    return toMm(layout.minimumMargins(), layout.units());
}

bool sameMargins(const QMarginsF& a, const QMarginsF& b) {
    constexpr double slack = 0.05;
    return qAbs(a.left() - b.left()) < slack && qAbs(a.top() - b.top()) < slack &&
           qAbs(a.right() - b.right()) < slack && qAbs(a.bottom() - b.bottom()) < slack;
}

} // namespace florist::reports
