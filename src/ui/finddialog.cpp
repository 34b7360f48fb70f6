#include "ui/finddialog.h"

#include "ui/gridview.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

// The found rows, shown as the grids show values (numbers in their shortest form). It keeps its
// own share of the rows, so it stays valid while the dialog's widgets are torn down.
class RowsModel : public QAbstractTableModel {
public:
    RowsModel(const ResultSet& rows, QStringList headings, QObject* parent)
        : QAbstractTableModel(parent), rows_(rows), headings_(std::move(headings)) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_.size();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.columns().size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return displayText(rows_.value(index.row(), index.column()));
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole) {
            return {};
        }
        if (o == Qt::Vertical) {
            return section + 1;
        }
        return headings_.value(section, rows_.columns().value(section));
    }

private:
    ResultSet rows_;
    QStringList headings_;
};

FindDialog::Runner& runner() {
    static FindDialog::Runner r;
    return r;
}

} // namespace

FindDialog::FindDialog(FindSpec spec, ResultSet rows, QWidget* parent)
    : QDialog(parent), spec_(std::move(spec)), rows_(std::move(rows)) {
    build(nullptr);
}

FindDialog::FindDialog(FindSpec spec, QAbstractTableModel* model, QWidget* parent)
    : QDialog(parent), spec_(std::move(spec)) {
    build(model);
}

void FindDialog::build(QAbstractTableModel* model) {
    setObjectName(spec_.objectName);
    setWindowTitle(spec_.caption);

    grid_ = new QTableView(this);
    grid_->setObjectName("gridFind");
    grid_->setAccessibleName("gridFind");
    if (model) {
        model->setParent(grid_);
        grid_->setModel(model);
    } else {
        grid_->setModel(new RowsModel(rows_, spec_.headings, grid_));
    }
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->installEventFilter(this);
    makeReadable(grid_);
    for (int c = 0; c < grid_->model()->columnCount(); ++c) {
        const QString heading = grid_->model()->headerData(c, Qt::Horizontal).toString();
        for (const QString& hidden : spec_.hidden) {
            if (heading.compare(hidden, Qt::CaseInsensitive) == 0) {
                grid_->setColumnHidden(c, true);
            }
        }
        if (spec_.widths.contains(heading)) {
            grid_->setColumnWidth(c, spec_.widths.value(heading));
        }
    }
    // Wide enough for every shown column, within a 1366 pixel screen.
    int columnsWidth = grid_->verticalHeader()->sizeHint().width() + 40;
    for (int c = 0; c < grid_->model()->columnCount(); ++c) {
        if (!grid_->isColumnHidden(c)) {
            columnsWidth += grid_->columnWidth(c);
        }
    }
    resize(qBound(900, columnsWidth, 1340), 420);
    if (grid_->model()->rowCount() > 0) {
        grid_->selectRow(0);
    }
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex&) { pickCurrent(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grid_);
    grid_->setFocus();
}

FindDialog::~FindDialog() = default;

void FindDialog::pickCurrent() {
    const int row = grid_->currentIndex().row();
    if (row < 0 || row >= grid_->model()->rowCount()) {
        return;
    }
    picked_ = row;
    emit picked(row);
    accept();
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            pickCurrent();
            return true;
        case Qt::Key_Escape:
            reject();
            return true;
        default:
            // Moving through the grid stays possible; typed characters do nothing.
            if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
                return true;
            }
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int FindDialog::choose() {
    picked_ = -1;
    if (runner()) {
        runner()(this);
    } else {
        exec();
    }
    return picked_;
}

void FindDialog::setRunner(Runner r) {
    runner() = std::move(r);
}

} // namespace florist::ui
