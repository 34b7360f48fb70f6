#include "core/text/pinyintable.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace florist {
namespace {

namespace pt = pinyintable;

int cell(int lead, int trail) {
    return pt::kReadings[(lead - pt::kFirstLead) * pt::kColumns + (trail - pt::kFirstTrail)];
}

TEST(PinyinTableTest, SymbolRowsAndTheGapColumnHaveNoReading) {
    for (int trail = pt::kFirstTrail; trail <= pt::kLastByte; ++trail) {
        for (int lead = 0xA1; lead <= 0xA9; ++lead) {
            EXPECT_EQ(cell(lead, trail), 0) << std::hex << lead << ' ' << trail;
        }
        EXPECT_EQ(cell(0xFE, trail), 0) << std::hex << trail;
    }
    for (int lead = pt::kFirstLead; lead <= pt::kLastByte; ++lead) {
        EXPECT_EQ(cell(lead, 0x7F), 0) << std::hex << lead;
    }
}

TEST(PinyinTableTest, SyllablesArePlainSortedAndEachUsed) {
    static const QRegularExpression plain("^[a-z]{1,6}$");
    EXPECT_STREQ(pt::kSyllables[0], "");
    QSet<int> used;
    for (int i = 0; i < pt::kCells; ++i) {
        ASSERT_LE(pt::kReadings[i], pt::kSyllableCount) << i;
        used.insert(pt::kReadings[i]);
    }
    for (int i = 1; i <= pt::kSyllableCount; ++i) {
        EXPECT_TRUE(plain.match(pt::kSyllables[i]).hasMatch()) << pt::kSyllables[i];
        EXPECT_TRUE(used.contains(i)) << pt::kSyllables[i];
        if (i > 1) {
            EXPECT_LT(QByteArray(pt::kSyllables[i - 1]), QByteArray(pt::kSyllables[i]));
        }
    }
}

} // namespace
} // namespace florist
