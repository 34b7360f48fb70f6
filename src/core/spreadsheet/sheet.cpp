#include "core/spreadsheet/sheet.h"

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

void SheetBuilder::set(int row, int column, const QString& value) {
    if (value.isEmpty()) {
        return;
    }
    if (row < 0 || column < 0 || row >= limits_.maxRows || column >= limits_.maxColumns) {
        throw Failure(QString("EXCEL文件的单元格位置超出范围（第 %1 行，第 %2 列），无法读取！")
                          .arg(qint64(row) + 1)
                          .arg(qint64(column) + 1));
    }
    if (cells_.size() >= limits_.maxCells) {
        throw Failure(tooLargeText());
    }
    cells_.append({row, column, value});
    maxRow_ = std::max(maxRow_, row);
    maxColumn_ = std::max(maxColumn_, column);
}

Sheet SheetBuilder::take() {
    Sheet sheet;
    const qint64 width = maxColumn_ + 1;
    const qint64 height = maxRow_ + 1;
    if (width * height > limits_.maxCells) {
        throw Failure(tooLargeText());
    }
    QList<QStringList> table(height, QStringList(width));
    for (Cell& c : cells_) {
        table[c.row][c.column] = std::move(c.value);
    }
    cells_.clear();
    for (qsizetype i = 0; i < width; ++i) {
        QString h = height > 0 ? table[0][i].trimmed() : QString();
        // Columns without a heading get the names the spreadsheet drivers give them.
        sheet.headings << (h.isEmpty() ? QString("F%1").arg(i + 1) : h);
    }
    for (QStringList& row : table) {
        for (QString& cell : row) {
            if (cell.isNull()) {
                cell = QString("");
            }
        }
    }
    if (height > 1) {
        sheet.rows = table.mid(1);
    }
    return sheet;
}

} // namespace florist
