#include "core/text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace florist {

namespace {

// Opening a code-page converter costs about a microsecond, far more than converting a name, so
// each thread keeps one. Stateless: a half character at the end of one call must not carry
// into the next.
QStringEncoder& encoder() {
    thread_local QStringEncoder gbk("GBK", QStringConverter::Flag::Stateless);
    return gbk;
}

QStringDecoder& decoder() {
    thread_local QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    return gbk;
}

bool isLead(uchar b) {
    return b >= 0x81 && b <= 0xFE;
}
bool isTrail(uchar b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// True when the last byte opens a two-byte character that never got its second byte. The
// converter drops such a byte silently; the caller shows it as U+FFFD instead.
bool endsInLoneLead(const QByteArray& bytes) {
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        const uchar b = uchar(bytes[i]);
        if (isLead(b) && i + 1 < n && isTrail(uchar(bytes[i + 1]))) {
            i += 2;
        } else if (isLead(b) && i + 1 == n) {
            return true;
        } else {
            ++i;
        }
    }
    return false;
}

} // namespace

QByteArray toGbk(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    return encoder().encode(text);
}

QString fromGbk(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return {};
    }
    QString text = decoder().decode(bytes);
    if (endsInLoneLead(bytes)) {
        text += QChar::ReplacementCharacter;
    }
    return text;
}

// What a character outside the code page takes, as GB18030 writes it.
constexpr int kOutsideBytes = 4;

int gbkLength(const QString& text) {
    bool ascii = true;
    qsizetype questionMarks = 0;
    for (const QChar c : text) {
        ascii = ascii && c.unicode() < 0x80;
        questionMarks += c == u'?';
    }
    if (ascii) {
        return int(text.size());
    }
    // Each character the code page cannot write comes out as one "?"; no two-byte character
    // holds the byte 0x3F, so the extra question marks are exactly those characters.
    const QByteArray bytes = toGbk(text);
    const qsizetype outside = bytes.count('?') - questionMarks;
    return int(bytes.size() + outside * (kOutsideBytes - 1));
}

QString gbkLeft(const QString& text, int maxBytes) {
    int n = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        const qsizetype units =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const int w = c.unicode() < 0x80 ? 1 : gbkLength(text.mid(i, units));
        if (n + w > maxBytes) {
            break;
        }
        n += w;
        i += units;
    }
    return text.left(i);
}

} // namespace florist
