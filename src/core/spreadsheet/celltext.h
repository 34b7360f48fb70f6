#pragma once

#include <QString>

namespace florist {

// How a spreadsheet shows a number in a cell of general format, as an import reads it: integers
// in full (13800138000, never 1.38E+10), fractions to at most 15 significant digits (12.5).
QString numberText(double value);

// A date serial number as 'yyyy-mm-dd', with ' hh:mm:ss' when it carries a time of day; a time
// of day alone (serial below 1) as 'hh:mm:ss'. date1904 selects the other epoch.
QString serialDateText(double serial, bool date1904 = false);

// Whether a number format shows a date or time: the built-in ids 14-22 and 45-47, the
// East-Asian built-in date formats 27-36 and 50-58 (Chinese Excel writes them without their
// code), or a format code with date letters (y, m, d, h, s) outside quotes, brackets and escapes.
bool isDateFormatId(int id);
bool isDateFormatCode(const QString& code);

// What a cell's number format changes in the text an import reads. Every other format keeps
// the plain value (1.1 shown as 1.10 reads "1.1", 50% reads "0.5"), since points, prices and
// balances are inserted as numbers.
struct NumberFormat {
    enum Kind { Plain, Date, Padded } kind = Plain;
    int digits = 0; // Padded: the width of a code of zeros only ("000000")

    static NumberFormat of(int id, const QString& code);
};

// The text of a number cell in its format: a date, a zero-padded whole number, or numberText.
QString formattedNumber(double value, const NumberFormat& format, bool date1904);

// A date as the shop typed it in a spreadsheet or csv ("2019/1/1", "2019-1-1", "2019年1月1日",
// "2019.01.01", or with a time after it) as 'yyyy-mm-dd'; other text is returned unchanged.
QString normalizedDateText(const QString& text);

} // namespace florist
