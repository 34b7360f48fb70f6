#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>
#include <initializer_list>

namespace florist {

// The data rows of a sheet, held compactly: the text of every cell in one UTF-8 buffer and,
// per cell, where its text ends, so that a million rows cost little more than their text. A
// row holds its cells up to its last filled one; it reads as `width` cells, the ones beyond
// empty text. Copies share the buffers.
class SheetRows {
public:
    // The buffers as the builder and the helper's answer hand them over. Cell i's text is
    // text[ends[i-1] .. ends[i]) (from 0 for the first cell); row r's cells are
    // ends[rowStarts[r] .. rowStarts[r+1]).
    struct Storage {
        QByteArray text;
        QList<quint32> ends;
        QList<quint32> rowStarts; // one more than there are rows
        qsizetype width = 0;
        // Whether the buffers fit together; a storage that does not is never used.
        bool valid() const;
    };

    SheetRows() = default;
    SheetRows(const QList<QStringList>& rows);
    SheetRows(std::initializer_list<QStringList> rows) : SheetRows(QList<QStringList>(rows)) {}
    explicit SheetRows(Storage storage);

    qsizetype size() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    // How many cells a row reads as.
    qsizetype width(qsizetype row) const;
    // One cell as text: "" when empty or beyond the row, never a null string.
    QString cell(qsizetype row, qsizetype column) const;
    QStringList at(qsizetype row) const;
    QStringList operator[](qsizetype row) const { return at(row); }
    QStringList first() const { return at(0); }
    // A row to change in place (a sheet put together by hand); the change lives beside the
    // shared buffers.
    QStringList& operator[](qsizetype row);
    // The rows from `from` on, sharing the buffers.
    SheetRows mid(qsizetype from) const;
    void append(const QStringList& row);
    SheetRows& operator<<(const QStringList& row) {
        append(row);
        return *this;
    }
    // The buffers with the rows this object shows (the first of them at firstRow()).
    const Storage& storage() const { return storage_; }
    qsizetype firstRow() const { return first_; }
    // The memory the buffers take.
    qint64 heldBytes() const;

    friend bool operator==(const SheetRows& a, const SheetRows& b);

private:
    // The range of a row's stored cells in ends.
    qsizetype begin(qsizetype row) const { return storage_.rowStarts.at(first_ + row); }
    qsizetype end(qsizetype row) const { return storage_.rowStarts.at(first_ + row + 1); }
    QString storedCell(qsizetype index) const;

    Storage storage_;
    qsizetype first_ = 0;
    qsizetype count_ = 0;
    QHash<qsizetype, QStringList> edited_; // by row of the storage
};

} // namespace florist
