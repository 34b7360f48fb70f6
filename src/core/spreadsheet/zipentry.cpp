#include "core/spreadsheet/zipentry.h"

#include "core/spreadsheet/sheetreader.h"

#include <QFile>

namespace florist::detail {

ZipEntryDevice::ZipEntryDevice(zip_file_t* file, qint64 maxBytes, qint64 declaredBytes,
                               qint64 compressedBytes)
    : file_(file), maxBytes_(maxBytes), declared_(declaredBytes), compressed_(compressedBytes) {
    open(QIODevice::ReadOnly);
}

ZipEntryDevice::~ZipEntryDevice() {
    zip_fclose(file_);
}

qint64 ZipEntryDevice::readData(char* data, qint64 maxSize) {
    if (overflowed_ || failed_) {
        return -1;
    }
    const zip_int64_t n = zip_fread(file_, data, zip_uint64_t(maxSize));
    if (n < 0) {
        failed_ = true;
        return -1;
    }
    read_ += n;
    if (read_ > maxBytes_ ||
        (read_ > kRatioFreeBytes && read_ / kMaxInflationRatio > compressed_)) {
        overflowed_ = true;
        return -1;
    }
    return n;
}

ZipArchive::ZipArchive(const QString& path, const SheetLimits& limits)
    : path_(path), limits_(limits) {
    int error = 0;
    zip_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip_) {
        // libzip answers some damage with "no such file" (an entry that declares 0xFFFFFFFF
        // bytes without the zip64 field that should hold the size): a file that opens is
        // damaged, whatever the code.
        QFile file(path);
        const bool unreadable = !file.open(QIODevice::ReadOnly);
        throw Failure(unreadable ? unreadableFileText(path) : damagedFileText(path));
    }
}

ZipArchive::~ZipArchive() {
    zip_discard(zip_);
}

zip_int64_t ZipArchive::locate(const QString& part) const {
    return zip_name_locate(zip_, part.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
}

bool ZipArchive::contains(const QString& part) const {
    return locate(part) >= 0;
}

std::unique_ptr<ZipEntryDevice> ZipArchive::open(const QString& part) const {
    const zip_int64_t index = locate(part);
    if (index < 0) {
        throw Failure(damagedFileText(path_));
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip_, zip_uint64_t(index), 0, &st) != 0) {
        throw Failure(damagedFileText(path_));
    }
    // A part stored without compression counts as its own size.
    const qint64 compressed = (st.valid & ZIP_STAT_COMP_SIZE)
                                  ? qint64(std::min<zip_uint64_t>(st.comp_size, INT64_MAX))
                                  : limits_.maxEntryBytes;
    if ((st.valid & ZIP_STAT_SIZE) &&
        (st.size > zip_uint64_t(limits_.maxEntryBytes) ||
         (st.size > zip_uint64_t(ZipEntryDevice::kRatioFreeBytes) &&
          st.size / ZipEntryDevice::kMaxInflationRatio > zip_uint64_t(compressed)))) {
        throw Failure(oversizedFileText(path_));
    }
    zip_file_t* file = zip_fopen_index(zip_, zip_uint64_t(index), 0);
    if (!file) {
        throw Failure(damagedFileText(path_));
    }
    const qint64 declared = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
    return std::make_unique<ZipEntryDevice>(file, limits_.maxEntryBytes, declared, compressed);
}

} // namespace florist::detail
