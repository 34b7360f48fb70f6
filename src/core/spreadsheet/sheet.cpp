#include "core/spreadsheet/sheet.h"

#include "core/spreadsheet/celltext.h"

#include <algorithm>

namespace florist {

namespace {

QString tooLargeText() {
    return QString("EXCEL文件的数据过多，无法读取！");
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
    return sheet_->rows.at(index_).at(c);
}

QString SheetRow::date(const QString& heading) const {
    return normalizedDateText(text(heading));
}

void SheetBuilder::set(int row, int column, const QString& value) {
    if (value.isEmpty()) {
        return;
    }
    if (row < 0 || column < 0 || row >= limits_.maxRows || column >= limits_.maxColumns) {
        throw Failure(QString("EXCEL文件的单元格位置超出范围（第 %1 行，第 %2 列），无法读取！")
                          .arg(qint64(row) + 1)
                          .arg(qint64(column) + 1));
    }
    // Checked before anything grows, so a far corner cell fails without filling memory.
    const qint64 width = std::max(maxColumn_, column) + 1;
    const qint64 height = std::max<qint64>(rows_.size(), row + 1);
    if (++filled_ > limits_.maxCells || width * height > limits_.maxCells) {
        throw Failure(tooLargeText());
    }
    if (row >= rows_.size()) {
        rows_.resize(row + 1);
    }
    QStringList& line = rows_[row];
    if (column >= line.size()) {
        // Rows are usually as wide as the widest so far: one allocation per row.
        line.reserve(std::max<qsizetype>(column, maxColumn_) + 1);
        line.resize(column + 1);
    }
    line[column] = value;
    maxColumn_ = int(width - 1);
}

Sheet SheetBuilder::take() {
    Sheet sheet;
    const qsizetype width = maxColumn_ + 1;
    const QString empty("");
    for (QStringList& line : rows_) {
        line.reserve(width);
        for (QString& cell : line) {
            if (cell.isNull()) {
                cell = empty;
            }
        }
        while (line.size() < width) {
            line << empty;
        }
    }
    for (qsizetype i = 0; i < width; ++i) {
        const QString h = rows_.isEmpty() ? QString() : rows_.first().at(i).trimmed();
        // Columns without a heading get the names the spreadsheet drivers give them.
        sheet.headings << (h.isEmpty() ? QString("F%1").arg(i + 1) : h);
    }
    if (rows_.size() > 1) {
        sheet.rows = rows_.mid(1);
    }
    rows_.clear();
    maxColumn_ = -1;
    filled_ = 0;
    return sheet;
}

} // namespace florist
