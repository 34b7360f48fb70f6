#include "core/errors.h"
#include "core/text/numberinput.h"

#include <gtest/gtest.h>

namespace florist {
namespace {

TEST(TypedNumber, ReadsNumbersAndNamesTheFieldOtherwise) {
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {"12.5", true, 12.5}, {"100", true, 100},  {"0", true, 0},      {"0.0", true, 0},
        {"00", true, 0},      {"5.", true, 5},     {".5", true, 0.5},   {"-20", true, -20},
        {"", true, 0},        {"1.2.3", false, 0}, {".", false, 0},     {"12a", false, 0},
        {"1e5", false, 0},    {"-", false, 0},     {"1,000", false, 0}, {"１２", false, 0},
    };
    for (const Case& c : cases) {
        try {
            EXPECT_DOUBLE_EQ(parseTypedNumber(c.text, "储值金额"), c.value) << c.text;
            EXPECT_TRUE(c.valid) << c.text;
        } catch (const Failure& f) {
            EXPECT_FALSE(c.valid) << c.text;
            EXPECT_EQ(f.text(), "储值金额 不是有效的数字，请重新录入！");
        }
    }
}

TEST(TypedNumber, AnEmptyFieldIsZeroOnlyWhereAllowed) {
    EXPECT_EQ(parseTypedNumber("", "赠送金额", EmptyText::IsZero), 0);
    try {
        parseTypedNumber("  ", "收款金额", EmptyText::Refused);
        ADD_FAILURE() << "an empty amount must be refused";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "收款金额 不能为空，请重新录入！");
    }
}

} // namespace
} // namespace florist
