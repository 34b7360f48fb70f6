#include "ui/search/searchwindow.h"

#include "core/db/datamodule.h"
#include "core/search/columnwidths.h"
#include "ui/gridview.h"
#include "ui/prompt.h"
#include "ui/search/conditionpanel.h"
#include "ui/spreadsheetexport.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

QDate businessDate(const DataModule& dm) {
    const QDate d = QDate::fromString(dm.login().businessDate, "yyyy-MM-dd");
    return d.isValid() ? d : QDate::currentDate();
}

} // namespace

SearchWindow::SearchWindow(Context& context, SearchWindowSpec spec, QWidget* parent)
    : QWidget(parent), context_(context), spec_(std::move(spec)) {
    const search::SearchDescriptor& s = spec_.search;
    setObjectName(s.objectName);
    setWindowTitle(s.caption);
    modalRunner_ = [](QDialog* dialog) { dialog->exec(); };

    auto* group = new QGroupBox("查询条件", this);
    auto* groupLayout = new QHBoxLayout(group);
    panel_ = new ConditionPanel(s, context_.dm.loaders(), businessDate(context_.dm), group);
    groupLayout->addWidget(panel_);
    groupLayout->addStretch(1);

    auto* side = new QGridLayout;
    int sideRow = 0;
    if (QWidget* radios = panel_->radioStrip()) {
        radios->setParent(group);
        side->addWidget(radios, sideRow++, 0, 1, 3);
    }
    for (const search::HideBox& h : s.hideBoxes) {
        auto* box = new QCheckBox(h.caption, group);
        hideBoxes_ << box;
        side->addWidget(box, sideRow++, 0, 1, 3);
        if (s.hideBoxesSearch) {
            connect(box, &QCheckBox::clicked, this,
                    [this] { guarded(this, [this] { search(); }); });
        }
    }
    side->setRowStretch(sideRow++, 1);
    for (int i = 0; i < spec_.buttons.size(); ++i) {
        auto* b = new QPushButton(spec_.buttons.at(i).caption, group);
        b->setEnabled(false);
        listButtons_ << b;
        side->addWidget(b, sideRow, 0, 1, 3);
        ++sideRow;
        const auto run = spec_.buttons.at(i).run;
        connect(b, &QPushButton::clicked, this, [this, run] { run(*this); });
    }
    auto* find = new QPushButton("查询", group);
    find->setDefault(true);
    side->addWidget(find, sideRow, 0);
    int col = 1;
    if (!s.exportTitle.isEmpty()) {
        excel_ = new QPushButton("Excel", group);
        excel_->setEnabled(s.exportBeforeSearch);
        side->addWidget(excel_, sideRow, col++);
        connect(excel_, &QPushButton::clicked, this, [this] { exportList(); });
    }
    auto* quit = new QPushButton("退出", group);
    side->addWidget(quit, sideRow, col);
    groupLayout->addLayout(side);
    connect(find, &QPushButton::clicked, this, [this] { guarded(this, [this] { search(); }); });
    connect(panel_, &ConditionPanel::searchRequested, this,
            [this] { guarded(this, [this] { search(); }); });
    // Keyboard first: Enter in a text condition searches, as "查询" would.
    for (auto* edit : panel_->findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::returnPressed, this,
                [this] { guarded(this, [this] { search(); }); });
    }
    connect(quit, &QPushButton::clicked, this, [this] {
        // Inside the frame the sub-window is what closes.
        if (parentWidget() && parentWidget()->inherits("QMdiSubWindow")) {
            parentWidget()->close();
        } else {
            close();
        }
    });

    buildGrid();

    auto* totalsRow = new QHBoxLayout;
    QStringList captions{s.countCaption};
    for (const search::Total& t : s.totals) {
        captions << t.caption;
    }
    for (const QString& caption : captions) {
        auto* label = new QLabel(caption, this);
        label->setMinimumWidth(140);
        totalsLabels_ << label;
        totalsRow->addWidget(label);
    }
    totalsRow->addStretch(1);

    auto* v = new QVBoxLayout(this);
    v->addWidget(group);
    v->addWidget(grid_, 1);
    v->addLayout(totalsRow);
}

SearchWindow::~SearchWindow() {
    saveWidths();
}

void SearchWindow::saveWidths() {
    if (!draggedWidths_.isEmpty()) {
        search::ColumnWidths::save(spec_.search.objectName, draggedWidths_);
        draggedWidths_.clear();
    }
}

void SearchWindow::buildGrid() {
    const search::SearchDescriptor& s = spec_.search;
    model_ = new search::PagedTableModel(context_.dm.db(), s.columns, this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setContextMenuPolicy(Qt::NoContextMenu);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
    makeReadable(grid_);

    applyingWidths_ = true;
    const QHash<QString, int> saved = search::ColumnWidths::load(s.objectName);
    for (int c = 0; c < s.columns.size(); ++c) {
        const search::Column& col = s.columns.at(c);
        const int w = saved.value(col.heading, col.width);
        if (w > 0) {
            header->resizeSection(c, w);
        }
    }
    applyHiddenColumns();
    applyingWidths_ = false;
    if (!s.sortHeading.isEmpty()) {
        const int c = model_->columnOf(s.sortHeading);
        model_->sort(c, s.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
        header->setSortIndicatorShown(c >= 0 && !s.columns.at(c).hidden);
        header->setSortIndicator(c, model_->sortOrder());
    }

    widthTimer_ = new QTimer(this);
    widthTimer_->setSingleShot(true);
    widthTimer_->setInterval(500);
    connect(widthTimer_, &QTimer::timeout, this, [this] { saveWidths(); });
    connect(header, &QHeaderView::sectionResized, this, [this](int c, int, int width) {
        // The last column shown stretches with the window: its width is not the person's.
        if (!applyingWidths_ && width > 0 && c != lastShownColumn(grid_->horizontalHeader())) {
            draggedWidths_.insert(spec_.search.columns.value(c).heading, width);
            widthTimer_->start();
        }
    });
    // A heading click orders the list on the server; a second click turns the order round.
    connect(header, &QHeaderView::sectionClicked, this, [this, header](int c) {
        if (!searched_) {
            return;
        }
        const bool same = model_->sortColumn() == c;
        const Qt::SortOrder order = same && model_->sortOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        guarded(this, [&] { model_->sort(c, order); });
        header->setSortIndicatorShown(model_->sortColumn() >= 0);
        header->setSortIndicator(c, order);
    });
}

void SearchWindow::applyHiddenColumns() {
    const search::SearchDescriptor& s = spec_.search;
    QSet<QString> hidden;
    for (int i = 0; i < hideBoxes_.size(); ++i) {
        if (hideBoxes_.at(i)->isChecked()) {
            for (const QString& h : s.hideBoxes.at(i).headings) {
                hidden.insert(h);
            }
        }
    }
    const bool was = applyingWidths_;
    applyingWidths_ = true;
    for (int c = 0; c < s.columns.size(); ++c) {
        const search::Column& col = s.columns.at(c);
        grid_->setColumnHidden(c, col.hidden || hidden.contains(col.heading));
    }
    applyingWidths_ = was;
}

void SearchWindow::search() {
    const search::SearchDescriptor& s = spec_.search;
    const QList<search::ConditionInput> inputs = panel_->inputs();
    const Dialect& dialect = context_.dm.db().dialect();
    filter_ = s.fixed;
    filter_ += search::buildFilter(s, inputs, dialect);
    listFilter_ = s.fixed;
    listFilter_ += search::buildFilter(s, inputs, dialect, search::FilterUse::List);
    searched_ = true;
    for (QPushButton* b : listButtons_) {
        b->setEnabled(true);
    }
    applyHiddenColumns();
    attachActions();
    if (excel_) {
        excel_->setEnabled(true);
    }
    refresh();
}

void SearchWindow::refresh() {
    if (!searched_) {
        return;
    }
    model_->setQuery(search::whereHead(spec_.search), filter_, listFilter_);
    // The first page goes on screen before the totals run over the whole filter.
    if (grid_->isVisible()) {
        grid_->viewport()->repaint();
    }
    totals_ = search::readTotals(context_.dm.db(), spec_.search, filter_);
    showTotals();
}

void SearchWindow::showTotals() {
    const QStringList lines = search::totalsLines(spec_.search, totals_);
    for (int i = 0; i < totalsLabels_.size() && i < lines.size(); ++i) {
        totalsLabels_.at(i)->setText(lines.at(i));
    }
}

void SearchWindow::attachActions() {
    if (spec_.actions.isEmpty() || !grid_->actions().isEmpty()) {
        return;
    }
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const RowAction& a : spec_.actions) {
        if (a.separatorBefore) {
            auto* sep = new QAction(grid_);
            sep->setSeparator(true);
            grid_->addAction(sep);
        }
        auto* action = new QAction(a.caption, grid_);
        const auto run = a.run;
        connect(action, &QAction::triggered, this, [this, run] {
            const int row = currentRow();
            if (row < 0 || !run) {
                return;
            }
            guarded(this, [&] { run(*this, row); });
        });
        grid_->addAction(action);
    }
}

int SearchWindow::currentRow() const {
    if (model_->rowCount() == 0) {
        return -1;
    }
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() : 0;
}

QVariant SearchWindow::value(int row, const QString& heading) const {
    return model_->value(row, heading);
}

void SearchWindow::exportList() {
    if (!searched_) {
        return;
    }
    search::Totals totals;
    ExportTable table;
    const bool read = guarded(this, [&] {
        // The same filter as the grid, read again: the rows as they are now, in pages.
        totals = search::readTotals(context_.dm.db(), spec_.search, filter_);
        table = search::exportRows(context_.dm.db(), spec_.search, *model_, totals);
    });
    if (read) {
        exportToSpreadsheet(this, context_.dm.login().shopName, search::exportSpec(spec_.search),
                            table);
    }
}

void registerSearchWindow(const QString& objectName,
                          std::function<SearchWindowSpec(Context&)> makeSpec) {
    WindowRegistry::add(objectName, [makeSpec](Context& context, QWidget* parent) -> QWidget* {
        return new SearchWindow(context, makeSpec(context), parent);
    });
}

RowAction deleteRowAction(std::function<void(DataModule& dm, qlonglong id)> remove) {
    return {"删除 &D",
            [remove = std::move(remove)](SearchWindow& window, int row) {
                if (!Prompt::confirmDelete(&window)) {
                    return;
                }
                const qlonglong id = window.value(row, "ID").toLongLong();
                guarded(&window, [&] { remove(window.context().dm, id); });
                guarded(&window, [&] { window.refresh(); });
            },
            true};
}

} // namespace florist::ui
