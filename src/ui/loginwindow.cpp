#include "ui/loginwindow.h"

#include "core/db/datamodule.h"
#include "core/session/login.h"
#include "core/session/startup.h"
#include "ui/connectiondialog.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

// The pane at the top of the window: a banner drawn here, since the counter has no network.
QLabel* banner(QWidget* parent) {
    QPixmap pm(300, 73);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 300, 73);
    g.setColorAt(0, QColor(0xC0, 0x39, 0x5A));
    g.setColorAt(1, QColor(0x2E, 0x86, 0x5F));
    p.fillRect(pm.rect(), g);
    QFont f;
    f.setFamilies({"Noto Serif CJK SC", "Noto Sans CJK SC"});
    f.setPixelSize(24);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("青禾花店管理系统"));
    p.end();
    auto* label = new QLabel(parent);
    label->setObjectName("WebBrowser1");
    label->setPixmap(pm);
    label->setFixedHeight(73);
    label->setScaledContents(true);
    return label;
}

} // namespace

LoginWindow::LoginWindow(Context& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("frmLogin");
    setWindowTitle("青禾花店管理系统登录");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(300, 300);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(banner(this));

    auto* group = new QGroupBox("系统登录", this);
    auto* form = new QFormLayout(group);
    const QDateTime preset = context_.dm.login().defaultBusinessDate;
    date_ = deliberateDateField("营业日期：",
                                preset.isValid() ? preset.date() : QDate::currentDate(), group);
    QStringListModel* users = nullptr;
    // A connection that failed at start was reported then: the list stays empty.
    if (context_.dm.db().isOpen()) {
        guarded(this, [&] { users = context_.dm.loaders().DBComUser(); });
    }
    user_ = listField("用  户  名：", users, group);
    password_ = passwordField("密        码：", 12, group);
    QFont bold = password_->font();
    bold.setBold(true);
    password_->setFont(bold);
    form->addRow(captionLabel("营业日期：", date_, group), date_);
    form->addRow(captionLabel("用  户  名：", user_, group), user_);
    form->addRow(captionLabel("密        码：", password_, group), password_);
    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(12, 4, 12, 0);
    inner->addWidget(group);
    layout->addLayout(inner);

    auto* buttons = new QHBoxLayout;
    login_ = new QPushButton("登录", this);
    login_->setDefault(true);
    login_->setAutoDefault(true);
    auto* quit = new QPushButton("退出", this);
    quit->setAutoDefault(false);
    settings_ = new QPushButton("连接设置", this);
    settings_->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(login_);
    buttons->addWidget(quit);
    buttons->addWidget(settings_);
    buttons->addStretch();
    layout->addLayout(buttons);

    setTabOrder(date_, user_);
    setTabOrder(user_, password_);
    connect(login_, &QPushButton::clicked, this, &LoginWindow::logIn);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(settings_, &QPushButton::clicked, this, &LoginWindow::editConnection);
}

void LoginWindow::editConnection() {
    if (!ConnectionDialog::run(context_.dm.db(), settingsFilePath(), this)) {
        // A save that could not connect has left the run without a database: the names of the
        // one before no longer log in, so the list goes, as after a failed start.
        if (!context_.dm.db().isOpen()) {
            user_->setModel(new QStringListModel(user_));
            password_->clear();
        }
        return;
    }
    // Another database: its date, shop name and users.
    guarded(this, [&] { context_.dm.readStartValues(); });
    const QDateTime preset = context_.dm.login().defaultBusinessDate;
    date_->setDate(preset.isValid() ? preset.date() : QDate::currentDate());
    guarded(this, [&] { user_->setModel(context_.dm.loaders().DBComUser()); });
    user_->setCurrentIndex(-1);
    password_->clear();
}

void LoginWindow::logIn() {
    guarded(this, [&] {
        const QString name = chosenText(user_);
        if (name.isEmpty()) {
            Prompt::message(this, kNoUserMessage, PromptIcon::Warning);
            user_->setFocus();
            return;
        }
        LoginResult r = florist::logIn(context_.dm, name, password_->text(), date_->date());
        if (r.outcome != LoginOutcome::Accepted) {
            Prompt::message(this, kWrongPasswordMessage, PromptIcon::Warning);
            password_->setFocus();
            password_->selectAll();
            return;
        }
        hide();
        emit loggedIn(r.rights);
    });
}

} // namespace florist::ui
