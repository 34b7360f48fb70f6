#include "core/spreadsheet/celltext.h"
#include "core/spreadsheet/compoundfile.h"
#include "core/spreadsheet/readers.h"
#include "core/spreadsheet/sheetreader.h"
#include "core/text/gbk.h"

#include <QFile>
#include <QHash>
#include <QtEndian>
#include <cstring>

// The workbook stream of an .xls file (BIFF8 of Excel 97 and later, BIFF5 of Excel 95) read
// record by record. Every length is checked against the record that holds it, and no count
// declared in the file (dimensions, string totals) sizes anything, so a damaged file can only
// end in the damaged-file message.
namespace florist::detail {

namespace {

enum Record : quint16 {
    kFormula = 0x0006,
    kEof = 0x000A,
    kDateMode = 0x0022,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kMulRk = 0x00BD,
    kRString = 0x00D6,
    kXf = 0x00E0,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRk = 0x027E,
    kFormat = 0x041E,
    kBof = 0x0809,
};

struct Damaged {};
struct Encrypted {};

// One record with the CONTINUE records that follow it, read as one run of bytes that knows
// where each piece ends (a string's characters that cross into a CONTINUE start with a fresh
// flags byte there).
class RecordReader {
public:
    RecordReader(const QByteArray& stream, qsizetype at) : s_(stream), next_(at) {}

    // Moves to the next record; false at the end of the stream.
    bool advance() {
        pieces_.clear();
        piece_ = 0;
        pos_ = 0;
        if (next_ + 4 > s_.size()) {
            return false;
        }
        type_ = raw16(next_);
        qsizetype at = next_;
        do {
            const qsizetype length = raw16(at + 2);
            if (at + 4 + length > s_.size()) {
                throw Damaged();
            }
            pieces_ << qMakePair(at + 4, length);
            at += 4 + length;
        } while (at + 4 <= s_.size() && raw16(at) == kContinue && type_ != kContinue &&
                 continues(type_));
        start_ = next_;
        next_ = at;
        return true;
    }
    quint16 type() const { return type_; }
    qsizetype offset() const { return start_; }
    qsizetype size() const { return pieces_.isEmpty() ? 0 : pieces_.first().second; }

    quint8 u8() {
        while (piece_ < pieces_.size() && pos_ >= pieces_.at(piece_).second) {
            ++piece_;
            pos_ = 0;
        }
        if (piece_ >= pieces_.size()) {
            throw Damaged();
        }
        return quint8(s_.at(pieces_.at(piece_).first + pos_++));
    }
    quint16 u16() {
        const quint16 lo = u8();
        return quint16(lo | (u8() << 8));
    }
    quint32 u32() {
        const quint32 lo = u16();
        return lo | (quint32(u16()) << 16);
    }
    double f64() {
        quint64 bits = u32();
        bits |= quint64(u32()) << 32;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    void skip(qint64 n) {
        for (qint64 i = 0; i < n; ++i) {
            u8();
        }
    }
    // count characters, compressed (one byte each) or not; at the end of a piece the flags
    // byte of the continuation says how the rest is stored.
    QString chars(int count, bool highByte) {
        QString text;
        text.reserve(count);
        for (int i = 0; i < count; ++i) {
            if (piece_ + 1 < pieces_.size() && pos_ >= pieces_.at(piece_).second) {
                ++piece_;
                pos_ = 0;
                highByte = (u8() & 0x01) != 0;
            }
            text += highByte ? QChar(u16()) : QChar(u8());
        }
        return text;
    }
    // A BIFF8 string: 8- or 16-bit length, flags, optional rich-text and phonetic blocks.
    QString unicodeString(bool longLength) {
        const int count = longLength ? u16() : u8();
        const quint8 flags = u8();
        const int runs = (flags & 0x08) ? u16() : 0;
        const quint32 phonetic = (flags & 0x04) ? u32() : 0;
        QString text = chars(count, (flags & 0x01) != 0);
        skip(qint64(runs) * 4 + phonetic);
        return text;
    }

private:
    static bool continues(quint16 type) {
        return type == kSst || type == kString || type == kLabel || type == kRString ||
               type == kFormat;
    }
    quint16 raw16(qsizetype at) const { return qFromLittleEndian<quint16>(s_.constData() + at); }

    const QByteArray& s_;
    qsizetype next_;
    qsizetype start_ = 0;
    quint16 type_ = 0;
    QList<QPair<qsizetype, qsizetype>> pieces_;
    qsizetype piece_ = 0;
    qsizetype pos_ = 0;
};

struct Workbook {
    bool biff8 = true;
    bool date1904 = false;
    bool gbk = false; // BIFF5: 8-bit text in the GBK code page
    qint64 sheet1 = -1;
    QList<QString> strings;
    QHash<int, QString> formatCodes;
    QList<NumberFormat> xfFormats;
};

QString byteString(RecordReader& r, bool longLength, bool gbk) {
    const int count = longLength ? r.u16() : r.u8();
    QByteArray bytes;
    bytes.reserve(count);
    for (int i = 0; i < count; ++i) {
        bytes += char(r.u8());
    }
    return gbk ? fromGbk(bytes) : QString::fromLatin1(bytes);
}

// A string as the version writes it: BIFF8 Unicode, BIFF5 bytes of the code page.
QString versionString(RecordReader& r, const Workbook& wb, bool longLength) {
    return wb.biff8 ? r.unicodeString(longLength) : byteString(r, longLength, wb.gbk);
}

void readGlobals(const QByteArray& stream, Workbook& wb, const SheetLimits& limits,
                 const QString& path) {
    RecordReader r(stream, 0);
    if (!r.advance() || r.type() != kBof) {
        throw Damaged();
    }
    const quint16 version = r.u16();
    wb.biff8 = version == 0x0600;
    if (!wb.biff8 && version != 0x0500) {
        throw Damaged();
    }
    QList<int> xfIds; // the number format of each XF, resolved once every FORMAT is read
    while (r.advance() && r.type() != kEof) {
        switch (r.type()) {
        case kFilePass:
            throw Encrypted(); // nothing can be read without the password
        case kDateMode:
            wb.date1904 = r.u16() == 1;
            break;
        case kCodePage:
            wb.gbk = r.u16() == 936;
            break;
        case kBoundSheet: {
            const quint32 at = r.u32();
            r.u8(); // visibility
            const quint8 kind = r.u8();
            const QString name = versionString(r, wb, false);
            if (kind == 0 && wb.sheet1 < 0 &&
                name.compare(QString("Sheet1"), Qt::CaseInsensitive) == 0) {
                wb.sheet1 = at;
            }
            break;
        }
        case kFormat: {
            const int id = r.u16();
            wb.formatCodes.insert(id, versionString(r, wb, wb.biff8));
            break;
        }
        case kXf: {
            r.u16(); // font
            const int id = r.u16();
            if (xfIds.size() < 65536) {
                xfIds << id;
            }
            break;
        }
        case kSst: {
            r.u32(); // total count
            const quint32 unique = r.u32();
            for (quint32 i = 0; i < unique; ++i) {
                if (wb.strings.size() >= limits.maxCells) {
                    throw Failure(oversizedFileText(path));
                }
                wb.strings << r.unicodeString(true);
            }
            break;
        }
        default:
            break;
        }
    }
    for (int id : xfIds) {
        wb.xfFormats << NumberFormat::of(id, wb.formatCodes.value(id));
    }
}

QString errorText(quint8 code) {
    switch (code) {
    case 0x00:
        return QString("#NULL!");
    case 0x07:
        return QString("#DIV/0!");
    case 0x0F:
        return QString("#VALUE!");
    case 0x17:
        return QString("#REF!");
    case 0x1D:
        return QString("#NAME?");
    case 0x24:
        return QString("#NUM!");
    default:
        return QString("#N/A");
    }
}

double rkValue(quint32 rk) {
    double v;
    if (rk & 0x02) {
        v = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 0x01) ? v / 100.0 : v;
}

void readSheet1(const QByteArray& stream, const Workbook& wb, SheetBuilder& builder,
                const ReadProgress& progress) {
    RecordReader r(stream, wb.sheet1);
    if (!r.advance() || r.type() != kBof) {
        throw Damaged();
    }
    const auto number = [&](int xf, double value) {
        const NumberFormat f = xf < wb.xfFormats.size() ? wb.xfFormats.at(xf) : NumberFormat();
        return formattedNumber(value, f, wb.date1904);
    };
    int nested = 0; // a chart or other substream inside the sheet, with its own BOF .. EOF
    int stringRow = -1;
    int stringColumn = -1;
    int records = 0;
    while (r.advance()) {
        if (progress && ++records % 65536 == 0) {
            progress(r.offset() - wb.sheet1, stream.size() - wb.sheet1);
        }
        const quint16 type = r.type();
        if (type == kBof) {
            ++nested;
            continue;
        }
        if (type == kEof) {
            if (nested-- == 0) {
                return;
            }
            continue;
        }
        if (nested > 0) {
            continue;
        }
        if (type == kString) {
            if (stringRow >= 0) {
                builder.set(stringRow, stringColumn, versionString(r, wb, true));
            }
            stringRow = -1;
            continue;
        }
        switch (type) {
        case kLabelSst:
        case kLabel:
        case kRString:
        case kNumber:
        case kRk:
        case kBoolErr:
        case kFormula: {
            // A text result's STRING follows its formula, after any shared-formula or array
            // record; the next cell ends the wait for it.
            stringRow = -1;
            const int row = r.u16();
            const int column = r.u16();
            const int xf = r.u16();
            if (type == kLabelSst) {
                const quint32 index = r.u32();
                if (index >= quint32(wb.strings.size())) {
                    throw Damaged();
                }
                builder.set(row, column, wb.strings.at(index));
            } else if (type == kLabel || type == kRString) {
                builder.set(row, column, versionString(r, wb, true));
            } else if (type == kNumber) {
                builder.set(row, column, number(xf, r.f64()));
            } else if (type == kRk) {
                builder.set(row, column, number(xf, rkValue(r.u32())));
            } else if (type == kBoolErr) {
                const quint8 value = r.u8();
                const bool error = r.u8() != 0;
                builder.set(row, column,
                            error ? errorText(value) : QString(value ? "TRUE" : "FALSE"));
            } else {
                // The last result that the spreadsheet stored with the formula.
                quint8 result[8];
                for (quint8& b : result) {
                    b = r.u8();
                }
                if (result[6] != 0xFF || result[7] != 0xFF) {
                    double v;
                    std::memcpy(&v, result, sizeof v);
                    builder.set(row, column, number(xf, v));
                } else if (result[0] == 0) {
                    stringRow = row; // the text follows in a STRING record
                    stringColumn = column;
                } else if (result[0] == 1) {
                    builder.set(row, column, QString(result[2] ? "TRUE" : "FALSE"));
                } else if (result[0] == 2) {
                    builder.set(row, column, errorText(result[2]));
                }
            }
            break;
        }
        case kMulRk: {
            stringRow = -1;
            const int row = r.u16();
            int column = r.u16();
            // (xf, rk) pairs of six bytes, then the last column.
            const qsizetype pairs = (r.size() - 6) / 6;
            for (qsizetype i = 0; i < pairs; ++i, ++column) {
                const int xf = r.u16();
                builder.set(row, column, number(xf, rkValue(r.u32())));
            }
            break;
        }
        default:
            break;
        }
    }
    throw Damaged(); // the sheet's EOF is missing: the file is cut short
}

} // namespace

Sheet readXls(const QString& path, const SheetLimits& limits, const ReadProgress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure(unreadableFileText(path));
    }
    if (file.size() > limits.maxEntryBytes) {
        throw Failure(oversizedFileText(path));
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        throw Failure(unreadableFileText(path));
    }
    try {
        CompoundFile cfb;
        QByteArray stream;
        if (!cfb.open(bytes)) {
            throw Damaged();
        }
        if (!cfb.stream("Workbook", stream) && !cfb.stream("Book", stream)) {
            // An xlsx saved with a password is a compound file holding the encrypted package.
            QByteArray package;
            if (cfb.stream("EncryptedPackage", package)) {
                throw Encrypted();
            }
            throw Damaged();
        }
        Workbook wb;
        readGlobals(stream, wb, limits, path);
        if (wb.sheet1 < 0) {
            throw Failure(noSheet1Text());
        }
        if (wb.sheet1 >= stream.size()) {
            throw Damaged();
        }
        SheetBuilder builder(limits);
        readSheet1(stream, wb, builder, progress);
        return builder.take();
    } catch (const Damaged&) {
        throw Failure(damagedFileText(path));
    } catch (const Encrypted&) {
        throw Failure(passwordFileText(path));
    }
}

} // namespace florist::detail
