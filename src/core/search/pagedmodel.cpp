#include "core/search/pagedmodel.h"

#include "core/db/database.h"

#include <QSqlQuery>

namespace florist::search {

PagedTableModel::PagedTableModel(Database& db, QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), db_(db), columns_(std::move(columns)) {
    idColumn_ = columnOf("ID");
    Q_ASSERT(idColumn_ >= 0);
    SearchDescriptor spec;
    spec.columns = columns_;
    list_ = selectList(spec);
    for (const Column& c : columns_) {
        listParams_ += c.params;
    }
}

int PagedTableModel::columnOf(const QString& heading) const {
    for (int c = 0; c < columns_.size(); ++c) {
        if (columns_.at(c).heading == heading) {
            return c;
        }
    }
    return -1;
}

void PagedTableModel::setQuery(const QString& selectHead, const Term& where) {
    head_ = selectHead;
    where_ = where;
    keyOrderWhere_ = where;
    loadFirstPage();
}

void PagedTableModel::setQuery(const QString& selectHead, const Term& where,
                               const Term& keyOrderWhere) {
    head_ = selectHead;
    where_ = where;
    keyOrderWhere_ = keyOrderWhere;
    loadFirstPage();
}

void PagedTableModel::refresh() {
    if (hasQuery()) {
        loadFirstPage();
    }
}

void PagedTableModel::clear() {
    beginResetModel();
    head_.clear();
    where_ = {};
    keyOrderWhere_ = {};
    rows_.clear();
    atEnd_ = true;
    endResetModel();
}

void PagedTableModel::loadFirstPage() {
    // Read before the reset: a failing statement leaves the list empty, not half-changed.
    QList<QVariantList> page;
    std::exception_ptr failure;
    try {
        page = readPage(nullptr);
    } catch (...) {
        failure = std::current_exception();
    }
    busy_ = true;
    beginResetModel();
    rows_ = std::move(page);
    atEnd_ = failure || rows_.size() < pageSize_;
    endResetModel();
    busy_ = false;
    if (failure) {
        std::rethrow_exception(failure);
    }
}

Term PagedTableModel::sortExpression() const {
    if (sortColumn_ < 0) {
        return {"ID", {}};
    }
    const Column& c = columns_.at(sortColumn_);
    // NULL would fall out of the key comparison; it sorts as the empty value instead.
    return {"COALESCE(" + c.field + (c.kind == ColumnKind::Number ? ", 0)" : ", '')"), c.params};
}

Term PagedTableModel::pageStatement(const QVariantList* lastRow, int rows) const {
    Term t;
    const Term& where = sortColumn_ < 0 ? keyOrderWhere_ : where_;
    t.text = "SELECT TOP " + QString::number(rows) + " " + list_ + " " + head_ + where.text;
    t.params = listParams_ + where.params;
    const bool desc = sortOrder_ == Qt::DescendingOrder;
    const QString cmp = desc ? " < ?" : " > ?";
    const QString dir = desc ? " DESC" : " ASC";
    const Term sortKey = sortExpression();
    const QString& key = sortKey.text;
    if (lastRow) {
        const QVariant id = lastRow->at(idColumn_);
        if (sortColumn_ < 0) {
            t.text += "AND (ID" + cmp + ") ";
            t.params << id;
        } else {
            QVariant v = lastRow->at(sortColumn_);
            if (columns_.at(sortColumn_).kind == ColumnKind::Number) {
                v = v.isNull() ? QVariant(0.0) : QVariant(v.toDouble());
            } else {
                v = v.isNull() ? QVariant(QString("")) : QVariant(v.toString());
            }
            t.text += "AND ((" + key + cmp + ") OR (" + key + " = ? AND ID" + cmp + ")) ";
            t.params += sortKey.params;
            t.params << v;
            t.params += sortKey.params;
            t.params << v << id;
        }
    }
    t.text += "ORDER BY " + key + dir + (sortColumn_ < 0 ? QString() : ", ID" + dir) + " ";
    t.params += sortKey.params;
    return t;
}

QList<QVariantList> PagedTableModel::readPage(const QVariantList* lastRow) const {
    const Term t = pageStatement(lastRow, pageSize_);
    QSqlQuery q = db_.open(t.text, t.params);
    QList<QVariantList> page;
    page.reserve(pageSize_);
    const int n = int(columns_.size());
    while (q.next()) {
        QVariantList row;
        row.reserve(n);
        for (int c = 0; c < n; ++c) {
            row << q.value(c);
        }
        page << std::move(row);
    }
    return page;
}

QVariant PagedTableModel::value(int row, const QString& heading) const {
    const int c = columnOf(heading);
    if (row < 0 || row >= rows_.size() || c < 0) {
        return {};
    }
    return rows_.at(row).at(c);
}

QVariantMap PagedTableModel::rowValues(int row) const {
    QVariantMap map;
    if (row < 0 || row >= rows_.size()) {
        return map;
    }
    for (int c = 0; c < columns_.size(); ++c) {
        map.insert(columns_.at(c).heading, rows_.at(row).at(c));
    }
    return map;
}

int PagedTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PagedTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant PagedTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= columns_.size()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return displayText(rows_.at(index.row()).at(index.column()));
    case Qt::EditRole:
        return rows_.at(index.row()).at(index.column());
    case Qt::TextAlignmentRole:
        return columns_.at(index.column()).kind == ColumnKind::Number
                   ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                   : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant PagedTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns_.size()) {
        return columns_.at(section).heading;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PagedTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd_ && !busy_;
}

void PagedTableModel::fetchMore(const QModelIndex& parent) {
    // A view (or a checker) that asks for more while the list changes waits for the change.
    if (parent.isValid() || atEnd_ || rows_.isEmpty() || busy_) {
        return;
    }
    QList<QVariantList> page = readPage(&rows_.last());
    atEnd_ = page.size() < pageSize_;
    if (page.isEmpty()) {
        return;
    }
    const int first = int(rows_.size());
    busy_ = true;
    beginInsertRows({}, first, first + int(page.size()) - 1);
    rows_ += std::move(page);
    endInsertRows();
    busy_ = false;
}

void PagedTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columns_.size() || column == idColumn_) {
        sortColumn_ = -1;
        order = Qt::DescendingOrder;
    } else {
        sortColumn_ = column;
    }
    sortOrder_ = order;
    if (hasQuery()) {
        loadFirstPage();
    }
}

void forEachRow(Database& db, const PagedTableModel& model,
                const std::function<void(const QVariantList&)>& fn, int pageRows) {
    if (!model.hasQuery()) {
        return;
    }
    const int n = int(model.columns().size());
    QVariantList last;
    bool first = true;
    for (;;) {
        const Term t = model.pageStatement(first ? nullptr : &last, pageRows);
        first = false;
        QSqlQuery q = db.open(t.text, t.params);
        int read = 0;
        QVariantList row;
        while (q.next()) {
            row.clear();
            row.reserve(n);
            for (int c = 0; c < n; ++c) {
                row << q.value(c);
            }
            fn(row);
            ++read;
        }
        if (read < pageRows) {
            return;
        }
        last = row;
    }
}

} // namespace florist::search
