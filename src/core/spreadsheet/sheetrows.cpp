#include "core/spreadsheet/sheetrows.h"

namespace florist {

namespace {

// An empty cell reads as empty text, never as a null string.
const QString& emptyText() {
    static const QString empty("");
    return empty;
}

} // namespace

bool SheetRows::Storage::valid() const {
    if (rowStarts.isEmpty() || rowStarts.first() != 0 ||
        qsizetype(rowStarts.last()) != ends.size() || width < 0) {
        return false;
    }
    for (qsizetype r = 1; r < rowStarts.size(); ++r) {
        if (rowStarts.at(r) < rowStarts.at(r - 1) ||
            qsizetype(rowStarts.at(r) - rowStarts.at(r - 1)) > width) {
            return false;
        }
    }
    quint32 previous = 0;
    for (quint32 e : ends) {
        if (e < previous) {
            return false;
        }
        previous = e;
    }
    return qsizetype(previous) <= text.size();
}

SheetRows::SheetRows(const QList<QStringList>& rows) {
    for (const QStringList& row : rows) {
        append(row);
    }
}

SheetRows::SheetRows(Storage storage) : storage_(std::move(storage)) {
    if (storage_.rowStarts.isEmpty()) {
        storage_.rowStarts << 0;
    }
    count_ = storage_.rowStarts.size() - 1;
}

qsizetype SheetRows::width(qsizetype row) const {
    if (!edited_.isEmpty()) {
        const auto it = edited_.constFind(first_ + row);
        if (it != edited_.cend()) {
            return it->size();
        }
    }
    return std::max(storage_.width, end(row) - begin(row));
}

QString SheetRows::storedCell(qsizetype index) const {
    const quint32 from = index == 0 ? 0 : storage_.ends.at(index - 1);
    const quint32 to = storage_.ends.at(index);
    if (to == from) {
        return emptyText();
    }
    return QString::fromUtf8(storage_.text.constData() + from, qsizetype(to - from));
}

QString SheetRows::cell(qsizetype row, qsizetype column) const {
    if (!edited_.isEmpty()) {
        const auto it = edited_.constFind(first_ + row);
        if (it != edited_.cend()) {
            return it->value(column, emptyText());
        }
    }
    const qsizetype index = begin(row) + column;
    return column >= 0 && index < end(row) ? storedCell(index) : emptyText();
}

QStringList SheetRows::at(qsizetype row) const {
    if (!edited_.isEmpty()) {
        const auto it = edited_.constFind(first_ + row);
        if (it != edited_.cend()) {
            return *it;
        }
    }
    const qsizetype from = begin(row);
    const qsizetype to = end(row);
    QStringList cells;
    cells.reserve(std::max(storage_.width, to - from));
    for (qsizetype i = from; i < to; ++i) {
        cells << storedCell(i);
    }
    while (cells.size() < storage_.width) {
        cells << emptyText();
    }
    return cells;
}

QStringList& SheetRows::operator[](qsizetype row) {
    const qsizetype key = first_ + row;
    auto it = edited_.find(key);
    if (it == edited_.end()) {
        it = edited_.insert(key, at(row));
    }
    return *it;
}

SheetRows SheetRows::mid(qsizetype from) const {
    SheetRows rows(*this);
    from = std::clamp<qsizetype>(from, 0, count_);
    rows.first_ += from;
    rows.count_ -= from;
    return rows;
}

void SheetRows::append(const QStringList& row) {
    // Rows put together by hand are kept as they are, null texts included.
    if (storage_.rowStarts.isEmpty()) {
        storage_.rowStarts << 0;
    }
    storage_.rowStarts << storage_.rowStarts.last();
    edited_.insert(first_ + count_, row);
    ++count_;
}

qint64 SheetRows::heldBytes() const {
    return storage_.text.capacity() +
           (storage_.ends.capacity() + storage_.rowStarts.capacity()) * qint64(sizeof(quint32));
}

bool operator==(const SheetRows& a, const SheetRows& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype r = 0; r < a.size(); ++r) {
        if (a.at(r) != b.at(r)) {
            return false;
        }
    }
    return true;
}

} // namespace florist
