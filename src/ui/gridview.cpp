#include "ui/gridview.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace florist::ui {

GridView::GridView(QWidget* parent) : QTableView(parent), model_(new QStandardItemModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
}

void GridView::setRows(const ResultSet& rows) {
    rows_ = rows;
    model_->clear();
    model_->setColumnCount(int(rows.columns().size()));
    model_->setHorizontalHeaderLabels(rows.columns());
    for (int r = 0; r < rows.size(); ++r) {
        QList<QStandardItem*> items;
        for (int c = 0; c < rows.columns().size(); ++c) {
            auto* item = new QStandardItem(displayText(rows.value(r, c)));
            item->setEditable(false);
            items << item;
        }
        model_->appendRow(items);
    }
    for (int c = 0; c < rows.columns().size(); ++c) {
        setColumnHidden(c, rows.columns().at(c).compare("ID", Qt::CaseInsensitive) == 0);
    }
    if (rows.size() > 0) {
        setCurrentIndex(model_->index(0, 0));
    }
}

int GridView::rowCount() const {
    return rows_.size();
}

QVariant GridView::currentValue(const QString& heading) const {
    if (rows_.isEmpty()) {
        return QVariant();
    }
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    return rows_.value(row, heading);
}

} // namespace florist::ui
