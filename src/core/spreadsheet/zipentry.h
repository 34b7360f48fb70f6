#pragma once

#include "core/spreadsheet/sheet.h"

#include <QIODevice>
#include <memory>
#include <zip.h>

namespace florist::detail {

// One part of a zip archive as a stream that never yields more than a set number of bytes, so
// a part that inflates without end (a zip bomb) stops at the bound instead of filling memory.
// Nor does it yield more than kMaxInflationRatio times its compressed size once past
// kRatioFreeBytes: real sheets compress five to fifteen times, bombs a thousand times, and
// they are stopped within a fraction of a second instead of at the bound.
class ZipEntryDevice : public QIODevice {
public:
    static constexpr qint64 kMaxInflationRatio = 100;
    static constexpr qint64 kRatioFreeBytes = qint64(4) * 1024 * 1024;

    ZipEntryDevice(zip_file_t* file, qint64 maxBytes, qint64 declaredBytes, qint64 compressedBytes);
    ~ZipEntryDevice() override;
    bool isSequential() const override { return true; }
    bool overflowed() const { return overflowed_; }
    bool failed() const { return failed_; }
    // Progress: bytes inflated so far, of the size the archive declares for the part (0 when
    // it declares none).
    qint64 inflated() const { return read_; }
    qint64 declared() const { return declared_; }
    // The next bytes, read straight into data: as read(), without the device's buffer.
    qint64 pull(char* data, qint64 maxSize) { return readData(data, maxSize); }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* file_;
    qint64 maxBytes_;
    qint64 declared_;
    qint64 compressed_;
    qint64 read_ = 0;
    bool overflowed_ = false;
    bool failed_ = false;
};

// An xlsx file opened as a zip archive; part names are found regardless of case.
class ZipArchive {
public:
    ZipArchive(const QString& path, const SheetLimits& limits);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& part) const;
    // Opens a part; raises the damaged-file Failure when it is missing or cannot be inflated,
    // the oversized-file Failure when it declares more bytes than the limit.
    std::unique_ptr<ZipEntryDevice> open(const QString& part) const;
    const QString& path() const { return path_; }

private:
    zip_int64_t locate(const QString& part) const;

    QString path_;
    SheetLimits limits_;
    zip_t* zip_ = nullptr;
};

} // namespace florist::detail
