#include "ui/gridview.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace florist::ui {

namespace {

// Shows a cut cell's whole text as its tooltip; a cell that fits shows none.
class CutTextTipDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid() ||
            index.data(Qt::ToolTipRole).isValid()) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        auto* grid = qobject_cast<QTableView*>(view);
        if (grid && cellTextCut(grid, index)) {
            QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view,
                               option.rect);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
};

} // namespace

void makeReadable(QTableView* grid) {
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setItemDelegate(new CutTextTipDelegate(grid));
}

bool cellTextCut(const QTableView* grid, const QModelIndex& index) {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        return false;
    }
    if (text.contains(QLatin1Char('\n'))) {
        return true; // a cell shows one line
    }
    const QRect cell = grid->visualRect(index);
    QStyleOptionViewItem option;
    option.initFrom(grid->viewport());
    option.rect = cell;
    option.font = grid->font();
    option.fontMetrics = grid->fontMetrics();
    const QSize need = grid->itemDelegateForIndex(index)->sizeHint(option, index);
    return need.width() > cell.width();
}

int lastShownColumn(const QHeaderView* header) {
    for (int v = header->count() - 1; v >= 0; --v) {
        const int logical = header->logicalIndex(v);
        if (!header->isSectionHidden(logical)) {
            return logical;
        }
    }
    return -1;
}

GridView::GridView(QWidget* parent) : QTableView(parent), model_(new QStandardItemModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    makeReadable(this);
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
