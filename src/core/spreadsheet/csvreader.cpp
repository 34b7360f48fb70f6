#include "core/spreadsheet/sheetreader.h"

#include "core/text/gbk.h"

#include <QStringDecoder>

namespace florist {

namespace {

// What the bytes say about their encoding when read as UTF-8.
struct Utf8Evidence {
    qint64 valid = 0;   // well-formed multi-byte sequences
    qint64 invalid = 0; // runs of bytes that belong to no well-formed sequence
    qint64 twoByte = 0; // sequences of U+0080..U+07FF (Latin, Greek, Hebrew, Arabic ...)
    qint64 threeByte = 0;
};

Utf8Evidence utf8Evidence(const QByteArray& bytes) {
    Utf8Evidence e;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    bool inBadRun = false;
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            inBadRun = false;
            ++i;
            continue;
        }
        int length = 0;
        unsigned int lowest = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            lowest = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            lowest = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            lowest = 0x10000;
        }
        bool ok = length > 0 && i + length <= n;
        unsigned int code = length > 0 ? c & (0x7F >> length) : 0;
        for (int k = 1; ok && k < length; ++k) {
            ok = (p[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        ok = ok && code >= lowest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!ok) {
            e.invalid += inBadRun ? 0 : 1;
            inBadRun = true;
            ++i;
            continue;
        }
        inBadRun = false;
        ++e.valid;
        if (length == 2) {
            ++e.twoByte;
        } else if (length == 3) {
            ++e.threeByte;
        }
        i += length;
    }
    return e;
}

// UTF-8 text, each bad byte one U+FFFD, and a character cut off at the end of the file one
// U+FFFD as well.
QString fromUtf8(const QByteArray& bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(bytes.at(n - back));
        if ((c & 0xC0) == 0x80) {
            continue; // a continuation byte: look further back for its lead
        }
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 1;
        if (length > back) {
            return QString::fromUtf8(bytes.left(n - back)) + QChar(0xFFFD);
        }
        break;
    }
    return QString::fromUtf8(bytes);
}

// The encoding is decided on evidence: a byte order mark; then UTF-8 when the whole file is
// UTF-8 but for a few stray bytes (a Latin-1 letter typed in, a file cut inside a character);
// otherwise the GBK code page of Chinese Windows, which is what a spreadsheet saves "CSV" in
// there. Short GBK texts can happen to be well-formed UTF-8 too: they then decode to letters
// of alphabets (U+0080..U+07FF) rather than to Chinese, and are read as GBK when GBK reads
// them cleanly.
QString decodeText(const QByteArray& bytes, bool& utf16) {
    utf16 = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        utf16 = true;
        QStringDecoder d(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                      : QStringDecoder::Utf16BE);
        return d(bytes.mid(2));
    }
    const Utf8Evidence e = utf8Evidence(bytes);
    if (e.invalid == 0) {
        if (e.twoByte > e.threeByte) {
            const QString gbk = fromGbk(bytes);
            if (!gbk.contains(QChar(0xFFFD))) {
                return gbk;
            }
        }
        return fromUtf8(bytes);
    }
    if (e.invalid <= 8 && e.valid >= 4 * e.invalid) {
        return fromUtf8(bytes);
    }
    return fromGbk(bytes);
}

// Comma, unless the first line has tabs and no comma. The spreadsheet's "Unicode text"
// (UTF-16) is always tab-separated, whatever its headings hold.
QChar delimiterOf(const QString& text, bool utf16) {
    if (utf16) {
        return QChar('\t');
    }
    const qsizetype end = text.indexOf('\n');
    const QStringView first = QStringView(text).left(end < 0 ? text.size() : end);
    return first.contains('\t') && !first.contains(',') ? QChar('\t') : QChar(',');
}

} // namespace

QString unterminatedQuoteText(int line) {
    return QString("CSV文件第 %1 行的引号没有结束，文件已损坏，无法读取！").arg(line);
}

// Quotes as the spreadsheets read them: a field that begins with a quote runs to the closing
// quote ("" inside stands for one quote); a quote anywhere else is an ordinary character.
Sheet readCsv(const QByteArray& bytes, const SheetLimits& limits) {
    bool utf16 = false;
    const QString text = decodeText(bytes, utf16);
    const QChar delimiter = delimiterOf(text, utf16);
    SheetBuilder builder(limits, QString("CSV文件"));
    int row = 0;
    int column = 0;
    int line = 1;      // the file's line, for messages
    int quoteLine = 0; // where the open quoted field began
    QString field;
    bool quoted = false;
    bool fieldStart = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == '\n' || (c == '\r' && (i + 1 >= n || text.at(i + 1) != '\n'))) {
            ++line;
        }
        if (quoted) {
            if (c == '"') {
                if (i + 1 < n && text.at(i + 1) == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == '"' && fieldStart) {
            quoted = true;
            quoteLine = line;
            fieldStart = false;
        } else if (c == delimiter) {
            builder.set(row, column++, field);
            field.clear();
            fieldStart = true;
        } else if (c == '\r' || c == '\n') {
            builder.set(row, column, field);
            field.clear();
            if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n') {
                ++i;
                ++line;
            }
            ++row;
            column = 0;
            fieldStart = true;
        } else {
            field += c;
            fieldStart = false;
        }
    }
    if (quoted) {
        throw Failure(unterminatedQuoteText(quoteLine));
    }
    builder.set(row, column, field);
    return builder.take();
}

} // namespace florist
