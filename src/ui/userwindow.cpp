#include "ui/userwindow.h"

#include "core/db/datamodule.h"
#include "core/settings/users.h"
#include "ui/fields.h"
#include "ui/gridview.h"
#include "ui/outcome.h"
#include "ui/prompt.h"
#include "ui/rightswindow.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::ui {

UserWindow::UserWindow(Context& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("frmUser");
    setWindowTitle("用户设置");
    setFixedSize(530, 480);
    modalRunner_ = [](QDialog* dialog) { dialog->exec(); };

    auto* layout = new QVBoxLayout(this);
    grid_ = new GridView(this);
    grid_->setObjectName("DBGrid1");
    layout->addWidget(grid_, 1);

    auto* group = new QGroupBox("用户信息", this);
    auto* form = new QGridLayout(group);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    QStringListModel* stores = nullptr;
    guarded(this, [&] { stores = context_.dm.loaders().DBComWare(); });
    store_ = listField("门店名称：", stores, group);
    name_ = textField("用  户  名：", 12, group);
    remark_ = textField("备        注：", 50, group);
    form->addWidget(captionLabel("门店名称：", store_, group), 0, 0);
    form->addWidget(store_, 0, 1);
    form->addWidget(captionLabel("用  户  名：", name_, group), 0, 2);
    form->addWidget(name_, 0, 3);
    form->addWidget(captionLabel("备        注：", remark_, group), 1, 0);
    form->addWidget(remark_, 1, 1, 1, 3);
    layout->addWidget(group);
    setTabOrder(store_, name_);
    setTabOrder(name_, remark_);
    connect(name_, &QLineEdit::returnPressed, remark_, [this] { remark_->setFocus(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QList<QPushButton*> row = addButtons(buttons, {"新增", "保存", "退出"}, this);
    QPushButton* add = row[0];
    QPushButton* saveButton = row[1];
    QPushButton* close = row[2];
    layout->addLayout(buttons);

    operationRights_ = new QAction("设置操作权限 &L", this);
    storeRights_ = new QAction("设置查看门店 &W", this);
    delete_ = new QAction("删除 &D", this);
    connect(operationRights_, &QAction::triggered, this, [this] { openRights(false); });
    connect(storeRights_, &QAction::triggered, this, [this] { openRights(true); });
    connect(delete_, &QAction::triggered, this, &UserWindow::removeCurrent);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu menu(this);
        menu.addAction(operationRights_);
        menu.addSeparator();
        menu.addAction(storeRights_);
        menu.addSeparator();
        menu.addAction(delete_);
        menu.exec(grid_->viewport()->mapToGlobal(pos));
    });
    connect(store_, &QComboBox::currentIndexChanged, this,
            [this] { guarded(this, [&] { refresh(); }); });
    connect(add, &QPushButton::clicked, this, [this] {
        name_->clear();
        remark_->clear();
        name_->setFocus();
    });
    connect(saveButton, &QPushButton::clicked, this, &UserWindow::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    guarded(this, [&] { refresh(); });
    name_->setFocus();
}

void UserWindow::refresh() {
    grid_->setRows(settings::userRows(context_.dm, chosenText(store_)));
    name_->clear();
    remark_->clear();
}

void UserWindow::save() {
    guarded(this, [&] {
        const FormOutcome outcome =
            settings::saveUser(context_.dm, chosenText(store_), name_->text(), remark_->text());
        if (outcome.done) {
            refresh();
        }
        showOutcome(this, outcome);
    });
}

void UserWindow::removeCurrent() {
    if (grid_->rowCount() == 0) {
        return;
    }
    guarded(this, [&] {
        const qlonglong id = grid_->currentId();
        const QString name = grid_->currentValue("用户名").toString();
        const FormOutcome allowed = settings::canRemoveUser(context_.dm, id, name);
        if (!allowed.done) {
            showOutcome(this, allowed);
            return;
        }
        if (!Prompt::confirmDelete(this)) {
            return;
        }
        settings::removeUser(context_.dm, id);
        refresh();
    });
}

void UserWindow::openRights(bool stores) {
    if (grid_->rowCount() == 0) {
        return;
    }
    const qlonglong id = grid_->currentId();
    const QString name = grid_->currentValue("用户名").toString();
    guarded(this, [&] {
        RightsWindow window(context_, id, name, stores, this);
        modalRunner_(&window);
    });
}

} // namespace florist::ui
