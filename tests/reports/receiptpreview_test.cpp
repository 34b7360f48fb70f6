#include "reports/pagepainter.h"
#include "reports/receiptlayouts.h"
#include "reports/receiptpreview.h"
#include "support/dbfixture.h"
#include "support/uitest.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

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
    void TearDown() override { ReceiptPreview::setFileChooser({}); }
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

    test::PromptRecorder prompts;
    answer = "/nonexistent-dir/receipt.pdf";
    EXPECT_FALSE(preview.saveAsPdf());
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("/nonexistent-dir/receipt.pdf"));
}

TEST_F(ReceiptPreviewTest, PrintsOntoAPrinterAsSetUp) {
    ReceiptPreview preview(sampleReceipt());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("printed.pdf"));
    printer.setPageLayout(reports::pageLayoutOf(preview.page()));
    ASSERT_TRUE(preview.printTo(printer));
    QFile pdf(dir_.filePath("printed.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().contains("/MediaBox [0 0 215"));
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
