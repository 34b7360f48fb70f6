#include "ui/listeditorwindow.h"

#include "core/db/datamodule.h"
#include "ui/fields.h"
#include "ui/gridview.h"
#include "ui/outcome.h"
#include "ui/prompt.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

KeyFilter keyFilter(lists::Keys keys) {
    switch (keys) {
    case lists::Keys::Amount:
        return KeyFilter::Amount;
    case lists::Keys::Digits:
        return KeyFilter::Digits;
    case lists::Keys::Any:
        break;
    }
    return KeyFilter::Any;
}

} // namespace

ListEditorWindow::ListEditorWindow(Context& context, const lists::ListDescriptor& d,
                                   QWidget* parent)
    : QDialog(parent), rules_(context.dm, d) {
    setObjectName(d.window);
    setWindowTitle(d.caption);
    setFixedSize(d.size);

    auto* layout = new QVBoxLayout(this);
    grid_ = new GridView(this);
    grid_->setObjectName("DBGrid1");
    layout->addWidget(grid_, 1);

    group_ = new QGroupBox(d.group, this);
    auto* form = new QGridLayout(group_);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    name_ = textField(d.nameLabel, d.nameLimit, group_);
    // The name and the values two to a row, the remark across the whole box below them.
    QList<QPair<QString, QLineEdit*>> cells{{d.nameLabel, name_}};
    for (const lists::ExtraValue& v : d.values) {
        QLineEdit* edit = textField(v.label, v.limit, group_, keyFilter(v.keys));
        values_ << edit;
        cells.append({v.label, edit});
    }
    for (int i = 0; i < cells.size(); ++i) {
        const int row = i / 2;
        const int column = (i % 2) * 2;
        form->addWidget(captionLabel(cells[i].first, cells[i].second, group_), row, column);
        form->addWidget(cells[i].second, row, column + 1);
    }
    remark_ = textField(d.remarkLabel, d.remarkLimit, group_);
    const int remarkRow = int(cells.size() + 1) / 2;
    form->addWidget(captionLabel(d.remarkLabel, remark_, group_), remarkRow, 0);
    form->addWidget(remark_, remarkRow, 1, 1, 3);
    layout->addWidget(group_);

    QList<QLineEdit*> order{name_};
    order << values_ << remark_;
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
        QLineEdit* next = order[i + 1];
        connect(order[i], &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QList<QPushButton*> row = addButtons(buttons, {"新增", "保存", "退出"}, this);
    QPushButton* add = row[0];
    QPushButton* saveButton = row[1];
    QPushButton* close = row[2];
    layout->addLayout(buttons);

    delete_ = new QAction("删除 &D", this);
    connect(delete_, &QAction::triggered, this, &ListEditorWindow::removeCurrent);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu menu(this);
        menu.addAction(delete_);
        menu.exec(grid_->viewport()->mapToGlobal(pos));
    });
    connect(add, &QPushButton::clicked, this, [this] {
        clearEntry();
        name_->setFocus();
    });
    connect(saveButton, &QPushButton::clicked, this, &ListEditorWindow::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    guarded(this, [&] { refresh(); });
    name_->setFocus();
}

void ListEditorWindow::refresh() {
    grid_->setRows(rules_.rows());
    for (const auto& [column, width] : rules_.descriptor().columnWidths) {
        grid_->setColumnWidth(column, width);
    }
    clearEntry();
}

void ListEditorWindow::clearEntry() {
    name_->clear();
    for (QLineEdit* v : values_) {
        v->clear();
    }
    remark_->clear();
}

void ListEditorWindow::save() {
    guarded(this, [&] {
        lists::ListEntry entry{name_->text(), {}, remark_->text()};
        for (QLineEdit* v : values_) {
            entry.values << v->text();
        }
        const FormOutcome outcome = rules_.save(entry);
        if (outcome.done) {
            refresh();
        }
        showOutcome(this, outcome);
    });
}

void ListEditorWindow::removeCurrent() {
    if (grid_->rowCount() == 0 || !Prompt::confirmDelete(this)) {
        return;
    }
    guarded(this, [&] {
        rules_.remove(grid_->currentId());
        refresh();
    });
}

void registerListEditor(const lists::ListDescriptor& descriptor) {
    WindowRegistry::add(descriptor.window, [descriptor](Context& context, QWidget* parent) {
        return new ListEditorWindow(context, descriptor, parent);
    });
}

} // namespace florist::ui
