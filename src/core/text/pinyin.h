#pragma once

#include <QByteArray>
#include <QString>

namespace florist {

// Flags of GetPY, to be or'ed.
inline constexpr int kPinyinFull = 1;        // whole syllables instead of initials
inline constexpr int kPinyinMarkUnread = 2;  // "?" for a character without a reading
inline constexpr int kPinyinKeepSymbols = 4; // keep every single-byte character, not only 0-9 A-Z

// The pinyin initials of a name (李华 Ma -> "LHMA"), stored in thePY so that a search can find
// the name by what the operator types. Letters come out in upper case; the result is cut to
// maxLength characters. Negative flags (or a maxLength of 0 or less) give an empty text.
QString GetPY(const QString& text, int flags = kPinyinMarkUnread, int maxLength = 255);

// The same over text already in GBK bytes; GetPY converts with toGbk and calls this.
QString pinyinOfGbk(const QByteArray& gbk, int flags = kPinyinMarkUnread, int maxLength = 255);

} // namespace florist
