#include "core/spreadsheet/sheetreader.h"

#include "core/text/gbk.h"

#include <QStringDecoder>

namespace florist {

namespace {

// UTF-8 unless the bytes are not valid UTF-8: then the GBK code page of Chinese Windows,
// which is what a spreadsheet saves "CSV" in there.
QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return d(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE);
        return d(bytes.mid(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return fromGbk(bytes);
}

// Comma, unless the first line has tabs and no comma (the spreadsheet's "Unicode text").
QChar delimiterOf(const QString& text) {
    const qsizetype end = text.indexOf('\n');
    const QStringView first = QStringView(text).left(end < 0 ? text.size() : end);
    return first.contains('\t') && !first.contains(',') ? QChar('\t') : QChar(',');
}

} // namespace

Sheet readCsv(const QByteArray& bytes, const SheetLimits& limits) {
    const QString text = decodeText(bytes);
    const QChar delimiter = delimiterOf(text);
    SheetBuilder builder(limits);
    int row = 0;
    int column = 0;
    QString field;
    bool quoted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
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
        if (c == '"') {
            quoted = true;
        } else if (c == delimiter) {
            builder.set(row, column++, field);
            field.clear();
        } else if (c == '\r' || c == '\n') {
            builder.set(row, column, field);
            field.clear();
            if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n') {
                ++i;
            }
            ++row;
            column = 0;
        } else {
            field += c;
        }
    }
    builder.set(row, column, field);
    return builder.take();
}

} // namespace florist
