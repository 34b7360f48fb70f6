#include "reports/pagepainter.h"
#include "reports/pdftext.h"
#include "reports/receiptlayouts.h"
#include "reports/receiptpreview.h"
#include "reports/tablereport.h"
#include "support/dbfixture.h"
#include "support/uitest.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace florist {
namespace {

using ui::ReceiptPreview;

Receipt sampleReceipt() {
    reports::RowSources sources;
    sources.set("frxDB_Dept",
                ResultSet({"theName", "thePhone", "theAddress", "Remark", "theGG"},
                          {{"青禾花店", "0571-1234567", "花港路1号", "谢谢惠顾", "鲜花传情"}}));
    sources.set("frxDB_DJ", ResultSet({"ID", "theName"}, {{3, "兑换小票"}}));
    sources.set(
        "frxDB_DH",
        ResultSet({"myDate", "theNum", "MNum", "WName", "GName", "thePrice", "theCount", "theJDR"},
                  {{"2024-05-01", "DH240501-0001", "M001", "总店", "小熊", 12.5, 2.0, "赵六"}}));
    Receipt r;
    r.kind = ReceiptKind::Exchange;
    r.number = "DH240501-0001";
    r.page = reports::buildPage(reports::exchangeReceiptLayout(), sources);
    r.title = "兑换小票 DH240501-0001";
    r.found = true;
    return r;
}

class ReceiptPreviewTest : public ::testing::Test {
protected:
    void TearDown() override {
        ReceiptPreview::setFileChooser({});
        ReceiptPreview::setPrinterDialogRunner({});
        ReceiptPreview::setPaperReader({});
    }
    QTemporaryDir dir_;
};

TEST_F(ReceiptPreviewTest, BuildsZoomsAndFindsWithoutShowing) {
    ReceiptPreview preview(sampleReceipt());
    EXPECT_EQ(preview.windowTitle(), "兑换小票 DH240501-0001");
    for (const char* name : {"btnPrint", "btnPageSetup", "btnZoomIn", "btnZoomOut", "btnFitWidth",
                             "btnFitPage", "btnFind", "btnSavePdf", "btnSavePng", "btnClose"}) {
        EXPECT_NE(test::findByName<QPushButton>(&preview, name), nullptr) << name;
    }
    auto* view = test::findByName<QLabel>(&preview, "pageView");
    ASSERT_NE(view, nullptr);
    const int width = view->pixmap().width();
    preview.zoomIn();
    EXPECT_GT(preview.zoom(), 2.0);
    EXPECT_GT(view->pixmap().width(), width);
    preview.setZoom(1);
    // 76 mm at 96 dpi.
    EXPECT_NEAR(view->pixmap().width() / view->pixmap().devicePixelRatio(), 287, 1);
    preview.zoomOut();
    EXPECT_LT(preview.zoom(), 1);

    EXPECT_EQ(preview.find("dh240501"), 1);
    EXPECT_EQ(preview.matches().first().start, 3);
    EXPECT_EQ(test::findByName<QLabel>(&preview, "lblFound")->text(), "找到 1 处");
    EXPECT_EQ(preview.find("积分"), 1);
    EXPECT_EQ(preview.find("不存在"), 0);
    EXPECT_EQ(test::findByName<QLabel>(&preview, "lblFound")->text(), "未找到“不存在”");
}

TEST_F(ReceiptPreviewTest, SavesPdfAndPngThroughTheFileChooser) {
    QStringList asked;
    QString answer;
    ReceiptPreview::setFileChooser(
        [&](QWidget*, const QString&, const QString& suggested, const QString&) {
            asked << suggested;
            return answer;
        });
    ReceiptPreview preview(sampleReceipt());

    EXPECT_FALSE(preview.saveAsPdf());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.first().endsWith("兑换小票_DH240501-0001.pdf"));

    answer = dir_.filePath("receipt");
    EXPECT_TRUE(preview.saveAsPdf());
    QFile pdf(answer + ".pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    answer = dir_.filePath("receipt.PNG");
    EXPECT_TRUE(preview.saveAsPng());
    const QImage png(answer);
    ASSERT_FALSE(png.isNull());
    EXPECT_NEAR(png.width(), 76 / 25.4 * 300, 1);
    EXPECT_NEAR(png.height(), 60 / 25.4 * 300, 1);
    EXPECT_EQ(png.text("Title"), "兑换小票");
    EXPECT_TRUE(png.text("Description").startsWith("青禾花店兑换小票\n日期：2024-05-01\n"))
        << png.text("Description").toStdString();

    test::PromptRecorder prompts;
    answer = "/nonexistent-dir/receipt.pdf";
    EXPECT_FALSE(preview.saveAsPdf());
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("/nonexistent-dir/receipt.pdf"));
}

// A printer as the print and page set-up dialogs leave it, and what then reaches the paper:
// the receipt's own paper wherever the printer takes it, margins no smaller than the
// printer's, and the receipt drawn inside them. The printers are PDF files standing for the
// kinds of printer a shop has; the dialogs do to them what Qt's do.
TEST_F(ReceiptPreviewTest, PrintsTheReceiptsPaperInsideThePrintersMargins) {
    ASSERT_FALSE(test::pdfToTextProgram().isEmpty())
        << "pdftotext is missing: run scripts/install-deps.sh";
    const auto printerWith = [](bool custom, const QMarginsF& minimum) {
        reports::PrinterPaper p;
        p.customSizes = custom;
        p.minimumMarginsMm = [minimum](const QPageSize&) { return minimum; };
        return p;
    };
    const QPageSize a4(QPageSize::A4);
    const QPageSize tallRoll(QSizeF(76, 297), QPageSize::Millimeter);
    struct State {
        const char* name;
        // Stands for the printer's description; none reads the PDF printer's own.
        std::optional<reports::PrinterPaper> paper;
        // The paper the print dialog resets the printer to.
        QPageSize dialogPaper;
        // Margins typed in page set-up.
        std::optional<QMarginsF> typed;
        QSizeF paperMm;
        QMarginsF marginsMm;
    } states[] = {
        {"roll printer with 4 mm edges",
         printerWith(true, {4, 4, 4, 4}),
         tallRoll,
         {},
         {76, 60},
         {5.5, 5, 4, 4}},
        {"A4-only office printer",
         printerWith(false, {4.23, 4.23, 4.23, 4.23}),
         a4,
         {},
         {210, 297},
         {5.5, 5, 4.23, 4.23}},
        {"zero-margin printer", {}, a4, {}, {76, 60}, {5.5, 5, 3, 3}},
        {"wide left edge", printerWith(true, {8, 6, 2, 2}), tallRoll, {}, {76, 60}, {8, 6, 3, 3}},
        {"margins typed in page set-up", {}, a4, QMarginsF(12, 9, 5, 5), {76, 60}, {12, 9, 5, 5}},
    };
    for (const State& state : states) {
        SCOPED_TRACE(state.name);
        const QString path = dir_.filePath(QString("%1.pdf").arg(state.name));
        if (state.paper) {
            ReceiptPreview::setPaperReader([&](QPrinter&) { return *state.paper; });
        } else {
            ReceiptPreview::setPaperReader({});
        }
        QStringList dialogs;
        ReceiptPreview::setPrinterDialogRunner(
            [&](QWidget*, QPrinter& printer, ReceiptPreview::PrinterDialog dialog) {
                if (dialog == ReceiptPreview::PrinterDialog::PageSetup) {
                    dialogs << "页面设置";
                    if (state.typed) {
                        printer.setPageMargins(*state.typed, QPageLayout::Millimeter);
                    }
                    return true;
                }
                dialogs << "打印";
                printer.setPageSize(state.dialogPaper);
                return true;
            });
        ReceiptPreview preview(sampleReceipt());
        preview.printer().setOutputFileName(path);
        preview.fitPrinter(preview.printer());
        preview.pageSetup();
        preview.print();
        EXPECT_EQ(dialogs, QStringList({"页面设置", "打印"}));

        // What reached the painter.
        const QPageLayout layout = preview.printer().pageLayout();
        const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
        EXPECT_NEAR(paper.width(), state.paperMm.width(), 0.01);
        EXPECT_NEAR(paper.height(), state.paperMm.height(), 0.01);
        EXPECT_TRUE(reports::sameMargins(reports::marginsMm(layout), state.marginsMm))
            << reports::marginsMm(layout).left() << " " << reports::marginsMm(layout).top();
        EXPECT_FALSE(preview.printer().fullPage());

        // What came out: the exact paper, the heading centred in its box on the 65 mm column
        // and the first left-hand box at the left margin, 10 mm below the heading.
        const test::PdfPage out = test::pdfWords(path);
        EXPECT_NEAR(out.sizeMm.width(), state.paperMm.width(), 0.01);
        EXPECT_NEAR(out.sizeMm.height(), state.paperMm.height(), 0.01);
        ASSERT_GE(out.words.size(), 2);
        const QRectF heading = out.words.first().rectMm;
        EXPECT_EQ(out.words.first().text, "青禾花店兑换小票");
        EXPECT_NEAR(heading.center().x(), state.marginsMm.left() + 32.5, 0.3);
        EXPECT_NEAR(heading.center().y(), state.marginsMm.top() + 2.5, 0.5);
        const QRectF date = out.words.at(1).rectMm;
        EXPECT_TRUE(out.words.at(1).text.startsWith("日期")) << out.words.at(1).text.toStdString();
        EXPECT_NEAR(date.left(), state.marginsMm.left(), 0.4);
        EXPECT_NEAR(date.center().y(), state.marginsMm.top() + 12.5, 0.5);
    }
}

// A cancelled dialog prints nothing and leaves the receipt's paper on the printer.
TEST_F(ReceiptPreviewTest, CancelledDialogKeepsTheReceiptsPaper) {
    ReceiptPreview::setPrinterDialogRunner([&](QWidget*, QPrinter& printer, auto) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("cancelled.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        return false;
    });
    ReceiptPreview preview(sampleReceipt());
    preview.print();
    EXPECT_FALSE(QFile::exists(dir_.filePath("cancelled.pdf")));
    EXPECT_EQ(preview.printer().pageLayout().pageSize().size(QPageSize::Millimeter),
              QSizeF(76, 60));
}

// A printout of several pages: found on any page, printed and saved whole; one laid out for the
// paper (a card) follows the size chosen in page set-up.
TEST_F(ReceiptPreviewTest, PrintoutOfSeveralPagesAndOneThatFollowsThePaper) {
    reports::TableReport report;
    report.name = "清单";
    report.heading = "青禾花店清单";
    report.columns = {{"编号", 40}};
    for (int i = 0; i < 60; ++i) {
        report.blocks << reports::ReportBlock{reports::ReportBlock::Kind::Row,
                                              {QString("N%1").arg(i, 2, 10, QChar('0'))}};
    }
    const QList<reports::Page> pages = reports::buildTablePages(report);
    ASSERT_EQ(pages.size(), 2);
    Receipt r;
    r.kind = ReceiptKind::Document;
    r.page = pages.first();
    r.following = pages.mid(1);
    r.title = "清单";
    ReceiptPreview preview(r);
    EXPECT_EQ(preview.find("N59"), 1);
    EXPECT_EQ(preview.matches().first().page, 1);
    EXPECT_EQ(preview.find("第"), 2); // the foot of each page

    const auto pdfPages = [](const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            return -1;
        }
        static const QRegularExpression page("/Type\\s*/Page[^s]");
        return int(QString::fromLatin1(f.readAll()).count(page));
    };
    ReceiptPreview::setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
        return dir_.filePath("list.pdf");
    });
    EXPECT_TRUE(preview.saveAsPdf());
    EXPECT_EQ(pdfPages(dir_.filePath("list.pdf")), 2);
    ReceiptPreview::setPrinterDialogRunner([&](QWidget*, QPrinter& printer, auto) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("printed.pdf"));
        return true;
    });
    preview.print();
    EXPECT_EQ(pdfPages(dir_.filePath("printed.pdf")), 2);

    // Page set-up choosing another size lays a refitting printout out again on it.
    Receipt card = r;
    card.following.clear();
    QList<QSizeF> asked;
    card.refit = [&](const QSizeF& paper) {
        asked << paper;
        Receipt again;
        again.page.name = "贺卡";
        again.page.paperMm = paper;
        return again;
    };
    ReceiptPreview::setPrinterDialogRunner([&](QWidget*, QPrinter& printer, auto) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(
            QPageSize(QSizeF(100, 70), QPageSize::Millimeter, "card", QPageSize::ExactMatch));
        return true;
    });
    ReceiptPreview cardPreview(card);
    cardPreview.pageSetup();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_NEAR(asked.first().width(), 100, 0.5);
    EXPECT_NEAR(cardPreview.page().paperMm.height(), 70, 0.5);
}

// Real print jobs on the CUPS server that test.sh starts (scripts/cups-test-server.sh): a 76 mm
// roll queue with custom sizes and 4 mm edges, and an A4-only office queue. Each job's document
// and options land in files. Skipped without the server unless FLORIST_REQUIRE_CUPS is set.
TEST_F(ReceiptPreviewTest, PrintsOnCupsQueuesAsTheyDescribeThemselves) {
    const QString out = qEnvironmentVariable("FLORIST_TEST_CUPS_OUT");
    if (out.isEmpty()) {
        if (qEnvironmentVariableIsSet("FLORIST_REQUIRE_CUPS")) {
            FAIL() << "FLORIST_TEST_CUPS_OUT is not set";
        }
        GTEST_SKIP() << "CUPS test server not configured";
    }
    struct Queue {
        const char* name;
        bool customSizes;
        QSizeF paperMm;
        QMarginsF marginsMm;
        const char* media;
    } queues[] = {
        {"Roll76", true, {76, 60}, {5.5, 5, 4, 4}, "media=Custom.76x60mm"},
        {"OfficeA4", false, {210, 297}, {5.5, 5, 4.23, 4.23}, "media=A4"},
    };
    for (const Queue& q : queues) {
        SCOPED_TRACE(q.name);
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(q.name));
        const QString document = out + "/" + q.name + ".pdf";
        QFile::remove(document + ".options");
        ReceiptPreview::setPrinterDialogRunner([&](QWidget*, QPrinter& printer, auto) {
            // What the print dialog does when the queue is chosen in it: its own paper.
            printer.setPrinterName(q.name);
            printer.setPageSize(QPrinterInfo(printer).defaultPageSize());
            return true;
        });
        ReceiptPreview preview(sampleReceipt());
        preview.print();
        QPrinter& printer = preview.printer();
        ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        EXPECT_EQ(ReceiptPreview::systemPaper(printer).customSizes, q.customSizes);
        EXPECT_TRUE(reports::sameMargins(reports::marginsMm(printer.pageLayout()), q.marginsMm));

        for (int i = 0; i < 100 && !QFile::exists(document + ".options"); ++i) {
            QThread::msleep(100);
        }
        QFile options(document + ".options");
        ASSERT_TRUE(options.open(QIODevice::ReadOnly)) << "no job reached " << q.name;
        EXPECT_TRUE(options.readAll().contains(q.media));
        QThread::msleep(200);
        const test::PdfPage page = test::pdfWords(document);
        // Qt writes the job's page box in whole points; the media above is exact.
        EXPECT_NEAR(page.sizeMm.width(), q.paperMm.width(), 0.2);
        EXPECT_NEAR(page.sizeMm.height(), q.paperMm.height(), 0.2);
        ASSERT_GE(page.words.size(), 2);
        EXPECT_TRUE(page.words.at(1).text.startsWith("日期"));
        EXPECT_NEAR(page.words.at(1).rectMm.left(), q.marginsMm.left(), 0.4);
        EXPECT_NEAR(page.words.at(1).rectMm.center().y(), q.marginsMm.top() + 12.5, 0.5);
    }
}

// The window's side of a print operation: errors reach the prompt, previews the presenter.
class PrintReceiptTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        dmp_ = std::make_unique<PrintModule>(dm());
        dmp_->setPresenter([this](const Receipt& r) {
            // What the real presenter would show, built but never opened.
            ReceiptPreview preview(r);
            titles_ << preview.windowTitle();
        });
    }
    void TearDown() override {
        dmp_.reset();
        DbTest::TearDown();
    }

    std::unique_ptr<PrintModule> dmp_;
    QStringList titles_;
};

TEST_P(PrintReceiptTest, ShowsTheReceiptOrTheProviderError) {
    test::PromptRecorder prompts;
    db().exec("INSERT INTO UStore (theNum, M1) VALUES (?, ?)", {"CZ240501-0001", 50.0});
    EXPECT_TRUE(ui::printReceipt(nullptr, *dmp_, ReceiptKind::TopUp, "CZ240501-0001"));
    EXPECT_TRUE(ui::printReceipt(nullptr, *dmp_, ReceiptKind::TopUp, "CZ240501-0002"));
    EXPECT_EQ(titles_,
              QStringList({"储值小票 CZ240501-0001", "储值小票 CZ240501-0002（未找到该单据）"}));
    EXPECT_TRUE(prompts.requests().isEmpty());

    db().exec("DROP TABLE UStore");
    EXPECT_FALSE(ui::printReceipt(nullptr, *dmp_, ReceiptKind::TopUp, "CZ240501-0001"));
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("ustore", Qt::CaseInsensitive))
        << prompts.last().toStdString();
    EXPECT_EQ(titles_.size(), 2);
}

FLORIST_ON_EVERY_BACKEND(PrintReceiptTest);

} // namespace
} // namespace florist
