#include "ui/connectiondialog.h"

#include "core/db/database.h"
#include "core/session/startup.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::ui {

namespace {

ConnectionDialog::Runner& runner() {
    static ConnectionDialog::Runner r;
    return r;
}

const Backend kBackends[] = {Backend::Sqlite, Backend::Postgres, Backend::SqlServer};

QString hintFor(Backend backend) {
    switch (backend) {
    case Backend::Sqlite:
        return QStringLiteral("内置数据库只供本机使用：“数据库”填写数据库文件的路径，"
                              "不需要服务器、用户名和密码。");
    case Backend::Postgres:
        return QStringLiteral("“端口或实例”留空即默认端口 5432。");
    case Backend::SqlServer:
        return QStringLiteral(
            "“端口或实例”留空即默认端口 1433；SQL Server Express 等命名实例"
            "填写实例名（如 SQLEXPRESS），其端口由 SQL Server Browser 服务提供。");
    }
    return {};
}

[[noreturn]] void refuse(QLineEdit* box, const QString& text) {
    box->setFocus();
    throw Failure(text);
}

} // namespace

ConnectionDialog::ConnectionDialog(Database& db, const QString& iniPath, QWidget* parent)
    : QDialog(parent), db_(db), iniPath_(iniPath), initial_(db.settings()) {
    setObjectName("frmConnection");
    setWindowTitle("连接设置");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setMinimumWidth(400);

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("数据库连接", this);
    auto* form = new QFormLayout(group);
    backend_ = new QComboBox(group);
    backend_->setAccessibleName(accessibleFromCaption("数据库类型："));
    backend_->addItems({"SQLite（本机内置数据库）", "PostgreSQL", "SQL Server"});
    server_ = textField("服 务 器：", 0, group);
    port_ = textField("端口或实例：", 0, group);
    database_ = textField("数 据 库：", 0, group);
    user_ = textField("用 户 名：", 0, group);
    password_ = textField("密    码：", 0, group);
    password_->setEchoMode(QLineEdit::Password);
    form->addRow(captionLabel("数据库类型：", backend_, group), backend_);
    form->addRow(captionLabel("服 务 器：", server_, group), server_);
    form->addRow(captionLabel("端口或实例：", port_, group), port_);
    databaseLabel_ = captionLabel("数 据 库：", database_, group);
    form->addRow(databaseLabel_, database_);
    form->addRow(captionLabel("用 户 名：", user_, group), user_);
    form->addRow(captionLabel("密    码：", password_, group), password_);
    layout->addWidget(group);
    hint_ = new QLabel(this);
    hint_->setWordWrap(true);
    layout->addWidget(hint_);

    auto* buttons = new QHBoxLayout;
    test_ = new QPushButton("测试连接", this);
    test_->setAutoDefault(false);
    save_ = new QPushButton("保存", this);
    save_->setDefault(true);
    auto* cancel = new QPushButton("取消", this);
    cancel->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(test_);
    buttons->addWidget(save_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    // The values in force; a named instance shows in the port box.
    for (int i = 0; i < 3; ++i) {
        if (kBackends[i] == initial_.backend) {
            backend_->setCurrentIndex(i);
        }
    }
    if (initial_.backend == Backend::Sqlite) {
        database_->setText(initial_.path);
    } else {
        server_->setText(initial_.serverName());
        port_->setText(initial_.instance().isEmpty()
                           ? (initial_.port > 0 ? QString::number(initial_.port) : QString())
                           : initial_.instance());
        database_->setText(initial_.database);
        user_->setText(initial_.user);
        password_->setText(initial_.password);
        passwordFromFile_ = !initial_.password.isEmpty();
    }
    showBackend();

    connect(backend_, &QComboBox::currentIndexChanged, this, [this] {
        const Backend b = kBackends[backend_->currentIndex()];
        database_->setText(
            b == Backend::Sqlite
                ? (initial_.backend == Backend::Sqlite ? initial_.path : embeddedDatabasePath())
                : (initial_.backend == Backend::Sqlite ? QString() : initial_.database));
        forgetSavedPassword();
        showBackend();
    });
    // The saved password goes only to the server it was saved for.
    for (QLineEdit* box : {server_, port_, user_}) {
        connect(box, &QLineEdit::textEdited, this, &ConnectionDialog::forgetSavedPassword);
    }
    connect(password_, &QLineEdit::textEdited, this, [this] { passwordFromFile_ = false; });
    connect(test_, &QPushButton::clicked, this, &ConnectionDialog::testConnection);
    connect(save_, &QPushButton::clicked, this, &ConnectionDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ConnectionDialog::showBackend() {
    const Backend b = kBackends[qMax(0, backend_->currentIndex())];
    const bool server = b != Backend::Sqlite;
    for (QWidget* w : {static_cast<QWidget*>(server_), static_cast<QWidget*>(port_),
                       static_cast<QWidget*>(user_), static_cast<QWidget*>(password_)}) {
        w->setEnabled(server);
    }
    port_->setPlaceholderText(b == Backend::SqlServer ? "1433 或实例名，如 SQLEXPRESS"
                              : server                ? "5432"
                                                      : QString());
    hint_->setText(hintFor(b));
}

void ConnectionDialog::forgetSavedPassword() {
    if (passwordFromFile_) {
        password_->clear();
        passwordFromFile_ = false;
    }
}

ConnectionSettings ConnectionDialog::entered() {
    ConnectionSettings s;
    s.backend = kBackends[qMax(0, backend_->currentIndex())];
    s.odbcDriver = initial_.odbcDriver;
    s.options = initial_.backend == s.backend ? initial_.options : QString();
    if (s.backend == Backend::Sqlite) {
        s.path = database_->text().trimmed();
        if (s.path.isEmpty()) {
            refuse(database_, "数据库 不能为空，请重新录入！");
        }
        return s;
    }
    // PostgreSQL on this machine may go through its socket, with the system user's name.
    const bool sqlServer = s.backend == Backend::SqlServer;
    s.host = server_->text().trimmed();
    if (s.host.isEmpty() && sqlServer) {
        refuse(server_, "服务器 不能为空，请重新录入！");
    }
    const QString portOrInstance = port_->text().trimmed();
    bool number = false;
    const int port = portOrInstance.toInt(&number);
    if (number) {
        if (port < 1 || port > 65535) {
            refuse(port_, "端口或实例 不正确，请重新录入！");
        }
        s.port = port;
    } else if (!portOrInstance.isEmpty()) {
        if (!sqlServer || s.host.contains('\\')) {
            refuse(port_, "端口或实例 不正确，请重新录入！");
        }
        s.host += '\\' + portOrInstance;
    }
    s.database = database_->text().trimmed();
    if (s.database.isEmpty()) {
        refuse(database_, "数据库 不能为空，请重新录入！");
    }
    s.user = user_->text().trimmed();
    if (s.user.isEmpty() && sqlServer) {
        refuse(user_, "用户名 不能为空，请重新录入！");
    }
    s.password = password_->text();
    return s;
}

void ConnectionDialog::testConnection() {
    guarded(this, [&] {
        const ConnectionSettings s = entered();
        openDatabase(s);
        Prompt::message(this, "测试连接成功！");
    });
}

void ConnectionDialog::save() {
    guarded(this, [&] {
        const ConnectionSettings s = entered();
        s.writeIni(iniPath_);
        reconnectDatabase(db_, s);
        Prompt::message(this, "恭喜！恭喜！ 连接设置 保存成功！");
        accept();
    });
}

void ConnectionDialog::setRunner(Runner r) {
    runner() = std::move(r);
}

bool ConnectionDialog::run(Database& db, const QString& iniPath, QWidget* parent) {
    ConnectionDialog dialog(db, iniPath, parent);
    if (runner()) {
        runner()(&dialog);
    } else {
        dialog.exec();
    }
    return dialog.result() == QDialog::Accepted;
}

} // namespace florist::ui
