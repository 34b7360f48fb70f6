#include "ui/rightswindow.h"

#include "core/db/datamodule.h"
#include "core/settings/users.h"
#include "ui/fields.h"
#include "ui/outcome.h"
#include "ui/prompt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace florist::ui {

ColumnCheckList::ColumnCheckList(int columns, QWidget* parent)
    : QListWidget(parent), columns_(columns) {
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ColumnCheckList::addCheckItem(const QString& text, bool ticked) {
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void ColumnCheckList::setAllChecked(bool checked) {
    for (int i = 0; i < count(); ++i) {
        item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList ColumnCheckList::checkedTexts() const {
    QStringList out;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->checkState() == Qt::Checked) {
            out << item(i)->text();
        }
    }
    return out;
}

void ColumnCheckList::resizeEvent(QResizeEvent* event) {
    const int rowHeight = fontMetrics().height() + 6;
    setGridSize(QSize(qMax(40, viewport()->width() / columns_), rowHeight));
    QListWidget::resizeEvent(event);
}

RightsWindow::RightsWindow(Context& context, qlonglong userId, const QString& userName, bool stores,
                           QWidget* parent)
    : QDialog(parent), context_(context), userId_(userId), userName_(userName), stores_(stores) {
    const QString caption = settings::rightsCaption(userName, stores);
    setObjectName(stores ? "frmU_W" : "frmU_L");
    setWindowTitle(caption);
    setFixedSize(stores ? QSize(370, 250) : QSize(700, 310));

    auto* layout = new QVBoxLayout(this);
    group_ = new QGroupBox(caption, this);
    auto* inner = new QVBoxLayout(group_);
    list_ = new ColumnCheckList(stores ? 2 : 4, group_);
    list_->setObjectName("CheckListBox1");
    inner->addWidget(list_);
    layout->addWidget(group_, 1);

    auto* buttons = new QHBoxLayout;
    if (!stores) {
        all_ = new QCheckBox("全选", this);
        connect(all_, &QCheckBox::toggled, list_, &ColumnCheckList::setAllChecked);
        buttons->addWidget(all_);
    }
    buttons->addStretch();
    const QList<QPushButton*> row = addButtons(buttons, {"保存", "退出"}, this);
    QPushButton* saveButton = row[0];
    QPushButton* close = row[1];
    layout->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, &RightsWindow::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    guarded(this, [&] {
        const QList<settings::RightItem> items =
            stores ? settings::storeRights(context_.dm, userId_)
                   : settings::operationRights(context_.dm, userId_);
        for (const settings::RightItem& item : items) {
            list_->addCheckItem(item.text, item.ticked);
        }
    });
}

void RightsWindow::save() {
    guarded(this, [&] {
        const QStringList ticked = list_->checkedTexts();
        const FormOutcome outcome =
            stores_ ? settings::saveStoreRights(context_.dm, userId_, userName_, ticked)
                    : settings::saveOperationRights(context_.dm, userId_, userName_, ticked);
        if (showOutcome(this, outcome)) {
            accept();
        }
    });
}

} // namespace florist::ui
