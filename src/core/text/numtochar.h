#pragma once

#include <QString>

namespace florist {

// An amount in yuan written in Chinese capital numerals, as receipts print it (壹佰元整).
// Raises Failure for a negative amount or one of 10^13 or more.
QString NumToChar(double amount);

} // namespace florist
