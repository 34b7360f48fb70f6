#include "core/text/numtochar.h"

#include "core/errors.h"

namespace florist {

// Placeholder until the capital-numeral writer lands.
QString NumToChar(double amount) {
    if (amount < 0) {
        throw Failure("金额不能为负数");
    }
    return QString();
}

} // namespace florist
