#pragma once

#include <QByteArray>
#include <QString>

namespace florist {

// Text is measured and stored as the GBK code page (936) counts it: a Chinese character is two
// bytes, an ASCII character one. Field limits of every window are GBK byte counts.
//
// A character the code page cannot write (an emoji, a Japanese middle dot) becomes the one
// byte "?", as it would in a GBK column; the euro sign is the single byte 0x80.
QByteArray toGbk(const QString& text);
// Bytes that are not GBK become U+FFFD, a lead byte cut off at the end included.
QString fromGbk(const QByteArray& bytes);
// The length of toGbk(text).
int gbkLength(const QString& text);
// The longest head of text whose GBK form fits in maxBytes bytes, never splitting a character.
QString gbkLeft(const QString& text, int maxBytes);

} // namespace florist
