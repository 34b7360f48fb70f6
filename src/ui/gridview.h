#pragma once

#include "core/db/resultset.h"

#include <QTableView>

class QHeaderView;
class QStandardItemModel;

namespace florist::ui {

// How the grids of the search, find and list-editor windows read: the last visible column
// stretches over the free width, and a cell whose text is cut shows the whole text as its
// tooltip (remarks and addresses are read there).
void makeReadable(QTableView* grid);
// Whether the cell's text does not fit its cell as the grid shows it now.
bool cellTextCut(const QTableView* grid, const QModelIndex& index);
// The logical index of the rightmost column shown; -1 when none is.
int lastShownColumn(const QHeaderView* header);

// A read-only grid of a result set, as the settings windows show one: headings are the
// select's aliases, the ID column is hidden, whole rows are selected and the cursor starts on
// the first row. It reads as makeReadable says.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setRows(const ResultSet& rows);
    int rowCount() const;
    // The value of a heading in the row under the cursor (the first row when none is current).
    QVariant currentValue(const QString& heading) const;
    qlonglong currentId() const { return currentValue("ID").toLongLong(); }

private:
    QStandardItemModel* model_;
    ResultSet rows_;
};

} // namespace florist::ui
