#pragma once

#include "core/db/resultset.h"

#include <QTableView>

class QStandardItemModel;

namespace florist::ui {

// A read-only grid of a result set, as the settings windows show one: headings are the
// select's aliases, the ID column is hidden, whole rows are selected and the cursor starts on
// the first row.
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
