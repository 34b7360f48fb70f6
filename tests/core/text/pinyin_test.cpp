#include "core/text/pinyin.h"

#include <gtest/gtest.h>

namespace florist {
namespace {

struct Case {
    const char* text; // UTF-8
    int flags;
    int maxLength;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(GetPY(QString::fromUtf8(c.text), c.flags, c.maxLength),
                  QString::fromUtf8(c.expected))
            << c.text << " flags " << c.flags << " max " << c.maxLength;
    }
}

TEST(PinyinTest, InitialsAsEveryCallerAsksThem) {
    expectAll({
        {"李华 Ma", 2, 255, "LHMA"},
        {"花店①", 2, 255, "HD1"},
        {"张·三", 2, 255, "Z?S"},
        {"玫瑰99朵", 2, 255, "MG99D"},
        {"", 2, 255, ""},
        {"a-b_c 1.5", 2, 255, "ABC15"},
        // Blanks and punctuation: ASCII and full-width ASCII go, other symbols give "?".
        {" ,.;!-  ", 2, 255, ""},
        {"，！（）", 2, 255, ""},
        {"。、“”【】", 2, 255, "??????"},
        {"〇", 2, 255, "?"},  // row 0xA9 holds symbols, whatever the character reads
        {"兙", 2, 255, "?"},  // a character of the code page with no reading
        {"李😀", 2, 255, "L"}, // outside the code page it is a single "?" byte, dropped
    });
}

TEST(PinyinTest, FlagsChooseWhatIsWritten) {
    expectAll({
        {"张·三", 0, 255, "ZS"},
        {"张·三", 3, 255, "ZHANG?SAN"},
        {"李华 Ma", 1, 255, "LIHUAMA"},
        {"a-b 1!", 4, 255, "A-B 1!"},
        {"Ma's 花", 6, 255, "MA'S H"},
        {"李😀", 6, 255, "L?"},
        {"€", 4, 255, "€"},
        {"李华", -1, 255, ""},
        {"李华", -2, 255, ""},
        {"李华", -8, 255, ""},
    });
}

TEST(PinyinTest, FullPinyinWritesUmlautAsTheKeyboardDoes) {
    expectAll({
        {"吕女", 1, 255, "LVNV"},
        {"略虐", 1, 255, "LUENUE"},
        {"居去许鱼", 1, 255, "JUQUXUYU"},
        {"绿", 1, 255, "LV"},
        {"庄窗双", 1, 255, "ZHUANGCHUANGSHUANG"},
    });
}

TEST(PinyinTest, SymbolRowsHaveTheirOwnReadings) {
    expectAll({
        {"θ", 2, 255, "TH"},
        {"Θ", 1, 255, "TH"},
        {"αβγ", 2, 255, "ABG"},
        {"ψΩ", 2, 255, "PSO"},
        {"ＡＢｃ１", 2, 255, "ABc1"},
        {"Ｍａ＃", 6, 255, "Ma#"},
        {"ⅰⅹ", 2, 255, "110"},
        {"⒛⑴⑩㈩Ⅻ", 2, 255, "201101012"},
    });
}

TEST(PinyinTest, ResultIsCutToTheMaximumLength) {
    expectAll({
        {"郁金香", 2, 2, "YJ"},
        {"郁金香", 2, 3, "YJX"},
        {"张三", 3, 3, "ZHA"},
        {"⒛", 2, 1, "2"},
        {"李华", 2, 0, ""},
        {"李华", 2, -5, ""},
    });
    const QString longName = QString::fromUtf8("玫").repeated(300);
    EXPECT_EQ(GetPY(longName), QString("M").repeated(255));
}

// The byte walk on its own: bytes toGbk never writes, as a legacy file might hold them.
TEST(PinyinTest, WalksMalformedBytesWithoutLosingItsPlace) {
    const struct {
        QByteArray bytes;
        int flags;
        const char* expected;
    } cases[] = {
        {"\xC0\xEE", 2, "L"},
        {"\xC0\x31\xEE", 2, "1"},      // a lead byte before a byte below 0x40 stands alone
        {"\xBB", 2, ""},               // and so does one at the end
        {"\xFF\x41\xC0\xEE", 2, "?L"}, // lead byte outside the table
        {"\xC0\xFF", 2, "?"},          // trail byte outside the table
        {"\xA2\x50", 2, "?"},          // user-defined cells of the numbered symbols
        {"\xA2\x50", 0, ""},
        {"\xA2\xE3", 2, ""},  // an empty cell from 0xA1 on gives nothing
        {"\xA3\x50", 6, "?"}, // no full-width ASCII below trail 0xA1
        {"\xA6\xB9", 2, "?"}, // between the capitals and the small letters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pinyinOfGbk(c.bytes, c.flags, 255), QString::fromUtf8(c.expected))
            << c.bytes.toHex().toStdString();
    }
}

// Initials a shop types for the names it keeps: surnames, given names and flowers.
TEST(PinyinTest, CommonNamesGiveTheInitialsAShopTypes) {
    const struct {
        const char* name;
        const char* initials;
    } cases[] = {
        {"张伟", "ZW"},    {"李", "L"},       {"王", "W"},       {"陈", "C"},
        {"刘", "L"},       {"杨", "Y"},       {"黄", "H"},       {"赵", "Z"},
        {"吴", "W"},       {"周", "Z"},       {"曾", "Z"},       {"沈", "S"},
        {"欧阳", "OY"},    {"诸葛", "ZG"},    {"司马", "SM"},    {"王秀英", "WXY"},
        {"玫瑰", "MG"},    {"百合", "BH"},    {"康乃馨", "KNX"}, {"向日葵", "XRK"},
        {"满天星", "MTX"}, {"郁金香", "YJX"}, {"勿忘我", "WWW"}, {"马蹄莲", "MTL"},
        {"风信子", "FXZ"}, {"薰衣草", "XYC"}, {"紫罗兰", "ZLL"}, {"蝴蝶兰", "HDL"},
        {"栀子花", "ZZH"}, {"茉莉", "ML"},    {"牡丹", "MD"},    {"芍药", "SY"},
        {"绣球", "XQ"},    {"非洲菊", "FZJ"}, {"长寿花", "CSH"}, {"红掌", "HZ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetPY(QString::fromUtf8(c.name)), QString::fromLatin1(c.initials)) << c.name;
    }
}

} // namespace
} // namespace florist
