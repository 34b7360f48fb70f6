#pragma once

#include <QString>

namespace florist {

// How a spreadsheet shows a number in a cell of general format, as an import reads it: integers
// in full (13800138000, never 1.38E+10), fractions to at most 15 significant digits (12.5).
QString numberText(double value);

// A date serial number as 'yyyy-mm-dd', with ' hh:mm:ss' when it carries a time of day; a time
// of day alone (serial below 1) as 'hh:mm:ss'. date1904 selects the other epoch.
QString serialDateText(double serial, bool date1904 = false);

// Whether a number format shows a date or time: the built-in ids 14-22 and 45-47, or a format
// code with date letters (y, m, d, h, s) outside quotes, brackets and escapes.
bool isDateFormatId(int id);
bool isDateFormatCode(const QString& code);

} // namespace florist
