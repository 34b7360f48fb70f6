#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>
#include <cstring>

// Builds .xls files by hand: BIFF8 records in the "Workbook" stream of an OLE2 compound file,
// so that a test can hold exactly the records a real or a hostile file holds.
namespace florist::test {

inline QByteArray le16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}
inline QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}
inline QByteArray leDouble(double v) {
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    return b;
}

inline QByteArray record(int type, const QByteArray& data) {
    return le16(type) + le16(int(data.size())) + data;
}

// A BIFF8 string: 16-bit length (or 8-bit), flags byte, UTF-16 characters.
inline QByteArray biffString(const QString& text, bool longLength = true) {
    QByteArray b = longLength ? le16(int(text.size())) : QByteArray(1, char(text.size()));
    b += char(0x01);
    for (QChar c : text) {
        b += le16(c.unicode());
    }
    return b;
}

inline QByteArray bof(int kind) {
    return record(0x0809,
                  le16(0x0600) + le16(kind) + le16(0x0DBB) + le16(1996) + le32(0) + le32(6));
}
inline QByteArray eof() {
    return record(0x000A, {});
}
inline QByteArray cellHead(int row, int column, int xf) {
    return le16(row) + le16(column) + le16(xf);
}
inline QByteArray label(int row, int column, const QString& text, int xf = 15) {
    return record(0x0204, cellHead(row, column, xf) + biffString(text));
}
inline QByteArray number(int row, int column, double value, int xf = 15) {
    return record(0x0203, cellHead(row, column, xf) + leDouble(value));
}
// A formula cell with its stored result: 8 result bytes, flags, chain, a one-token formula.
inline QByteArray formula(int row, int column, const QByteArray& result, int xf = 15) {
    return record(0x0006, cellHead(row, column, xf) + result + le16(0) + le32(0) + le16(1) +
                              QByteArray(1, char(0x17)));
}
inline QByteArray formulaNumber(double v) {
    return leDouble(v);
}
// A non-number result: kind 0 text (a STRING record follows), 1 boolean, 2 error.
inline QByteArray formulaOther(int kind, int value = 0) {
    QByteArray b(8, '\0');
    b[0] = char(kind);
    b[2] = char(value);
    b[6] = char(0xFF);
    b[7] = char(0xFF);
    return b;
}
inline QByteArray stringResult(const QString& text) {
    return record(0x0207, biffString(text));
}
inline QByteArray dimensions(quint32 rows, int columns) {
    return record(0x0200, le32(0) + le32(rows) + le16(0) + le16(columns) + le16(0));
}
// Cell style xf with number format id.
inline QByteArray xf(int formatId) {
    return record(0x00E0, le16(0) + le16(formatId) + QByteArray(16, '\0'));
}
inline QByteArray format(int id, const QString& code) {
    return record(0x041E, le16(id) + biffString(code));
}

// A workbook: the globals (formats, xfs and any extra records such as an SST), the sheets by
// name with their cell records. xf 15 is the general format; xfs given come after it.
struct XlsBook {
    QByteArray globals;
    QList<QPair<QString, QByteArray>> sheets;

    QByteArray stream() const {
        QByteArray head = bof(0x0005);
        for (int i = 0; i < 15; ++i) {
            head += xf(0);
        }
        head += xf(0); // 15: general
        head += globals;
        // Each BOUNDSHEET is 8 bytes plus its name; positions are patched once known.
        QList<qsizetype> positionAt;
        for (const auto& [name, cells] : sheets) {
            positionAt << head.size() + 4;
            head += record(0x0085, le32(0) + QByteArray(2, '\0') + biffString(name, false));
        }
        head += eof();
        QByteArray out = head;
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            qToLittleEndian<quint32>(quint32(out.size()), out.data() + positionAt[i]);
            out += bof(0x0010) + sheets[i].second + eof();
        }
        return out;
    }
};

// An OLE2 compound file of 512-byte sectors holding one stream, "Workbook" unless named
// (padded to 4096 bytes so that it lives in regular sectors).
inline QByteArray compoundFile(QByteArray stream, const QString& name = "Workbook") {
    const qint64 realSize = std::max<qint64>(stream.size(), 4096);
    stream.append(QByteArray(realSize - stream.size(), '\0'));
    const int streamSectors = int((stream.size() + 511) / 512);
    const int fatSectors = (streamSectors + 2 + 127) / 128;
    stream.append(QByteArray(qsizetype(streamSectors) * 512 - stream.size(), '\0'));
    QByteArray header(512, '\0');
    std::memcpy(header.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    auto put16 = [&](int at, int v) { qToLittleEndian<quint16>(quint16(v), header.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian<quint32>(v, header.data() + at); };
    put16(0x18, 0x3E);
    put16(0x1A, 3);
    put16(0x1C, 0xFFFE);
    put16(0x1E, 9);
    put16(0x20, 6);
    put32(0x2C, quint32(fatSectors));
    put32(0x30, quint32(fatSectors)); // the directory follows the FAT
    put32(0x38, 4096);
    put32(0x3C, 0xFFFFFFFE);
    put32(0x44, 0xFFFFFFFE);
    for (int i = 0; i < 109; ++i) {
        put32(0x4C + 4 * i, i < fatSectors ? quint32(i) : 0xFFFFFFFF);
    }
    QByteArray fat;
    for (int i = 0; i < fatSectors; ++i) {
        fat += le32(0xFFFFFFFD);
    }
    fat += le32(0xFFFFFFFE); // directory
    const int first = fatSectors + 1;
    for (int i = 0; i < streamSectors; ++i) {
        fat += le32(i + 1 < streamSectors ? quint32(first + i + 1) : 0xFFFFFFFE);
    }
    fat.append(QByteArray(qsizetype(fatSectors) * 512 - fat.size(), char(0xFF)));
    auto entry = [](const QString& name, int type, quint32 start, quint32 size, quint32 child) {
        QByteArray e(128, '\0');
        for (int i = 0; i < name.size(); ++i) {
            qToLittleEndian<quint16>(name.at(i).unicode(), e.data() + 2 * i);
        }
        qToLittleEndian<quint16>(quint16(2 * (name.size() + 1)), e.data() + 0x40);
        e[0x42] = char(type);
        e[0x43] = 1;
        qToLittleEndian<quint32>(0xFFFFFFFF, e.data() + 0x44);
        qToLittleEndian<quint32>(0xFFFFFFFF, e.data() + 0x48);
        qToLittleEndian<quint32>(child, e.data() + 0x4C);
        qToLittleEndian<quint32>(start, e.data() + 0x74);
        qToLittleEndian<quint32>(size, e.data() + 0x78);
        return e;
    };
    QByteArray dir = entry("Root Entry", 5, 0xFFFFFFFE, 0, 1);
    dir += entry(name, 2, quint32(first), quint32(realSize), 0xFFFFFFFF);
    dir.append(QByteArray(256, '\0'));
    return header + fat + dir + stream;
}

inline bool writeXls(const QString& path, const XlsBook& book) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(compoundFile(book.stream())) > 0;
}

} // namespace florist::test
