#include "core/spreadsheet/celltext.h"
#include "core/spreadsheet/readers.h"
#include "core/spreadsheet/sheetreader.h"
#include "core/spreadsheet/zipentry.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <climits>
#include <functional>

namespace florist::detail {

namespace {

// SpreadsheetML nests a handful of levels (worksheet, sheetData, row, c, is, r, t); a part
// nested deeper is built to exhaust memory and is refused as damaged.
constexpr int kMaxXmlDepth = 48;

struct Relationship {
    QString type;
    QString target;
};

// A reader of one part that counts the nesting of elements and refuses a part nested beyond
// kMaxXmlDepth before the parser can grow with it.
class XmlCursor {
public:
    XmlCursor(QIODevice* device, const QString& path) : xml(device), path_(path) {}

    // The next token; false at the end of the part or at an error.
    bool next() {
        if (xml.atEnd()) {
            return false;
        }
        xml.readNext();
        if (xml.isStartElement()) {
            if (++depth > kMaxXmlDepth) {
                throw Failure(damagedFileText(path_));
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
        return !xml.hasError();
    }
    bool startOf(QStringView name) const { return xml.isStartElement() && xml.name() == name; }
    // Leaves the reader on the end of the element whose start it is on.
    void skip() {
        const int outer = depth - 1;
        while (depth > outer && next()) {
        }
    }
    // The text of the element whose start it is on, nested elements included.
    QString elementText() {
        QString text;
        const int outer = depth - 1;
        while (depth > outer && next()) {
            if (xml.isCharacters()) {
                text += xml.text();
            }
        }
        return text;
    }

    QXmlStreamReader xml;
    int depth = 0;

private:
    const QString& path_;
};

// Parses one part of the archive; any XML error, a failed inflation or a part beyond the size
// bound ends in the matching message.
void parsePart(const ZipArchive& zip, const QString& part,
               const std::function<void(XmlCursor&, const ZipEntryDevice&)>& body) {
    auto device = zip.open(part);
    XmlCursor xml(device.get(), zip.path());
    body(xml, *device);
    if (device->overflowed()) {
        throw Failure(oversizedFileText(zip.path()));
    }
    if (device->failed() || xml.xml.hasError()) {
        throw Failure(damagedFileText(zip.path()));
    }
}

QString folderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf('/');
    return slash < 0 ? QString() : part.left(slash);
}

QString resolve(const QString& fromPart, const QString& target) {
    if (target.startsWith('/')) {
        return QDir::cleanPath(target).mid(1);
    }
    const QString folder = folderOf(fromPart);
    QString joined = QDir::cleanPath(folder.isEmpty() ? target : folder + '/' + target);
    while (joined.startsWith("../")) {
        joined = joined.mid(3);
    }
    return joined;
}

// The relationships of a part, by id; empty when the part has none.
QHash<QString, Relationship> relationshipsOf(const ZipArchive& zip, const QString& part) {
    const QString folder = folderOf(part);
    const QString file = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    const QString relsPart =
        (folder.isEmpty() ? QString() : folder + '/') + "_rels/" + file + ".rels";
    QHash<QString, Relationship> rels;
    if (!zip.contains(relsPart)) {
        return rels;
    }
    parsePart(zip, relsPart, [&](XmlCursor& xml, const ZipEntryDevice&) {
        while (xml.next()) {
            if (xml.startOf(u"Relationship")) {
                const auto a = xml.xml.attributes();
                rels.insert(
                    a.value("Id").toString(),
                    {a.value("Type").toString(), resolve(part, a.value("Target").toString())});
            }
        }
    });
    return rels;
}

QString targetOfType(const QHash<QString, Relationship>& rels, QStringView typeEnd,
                     const QString& fallback) {
    for (const Relationship& r : rels) {
        if (r.type.endsWith(typeEnd)) {
            return r.target;
        }
    }
    return fallback;
}

// OOXML writes characters that XML cannot carry as _xHHHH_, and a literal "_x" that would
// read as such an escape as _x005F_x.
QString unescape(QString text) {
    if (!text.contains("_x")) {
        return text;
    }
    static const QRegularExpression escape("_x([0-9A-Fa-f]{4})_");
    QString out;
    qsizetype last = 0;
    auto it = escape.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += QChar(m.captured(1).toUShort(nullptr, 16));
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

// The text of a string item (<si> or <is>): its <t> and the <t> of its runs, without the
// phonetic guide runs (<rPh>). Leaves the reader on the item's end element.
QString readRichText(XmlCursor& xml) {
    QString text;
    const int outer = xml.depth - 1;
    while (xml.depth > outer && xml.next()) {
        if (xml.startOf(u"rPh")) {
            xml.skip();
        } else if (xml.startOf(u"t")) {
            text += xml.elementText();
        }
    }
    return unescape(text);
}

QList<QString> readSharedStrings(const ZipArchive& zip, const QString& part,
                                 const SheetLimits& limits) {
    QList<QString> strings;
    if (part.isEmpty() || !zip.contains(part)) {
        return strings;
    }
    parsePart(zip, part, [&](XmlCursor& xml, const ZipEntryDevice&) {
        while (xml.next()) {
            if (xml.startOf(u"si")) {
                if (strings.size() >= limits.maxCells) {
                    throw Failure(oversizedFileText(zip.path()));
                }
                strings << readRichText(xml);
            }
        }
    });
    return strings;
}

// The number format of each cell style (index of <cellXfs>).
QList<NumberFormat> readCellFormats(const ZipArchive& zip, const QString& part,
                                    const SheetLimits& limits) {
    QList<NumberFormat> formats;
    if (part.isEmpty() || !zip.contains(part)) {
        return formats;
    }
    QHash<int, QString> codes;
    parsePart(zip, part, [&](XmlCursor& xml, const ZipEntryDevice&) {
        bool inCellXfs = false;
        while (xml.next()) {
            if (xml.xml.isStartElement()) {
                const auto a = xml.xml.attributes();
                if (xml.xml.name() == u"numFmt") {
                    codes.insert(a.value("numFmtId").toInt(), a.value("formatCode").toString());
                } else if (xml.xml.name() == u"cellXfs") {
                    inCellXfs = true;
                } else if (inCellXfs && xml.xml.name() == u"xf") {
                    if (formats.size() >= limits.maxCells) {
                        throw Failure(oversizedFileText(zip.path()));
                    }
                    const int id = a.value("numFmtId").toInt();
                    formats << NumberFormat::of(id, codes.value(id));
                }
            } else if (xml.xml.isEndElement() && xml.xml.name() == u"cellXfs") {
                inCellXfs = false;
            }
        }
    });
    return formats;
}

// Digits as a positive number, saturating so that the bounds check of the builder rejects an
// overlong one; 0 when the text is no positive number.
qint64 positiveNumber(QStringView digits) {
    qint64 n = 0;
    for (QChar d : digits) {
        if (d < '0' || d > '9') {
            return 0;
        }
        n = std::min<qint64>(n * 10 + (d.unicode() - '0'), qint64(1) << 40);
    }
    return n;
}

int clampedIndex(qint64 oneBased) {
    return int(std::min<qint64>(oneBased - 1, INT_MAX));
}

// "B12" as column 1, row 11; false when the text is no cell reference.
bool parseReference(QStringView ref, int& row, int& column) {
    qint64 c = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i) {
        const char16_t u = ref.at(i).toUpper().unicode();
        if (u < 'A' || u > 'Z') {
            return false;
        }
        c = std::min<qint64>(c * 26 + (u - 'A' + 1), qint64(1) << 40);
    }
    if (i == 0) {
        return false;
    }
    const qint64 r = positiveNumber(ref.mid(i));
    if (r == 0) {
        return false;
    }
    row = clampedIndex(r);
    column = clampedIndex(c);
    return true;
}

struct SheetContext {
    const QList<QString>& strings;
    const QList<NumberFormat>& formats;
    bool date1904;
    const QString& path;
};

QString cellText(const SheetContext& ctx, QStringView type, int style, const QString& value,
                 const QString& inlineText) {
    if (type == u"inlineStr") {
        return inlineText;
    }
    if (type == u"s") {
        bool ok = false;
        const qint64 index = value.trimmed().toLongLong(&ok);
        if (!ok || index < 0 || index >= ctx.strings.size()) {
            throw Failure(damagedFileText(ctx.path));
        }
        return ctx.strings.at(index);
    }
    if (type == u"str" || type == u"e") {
        return unescape(value);
    }
    if (type == u"b") {
        return value.trimmed() == "1" ? QString("TRUE") : QString("FALSE");
    }
    if (type == u"d") {
        const QDateTime dt = QDateTime::fromString(value.trimmed(), Qt::ISODate);
        if (!dt.isValid()) {
            return value;
        }
        return dt.time() == QTime(0, 0) ? dt.date().toString("yyyy-MM-dd")
                                        : dt.toString("yyyy-MM-dd hh:mm:ss");
    }
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!ok) {
        return value;
    }
    const NumberFormat format =
        style >= 0 && style < ctx.formats.size() ? ctx.formats.at(style) : NumberFormat();
    return formattedNumber(number, format, ctx.date1904);
}

void readSheetData(const ZipArchive& zip, const QString& part, const SheetContext& ctx,
                   SheetBuilder& builder, const ReadProgress& progress) {
    parsePart(zip, part, [&](XmlCursor& xml, const ZipEntryDevice& device) {
        int row = -1;
        int column = -1;
        int rowsSinceProgress = 0;
        while (xml.next()) {
            if (!xml.xml.isStartElement()) {
                continue;
            }
            if (xml.xml.name() == u"row") {
                const auto r = xml.xml.attributes().value("r");
                if (r.isEmpty()) {
                    row = row + 1;
                } else {
                    const qint64 n = positiveNumber(r);
                    if (n == 0) {
                        throw Failure(damagedFileText(ctx.path));
                    }
                    row = clampedIndex(n);
                }
                column = -1;
                if (progress && ++rowsSinceProgress == 4096) {
                    rowsSinceProgress = 0;
                    progress(device.inflated(), device.declared());
                }
                continue;
            }
            if (xml.xml.name() != u"c") {
                continue;
            }
            const auto a = xml.xml.attributes();
            const QStringView type = a.value("t");
            const QStringView styleText = a.value("s");
            const int style = styleText.isEmpty() ? 0 : styleText.toInt();
            int cellRow = row < 0 ? 0 : row;
            int cellColumn = column + 1;
            if (a.hasAttribute("r") && !parseReference(a.value("r"), cellRow, cellColumn)) {
                throw Failure(damagedFileText(ctx.path));
            }
            row = cellRow;
            column = cellColumn;
            QString value;
            QString inlineText;
            const int outer = xml.depth - 1;
            while (xml.depth > outer && xml.next()) {
                if (xml.startOf(u"v")) {
                    value = xml.elementText();
                } else if (xml.startOf(u"is")) {
                    inlineText = readRichText(xml);
                } else if (xml.xml.isStartElement()) {
                    xml.skip();
                }
            }
            if (!value.isEmpty() || !inlineText.isEmpty()) {
                builder.set(cellRow, cellColumn, cellText(ctx, type, style, value, inlineText));
            }
        }
    });
}

} // namespace

Sheet readXlsx(const QString& path, const SheetLimits& limits, const ReadProgress& progress) {
    ZipArchive zip(path, limits);
    const QString workbook =
        targetOfType(relationshipsOf(zip, ""), u"/officeDocument", "xl/workbook.xml");
    if (!zip.contains(workbook)) {
        throw Failure(damagedFileText(path));
    }
    QString sheetId;
    bool date1904 = false;
    parsePart(zip, workbook, [&](XmlCursor& xml, const ZipEntryDevice&) {
        while (xml.next()) {
            if (!xml.xml.isStartElement()) {
                continue;
            }
            const auto a = xml.xml.attributes();
            if (xml.xml.name() == u"workbookPr") {
                const auto v = a.value("date1904");
                date1904 = v == u"1" || v == u"true";
            } else if (xml.xml.name() == u"sheet" && sheetId.isEmpty() &&
                       a.value("name").compare(u"Sheet1", Qt::CaseInsensitive) == 0) {
                for (const auto& attr : a) {
                    if (attr.name() == u"id") {
                        sheetId = attr.value().toString();
                    }
                }
            }
        }
    });
    if (sheetId.isEmpty()) {
        throw Failure(noSheet1Text());
    }
    const auto rels = relationshipsOf(zip, workbook);
    const auto sheetRel = rels.constFind(sheetId);
    if (sheetRel == rels.cend() || !zip.contains(sheetRel->target)) {
        throw Failure(damagedFileText(path));
    }
    const QList<QString> strings =
        readSharedStrings(zip, targetOfType(rels, u"/sharedStrings", {}), limits);
    const QList<NumberFormat> formats =
        readCellFormats(zip, targetOfType(rels, u"/styles", {}), limits);
    SheetBuilder builder(limits);
    readSheetData(zip, sheetRel->target, {strings, formats, date1904, path}, builder, progress);
    return builder.take();
}

} // namespace florist::detail
