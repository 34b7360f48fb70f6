#pragma once

#include "core/spreadsheet/celltext.h"
#include "core/spreadsheet/sheet.h"
#include "core/spreadsheet/zipentry.h"

#include <QByteArray>
#include <QList>
#include <vector>

namespace florist::detail {

// The shared strings of a workbook as UTF-8, one after another in one buffer.
struct SharedStrings {
    QByteArray text;
    std::vector<qsizetype> ends; // where each string ends in text

    qsizetype size() const { return qsizetype(ends.size()); }
    qsizetype from(qsizetype i) const { return i == 0 ? 0 : ends[size_t(i - 1)]; }
};

// OOXML writes characters that XML cannot carry as _xHHHH_, and a literal "_x" that would
// read as such an escape as _x005F_x.
QString unescapedText(const QString& text);

SharedStrings readSharedStrings(const ZipArchive& zip, const QString& part,
                                const SheetLimits& limits);

struct SheetContext {
    const SharedStrings& strings;
    const QList<NumberFormat>& formats;
    bool date1904;
    const QString& path;
};

// Reads the cells of a sheet part into the builder, telling progress every few thousand rows.
void readSheetData(const ZipArchive& zip, const QString& part, const SheetContext& ctx,
                   SheetBuilder& builder, const ReadProgress& progress);

} // namespace florist::detail
