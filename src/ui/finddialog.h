#pragma once

#include "core/db/resultset.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QAbstractTableModel;
class QTableView;

namespace florist::ui {

// What one find dialog shows: its names, the grid's headings and the widths of some columns.
struct FindSpec {
    QString objectName; // "frmFindM"
    QString caption;    // "会员查找"
    // The headings of the result's columns in order (the servers may fold the case of the
    // select's aliases); empty: the result's own column names.
    QStringList headings;
    QHash<QString, int> widths; // pixels by heading; the others keep the default width
    QStringList hidden;         // "ID"
};

// A modal list of the rows a search found: Enter or a double click picks the current row and
// closes the dialog, Esc closes it without a choice, other typed keys do nothing.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(FindSpec spec, ResultSet rows, QWidget* parent = nullptr);
    // Over a model that reads its rows as the grid shows them (a paged list); the dialog takes
    // it over. rows() stays empty: the caller reads the picked row from its model.
    FindDialog(FindSpec spec, QAbstractTableModel* model, QWidget* parent = nullptr);
    ~FindDialog() override;

    const ResultSet& rows() const { return rows_; }
    // The row picked, -1 while none is.
    int pickedRow() const { return picked_; }
    // Picks the grid's current row and closes (what Enter and a double click do).
    void pickCurrent();
    QTableView* grid() const { return grid_; }

    // Shows the dialog modally and returns the row picked, -1 for none. Tests replace how the
    // dialog is run so that none waits for a person.
    int choose();
    using Runner = std::function<void(FindDialog*)>;
    static void setRunner(Runner runner);

signals:
    void picked(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(QAbstractTableModel* model);

    FindSpec spec_;
    ResultSet rows_;
    QTableView* grid_;
    int picked_ = -1;
};

} // namespace florist::ui
