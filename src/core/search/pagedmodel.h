#pragma once

#include "core/search/searchdescriptor.h"

#include <QAbstractTableModel>

namespace florist {
class Database;
}

namespace florist::search {

// A list read from the server a page at a time through the ordinary select with a key
// condition: the next page is "… AND (ID < ?) ORDER BY ID DESC" with TOP n, so no cursor stays
// open while other statements (totals, loaders, document numbers) run on the same connection,
// and a million-row result shows its first rows at once and is never read whole. A heading
// sorts on the server, paged on that column plus ID.
class PagedTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PagedTableModel(Database& db, QList<Column> columns, QObject* parent = nullptr);

    // Runs the select with this WHERE text (fixed conditions and filter) and reads its first
    // page. selectHead is "FROM <table> WHERE (theDel = '否') ".
    void setQuery(const QString& selectHead, const Term& where);
    // The same, with the terms as a list read newest first writes them (FilterUse::List); used
    // while the list is in its key order, the other form while a heading orders it.
    void setQuery(const QString& selectHead, const Term& where, const Term& keyOrderWhere);
    // Reads the first page again with the kept query and order (after an edit or a delete).
    void refresh();
    // Empties the list (before the first search).
    void clear();
    bool hasQuery() const { return !head_.isEmpty(); }

    int pageSize() const { return pageSize_; }
    void setPageSize(int rows) { pageSize_ = qMax(1, rows); }
    // The column the list is ordered by (-1: newest first by ID) and its direction.
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    const QList<Column>& columns() const { return columns_; }
    int columnOf(const QString& heading) const;
    QVariant value(int row, const QString& heading) const;
    QVariantMap rowValues(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;
    // Orders by a column on the server; a column out of range restores newest first.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The statement of the page after the given row (empty: the first page), with its values;
    // the export reads through the same statements.
    Term pageStatement(const QVariantList* lastRow, int rows) const;

private:
    void loadFirstPage();
    QList<QVariantList> readPage(const QVariantList* lastRow) const;
    Term sortExpression() const;

    Database& db_;
    QList<Column> columns_;
    int idColumn_ = -1;
    QString list_;
    QVariantList listParams_; // the values of expression columns, in select-list order
    QString head_;
    Term where_;
    Term keyOrderWhere_;
    QList<QVariantList> rows_;
    bool atEnd_ = true;
    bool busy_ = false;
    int pageSize_ = 200;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
};

// Reads every row of the model's query from the server page by page, calling fn for each
// (the export). Rows already shown are not reused: the read starts over at the first row.
void forEachRow(Database& db, const PagedTableModel& model,
                const std::function<void(const QVariantList&)>& fn, int pageRows = 5000);

} // namespace florist::search
