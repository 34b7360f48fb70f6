#include "core/text/amount.h"

#include <gtest/gtest.h>
#include <limits>

namespace florist {
namespace {

// Receipts and exports print amounts through these: a broken value shows as nothing, never as
// "nan" or "inf" on a customer's receipt.
TEST(AmountTest, ShortestAndTwoDecimalForms) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        const char* shortest;
        const char* two;
    };
    const Case cases[] = {
        {12.5, "12.5", "12.50"},
        {0.1 + 0.2, "0.3", "0.30"},
        {0, "0", "0.00"},
        {-0.001, "-0.001", "0.00"},
        {13800138000, "13800138000", "13800138000.00"},
        {nan, "", ""},
        {inf, "", ""},
        {-inf, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatAmount(c.value), c.shortest) << c.value;
        EXPECT_EQ(formatAmount2(c.value), c.two) << c.value;
    }
}

} // namespace
} // namespace florist
