#include "reports/printerpaper.h"

#include <gtest/gtest.h>

namespace florist::reports {
namespace {

Page receiptPage(double height) {
    Page page;
    page.name = "订单小票";
    page.paperMm = QSizeF(76, height);
    page.marginsMm = QMarginsF(5.5, 5, 3, 3);
    return page;
}

PrinterPaper printerWith(bool custom, const QMarginsF& minimum) {
    PrinterPaper p;
    p.customSizes = custom;
    p.minimumMarginsMm = [minimum](const QPageSize&) { return minimum; };
    return p;
}

// What reaches the printer for a receipt: the paper (its own where the printer takes it) and
// each margin the larger of the receipt's or the typed one and the printer's minimum.
TEST(PrinterPaper, ReceiptPaperAndMarginsForEachKindOfPrinter) {
    PrinterPaper narrowRoll = printerWith(true, {4, 4, 4, 4});
    narrowRoll.minimumMm = QSizeF(20, 20);
    narrowRoll.maximumMm = QSizeF(72, 3000);
    PrinterPaper listsReceipt = printerWith(false, {});
    listsReceipt.sizes = {QPageSize(QPageSize::A4),
                          QPageSize(QSizeF(76, 85), QPageSize::Millimeter, "Roll 76x85")};
    PrinterPaper letter = printerWith(false, {6.35, 6.35, 6.35, 6.35});
    letter.defaultSize = QPageSize(QPageSize::Letter);
    // A driver's range as Qt reads it, in whole points: up to 215 pt for a 215.43 pt roll.
    PrinterPaper roll = printerWith(true, {4, 4, 4, 4});
    roll.minimumMm = QSizeF(25.4, 25.4);
    roll.maximumMm = QSizeF(215 * 25.4 / 72, 3000);

    struct Case {
        const char* name;
        PrinterPaper printer;
        std::optional<QMarginsF> typed;
        QSizeF paper;
        QMarginsF margins;
    } cases[] = {
        {"PDF or zero-margin roll", printerWith(true, {}), {}, {76, 85}, {5.5, 5, 3, 3}},
        {"roll with 4 mm edges", roll, {}, {76, 85}, {5.5, 5, 4, 4}},
        {"roll with a wide left edge", printerWith(true, {7, 2, 1, 1}), {}, {76, 85}, {7, 5, 3, 3}},
        {"A4 only",
         printerWith(false, {4.23, 4.23, 4.23, 4.23}),
         {},
         {210, 297},
         {5.5, 5, 4.23, 4.23}},
        {"Letter by default", letter, {}, {215.9, 279.4}, {6.35, 6.35, 6.35, 6.35}},
        {"lists the receipt's size", listsReceipt, {}, {76, 85}, {5.5, 5, 3, 3}},
        {"custom sizes up to 72 mm", narrowRoll, {}, {210, 297}, {5.5, 5, 4, 4}},
        {"typed margins", printerWith(true, {}), QMarginsF(10, 8, 0, 0), {76, 85}, {10, 8, 0, 0}},
        {"typed below the minimum", roll, QMarginsF(1, 1, 1, 1), {76, 85}, {4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        const QPageLayout layout = receiptPrintLayout(receiptPage(85), c.printer, c.typed);
        const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
        EXPECT_NEAR(paper.width(), c.paper.width(), 0.01) << c.name;
        EXPECT_NEAR(paper.height(), c.paper.height(), 0.01) << c.name;
        EXPECT_EQ(layout.orientation(), QPageLayout::Portrait) << c.name;
        EXPECT_TRUE(sameMargins(marginsMm(layout), c.margins)) << c.name;
        // The receipt's size is kept exactly, not swapped for a whole-point or named near size.
        if (c.paper == QSizeF(76, 85)) {
            EXPECT_EQ(layout.pageSize().size(QPageSize::Millimeter), QSizeF(76, 85)) << c.name;
        }
    }
}

TEST(PrinterPaper, MarginsConvertToMillimetresFromAnyUnit) {
    const QPageLayout points(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(72, 36, 12, 0), QPageLayout::Point,
                             QMarginsF(12, 12, 12, 0));
    EXPECT_TRUE(sameMargins(marginsMm(points), {25.4, 12.7, 4.233, 0}));
    EXPECT_TRUE(sameMargins(minimumMarginsMm(points), {4.233, 4.233, 4.233, 0}));
    EXPECT_FALSE(sameMargins({5.5, 5, 3, 3}, {5.5, 5, 3, 3.1}));
}

} // namespace
} // namespace florist::reports
