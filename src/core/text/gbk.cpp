#include "core/text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace florist {

QByteArray toGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString fromGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

int gbkLength(const QString& text) {
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            n += 1;
        } else if (c.isHighSurrogate() && i + 1 < text.size()) {
            // Characters beyond the basic plane take four bytes in GB 18030.
            n += int(toGbk(text.mid(i, 2)).size());
            ++i;
        } else {
            n += 2;
        }
    }
    return n;
}

QString gbkLeft(const QString& text, int maxBytes) {
    int n = 0;
    int i = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        int w = c.unicode() < 0x80 ? 1 : 2;
        int units = 1;
        if (c.isHighSurrogate() && i + 1 < text.size()) {
            w = int(toGbk(text.mid(i, 2)).size());
            units = 2;
        }
        if (n + w > maxBytes) {
            break;
        }
        n += w;
        i += units - 1;
    }
    return text.left(i);
}

} // namespace florist
