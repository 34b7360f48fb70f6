#pragma once

#include "stock/stockdocument.h"

#include <QTableWidget>

namespace florist::stock {

// The line grid of a stock document: a heading row and lines "@1" to "@99" of eight columns,
// edited in place, with the material, the lot and the lot's quantity kept per line beside the
// visible cells. Each column takes only its keys; the amount and the totals follow every key.
class DocumentGridWidget : public QTableWidget {
    Q_OBJECT
public:
    enum Column { No, Number, Name, Unit, Quantity, Price, Amount, Remark };

    DocumentGridWidget(const DocumentConfig& config, QWidget* parent = nullptr);

    const QList<DocumentLine>& lines() const { return lines_; }
    DocumentTotals totals() const { return documentTotals(lines_); }
    // Empties every line and puts the cursor on line 1, column 1.
    void reset();
    // Fills a line from a search row, as the find dialogs do; the totals follow.
    void fillLine(int line, const DocumentLine& filled);
    // The lots already on lines other than line: a lot stands on one line only.
    QList<qlonglong> lotsOnOtherLines(int line) const;
    // What Enter does after the search: moves the cursor on from the cell.
    void moveOn();
    // Puts the cursor into a line's cell (a refused save names it).
    void focusCell(int line, Column column);
    // The text of a cell, as typed (an open editor's text included).
    QString cellText(int line, Column column) const;
    // Types into a cell as a person would, through the cell's rules (tests and scripts).
    void setCellText(int line, Column column, const QString& text);

signals:
    // Enter or a double click on a line without a material: search with its column 1.
    void searchRequested(int line, const QString& text);
    void totalsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class DocumentCellDelegate;
    void enterPressed();
    void textTyped(int line, int column, const QString& text);
    void showLine(int line);
    bool editable(int line, int column) const;

    const DocumentConfig& config_;
    QList<DocumentLine> lines_;
    bool showing_ = false;
};

} // namespace florist::stock
