#include "core/spreadsheet/compoundfile.h"

#include <QBitArray>
#include <QList>
#include <QtEndian>

namespace florist::detail {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kLastRegular = 0xFFFFFFFA;

quint16 u16(const uchar* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const uchar* p) {
    return qFromLittleEndian<quint32>(p);
}

} // namespace

const uchar* CompoundFile::sector(quint32 index) const {
    const qint64 offset = (qint64(index) + 1) * sectorSize_;
    if (index > kLastRegular || offset + sectorSize_ > file_.size()) {
        return nullptr;
    }
    return reinterpret_cast<const uchar*>(file_.constData()) + offset;
}

bool CompoundFile::open(const QByteArray& file) {
    file_ = file;
    if (file_.size() < 512 || !file_.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"))) {
        return false;
    }
    const auto* h = reinterpret_cast<const uchar*>(file_.constData());
    const int shift = u16(h + 0x1E);
    const int miniShift = u16(h + 0x20);
    if ((shift != 9 && shift != 12) || miniShift != 6) {
        return false;
    }
    sectorSize_ = 1 << shift;
    miniSectorSize_ = 1 << miniShift;
    miniCutoff_ = u32(h + 0x38);
    const qint64 sectors = file_.size() / sectorSize_; // an upper bound of every count below
    const quint32 fatSectors = u32(h + 0x2C);
    if (fatSectors > sectors) {
        return false;
    }
    // The sector numbers of the FAT: 109 in the header, the rest in the DIFAT chain.
    QList<quint32> fatSectorList;
    for (int i = 0; i < 109 && quint32(fatSectorList.size()) < fatSectors; ++i) {
        fatSectorList << u32(h + 0x4C + 4 * i);
    }
    quint32 difat = u32(h + 0x44);
    const int perDifat = sectorSize_ / 4 - 1;
    for (qint64 guard = 0; quint32(fatSectorList.size()) < fatSectors; ++guard) {
        const uchar* s = sector(difat);
        if (!s || guard > sectors) {
            return false;
        }
        for (int i = 0; i < perDifat && quint32(fatSectorList.size()) < fatSectors; ++i) {
            fatSectorList << u32(s + 4 * i);
        }
        difat = u32(s + 4 * perDifat);
    }
    fat_.reserve(fatSectorList.size() * (sectorSize_ / 4));
    for (quint32 index : fatSectorList) {
        const uchar* s = sector(index);
        if (!s) {
            return false;
        }
        for (int i = 0; i < sectorSize_ / 4; ++i) {
            fat_ << u32(s + 4 * i);
        }
    }
    if (!chain(u32(h + 0x30), -1, false, directory_) || directory_.size() < 128) {
        return false;
    }
    // The mini FAT and the mini stream (held by the root entry) serve the small streams.
    QByteArray miniFat;
    if (u32(h + 0x3C) <= kLastRegular && !chain(u32(h + 0x3C), -1, false, miniFat)) {
        return false;
    }
    for (qsizetype i = 0; i + 4 <= miniFat.size(); i += 4) {
        miniFat_ << u32(reinterpret_cast<const uchar*>(miniFat.constData()) + i);
    }
    const auto* root = reinterpret_cast<const uchar*>(directory_.constData());
    const quint32 rootStart = u32(root + 0x74);
    if (rootStart <= kLastRegular && !chain(rootStart, u32(root + 0x78), false, miniStream_)) {
        return false;
    }
    return true;
}

bool CompoundFile::chain(quint32 start, qint64 size, bool mini, QByteArray& out) const {
    out.clear();
    const QList<quint32>& table = mini ? miniFat_ : fat_;
    const int unit = mini ? miniSectorSize_ : sectorSize_;
    if (size > file_.size() || (mini && size > miniStream_.size())) {
        return false;
    }
    if (size >= 0) {
        out.reserve(size);
    }
    // A sector belongs to one chain once: a loop in the table is damage.
    QBitArray visited(table.size());
    quint32 current = start;
    while (current != kEndOfChain) {
        if (current > kLastRegular || current >= quint32(table.size()) ||
            visited.testBit(current)) {
            return false;
        }
        visited.setBit(current);
        if (mini) {
            const qint64 offset = qint64(current) * unit;
            if (offset + unit > miniStream_.size()) {
                return false;
            }
            out.append(miniStream_.constData() + offset, unit);
        } else {
            const uchar* s = sector(current);
            if (!s) {
                return false;
            }
            out.append(reinterpret_cast<const char*>(s), unit);
        }
        if (size >= 0 && out.size() >= size) {
            break;
        }
        current = table.at(current);
    }
    if (size >= 0) {
        if (out.size() < size) {
            return false;
        }
        out.truncate(size);
    }
    return true;
}

bool CompoundFile::stream(const QString& name, QByteArray& out) const {
    const auto* d = reinterpret_cast<const uchar*>(directory_.constData());
    for (qsizetype at = 0; at + 128 <= directory_.size(); at += 128) {
        const uchar* e = d + at;
        const int bytes = u16(e + 0x40);
        if (e[0x42] != 2 || bytes < 2 || bytes > 64) {
            continue;
        }
        QString entryName;
        for (int i = 0; i + 2 < bytes; i += 2) {
            entryName += QChar(u16(e + i));
        }
        if (entryName.compare(name, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const qint64 size = u32(e + 0x78);
        const bool mini = size < miniCutoff_;
        return chain(u32(e + 0x74), size, mini, out);
    }
    return false;
}

} // namespace florist::detail
