#include "core/spreadsheet/sheetanswer.h"

#include <QDataStream>
#include <QtEndian>
#include <cstring>

namespace florist::detail {

namespace {

constexpr quint32 kMagic = 0x464C5348; // the first word of the helper's answer
constexpr qint32 kVersion = 2;
constexpr qint64 kHeadSize = 9;
constexpr int kSizeFields = 7;
constexpr qint64 kMaxSmallBytes = qint64(64) * 1024 * 1024; // failure text, headings

QByteArray head(bool ok) {
    QByteArray out(kHeadSize, Qt::Uninitialized);
    qToLittleEndian<quint32>(kMagic, out.data());
    qToLittleEndian<qint32>(kVersion, out.data() + 4);
    out[8] = ok ? 1 : 0;
    return out;
}

void appendNumber(QByteArray& out, qint64 value) {
    char bytes[8];
    qToLittleEndian<qint64>(value, bytes);
    out.append(bytes, 8);
}

// The buffers cross between two processes of the same build on the same machine, so they go
// in the machine's own byte order.
bool writeAll(QIODevice& out, const char* data, qint64 size) {
    while (size > 0) {
        const qint64 n = out.write(data, std::min<qint64>(size, 1 << 20));
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

bool writeSheetAnswer(QIODevice& out, const Sheet& sheet) {
    const SheetRows::Storage& s = sheet.rows.storage();
    QByteArray headings;
    {
        QDataStream h(&headings, QIODevice::WriteOnly);
        h << sheet.headings;
    }
    const qint64 rows = s.rowStarts.isEmpty() ? 0 : s.rowStarts.size() - 1;
    QByteArray fixed = head(true);
    for (qint64 v : {qint64(headings.size()), rows, qint64(sheet.rows.firstRow()), qint64(s.width),
                     qint64(s.ends.size()), qint64(s.text.size()), qint64(sheet.titleRows)}) {
        appendNumber(fixed, v);
    }
    const quint32 zero = 0;
    const bool ok =
        writeAll(out, fixed.constData(), fixed.size()) &&
        writeAll(out, headings.constData(), headings.size()) &&
        (rows == 0 ? writeAll(out, reinterpret_cast<const char*>(&zero), sizeof zero)
                   : writeAll(out, reinterpret_cast<const char*>(s.rowStarts.constData()),
                              s.rowStarts.size() * qint64(sizeof(quint32)))) &&
        writeAll(out, reinterpret_cast<const char*>(s.ends.constData()),
                 s.ends.size() * qint64(sizeof(quint32))) &&
        writeAll(out, s.text.constData(), s.text.size());
    return ok;
}

void writeFailureAnswer(QIODevice& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray answer = head(false);
    appendNumber(answer, utf8.size());
    answer += utf8;
    writeAll(out, answer.constData(), answer.size());
}

void SheetAnswerReader::enter(Stage stage, char* target, qint64 size) {
    stage_ = stage;
    target_ = target;
    wanted_ = size;
}

bool SheetAnswerReader::feed(const char* data, qsizetype size) {
    if (stage_ == Stage::Head && small_.isEmpty()) {
        small_.resize(kHeadSize);
        enter(Stage::Head, small_.data(), kHeadSize);
    }
    while (size > 0 && stage_ != Stage::Damaged) {
        if (stage_ == Stage::Done) {
            stage_ = Stage::Damaged; // more than the answer announced
            break;
        }
        const qint64 n = std::min<qint64>(size, wanted_);
        std::memcpy(target_, data, size_t(n));
        target_ += n;
        wanted_ -= n;
        data += n;
        size -= qsizetype(n);
        while (wanted_ == 0 && stage_ != Stage::Done && stage_ != Stage::Damaged) {
            if (!advance()) {
                stage_ = Stage::Damaged;
            }
        }
    }
    return stage_ != Stage::Damaged;
}

// The current stage is complete: reads what it brought and sets up the next.
bool SheetAnswerReader::advance() {
    switch (stage_) {
    case Stage::Head: {
        if (qFromLittleEndian<quint32>(small_.constData()) != kMagic ||
            qFromLittleEndian<qint32>(small_.constData() + 4) != kVersion) {
            return false;
        }
        const bool ok = small_.at(8) == 1;
        small_.resize(ok ? 8 * kSizeFields : 8);
        failed_ = !ok;
        enter(ok ? Stage::Sizes : Stage::FailureLength, small_.data(), small_.size());
        return true;
    }
    case Stage::FailureLength: {
        const qint64 n = qFromLittleEndian<qint64>(small_.constData());
        if (n < 0 || n > kMaxSmallBytes) {
            return false;
        }
        small_.resize(n);
        enter(Stage::FailureText, small_.data(), n);
        return true;
    }
    case Stage::FailureText:
        failure_ = QString::fromUtf8(small_);
        enter(Stage::Done, nullptr, 0);
        return true;
    case Stage::Sizes: {
        qint64 v[kSizeFields];
        for (int i = 0; i < kSizeFields; ++i) {
            v[i] = qFromLittleEndian<qint64>(small_.constData() + 8 * i);
        }
        headingBytes_ = v[0];
        rows_ = v[1];
        firstRow_ = v[2];
        width_ = v[3];
        cells_ = v[4];
        textBytes_ = v[5];
        titleRows_ = v[6];
        // Checked before anything is allocated by these sizes.
        if (headingBytes_ < 0 || headingBytes_ > kMaxSmallBytes || rows_ < 0 ||
            rows_ > qint64(limits_.maxRows) + 1 || firstRow_ < 0 || firstRow_ > rows_ ||
            width_ < 0 || width_ > limits_.maxColumns || cells_ < 0 || cells_ > limits_.maxCells ||
            textBytes_ < 0 || textBytes_ > limits_.maxTextBytes ||
            textBytes_ > qint64(UINT32_MAX) || titleRows_ < 0 || titleRows_ > 1) {
            return false;
        }
        small_.resize(headingBytes_);
        enter(Stage::Headings, small_.data(), headingBytes_);
        return true;
    }
    case Stage::Headings:
        storage_.rowStarts.resize(rows_ + 1);
        enter(Stage::RowStarts, reinterpret_cast<char*>(storage_.rowStarts.data()),
              (rows_ + 1) * qint64(sizeof(quint32)));
        return true;
    case Stage::RowStarts:
        storage_.ends.resize(cells_);
        enter(Stage::Ends, reinterpret_cast<char*>(storage_.ends.data()),
              cells_ * qint64(sizeof(quint32)));
        return true;
    case Stage::Ends:
        storage_.text.resize(textBytes_);
        enter(Stage::Text, storage_.text.data(), textBytes_);
        return true;
    case Stage::Text:
        enter(Stage::Done, nullptr, 0);
        return true;
    case Stage::Done:
    case Stage::Damaged:
        break;
    }
    return false;
}

std::optional<Sheet> SheetAnswerReader::finish() {
    if (stage_ != Stage::Done) {
        return std::nullopt;
    }
    if (failed_) {
        throw Failure(failure_);
    }
    Sheet sheet;
    {
        QDataStream h(small_);
        h >> sheet.headings;
        if (h.status() != QDataStream::Ok || sheet.headings.size() != width_) {
            return std::nullopt;
        }
    }
    storage_.width = qsizetype(width_);
    if (!storage_.valid()) {
        return std::nullopt;
    }
    sheet.rows = SheetRows(std::move(storage_)).mid(qsizetype(firstRow_));
    sheet.titleRows = int(titleRows_);
    return sheet;
}

} // namespace florist::detail
