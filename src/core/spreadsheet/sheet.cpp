#include "core/spreadsheet/sheet.h"

#include "core/spreadsheet/celltext.h"

#include <algorithm>

namespace florist {

namespace {

QString tooLargeText(const QString& kind) {
    return QString("%1的数据过多，无法读取！").arg(kind);
}

} // namespace

int Sheet::column(const QString& heading) const {
    const QString wanted = heading.trimmed();
    for (int i = 0; i < headings.size(); ++i) {
        if (headings.at(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString missingHeadingText(const QString& heading) {
    return QString("EXCEL文件中缺少列：%1").arg(heading);
}

QString SheetRow::text(const QString& heading) const {
    const int c = sheet_->column(heading);
    if (c < 0) {
        throw Failure(missingHeadingText(heading));
    }
    return sheet_->rows.cell(index_, c);
}

QString SheetRow::date(const QString& heading) const {
    return normalizedDateText(text(heading));
}

void SheetBuilder::check(qint64 row, qint64 column, qsizetype size) {
    if (row < 0 || column < 0 || row >= limits_.maxRows || column >= limits_.maxColumns) {
        throw Failure(QString("%1的单元格位置超出范围（第 %2 行，第 %3 列），无法读取！")
                          .arg(kind_)
                          .arg(row + 1)
                          .arg(column + 1));
    }
    // Checked before anything grows, so a far corner cell fails without filling memory.
    const qint64 width = std::max(maxColumn_, column) + 1;
    const qint64 height = std::max(maxRow_, row) + 1;
    if (qint64(cells_.size()) >= limits_.maxCells || width * height > limits_.maxCells ||
        text_.size() + size > limits_.maxTextBytes) {
        throw Failure(tooLargeText(kind_));
    }
}

void SheetBuilder::setUtf8(qint64 row, qint64 column, const char* text, qsizetype size) {
    if (size <= 0) {
        return;
    }
    check(row, column, size);
    if (ordered_ && !cells_.empty()) {
        const Cell& last = cells_.back();
        ordered_ = row > last.row || (row == last.row && column > last.column);
    }
    cells_.push_back({qint32(row), qint32(column), quint32(text_.size()), quint32(size)});
    text_.append(text, size);
    maxColumn_ = std::max(maxColumn_, column);
    maxRow_ = std::max(maxRow_, row);
}

void SheetBuilder::set(qint64 row, qint64 column, const QString& value) {
    if (value.isEmpty()) {
        return;
    }
    const QByteArray utf8 = value.toUtf8();
    setUtf8(row, column, utf8.constData(), utf8.size());
}

Sheet SheetBuilder::take() {
    if (!ordered_) {
        // Row by row, left to right; of a cell set twice the later value counts.
        std::stable_sort(cells_.begin(), cells_.end(), [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        std::vector<Cell> unique;
        unique.reserve(cells_.size());
        QByteArray text;
        for (size_t i = 0; i < cells_.size(); ++i) {
            const Cell& c = cells_[i];
            if (i + 1 < cells_.size() && cells_[i + 1].row == c.row &&
                cells_[i + 1].column == c.column) {
                continue;
            }
            unique.push_back({c.row, c.column, quint32(text.size()), c.size});
            text.append(text_.constData() + c.from, c.size);
        }
        cells_ = std::move(unique);
        text_ = std::move(text);
    }
    SheetRows::Storage storage;
    storage.width = qsizetype(maxColumn_ + 1);
    storage.rowStarts.reserve(qsizetype(maxRow_ + 2));
    storage.ends.reserve(qsizetype(cells_.size()));
    storage.rowStarts << 0;
    qint32 row = 0;
    qint32 column = 0;
    quint32 end = 0;
    for (const Cell& c : cells_) {
        while (row < c.row) {
            storage.rowStarts << quint32(storage.ends.size());
            ++row;
            column = 0;
        }
        // Cells left empty before this one take no text.
        for (; column < c.column; ++column) {
            storage.ends << end;
        }
        end = c.from + c.size;
        storage.ends << end;
        ++column;
    }
    if (!cells_.empty()) {
        storage.rowStarts << quint32(storage.ends.size());
    }
    storage.text = std::move(text_);
    cells_ = {};
    maxColumn_ = maxRow_ = -1;
    ordered_ = true;

    Sheet sheet;
    const SheetRows all(std::move(storage));
    const qsizetype width = all.isEmpty() ? 0 : all.width(0);
    for (qsizetype i = 0; i < width; ++i) {
        const QString h = all.cell(0, i).trimmed();
        // Columns without a heading get the names the spreadsheet drivers give them.
        sheet.headings << (h.isEmpty() ? QString("F%1").arg(i + 1) : h);
    }
    sheet.rows = all.mid(1);
    return sheet;
}

} // namespace florist
