#include "core/spreadsheet/xlsxcells.h"

#include "core/spreadsheet/sheetreader.h"
#include "core/spreadsheet/xmlpart.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>

namespace florist::detail {

namespace {

bool named(const char* name, const char* wanted) {
    return std::strcmp(name, wanted) == 0;
}

// Appends text to out, its _xHHHH_ escapes decoded.
void appendUnescaped(QByteArray& out, const QByteArray& text) {
    if (!text.contains("_x")) {
        out += text;
    } else {
        out += unescapedText(QString::fromUtf8(text)).toUtf8();
    }
}

// Follows a string item (<si> or <is>) once it is inside it: the text of its <t> and of the
// <t> of its runs, without the phonetic guide runs (<rPh>). Depths count from the part's root.
class RichText {
public:
    void enter() {
        raw_.clear();
        skipUntil_ = collectUntil_ = 0;
    }
    // An element starts inside the item.
    void start(const char* name, int depth) {
        if (skipUntil_ || collectUntil_) {
            return;
        }
        if (named(name, "rPh")) {
            skipUntil_ = depth;
        } else if (named(name, "t")) {
            collectUntil_ = depth;
        }
    }
    void end(int depth) {
        if (skipUntil_ == depth) {
            skipUntil_ = 0;
        } else if (collectUntil_ == depth) {
            collectUntil_ = 0;
        }
    }
    void text(const char* data, int size) {
        if (collectUntil_ && !skipUntil_) {
            raw_.append(data, size);
        }
    }
    void appendTo(QByteArray& out) const { appendUnescaped(out, raw_); }

private:
    QByteArray raw_;
    int skipUntil_ = 0;
    int collectUntil_ = 0;
};

class SharedStringsHandler : public XmlHandler {
public:
    SharedStringsHandler(SharedStrings& strings, const SheetLimits& limits, const QString& path)
        : strings_(strings), limits_(limits), path_(path) {}
    void start(const char* name, const char**) override {
        ++depth_;
        if (item_) {
            rich_.start(name, depth_);
        } else if (named(name, "si")) {
            if (strings_.size() >= limits_.maxCells) {
                throw Failure(oversizedFileText(path_));
            }
            item_ = depth_;
            rich_.enter();
        }
    }
    void end(const char*) override {
        if (item_ == depth_) {
            item_ = 0;
            rich_.appendTo(strings_.text);
            strings_.ends.push_back(strings_.text.size());
        } else if (item_) {
            rich_.end(depth_);
        }
        --depth_;
    }
    void text(const char* data, int size) override {
        if (item_) {
            rich_.text(data, size);
        }
    }

private:
    SharedStrings& strings_;
    const SheetLimits& limits_;
    const QString& path_;
    RichText rich_;
    int depth_ = 0;
    int item_ = 0; // the depth of the <si> it is in, 0 outside
};

// Digits as a positive number, saturating so that the bounds check of the builder rejects an
// overlong one; 0 when the text is no positive number.
qint64 positiveNumber(const char* digits, const char* end) {
    qint64 n = 0;
    for (const char* p = digits; p < end; ++p) {
        if (*p < '0' || *p > '9') {
            return 0;
        }
        n = std::min<qint64>(n * 10 + (*p - '0'), qint64(1) << 40);
    }
    return n;
}

qint64 positiveNumber(const char* digits) {
    return positiveNumber(digits, digits + std::strlen(digits));
}

// "B12" as column 1, row 11; false when the text is no cell reference.
bool parseReference(const char* ref, qint64& row, qint64& column) {
    qint64 c = 0;
    const char* p = ref;
    for (; (*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'); ++p) {
        c = std::min<qint64>(c * 26 + ((*p & ~0x20) - 'A' + 1), qint64(1) << 40);
    }
    if (p == ref) {
        return false;
    }
    const qint64 r = positiveNumber(p);
    if (r == 0) {
        return false;
    }
    row = r - 1;
    column = c - 1;
    return true;
}

// A whole number the way the spreadsheet shows it in a general format already: up to fifteen
// digits without a leading zero. Such a cell is taken as it stands.
bool plainWholeNumber(const QByteArray& v) {
    const qsizetype digits = v.startsWith('-') ? v.size() - 1 : v.size();
    if (digits < 1 || digits > 15 || (v.at(v.size() - digits) == '0' && v.size() != 1)) {
        return false;
    }
    for (qsizetype i = v.size() - digits; i < v.size(); ++i) {
        if (v.at(i) < '0' || v.at(i) > '9') {
            return false;
        }
    }
    return true;
}

// The kinds of cell by their attribute t; anything unknown reads as a number.
enum class CellType { Number, Shared, Inline, Formula, Error, Boolean, Date };

CellType cellType(const char* t) {
    static const struct {
        const char* name;
        CellType type;
    } types[] = {{"s", CellType::Shared},    {"inlineStr", CellType::Inline},
                 {"str", CellType::Formula}, {"e", CellType::Error},
                 {"b", CellType::Boolean},   {"d", CellType::Date}};
    for (const auto& known : types) {
        if (named(t, known.name)) {
            return known.type;
        }
    }
    return CellType::Number;
}

// A whole date serial of the 1900 system after the fictitious 29 February 1900 as
// 'yyyy-mm-dd', written without a detour through QDate and QString: most dates of a sheet.
// Returns 0 for any other serial, which takes the general way.
int writeWholeDate(qint64 serial, char* out) {
    if (serial < 61 || serial > 2958465) {
        return 0;
    }
    // Days since 1970-01-01 to the civil date, proleptic Gregorian.
    const qint64 z = serial - 25569 + 719468;
    const qint64 era = z / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return std::snprintf(out, 16, "%04d-%02d-%02d", year, month, day);
}

QString valueText(const SheetContext& ctx, CellType type, int style, const QString& value) {
    if (type == CellType::Formula || type == CellType::Error) {
        return unescapedText(value);
    }
    if (type == CellType::Boolean) {
        return value.trimmed() == "1" ? QString("TRUE") : QString("FALSE");
    }
    if (type == CellType::Date) {
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

class SheetDataHandler : public XmlHandler {
public:
    SheetDataHandler(const SheetContext& ctx, SheetBuilder& builder, const ReadProgress& progress)
        : ctx_(ctx), builder_(builder), progress_(progress) {}

    void start(const char* name, const char** attributes) override {
        ++depth_;
        if (skipUntil_ || valueUntil_) {
            return;
        }
        if (inline_) {
            rich_.start(name, depth_);
        } else if (cell_) {
            // A child of <c>: its value, its inline string, or something to pass over.
            if (named(name, "v")) {
                valueUntil_ = depth_;
                value_.clear();
            } else if (named(name, "is")) {
                inline_ = depth_;
                rich_.enter();
            } else {
                skipUntil_ = depth_;
            }
        } else if (named(name, "row")) {
            startRow(attributes);
        } else if (named(name, "c")) {
            startCell(attributes);
        }
    }
    void end(const char*) override {
        if (skipUntil_ == depth_) {
            skipUntil_ = 0;
        } else if (valueUntil_ == depth_) {
            valueUntil_ = 0;
        } else if (inline_ == depth_) {
            inline_ = 0;
            inlineText_.clear();
            rich_.appendTo(inlineText_);
        } else if (inline_) {
            rich_.end(depth_);
        } else if (cell_ == depth_) {
            cell_ = 0;
            finishCell();
        }
        --depth_;
    }
    void text(const char* data, int size) override {
        if (skipUntil_) {
            return;
        }
        if (valueUntil_) {
            value_.append(data, size);
        } else if (inline_) {
            rich_.text(data, size);
        }
    }

private:
    void startRow(const char** a) {
        const char* r = nullptr;
        for (; *a; a += 2) {
            if (named(localName(a[0]), "r")) {
                r = a[1];
            }
        }
        if (!r || !*r) {
            row_ = row_ + 1;
        } else {
            const qint64 n = positiveNumber(r);
            if (n == 0) {
                throw Failure(damagedFileText(ctx_.path));
            }
            row_ = n - 1;
        }
        column_ = -1;
        if (progress_ && ++rowsSinceProgress_ == 4096) {
            rowsSinceProgress_ = 0;
            progress_(device->inflated(), device->declared());
        }
    }
    void startCell(const char** a) {
        const char* ref = nullptr;
        type_ = CellType::Number;
        style_ = 0;
        // One pass over the attributes, however many there are.
        for (; *a; a += 2) {
            const char* n = localName(a[0]);
            if (n[0] == 0 || n[1] != 0) {
                continue;
            }
            if (n[0] == 'r') {
                ref = a[1];
            } else if (n[0] == 't') {
                type_ = cellType(a[1]);
            } else if (n[0] == 's') {
                style_ = QByteArray::fromRawData(a[1], qsizetype(std::strlen(a[1]))).toInt();
            }
        }
        qint64 cellRow = row_ < 0 ? 0 : row_;
        qint64 cellColumn = column_ + 1;
        if (ref && !parseReference(ref, cellRow, cellColumn)) {
            throw Failure(damagedFileText(ctx_.path));
        }
        row_ = cellRow;
        column_ = cellColumn;
        cell_ = depth_;
        value_.clear();
        inlineText_.clear();
    }
    void finishCell() {
        if (value_.isEmpty() && inlineText_.isEmpty()) {
            return;
        }
        char date[16];
        int dateSize = 0;
        if (type_ == CellType::Inline) {
            builder_.setUtf8(row_, column_, inlineText_.constData(), inlineText_.size());
        } else if (type_ == CellType::Shared) {
            bool ok = false;
            const qint64 index = value_.trimmed().toLongLong(&ok);
            if (!ok || index < 0 || index >= ctx_.strings.size()) {
                throw Failure(damagedFileText(ctx_.path));
            }
            const qsizetype from = ctx_.strings.from(index);
            builder_.setUtf8(row_, column_, ctx_.strings.text.constData() + from,
                             ctx_.strings.ends[size_t(index)] - from);
        } else if (type_ == CellType::Number && plainWholeNumber(value_) &&
                   format() == NumberFormat::Plain) {
            builder_.setUtf8(row_, column_, value_.constData(), value_.size());
        } else if (type_ == CellType::Number && plainWholeNumber(value_) &&
                   format() == NumberFormat::Date && !ctx_.date1904 &&
                   (dateSize = writeWholeDate(value_.toLongLong(), date)) > 0) {
            builder_.setUtf8(row_, column_, date, dateSize);
        } else {
            builder_.set(row_, column_, valueText(ctx_, type_, style_, QString::fromUtf8(value_)));
        }
    }
    NumberFormat::Kind format() const {
        return style_ < 0 || style_ >= ctx_.formats.size() ? NumberFormat::Plain
                                                           : ctx_.formats.at(style_).kind;
    }

    const SheetContext& ctx_;
    SheetBuilder& builder_;
    const ReadProgress& progress_;
    RichText rich_;
    int depth_ = 0;
    int skipUntil_ = 0;  // passing over an element down to its end at this depth
    int valueUntil_ = 0; // inside a <v>
    int inline_ = 0;     // inside an <is>
    int cell_ = 0;       // inside a <c>
    qint64 row_ = -1;
    qint64 column_ = -1;
    int rowsSinceProgress_ = 0;
    CellType type_ = CellType::Number;
    int style_ = 0;
    QByteArray value_;
    QByteArray inlineText_;
};

} // namespace

QString unescapedText(const QString& text) {
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

SharedStrings readSharedStrings(const ZipArchive& zip, const QString& part,
                                const SheetLimits& limits) {
    SharedStrings strings;
    if (part.isEmpty() || !zip.contains(part)) {
        return strings;
    }
    SharedStringsHandler handler(strings, limits, zip.path());
    parseXmlPart(zip, part, handler);
    return strings;
}

void readSheetData(const ZipArchive& zip, const QString& part, const SheetContext& ctx,
                   SheetBuilder& builder, const ReadProgress& progress) {
    SheetDataHandler handler(ctx, builder, progress);
    parseXmlPart(zip, part, handler);
}

} // namespace florist::detail
