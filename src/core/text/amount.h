#pragma once

#include <QString>

namespace florist {

// An amount in its shortest form: 12.5, 3, 0.1 (never 12.50 or 0.10000000000000001). A value
// that is no number (NaN, infinite) is shown as empty text by both forms, never "nan" or "inf".
QString formatAmount(double value);
// An amount with exactly two decimals, as receipts print it: 12.50.
QString formatAmount2(double value);
// An amount typed in a field: empty counts as 0; anything unreadable counts as 0 too.
double parseAmount(const QString& text);

} // namespace florist
