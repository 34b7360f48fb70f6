#include "core/text/gbk.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace florist {
namespace {

const QString kEmoji = QString::fromUtf8("😀");

TEST(GbkTest, EncodesTheCodePage) {
    const struct {
        QString text;
        QByteArray bytes;
        int length; // against a limit; -1: the bytes' count
    } cases[] = {
        {"", "", -1},
        {"Ma 1?", "Ma 1?", -1},
        {QString::fromUtf8("李华"), "\xC0\xEE\xBB\xAA", -1},
        {QString::fromUtf8("花店①"), "\xBB\xA8\xB5\xEA\xA2\xD9", -1},
        {QString::fromUtf8("·"), "\xA1\xA4", -1},
        {QString::fromUtf8("€"), "\x80", -1},
        {QString::fromUtf8("ＡＢｃ"), "\xA3\xC1\xA3\xC2\xA3\xE3", -1},
        {QString::fromUtf8("θ"), "\xA6\xC8", -1},
        // Not in the code page: one "?" each, a surrogate pair included, but four bytes
        // against a limit, as GB18030 writes them; a typed "?" stays one byte.
        {QString::fromUtf8("・") + kEmoji, "??", 8},
        {QString::fromUtf8("?花𠀀?"), "?\xBB\xA8??", 8},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toGbk(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(gbkLength(c.text), c.length < 0 ? c.bytes.size() : c.length)
            << c.text.toStdString();
    }
}

TEST(GbkTest, DecodesAndRoundTrips) {
    const QString text = QString::fromUtf8("青禾花店 No.1 玫瑰①ⅫＡθ€");
    EXPECT_EQ(fromGbk(toGbk(text)), text);
    EXPECT_EQ(fromGbk(""), "");
    EXPECT_EQ(fromGbk("A\xC0"), QString("A") + QChar::ReplacementCharacter);
}

// The converters live as long as their thread; nothing of one call may leak into the next.
TEST(GbkTest, CallsDoNotShareHalfCharacters) {
    EXPECT_EQ(fromGbk("\xC0"), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(fromGbk("\xEE"), QString(QChar::ReplacementCharacter));
    EXPECT_EQ(fromGbk("\xC0\xEE"), QString::fromUtf8("李"));
    toGbk(QString("a") + kEmoji.at(0));
    EXPECT_EQ(toGbk(QString(kEmoji.at(1)) + "b"), "?b");
}

TEST(GbkTest, LeftCutsWholeCharactersWithinTheBytes) {
    const QString mixed = QString::fromUtf8("李a华") + kEmoji + QString::fromUtf8("€玫瑰");
    const struct {
        int maxBytes;
        QString head;
    } cases[] = {
        {-1, ""},
        {0, ""},
        {1, ""},
        {2, QString::fromUtf8("李")},
        {3, QString::fromUtf8("李a")},
        {4, QString::fromUtf8("李a")},
        {5, QString::fromUtf8("李a华")},
        {8, QString::fromUtf8("李a华")}, // the emoji takes four
        {9, QString::fromUtf8("李a华") + kEmoji},
        {10, QString::fromUtf8("李a华") + kEmoji + QString::fromUtf8("€")},
        {13, QString::fromUtf8("李a华") + kEmoji + QString::fromUtf8("€玫")},
        {14, mixed},
        {100, mixed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gbkLeft(mixed, c.maxBytes), c.head) << c.maxBytes;
        EXPECT_LE(gbkLength(gbkLeft(mixed, c.maxBytes)), std::max(c.maxBytes, 0));
    }
}

} // namespace
} // namespace florist
