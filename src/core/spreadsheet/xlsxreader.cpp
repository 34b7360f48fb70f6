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

struct Relationship {
    QString type;
    QString target;
};

// Parses one part of the archive; any XML error, a failed inflation or a part beyond the size
// bound ends in the matching message.
void parsePart(const ZipArchive& zip, const QString& part,
               const std::function<void(QXmlStreamReader&)>& body) {
    auto device = zip.open(part);
    QXmlStreamReader xml(device.get());
    body(xml);
    if (device->overflowed()) {
        throw Failure(oversizedFileText(zip.path()));
    }
    if (device->failed() || xml.hasError()) {
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
    parsePart(zip, relsPart, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"Relationship") {
                const auto a = xml.attributes();
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

// OOXML writes characters that XML cannot carry as _xHHHH_.
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
QString readRichText(QXmlStreamReader& xml) {
    QString text;
    int phonetic = 0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh") {
                ++phonetic;
                ++depth;
            } else if (xml.name() == u"t") {
                const QString t = xml.readElementText();
                if (phonetic == 0) {
                    text += t;
                }
            } else {
                ++depth;
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh") {
                --phonetic;
            }
            --depth;
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
    parsePart(zip, part, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"si") {
                if (strings.size() >= limits.maxCells) {
                    throw Failure(oversizedFileText(zip.path()));
                }
                strings << readRichText(xml);
            }
        }
    });
    return strings;
}

// For each cell style (index of <cellXfs>), whether its number format shows a date.
QList<bool> readDateStyles(const ZipArchive& zip, const QString& part) {
    QList<bool> dateStyles;
    if (part.isEmpty() || !zip.contains(part)) {
        return dateStyles;
    }
    QHash<int, bool> customIsDate;
    parsePart(zip, part, [&](QXmlStreamReader& xml) {
        bool inCellXfs = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const auto a = xml.attributes();
                if (xml.name() == u"numFmt") {
                    customIsDate.insert(a.value("numFmtId").toInt(),
                                        isDateFormatCode(a.value("formatCode").toString()));
                } else if (xml.name() == u"cellXfs") {
                    inCellXfs = true;
                } else if (inCellXfs && xml.name() == u"xf") {
                    const int id = a.value("numFmtId").toInt();
                    dateStyles << customIsDate.value(id, isDateFormatId(id));
                }
            } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
                inCellXfs = false;
            }
        }
    });
    return dateStyles;
}

// "B12" as column 1, row 11; false when the text is no cell reference. Overlong numbers
// saturate so that the bounds check of the builder rejects them.
bool parseReference(QStringView ref, int& row, int& column) {
    qint64 c = 0;
    qint64 r = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i) {
        const char16_t u = ref.at(i).toUpper().unicode();
        if (u < 'A' || u > 'Z') {
            return false;
        }
        c = std::min<qint64>(c * 26 + (u - 'A' + 1), qint64(1) << 40);
    }
    const qsizetype letters = i;
    for (; i < ref.size() && ref.at(i).isDigit(); ++i) {
        r = std::min<qint64>(r * 10 + (ref.at(i).unicode() - '0'), qint64(1) << 40);
    }
    if (letters == 0 || i == letters || i != ref.size() || r == 0) {
        return false;
    }
    row = int(std::min<qint64>(r - 1, INT_MAX));
    column = int(std::min<qint64>(c - 1, INT_MAX));
    return true;
}

int clampedInt(qint64 v) {
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

struct SheetContext {
    const QList<QString>& strings;
    const QList<bool>& dateStyles;
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
    const bool isDate = style >= 0 && style < ctx.dateStyles.size() && ctx.dateStyles.at(style);
    return isDate ? serialDateText(number, ctx.date1904) : numberText(number);
}

void readSheetData(const ZipArchive& zip, const QString& part, const SheetContext& ctx,
                   SheetBuilder& builder) {
    parsePart(zip, part, [&](QXmlStreamReader& xml) {
        int row = -1;
        int column = -1;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) {
                continue;
            }
            if (xml.name() == u"row") {
                const auto r = xml.attributes().value("r");
                row = r.isEmpty() ? row + 1 : clampedInt(r.toLongLong()) - 1;
                column = -1;
                continue;
            }
            if (xml.name() != u"c") {
                continue;
            }
            const auto a = xml.attributes();
            const QString type = a.value("t").toString();
            const int style = a.hasAttribute("s") ? a.value("s").toInt() : 0;
            int cellRow = row < 0 ? 0 : row;
            int cellColumn = column + 1;
            if (a.hasAttribute("r") && !parseReference(a.value("r"), cellRow, cellColumn)) {
                throw Failure(damagedFileText(ctx.path));
            }
            row = cellRow;
            column = cellColumn;
            QString value;
            QString inlineText;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == u"c") {
                    break;
                }
                if (xml.isStartElement()) {
                    if (xml.name() == u"v") {
                        value = xml.readElementText();
                    } else if (xml.name() == u"is") {
                        inlineText = readRichText(xml);
                    } else {
                        xml.skipCurrentElement();
                    }
                }
            }
            if (!value.isEmpty() || !inlineText.isEmpty()) {
                builder.set(cellRow, cellColumn, cellText(ctx, type, style, value, inlineText));
            }
        }
    });
}

} // namespace

Sheet readXlsx(const QString& path, const SheetLimits& limits) {
    ZipArchive zip(path, limits);
    const QString workbook =
        targetOfType(relationshipsOf(zip, ""), u"/officeDocument", "xl/workbook.xml");
    if (!zip.contains(workbook)) {
        throw Failure(damagedFileText(path));
    }
    QString sheetId;
    bool date1904 = false;
    parsePart(zip, workbook, [&](QXmlStreamReader& xml) {
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) {
                continue;
            }
            const auto a = xml.attributes();
            if (xml.name() == u"workbookPr") {
                const auto v = a.value("date1904");
                date1904 = v == u"1" || v == u"true";
            } else if (xml.name() == u"sheet" && sheetId.isEmpty() &&
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
    const QList<bool> dateStyles = readDateStyles(zip, targetOfType(rels, u"/styles", {}));
    SheetBuilder builder(limits);
    readSheetData(zip, sheetRel->target, {strings, dateStyles, date1904, path}, builder);
    return builder.take();
}

} // namespace florist::detail
