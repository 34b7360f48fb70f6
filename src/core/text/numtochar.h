#pragma once

#include <QString>

namespace florist {

// An amount in yuan written in Chinese capital numerals, as receipts print it (壹佰元整).
// The amount is rounded to the fen, a half to the even neighbour (0.125 -> 壹角贰分); 0 gives an
// empty text. Raises Failure for an amount that rounds below 0, one of 10^13 or more, or NaN.
QString NumToChar(double amount);

} // namespace florist
