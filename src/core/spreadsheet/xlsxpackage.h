#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace florist {

// The cell styles of an exported list, in the order styles.xml declares them.
enum class XlsxStyle { Default = 0, Title, Heading, Counter, Cell, Text };

// The sheet of an export, written as SpreadsheetML while rows come in order. Cells are appended
// as raw XML, so a hundred thousand rows cost no more than their text.
class XlsxSheet {
public:
    XlsxSheet();
    void beginRow(int row, double height = 0); // 1-based; height in points, 0 the default
    void endRow();
    void text(int column, const QString& value, XlsxStyle style);   // 1-based column
    void number(int column, const QString& value, XlsxStyle style); // a plain decimal text
    void blank(int column, XlsxStyle style);

    QString mergeRange; // "A1:F1", empty for none
    double columnAWidth = 4;
    // Widths of the further columns (B onwards), in characters; 0 leaves one at the default.
    QList<double> columnWidths;
    // Printed on A4, one page wide, in this orientation.
    bool landscape = false;
    QString footer; // the odd-page footer codes

    QByteArray finish();

private:
    void cellStart(int column, XlsxStyle style);

    QByteArray data_;
    QByteArray rowRef_;
    QList<QByteArray> letters_;
};

// The text of a cell as the format stores it: a character that XML cannot carry (a control
// character, U+FFFE, U+FFFF) as _xHHHH_, and a literal "_x" that would read as such an escape
// as _x005F_x, so that every reader gives back exactly the text written.
QString escapedCellText(const QString& text);

// Writes the package (workbook with the title and heading rows printed on every page, one
// sheet "Sheet1", styles, document title) to path. Returns
// false when the file cannot be written; nothing is left behind then.
bool writeXlsxPackage(const QString& path, const QString& title, const QByteArray& sheetXml);

} // namespace florist
