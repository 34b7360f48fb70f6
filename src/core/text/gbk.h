#pragma once

#include <QByteArray>
#include <QString>

namespace florist {

// Text is measured and stored as the GBK code page (936) counts it: a Chinese character is two
// bytes, an ASCII character one. Field limits of every window are GBK byte counts.
//
// A character the code page cannot write (an emoji, a rare character, a Japanese middle dot)
// becomes the one byte "?" in toGbk, as it would in a GBK column; the euro sign is the single
// byte 0x80.
QByteArray toGbk(const QString& text);
// Bytes that are not GBK become U+FFFD, a lead byte cut off at the end included.
QString fromGbk(const QByteArray& bytes);
// The bytes text takes against a field's limit: toGbk's length, except that a character the
// code page cannot write counts four bytes, as GB18030 writes it, not the one byte of its "?".
// Every field, check and import measures text with this one rule.
int gbkLength(const QString& text);
// The longest head of text whose gbkLength fits in maxBytes bytes, never splitting a character.
QString gbkLeft(const QString& text, int maxBytes);

} // namespace florist
