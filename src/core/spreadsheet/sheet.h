#pragma once

#include "core/errors.h"
#include "core/spreadsheet/sheetrows.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

namespace florist {

// Bounds that keep a hostile or oversized file from exhausting memory or time: whatever passes
// them still fits comfortably in a grid.
struct SheetLimits {
    qint64 maxEntryBytes = qint64(1024) * 1024 * 1024; // one part of an xlsx, or a whole csv
    int maxRows = 1048576;
    int maxColumns = 16384;
    qint64 maxCells = 21'000'000; // rows x columns: a million rows of twenty columns
    // The text of all cells together, as UTF-8: what the program holds of a sheet beside a
    // few bytes per cell. A million rows of twenty twelve-digit numbers take 240 MB.
    qint64 maxTextBytes = qint64(256) * 1024 * 1024;
    // The helper process that reads a file: its address space, and the time it may take
    // before it is stopped. A real sheet of a million rows needs well under both.
    qint64 maxMemoryBytes = qint64(4) * 1024 * 1024 * 1024;
    int maxSeconds = 600;
};

// Told now and then while a file is read: how much of it is done, of a total in the same unit
// (bytes of the sheet's data); total 0 when unknown.
using ReadProgress = std::function<void(qint64 done, qint64 total)>;

// The first sheet "Sheet1" of a file as an import sees it: the headings of row 1 and the rows
// below, every cell as the text the spreadsheet shows ("" when empty). Every row has exactly
// headings.size() cells; wholly empty rows at the end are dropped.
struct Sheet {
    QStringList headings;
    SheetRows rows;
    // Rows above the headings (a title row): the headings are row titleRows + 1.
    int titleRows = 0;

    // The column of a heading (blanks around it and the case of Latin letters do not count);
    // -1 when the sheet lacks it.
    int column(const QString& heading) const;
};

// The message for a heading that an import reads and the sheet lacks.
QString missingHeadingText(const QString& heading);

// One data row of a sheet, read by heading.
class SheetRow {
public:
    SheetRow(const Sheet& sheet, int index) : sheet_(&sheet), index_(index) {}
    // The cell under heading; raises Failure(missingHeadingText) when the sheet lacks it.
    QString text(const QString& heading) const;
    // The cell under heading where the import expects a date: a date typed as the
    // spreadsheets write it in a csv ("2019/1/1", "2019年1月1日") as 'yyyy-mm-dd'; any other
    // text as it stands.
    QString date(const QString& heading) const;
    int index() const { return index_; }
    // The row's number as the spreadsheet shows it: headings are row 1, the first data row 2
    // (one more under a title row).
    int sheetRow() const { return index_ + 2 + sheet_->titleRows; }

private:
    const Sheet* sheet_;
    int index_;
};

// Collects the cells of a sheet in any order and turns them into a Sheet. Enforces the limits:
// a reference beyond them, or a table too large, raises Failure. Its messages name the kind of
// file read ("EXCEL文件", "CSV文件").
class SheetBuilder {
public:
    explicit SheetBuilder(const SheetLimits& limits, QString kind = QString("EXCEL文件"))
        : limits_(limits), kind_(std::move(kind)) {}
    // row and column count from 0; empty values are ignored.
    void set(qint64 row, qint64 column, const QString& value);
    void setUtf8(qint64 row, qint64 column, const char* text, qsizetype size);
    Sheet take();

private:
    struct Cell {
        qint32 row;
        qint32 column;
        quint32 from; // where its text starts in text_
        quint32 size;
    };
    void check(qint64 row, qint64 column, qsizetype size);

    SheetLimits limits_;
    QString kind_;
    std::vector<Cell> cells_;
    QByteArray text_;
    qint64 maxColumn_ = -1;
    qint64 maxRow_ = -1;
    // Whether the cells came row by row, left to right, each once: then they need no sorting.
    bool ordered_ = true;
};

} // namespace florist
