#include "ui/settingswindows.h"

#include "core/db/datamodule.h"
#include "core/settings/shop.h"
#include "core/settings/storelists.h"
#include "core/settings/users.h"
#include "ui/ending.h"
#include "ui/fields.h"
#include "ui/listeditorwindow.h"
#include "ui/outcome.h"
#include "ui/prompt.h"
#include "ui/userwindow.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

// "保存" and "退出" centred under the group box.
QPushButton* addSaveAndClose(QDialog* dialog, QVBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QList<QPushButton*> row = addButtons(buttons, {"保存", "退出"}, dialog);
    QPushButton* save = row[0];
    QPushButton* close = row[1];
    buttons->addStretch();
    layout->addLayout(buttons);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
    return save;
}

// Enter in a field moves to the next one of the list.
void chainEnter(const QList<QLineEdit*>& fields) {
    for (int i = 0; i + 1 < fields.size(); ++i) {
        QLineEdit* next = fields[i + 1];
        QObject::connect(fields[i], &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }
}

} // namespace

PasswordWindow::PasswordWindow(Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmCPass");
    setWindowTitle("修改密码");
    setFixedSize(290, 226);
    auto* layout = new QVBoxLayout(this);
    group_ = new QGroupBox(context_.dm.login().currentUser + " 修改密码", this);
    auto* form = new QFormLayout(group_);
    old_ = passwordField("原  密  码：", 12, group_);
    new_ = passwordField("新  密  码：", 12, group_);
    confirm_ = passwordField("确认密码：", 12, group_);
    form->addRow(captionLabel("原  密  码：", old_, group_), old_);
    form->addRow(captionLabel("新  密  码：", new_, group_), new_);
    form->addRow(captionLabel("确认密码：", confirm_, group_), confirm_);
    layout->addWidget(group_, 1);
    chainEnter({old_, new_, confirm_});
    connect(addSaveAndClose(this, layout), &QPushButton::clicked, this, &PasswordWindow::save);
}

void PasswordWindow::save() {
    guarded(this, [&] {
        const FormOutcome outcome =
            settings::changePassword(context_.dm, old_->text(), new_->text(), confirm_->text());
        if (showOutcome(this, outcome)) {
            endApplication();
        }
    });
}

ShopWindow::ShopWindow(Context& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("frmDept");
    setWindowTitle("花店设置");
    setFixedSize(466, 290);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("花店信息", this);
    auto* form = new QFormLayout(group);
    for (const char* caption :
         {"花店名称：", "电话号码：", "地        址：", "备        注：", "广        告："}) {
        QLineEdit* edit = textField(caption, 50, group);
        form->addRow(captionLabel(caption, edit, group), edit);
        fields_ << edit;
    }
    layout->addWidget(group, 1);
    chainEnter(fields_);
    connect(addSaveAndClose(this, layout), &QPushButton::clicked, this, &ShopWindow::save);
    guarded(this, [&] {
        const settings::ShopDetails shop = settings::loadShop(context_.dm);
        const QStringList values{shop.name, shop.phone, shop.address, shop.remark,
                                 shop.advertising};
        for (int i = 0; i < fields_.size(); ++i) {
            fields_[i]->setText(values[i]);
        }
    });
}

void ShopWindow::save() {
    guarded(this, [&] {
        const settings::ShopDetails shop{fields_[0]->text(), fields_[1]->text(), fields_[2]->text(),
                                         fields_[3]->text(), fields_[4]->text()};
        if (showOutcome(this, settings::saveShop(context_.dm, shop))) {
            endApplication();
        }
    });
}

DefaultsWindow::DefaultsWindow(Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmMRX");
    setWindowTitle("默认项设置");
    setFixedSize(290, 350);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("默认项设置", this);
    auto* form = new QFormLayout(group);
    Loaders& loaders = context_.dm.loaders();
    const StoreDefaults& d = context_.dm.login().defaults;
    struct Row {
        const char* caption;
        QStringListModel* (Loaders::*loader)();
        QString preset;
    };
    const Row rows[] = {
        {"会员类别：", &Loaders::DBComMType, d.memberCategory},
        {"性        别：", &Loaders::DBComSex, d.sex},
        {"花        型：", &Loaders::DBComHX, d.product},
        {"时        段：", &Loaders::DBComSD, d.timeSlot},
        {"收款方式：", &Loaders::DBComSK, d.paymentMethod},
        {"订单状态：", &Loaders::DBComSState, d.orderState},
        {"订单类型：", &Loaders::DBComDType, d.orderType},
    };
    for (const Row& row : rows) {
        QStringListModel* model = nullptr;
        guarded(this, [&] { model = (loaders.*row.loader)(); });
        QComboBox* box = listField(row.caption, model, group);
        chooseText(box, row.preset);
        form->addRow(captionLabel(row.caption, box, group), box);
        boxes_ << box;
    }
    layout->addWidget(group, 1);
    connect(addSaveAndClose(this, layout), &QPushButton::clicked, this, &DefaultsWindow::save);
}

void DefaultsWindow::save() {
    guarded(this, [&] {
        const StoreDefaults d{chosenText(boxes_[0]), chosenText(boxes_[1]), chosenText(boxes_[2]),
                              chosenText(boxes_[3]), chosenText(boxes_[4]), chosenText(boxes_[5]),
                              chosenText(boxes_[6])};
        if (showOutcome(this, settings::saveStoreDefaults(context_.dm, d))) {
            accept();
        }
    });
}

AboutWindow::AboutWindow(Context& context, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("关于...");
    setFixedSize(360, 200);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("青禾花店管理系统", this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    const QString shop = context.dm.login().shopName;
    auto* text = new QLabel((shop.isEmpty() ? QString() : "本软件授权给：" + shop + "\n") +
                                "订单、会员、储值、兑换、花材库存与往来账目的门店管理。",
                            this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    layout->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("确定", this);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void registerSettingsWindows() {
    registerListEditor(settings::storeList());
    registerListEditor(settings::staffList());
    WindowRegistry::add("frmUser", [](Context& c, QWidget* p) { return new UserWindow(c, p); });
    WindowRegistry::add("frmCPass",
                        [](Context& c, QWidget* p) { return new PasswordWindow(c, p); });
    WindowRegistry::add("frmDept", [](Context& c, QWidget* p) { return new ShopWindow(c, p); });
    WindowRegistry::add("frmMRX", [](Context& c, QWidget* p) { return new DefaultsWindow(c, p); });
    WindowRegistry::add("frmAbout", [](Context& c, QWidget* p) { return new AboutWindow(c, p); });
}

} // namespace florist::ui
