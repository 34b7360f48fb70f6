#pragma once

#include "core/spreadsheet/sheet.h"

#include <functional>

namespace florist {

class DataModule;

// What an import window does with one sheet row: reads its cells by heading and inserts what
// its subject needs. Returns true when it inserted the row, false when it skipped it.
using ImportRule = std::function<bool(DataModule&, const SheetRow&)>;

struct ImportResult {
    int inserted = 0;
    int failedRow = 0; // the sheet row that stopped the import (headings are row 1); 0 if none
    QString error;     // why it stopped
    bool ok() const { return failedRow == 0; }
};

// A sheet this program exported carries its title in row 1 and the headings in row 2. When row 1
// lacks a heading of `required` and the row below holds them all, that row becomes the headings
// (titleRows 1) and true is returned; otherwise the sheet is left as it is.
bool takeHeadingsBelowTitle(Sheet& sheet, const QStringList& required);

// The first heading of `required` that the sheet lacks, in the order given; "" when it has all.
QString missingHeading(const Sheet& sheet, const QStringList& required);
// Why a sheet lacking that heading cannot be opened for import.
QString sheetLacksHeadingText(const QString& heading);

// The message for an import that stopped at a row.
QString importStoppedText(const ImportResult& result);

// Runs the rule over every row from the first. Each row is written whole or not at all; a row
// that fails ends the import there, with the rows before it kept. Before any row, every
// heading of `required` must be in the sheet, so a missing column writes nothing.
// progress is told the number of rows done after each row.
ImportResult runImport(const Sheet& sheet, DataModule& dm, const QStringList& required,
                       const ImportRule& rule, const std::function<void(int)>& progress = {});

} // namespace florist
