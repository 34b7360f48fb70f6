#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace florist::detail {

// A stream of an OLE2 compound file (the container of an .xls workbook), read whole. Every
// sector number, chain and size is checked against the file, so a damaged or hostile file ends
// in false instead of reading out of bounds or looping.
class CompoundFile {
public:
    // file: the whole file. False when it is no compound file or its tables are damaged.
    bool open(const QByteArray& file);
    // The stream of that name anywhere in the file (the case of letters does not count);
    // false when it is missing or damaged.
    bool stream(const QString& name, QByteArray& out) const;

private:
    bool chain(quint32 start, qint64 size, bool mini, QByteArray& out) const;
    const uchar* sector(quint32 index) const;

    QByteArray file_;
    int sectorSize_ = 512;
    int miniSectorSize_ = 64;
    quint32 miniCutoff_ = 4096;
    QList<quint32> fat_;
    QList<quint32> miniFat_;
    QByteArray directory_;
    QByteArray miniStream_;
};

} // namespace florist::detail
