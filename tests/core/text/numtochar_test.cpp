#include "core/errors.h"
#include "core/text/numtochar.h"

#include <gtest/gtest.h>
#include <limits>

namespace florist {
namespace {

struct Written {
    double amount;
    const char* text;
};

TEST(NumToCharTest, WritesCapitalNumerals) {
    const Written cases[] = {
        {100, "壹佰元整"},
        {1005.3, "壹仟零伍元叁角"},
        {100.05, "壹佰元零伍分"},
        {0.5, "伍角"},
        {0, ""},
        {0.01, "壹分"},
        {0.06, "陆分"},
        {12.5, "壹拾贰元伍角"},
        {10010.01, "壹万零壹拾元零壹分"},
        {10000, "壹万元整"},
        {20000.02, "贰万元零贰分"},
        {1010101.01, "壹佰零壹万零壹佰零壹元零壹分"},
        {200000000, "贰亿元整"},
        {100010000, "壹亿零壹万元整"},
        {100000001, "壹亿零壹元整"},
        {100000000.1, "壹亿元壹角"},
        {100000000000, "壹仟亿元整"},
        {1000000000000, "壹万亿元整"},
        {1000000000010, "壹万亿零壹拾元整"},
        {9999999999999.99, "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
    };
    for (const Written& c : cases) {
        EXPECT_EQ(NumToChar(c.amount), QString::fromUtf8(c.text)) << c.amount;
    }
}

// A half fen goes to the even neighbour, judged on the amount as typed: 1.015 and 2.675 are a
// hair below the half in binary, yet a shop typed a half.
TEST(NumToCharTest, RoundsHalfFenToEven) {
    const Written cases[] = {
        {0.125, "壹角贰分"},   {0.375, "叁角捌分"},     {0.005, ""},
        {0.015, "贰分"},       {1.005, "壹元整"},       {1.015, "壹元零贰分"},
        {1.025, "壹元零贰分"}, {2.675, "贰元陆角捌分"}, {0.1 + 0.2, "叁角"},
        {0.1251, "壹角叁分"},  {0.1249, "壹角贰分"},    {19.994999, "壹拾玖元玖角玖分"},
    };
    for (const Written& c : cases) {
        EXPECT_EQ(NumToChar(c.amount), QString::fromUtf8(c.text)) << c.amount;
    }
}

TEST(NumToCharTest, RefusesWhatCannotBeWritten) {
    const QString negative = QString::fromUtf8("金额 不能为负数，请重新录入！");
    const QString tooLarge = QString::fromUtf8("金额 超出范围，请重新录入！");
    const QString invalid = QString::fromUtf8("金额 不是有效的数字，请重新录入！");
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double amount;
        QString message;
    } cases[] = {
        {-0.01, negative},
        {-100, negative},
        {-0.006, negative},
        {-1e20, negative},
        {-inf, negative},
        {1e13, tooLarge},
        {1e13 + 1, tooLarge},
        {9999999999999.996, tooLarge}, // rounds up to 10^13
        {1e300, tooLarge},
        {inf, tooLarge},
        {std::numeric_limits<double>::quiet_NaN(), invalid},
    };
    for (const auto& c : cases) {
        try {
            NumToChar(c.amount);
            ADD_FAILURE() << "accepted " << c.amount;
        } catch (const Failure& f) {
            EXPECT_EQ(f.text(), c.message) << c.amount;
        }
    }
}

// What is left of a subtraction (-1e-15) or a negative zero is no money at all, and a save
// must not fail on it.
TEST(NumToCharTest, NegativeNothingWritesAsZero) {
    EXPECT_EQ(NumToChar(-0.0), "");
    EXPECT_EQ(NumToChar(-1e-15), "");
    EXPECT_EQ(NumToChar(-0.004), "");
    EXPECT_EQ(NumToChar(-0.005), ""); // half of a fen goes to the even 0
}

} // namespace
} // namespace florist
