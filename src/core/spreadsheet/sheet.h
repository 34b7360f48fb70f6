#pragma once

#include "core/errors.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace florist {

// Bounds that keep a hostile or oversized file from exhausting memory or time: whatever passes
// them still fits comfortably in a grid.
struct SheetLimits {
    qint64 maxEntryBytes = qint64(1024) * 1024 * 1024; // one part of an xlsx, or a whole csv
    int maxRows = 1048576;
    int maxColumns = 16384;
    qint64 maxCells = 21'000'000; // rows x columns: a million rows of twenty columns
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
    QList<QStringList> rows;
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
// a reference beyond them, or a table too large, raises Failure.
class SheetBuilder {
public:
    explicit SheetBuilder(const SheetLimits& limits) : limits_(limits) {}
    // row and column count from 0; empty values are ignored.
    void set(int row, int column, const QString& value);
    Sheet take();

private:
    SheetLimits limits_;
    // Row by row, each only as long as its last filled cell; padded in take().
    QList<QStringList> rows_;
    int maxColumn_ = -1;
    qint64 filled_ = 0;
};

} // namespace florist
