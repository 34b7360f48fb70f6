#include "pinyingen/pinyingen.h"

#include <QFile>
#include <gtest/gtest.h>

namespace florist {
namespace {

TEST(PinyinGenTest, TonesGoAndUmlautIsTypedAsOnAKeyboard) {
    const struct {
        const char* reading;
        const char* syllable;
    } cases[] = {
        {"zhāng", "zhang"}, {"lǐ", "li"},   {"zi", "zi"}, {"lǘ", "lv"},   {"nǚ", "nv"},
        {"lüè", "lue"},     {"nüè", "nue"}, {"jū", "ju"}, {"xū", "xu"},   {"ê̄", "e"},
        {"ḿ", "m"},         {"ňg", "ng"},   {"Ā", "a"},   {"lǚe", "lue"}, {"shuāng", "shuang"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pinyingen::toneless(QString::fromUtf8(c.reading)), QString::fromUtf8(c.syllable))
            << c.reading;
    }
}

int cell(const pinyingen::PinyinTable& table, int lead, int trail) {
    return table.cells.at((lead - 0x81) * 191 + (trail - 0x40));
}

TEST(PinyinGenTest, TakesTheFirstReadingOfEachGbkCharacter) {
    const QByteArray readings = "# U+0000\tkMandarin\tcomment\n"
                                "U+674E\tkCantonese\tlei5\n"
                                "U+674E\tkMandarin\tlǐ\n"
                                "U+6C88\tkMandarin\tshěn chén\n"
                                "U+66FE\tkMandarin\tcéng\n"
                                "U+3007\tkMandarin\tlíng\n"
                                "U+5415\tkMandarin\tlǚ\n"
                                "U+20000\tkMandarin\thē\n";
    const pinyingen::PinyinTable table = pinyingen::buildPinyinTable(readings);
    // 曾 and 长 take the reading names use; 〇 (0xA996) sits in a symbol row.
    ASSERT_EQ(table.syllables, QStringList({"chang", "li", "lv", "shen", "zeng"}));
    ASSERT_EQ(table.cells.size(), 126 * 191);
    EXPECT_EQ(table.readableCount, 5);
    EXPECT_EQ(cell(table, 0xC0, 0xEE), 2); // 李
    EXPECT_EQ(cell(table, 0xC2, 0xC0), 3); // 吕
    EXPECT_EQ(cell(table, 0xC9, 0xF2), 4); // 沈
    EXPECT_EQ(cell(table, 0xD4, 0xF8), 5); // 曾
    EXPECT_EQ(cell(table, 0xB3, 0xA4), 1); // 长
    EXPECT_EQ(cell(table, 0xA9, 0x96), 0); // 〇
    EXPECT_TRUE(table.unreadable.contains(QString::fromUtf8("王")));
}

// The committed table is what the generator makes of the installed Han database.
TEST(PinyinGenTest, CommittedTableMatchesAFreshGeneration) {
    if (!QFile::exists(pinyingen::kDefaultReadingsPath)) {
        GTEST_SKIP() << pinyingen::kDefaultReadingsPath << " is not installed (unicode-data)";
    }
    QString error;
    const QByteArray readings = pinyingen::readBzip2(pinyingen::kDefaultReadingsPath, &error);
    ASSERT_FALSE(readings.isEmpty()) << error.toStdString();

    QFile committed(QString(FLORIST_SOURCE_DIR) + '/' + pinyingen::kTableSourcePath);
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << committed.fileName().toStdString();
    const QString expected = QString::fromUtf8(committed.readAll());
    const QString generated = pinyingen::generatePinyinTable(readings);
    EXPECT_TRUE(generated == expected)
        << "regenerate with florist_pinyingen (tools/README.md); generated " << generated.size()
        << " characters, committed " << expected.size();
}

} // namespace
} // namespace florist
