#include "core/spreadsheet/readers.h"
#include "core/spreadsheet/sheetreader.h"
#include "core/spreadsheet/xlsxcells.h"
#include "core/spreadsheet/xmlpart.h"

#include <QDir>
#include <QHash>
#include <cstring>
#include <functional>

namespace florist::detail {

namespace {

struct Relationship {
    QString type;
    QString target;
};

// A part read for the attributes of some of its elements only.
class StartHandler : public XmlHandler {
public:
    using Start = std::function<void(const char* name, const char** attributes)>;
    using End = std::function<void(const char* name)>;
    explicit StartHandler(Start start, End end = {})
        : start_(std::move(start)), end_(std::move(end)) {}
    void start(const char* name, const char** attributes) override { start_(name, attributes); }
    void end(const char* name) override {
        if (end_) {
            end_(name);
        }
    }

private:
    Start start_;
    End end_;
};

// The value of the first attribute with this local name; null when there is none.
QString attribute(const char** a, const char* name) {
    for (; *a; a += 2) {
        if (std::strcmp(localName(a[0]), name) == 0) {
            return QString::fromUtf8(a[1]);
        }
    }
    return {};
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
    StartHandler handler([&](const char* name, const char** a) {
        if (std::strcmp(name, "Relationship") == 0) {
            rels.insert(attribute(a, "Id"),
                        {attribute(a, "Type"), resolve(part, attribute(a, "Target"))});
        }
    });
    parseXmlPart(zip, relsPart, handler);
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

// The number format of each cell style (index of <cellXfs>).
QList<NumberFormat> readCellFormats(const ZipArchive& zip, const QString& part,
                                    const SheetLimits& limits) {
    QList<NumberFormat> formats;
    if (part.isEmpty() || !zip.contains(part)) {
        return formats;
    }
    QHash<int, QString> codes;
    bool inCellXfs = false;
    StartHandler handler(
        [&](const char* name, const char** a) {
            if (std::strcmp(name, "numFmt") == 0) {
                codes.insert(attribute(a, "numFmtId").toInt(), attribute(a, "formatCode"));
            } else if (std::strcmp(name, "cellXfs") == 0) {
                inCellXfs = true;
            } else if (inCellXfs && std::strcmp(name, "xf") == 0) {
                if (formats.size() >= limits.maxCells) {
                    throw Failure(oversizedFileText(zip.path()));
                }
                const int id = attribute(a, "numFmtId").toInt();
                formats << NumberFormat::of(id, codes.value(id));
            }
        },
        [&](const char* name) {
            if (std::strcmp(name, "cellXfs") == 0) {
                inCellXfs = false;
            }
        });
    parseXmlPart(zip, part, handler);
    return formats;
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
    StartHandler handler([&](const char* name, const char** a) {
        if (std::strcmp(name, "workbookPr") == 0) {
            const QString v = attribute(a, "date1904");
            date1904 = v == u"1" || v == u"true";
        } else if (std::strcmp(name, "sheet") == 0 && sheetId.isEmpty() &&
                   attribute(a, "name").compare(u"Sheet1", Qt::CaseInsensitive) == 0) {
            sheetId = attribute(a, "id");
        }
    });
    parseXmlPart(zip, workbook, handler);
    if (sheetId.isEmpty()) {
        throw Failure(noSheet1Text());
    }
    const auto rels = relationshipsOf(zip, workbook);
    const auto sheetRel = rels.constFind(sheetId);
    if (sheetRel == rels.cend() || !zip.contains(sheetRel->target)) {
        throw Failure(damagedFileText(path));
    }
    const SharedStrings strings =
        readSharedStrings(zip, targetOfType(rels, u"/sharedStrings", {}), limits);
    const QList<NumberFormat> formats =
        readCellFormats(zip, targetOfType(rels, u"/styles", {}), limits);
    SheetBuilder builder(limits);
    readSheetData(zip, sheetRel->target, {strings, formats, date1904, path}, builder, progress);
    return builder.take();
}

} // namespace florist::detail
