#pragma once

#include "core/db/resultset.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace florist {

// What a management window exports: one table per window, filled once.
struct ExportSpec {
    // Appended to the shop name to form the title ("花材表").
    QString titleWord;
    // The letter of the last column, counting column A ("序号"); empty: the column of the last
    // heading.
    QString lastColumn;
    // The headings of columns B onwards, in order.
    QStringList headings;
    // The field of the result rows under each heading; empty: the field named like the heading.
    QStringList fields;
    // Headings whose values are kept as text (numbers with leading zeros, dates, phone numbers).
    QStringList textColumns;
    // With totals: heading -> field of the totals row; a "合计" line follows the data.
    QList<QPair<QString, QString>> totals;
    bool landscape = true;

    bool hasTotals() const { return !totals.isEmpty(); }
    // The last column as used: lastColumn, or the column of the last heading.
    QString usedLastColumn() const;
};

// The exported table as text: one line per row, one cell per heading; totalsLine holds one
// cell per heading too ("" where there is no total), and is ignored unless the export has totals
// (hasTotals()).
struct ExportTable {
    QList<QStringList> rows;
    QStringList totalsLine;
};

// Takes the rows of a window's result set, and the first row of its totals query, by field.
ExportTable exportTable(const ExportSpec& spec, const ResultSet& rows,
                        const ResultSet& totals = {});

// Writes the workbook: title <shop name><title word> merged over row 1, "序号" and the headings
// in row 2, the rows from row 3, the "合计" line, borders over the table, the page set-up.
// Raises Failure naming the file when it cannot be written.
void writeXlsx(const QString& path, const QString& shopName, const ExportSpec& spec,
               const ExportTable& table);

// The message when the workbook cannot be created.
QString cannotCreateWorkbookText(const QString& path);

// Column letters: 1 -> "A", 27 -> "AA"; and back (0 for anything that is not a column).
QString columnLetters(int column);
int columnNumber(const QString& letters);

// Whether a text is written as a number cell: a plain decimal that the spreadsheet shows again
// exactly as written (no leading zeros, no more than 15 significant digits).
bool isPlainNumber(const QString& text);

} // namespace florist
