#pragma once

#include <QByteArray>
#include <QString>

namespace florist {

// Text is measured and stored as the GBK code page counts it: a Chinese character is two bytes,
// an ASCII character one. Field limits of every window are GBK byte counts.
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);
int gbkLength(const QString& text);
// The longest head of text that fits in maxBytes GBK bytes, never splitting a character.
QString gbkLeft(const QString& text, int maxBytes);

} // namespace florist
