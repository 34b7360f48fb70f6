#include "reports/receiptpreview.h"

#include "reports/pagepainter.h"
#include "ui/prompt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

constexpr double kScreenDpi = 96;
constexpr double kMmPerInch = 25.4;
constexpr double kZoomSteps[] = {0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 3, 4, 6, 8};
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 8;
// Screen pixels between the pages of a printout of several.
constexpr int kPageGap = 12;
// Room the scroll area keeps around the page when fitting it.
constexpr int kFitMargin = 24;

ReceiptPreview::FileChooser& fileChooser() {
    static ReceiptPreview::FileChooser chooser;
    return chooser;
}

ReceiptPreview::PrinterDialogRunner& dialogRunner() {
    static ReceiptPreview::PrinterDialogRunner runner;
    return runner;
}

ReceiptPreview::PaperReader& paperReader() {
    static ReceiptPreview::PaperReader reader;
    return reader;
}

bool execPrinterDialog(QWidget* parent, QPrinter& printer, ReceiptPreview::PrinterDialog which) {
    if (which == ReceiptPreview::PrinterDialog::Print) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle("打印");
        return dialog.exec() == QDialog::Accepted;
    }
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle("页面设置");
    return dialog.exec() == QDialog::Accepted;
}

QSizeF sizeMm(const QPageSize& size) {
    return size.isValid() ? size.size(QPageSize::Millimeter) : QSizeF();
}

QString chooseFile(QWidget* parent, const QString& caption, const QString& suggested,
                   const QString& filter) {
    if (fileChooser()) {
        return fileChooser()(parent, caption, suggested, filter);
    }
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

// A file name from the receipt's title without the characters file systems refuse.
QString fileStem(const Receipt& r) {
    QString stem = r.page.name + (r.number.isEmpty() ? QString() : "_" + r.number);
    for (QChar& c : stem) {
        if (QStringLiteral("/\\:*?\"<>| ").contains(c)) {
            c = '_';
        }
    }
    return stem;
}

} // namespace

void ReceiptPreview::setFileChooser(FileChooser chooser) {
    fileChooser() = std::move(chooser);
}

void ReceiptPreview::setPrinterDialogRunner(PrinterDialogRunner runner) {
    dialogRunner() = std::move(runner);
}

void ReceiptPreview::setPaperReader(PaperReader reader) {
    paperReader() = std::move(reader);
}

reports::PrinterPaper ReceiptPreview::systemPaper(QPrinter& printer) {
    reports::PrinterPaper paper;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QMarginsF minimum = reports::minimumMarginsMm(printer.pageLayout());
        paper.minimumMarginsMm = [minimum](const QPageSize&) { return minimum; };
        return paper;
    }
    const QPrinterInfo info(printer);
    paper.customSizes = info.supportsCustomPageSizes();
    paper.minimumMm = sizeMm(info.minimumPhysicalPageSize());
    paper.maximumMm = sizeMm(info.maximumPhysicalPageSize());
    paper.sizes = info.supportedPageSizes();
    if (info.defaultPageSize().isValid()) {
        paper.defaultSize = info.defaultPageSize();
    }
    // The driver tells its unprintable edges for a size once the printer is set to it.
    paper.minimumMarginsMm = [&printer](const QPageSize& size) {
        printer.setPageSize(size);
        return reports::minimumMarginsMm(printer.pageLayout());
    };
    return paper;
}

ReceiptPreview::ReceiptPreview(const Receipt& receipt, QWidget* parent)
    : QDialog(parent), receipt_(receipt) {
    setObjectName("frxPreview");
    setWindowTitle(receipt_.title);
    setModal(true);

    // Output on the first row, viewing on the second.
    auto* bar = new QHBoxLayout;
    auto* viewBar = new QHBoxLayout;
    auto* printButton = button("打印", "btnPrint");
    printButton->setShortcut(QKeySequence::Print);
    connect(printButton, &QPushButton::clicked, this, &ReceiptPreview::print);
    auto* setup = button("页面设置", "btnPageSetup");
    connect(setup, &QPushButton::clicked, this, &ReceiptPreview::pageSetup);
    bar->addWidget(printButton);
    bar->addWidget(setup);

    auto* out = button("缩小", "btnZoomOut");
    out->setShortcut(QKeySequence::ZoomOut);
    connect(out, &QPushButton::clicked, this, &ReceiptPreview::zoomOut);
    auto* in = button("放大", "btnZoomIn");
    in->setShortcut(QKeySequence::ZoomIn);
    connect(in, &QPushButton::clicked, this, &ReceiptPreview::zoomIn);
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName("lblZoom");
    zoomLabel_->setMinimumWidth(48);
    zoomLabel_->setAlignment(Qt::AlignCenter);
    auto* width = button("适合宽度", "btnFitWidth");
    connect(width, &QPushButton::clicked, this, &ReceiptPreview::fitWidth);
    auto* whole = button("适合页面", "btnFitPage");
    connect(whole, &QPushButton::clicked, this, &ReceiptPreview::fitPage);
    viewBar->addWidget(out);
    viewBar->addWidget(zoomLabel_);
    viewBar->addWidget(in);
    viewBar->addWidget(width);
    viewBar->addWidget(whole);

    search_ = new QLineEdit(this);
    search_->setObjectName("edtFind");
    search_->setAccessibleName("查找");
    search_->setPlaceholderText("查找");
    search_->setClearButtonEnabled(true);
    auto* findButton = button("查找", "btnFind");
    connect(findButton, &QPushButton::clicked, this, [this] { find(search_->text()); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { find(search_->text()); });
    found_ = new QLabel(this);
    found_->setObjectName("lblFound");
    search_->setMinimumWidth(160);
    viewBar->addSpacing(16);
    viewBar->addWidget(search_, 1);
    viewBar->addWidget(findButton);
    viewBar->addWidget(found_);

    auto* pdf = button("保存PDF", "btnSavePdf");
    connect(pdf, &QPushButton::clicked, this, &ReceiptPreview::saveAsPdf);
    auto* png = button("导出PNG", "btnSavePng");
    connect(png, &QPushButton::clicked, this, &ReceiptPreview::saveAsPng);
    auto* close = button("关闭", "btnClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bar->addWidget(pdf);
    bar->addWidget(png);
    bar->addStretch(1);
    bar->addWidget(close);

    view_ = new QLabel;
    view_->setObjectName("pageView");
    view_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("pageArea");
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(view_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(viewBar);
    layout->addWidget(scroll_, 1);
    resize(760, 820);
    // A receipt is narrow and shown twice its size; an A4 page fits the window at true size.
    if (receipt_.page.paperMm.width() > 120) {
        zoom_ = 1.0;
    }
    render();
}

ReceiptPreview::~ReceiptPreview() = default;

QPushButton* ReceiptPreview::button(const QString& text, const QString& name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

double ReceiptPreview::pageWidthPx() const {
    return receipt_.page.paperMm.width() / kMmPerInch * kScreenDpi;
}

double ReceiptPreview::pageHeightPx() const {
    return receipt_.page.paperMm.height() / kMmPerInch * kScreenDpi;
}

void ReceiptPreview::render() {
    const double ratio = devicePixelRatioF();
    const int dpi = qMax(1, qRound(kScreenDpi * zoom_ * ratio));
    auto matchesOn = [this](int page) {
        QList<reports::TextMatch> on;
        for (const reports::TextMatch& m : matches_) {
            if (m.page == page) {
                on << m;
            }
        }
        return on;
    };
    QImage image = reports::renderPage(receipt_.page, dpi, matchesOn(0));
    if (!receipt_.following.isEmpty()) {
        // Later pages stand below the first, a gap of grey between them.
        QList<QImage> pages{image};
        int height = image.height();
        int width = image.width();
        const int gap = qRound(kPageGap * ratio);
        for (int n = 0; n < receipt_.following.size(); ++n) {
            pages << reports::renderPage(receipt_.following.at(n), dpi, matchesOn(n + 1));
            height += gap + pages.last().height();
            width = qMax(width, pages.last().width());
        }
        QImage all(width, height, QImage::Format_RGB32);
        all.fill(palette().color(QPalette::Dark));
        QPainter painter(&all);
        int y = 0;
        for (const QImage& page : pages) {
            painter.drawImage((width - page.width()) / 2, y, page);
            y += page.height() + gap;
        }
        painter.end();
        image = all;
    }
    image.setDevicePixelRatio(ratio);
    view_->setPixmap(QPixmap::fromImage(image));
    view_->resize(view_->sizeHint());
    showZoom();
}

void ReceiptPreview::showZoom() {
    zoomLabel_->setText(QString("%1%").arg(qRound(zoom_ * 100)));
}

void ReceiptPreview::setZoom(double zoom) {
    zoom_ = qBound(kMinZoom, zoom, kMaxZoom);
    render();
}

void ReceiptPreview::zoomIn() {
    for (double step : kZoomSteps) {
        if (step > zoom_ + 1e-9) {
            setZoom(step);
            return;
        }
    }
    setZoom(kMaxZoom);
}

void ReceiptPreview::zoomOut() {
    double next = kMinZoom;
    for (double step : kZoomSteps) {
        if (step < zoom_ - 1e-9) {
            next = step;
        }
    }
    setZoom(next);
}

void ReceiptPreview::fitWidth() {
    const int room = scroll_->viewport()->width() - kFitMargin;
    setZoom(room / pageWidthPx());
}

void ReceiptPreview::fitPage() {
    const QSize room = scroll_->viewport()->size() - QSize(kFitMargin, kFitMargin);
    setZoom(qMin(room.width() / pageWidthPx(), room.height() / pageHeightPx()));
}

int ReceiptPreview::find(const QString& text) {
    matches_.clear();
    const QList<reports::Page> pages = receipt_.pages();
    for (int n = 0; n < pages.size(); ++n) {
        for (reports::TextMatch m : reports::findText(pages.at(n), text)) {
            m.page = n;
            matches_ << m;
        }
    }
    render();
    if (text.isEmpty()) {
        found_->clear();
    } else if (matches_.isEmpty()) {
        found_->setText(QString("未找到“%1”").arg(text));
    } else {
        found_->setText(QString("找到 %1 处").arg(matches_.size()));
        const reports::TextMatch& first = matches_.first();
        const QRectF r = pages.at(first.page).items.at(first.item).rectMm;
        const double px = zoom_ * kScreenDpi / kMmPerInch;
        double above = 0; // the pages above the match's, with their gaps
        for (int n = 0; n < first.page; ++n) {
            above += pages.at(n).paperMm.height() * px + kPageGap;
        }
        scroll_->ensureVisible(qRound(r.center().x() * px), qRound(above + r.center().y() * px));
    }
    return int(matches_.size());
}

QPrinter& ReceiptPreview::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName(receipt_.title);
        fitPrinter(*printer_);
    }
    return *printer_;
}

void ReceiptPreview::fitPrinter(QPrinter& target) {
    const reports::PrinterPaper paper = paperReader() ? paperReader()(target) : systemPaper(target);
    target.setPageLayout(reports::receiptPrintLayout(receipt_.page, paper, typedMargins_));
    target.setFullPage(false);
}

bool ReceiptPreview::printTo(QPrinter& target) {
    fitPrinter(target);
    QPainter painter;
    if (!painter.begin(&target)) {
        Prompt::message(this, "打印机无法使用，请检查打印机设置！", PromptIcon::Warning);
        return false;
    }
    // The printer's origin is the corner inside its margins, which are the receipt's own or
    // larger.
    reports::paintInsideMargins(painter, receipt_.page);
    for (const reports::Page& page : receipt_.following) {
        target.newPage();
        reports::paintInsideMargins(painter, page);
    }
    if (!painter.end()) {
        return false;
    }
    if (target.outputFormat() == QPrinter::PdfFormat && !target.outputFileName().isEmpty()) {
        reports::writeExactPageSize(target.outputFileName(),
                                    target.pageLayout().pageSize().size(QPageSize::Millimeter));
    }
    return true;
}

// A dialog resets the paper to the printer's own size, and choosing another printer does the
// same: the receipt's paper and margins are applied again after it. Margins changed in page
// set-up replace the receipt's from then on, each kept above the minimum of whichever printer
// is chosen; the print dialog sets margins of its own accord (the printer's minimum on an A4
// printer), so its margins are not taken as typed.
bool ReceiptPreview::runPrinterDialog(PrinterDialog which) {
    QPrinter& p = printer();
    const QMarginsF before = reports::marginsMm(p.pageLayout());
    const bool accepted =
        dialogRunner() ? dialogRunner()(this, p, which) : execPrinterDialog(this, p, which);
    if (accepted && which == PrinterDialog::PageSetup) {
        const QMarginsF after = reports::marginsMm(p.pageLayout());
        if (!reports::sameMargins(before, after)) {
            typedMargins_ = after;
        }
        const QSizeF chosen = p.pageLayout().pageSize().size(QPageSize::Millimeter);
        const QSizeF current = receipt_.page.paperMm;
        if (receipt_.refit && chosen.isValid() &&
            (qAbs(chosen.width() - current.width()) > 0.5 ||
             qAbs(chosen.height() - current.height()) > 0.5)) {
            const auto refit = receipt_.refit;
            receipt_ = refit(chosen);
            matches_.clear();
            render();
        }
    }
    fitPrinter(p);
    return accepted;
}

void ReceiptPreview::print() {
    if (runPrinterDialog(PrinterDialog::Print)) {
        printTo(printer());
    }
}

void ReceiptPreview::pageSetup() {
    runPrinterDialog(PrinterDialog::PageSetup);
}

bool ReceiptPreview::saveAs(const QString& caption, const QString& suffix, const QString& filter,
                            const std::function<void(const QString&)>& write) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(fileStem(receipt_) + "." + suffix);
    QString path = chooseFile(this, caption, suggested, filter);
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith("." + suffix, Qt::CaseInsensitive)) {
        path += "." + suffix;
    }
    return guarded(this, [&] { write(path); });
}

bool ReceiptPreview::saveAsPdf() {
    return saveAs("保存为PDF", "pdf", "PDF 文件 (*.pdf)",
                  [this](const QString& path) { reports::writePdf(receipt_.pages(), path); });
}

bool ReceiptPreview::saveAsPng() {
    return saveAs("导出为PNG图片", "png", "PNG 图片 (*.png)",
                  [this](const QString& path) { reports::writePng(receipt_.page, path); });
}

void installReceiptPreview(PrintModule& module, QWidget* parent) {
    QPointer<QWidget> fallback(parent);
    module.setPresenter([fallback](const Receipt& receipt) {
        QWidget* over = QApplication::activeModalWidget();
        if (!over) {
            over = QApplication::activeWindow();
        }
        if (!over) {
            over = fallback.data();
        }
        ReceiptPreview preview(receipt, over);
        preview.exec();
    });
}

bool printReceipt(QWidget* parent, PrintModule& module, ReceiptKind kind, const QString& number) {
    return guarded(parent, [&] { module.print(kind, number); });
}

} // namespace florist::ui
