#pragma once

#include "reports/printerpaper.h"
#include "reports/printmodule.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace florist::ui {

// The report engine's preview window: the receipt at true scale with zoom, search, printing on
// the system's default printer (or one the user picks), page set-up, and saving as PDF or PNG.
class ReceiptPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReceiptPreview(const Receipt& receipt, QWidget* parent = nullptr);
    ~ReceiptPreview() override;

    // Asks for the file to save into; returns "" when the user cancels. Tests replace it; an
    // empty chooser restores the standard file dialog.
    using FileChooser = std::function<QString(QWidget* parent, const QString& caption,
                                              const QString& suggestedPath, const QString& filter)>;
    static void setFileChooser(FileChooser chooser);

    // Runs the print dialog or the page set-up dialog on printer; true when accepted. Tests
    // replace it with what a dialog would do to the printer; an empty runner restores Qt's.
    enum class PrinterDialog { Print, PageSetup };
    using PrinterDialogRunner =
        std::function<bool(QWidget* parent, QPrinter& printer, PrinterDialog dialog)>;
    static void setPrinterDialogRunner(PrinterDialogRunner runner);

    // What the printer can take. Tests replace it to stand for printers the machine lacks; an
    // empty reader restores systemPaper.
    using PaperReader = std::function<reports::PrinterPaper(QPrinter& printer)>;
    static void setPaperReader(PaperReader reader);
    // The system's description of the printer: a PDF file takes any size (with the minimum
    // margins its layout holds), a printer what its driver lists.
    static reports::PrinterPaper systemPaper(QPrinter& printer);

    const reports::Page& page() const { return receipt_.page; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // Highlights every occurrence of text on the page and returns how many there are.
    int find(const QString& text);
    const QList<reports::TextMatch>& matches() const { return matches_; }

    // Prints onto printer without asking: sets it to the receipt's paper (or the printer's own
    // size where it takes no other) and margins first, then draws inside its printable area.
    // False when it cannot print.
    bool printTo(QPrinter& printer);
    // Sets printer to the receipt's paper and margins as printTo does.
    void fitPrinter(QPrinter& printer);

    // The printer print() and pageSetup() work on; the system's default printer at first.
    QPrinter& printer();

public slots:
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();
    void print();
    void pageSetup();
    bool saveAsPdf();
    bool saveAsPng();

private:
    QPushButton* button(const QString& text, const QString& name);
    void render();
    void showZoom();
    bool runPrinterDialog(PrinterDialog dialog);
    bool saveAs(const QString& caption, const QString& suffix, const QString& filter,
                const std::function<void(const QString&)>& write);
    double pageWidthPx() const;
    double pageHeightPx() const;

    Receipt receipt_;
    double zoom_ = 2.0;
    QList<reports::TextMatch> matches_;
    std::unique_ptr<QPrinter> printer_;
    // Margins typed in page set-up; they replace the receipt's own.
    std::optional<QMarginsF> typedMargins_;
    QScrollArea* scroll_ = nullptr;
    QLabel* view_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* found_ = nullptr;
};

// Makes the print module show each receipt in a modal preview over the active window (parent
// when none is active).
void installReceiptPreview(PrintModule& module, QWidget* parent = nullptr);

// Prints a receipt from a window: a provider error is shown with its text and no preview
// opens. Returns false when the receipt could not be built.
bool printReceipt(QWidget* parent, PrintModule& module, ReceiptKind kind, const QString& number);

} // namespace florist::ui
