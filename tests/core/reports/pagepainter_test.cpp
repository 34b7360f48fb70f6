#include "core/errors.h"
#include "reports/pagepainter.h"
#include "reports/pdftext.h"
#include "reports/receiptlayouts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist::reports {
namespace {

Page orderPage() {
    RowSources sources;
    sources.set("frxDB_Dept", ResultSet({"theName", "thePhone", "theAddress", "Remark", "theGG"},
                                        {{"青禾花店", "0571-1234567", "花港路1号文金大厦",
                                          "谢谢惠顾", "鲜花传情"}}));
    sources.set("frxDB_DJ", ResultSet({"ID", "theName"}, {{1, "订单小票"}}));
    const QStringList columns{"myDate", "theNum", "theType", "AName",  "MNum",  "WName", "theHX",
                              "M1",     "M2",     "M3",      "M4",     "M5",    "M6",    "M7",
                              "M8",     "MType",  "theDX",   "theJDR", "theHYS"};
    sources.set("frxDB_DD",
                ResultSet(columns, {{"2024-05-01", "DD240501-0001", "会员", "", "M001", "总店",
                                     "玫瑰花束", 12.5, 95.5, 11.9, 10.0, 0.0, 21.9, 20.0, 1.9,
                                     "现金", "贰拾壹元玖角", "张三", "李四"}}));
    return buildPage(orderReceiptLayout(), sources);
}

TEST(PagePainter, PdfIsOnePageOfTheReceiptPaper) {
    QTemporaryDir dir;
    const QString path = dir.filePath("receipt.pdf");
    writePdf(orderPage(), path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString pdf = QString::fromLatin1(f.readAll());
    static const QRegularExpression mediaBox(
        R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
    auto boxes = mediaBox.globalMatch(pdf);
    ASSERT_TRUE(boxes.hasNext());
    const auto m = boxes.next();
    EXPECT_NEAR(m.captured(1).toDouble(), 76 * 72 / 25.4, 0.01);
    EXPECT_NEAR(m.captured(2).toDouble(), 85 * 72 / 25.4, 0.01);
    EXPECT_FALSE(boxes.hasNext());
    EXPECT_EQ(pdf.count(QRegularExpression(R"(/Type\s*/Page\b)")), 1);
}

// Text copied or searched in a saved receipt is the text printed on it: no character comes
// back as its look-alike from the radical blocks (青 as ⻘, 日 as ⽇, 门 as ⻔, ...).
TEST(PagePainter, PdfTextReadsBackAsPrinted) {
    ASSERT_FALSE(test::pdfToTextProgram().isEmpty())
        << "pdftotext is missing: run scripts/install-deps.sh";
    QTemporaryDir dir;
    const QString path = dir.filePath("receipt.pdf");
    const Page page = orderPage();
    writePdf(page, path);
    const QString text = test::pdfText(path);
    ASSERT_FALSE(text.isEmpty());
    for (const PlacedText& item : page.items) {
        EXPECT_TRUE(text.contains(item.text)) << item.text.toStdString() << " not in\n"
                                              << text.toStdString();
    }
    QString printed = pageText(page);
    QString extracted = text;
    printed.remove(QRegularExpression(R"(\s)"));
    extracted.remove(QRegularExpression(R"(\s)"));
    EXPECT_EQ(extracted.size(), printed.size()) << text.toStdString();
    for (const QChar c : extracted) {
        EXPECT_FALSE(c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF)
            << "radical " << QString(c).toStdString() << " in\n"
            << text.toStdString();
    }
}

TEST(PagePainter, UnwritablePdfIsAFailure) {
    EXPECT_THROW(writePdf(orderPage(), "/nonexistent-dir/receipt.pdf"), Failure);
}

// The ink lies inside the boxes at millimetre scale, whatever the resolution.
TEST(PagePainter, TextLandsInsideItsBoxesAtAnyResolution) {
    const Page page = orderPage();
    for (int dpi : {96, 203, 300}) {
        const QImage image = renderPage(page, dpi);
        const double s = dpi / 25.4;
        EXPECT_NEAR(image.width(), 76 * s, 1);
        EXPECT_NEAR(image.height(), 85 * s, 1);
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(line[x]) < 128) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        ASSERT_FALSE(ink.isEmpty()) << dpi;
        // Heading at 5 mm from the top, the advertising line ending at 80 mm, nothing outside
        // the 65 mm column that starts 5.5 mm from the paper's left edge.
        EXPECT_GE(ink.top(), 4.0 * s) << dpi;
        EXPECT_LE(ink.top(), 7.0 * s) << dpi;
        EXPECT_GE(ink.bottom(), 76.0 * s) << dpi;
        EXPECT_LE(ink.bottom(), 80.5 * s) << dpi;
        EXPECT_GE(ink.left(), 5.5 * s - 1) << dpi;
        EXPECT_LE(ink.left(), 6.5 * s) << dpi;
        EXPECT_LE(ink.right(), 70.5 * s) << dpi;
    }
}

} // namespace
} // namespace florist::reports
