#pragma once

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

    const reports::Page& page() const { return receipt_.page; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // Highlights every occurrence of text on the page and returns how many there are.
    int find(const QString& text);
    const QList<reports::TextMatch>& matches() const { return matches_; }

    // Prints onto printer as it is set up, without asking; false when it cannot print.
    bool printTo(QPrinter& printer);

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
    QPrinter& printer();
    bool saveAs(const QString& caption, const QString& suffix, const QString& filter,
                const std::function<void(const QString&)>& write);
    double pageWidthPx() const;
    double pageHeightPx() const;

    Receipt receipt_;
    double zoom_ = 2.0;
    QList<reports::TextMatch> matches_;
    std::unique_ptr<QPrinter> printer_;
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
