#include "app/application.h"
#include "core/db/datamodule.h"
#include "core/session/startup.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/connectiondialog.h"
#include "ui/fields.h"
#include "ui/loginwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist::ui {
namespace {

using test::PromptRecorder;

ConnectionSettings embedded(const QString& path) {
    ConnectionSettings s;
    s.path = path;
    return s;
}

// A SQL Server on this machine where none listens: port 1 is never served here.
ConnectionSettings unreachableServer() {
    ConnectionSettings s;
    s.backend = Backend::SqlServer;
    s.host = "127.0.0.1";
    s.port = 1;
    s.database = "florist";
    s.user = "shop";
    s.password = "secret";
    s.odbcDriver = "FreeTDS";
    return s;
}

void setText(QLineEdit* box, const QString& text) {
    box->selectAll();
    box->del();
    test::typeText(box, text);
}

// Settings in the file and the run's connection both follow a save.
class ConnectionDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ini_ = dir_.filePath("conf/florist.ini"); }
    QTemporaryDir dir_;
    QString ini_;
};

TEST_F(ConnectionDialogTest, ShowsANamedInstanceAndKeepsTheSavedPasswordForItsServerOnly) {
    ConnectionSettings s = unreachableServer();
    s.host = "shop-pc\\SQLEXPRESS";
    s.port = 0;
    Database db(s);
    ConnectionDialog dialog(db, ini_);
    EXPECT_EQ(dialog.objectName(), "frmConnection");
    EXPECT_EQ(dialog.backendBox()->currentText(), "SQL Server");
    EXPECT_EQ(dialog.serverBox()->text(), "shop-pc");
    EXPECT_EQ(dialog.portBox()->text(), "SQLEXPRESS");
    EXPECT_EQ(dialog.databaseBox()->text(), "florist");
    EXPECT_EQ(dialog.passwordBox()->text(), "secret");
    EXPECT_EQ(dialog.passwordBox()->echoMode(), QLineEdit::Password);
    for (const char* name : {"数据库类型", "服务器", "端口或实例", "数据库", "用户名", "密码"}) {
        EXPECT_NE(test::findByName<QWidget>(&dialog, name), nullptr) << name;
    }
    EXPECT_EQ(dialog.entered().host, "shop-pc\\SQLEXPRESS");
    EXPECT_EQ(dialog.entered().port, 0);

    setText(dialog.serverBox(), "192.0.2.99");
    EXPECT_EQ(dialog.passwordBox()->text(), "");
    setText(dialog.passwordBox(), "new;pw");
    setText(dialog.portBox(), "1500");
    EXPECT_EQ(dialog.passwordBox()->text(), "new;pw");
    EXPECT_EQ(dialog.entered().host, "192.0.2.99");
    EXPECT_EQ(dialog.entered().port, 1500);
}

TEST_F(ConnectionDialogTest, RefusesIncompleteSettingsFieldByField) {
    Database db(unreachableServer());
    ConnectionDialog dialog(db, ini_);
    struct Case {
        QLineEdit* box;
        QString text;
        QString message;
    } cases[] = {
        {dialog.serverBox(), "", "服务器 不能为空，请重新录入！"},
        {dialog.portBox(), "70000", "端口或实例 不正确，请重新录入！"},
        {dialog.databaseBox(), "", "数据库 不能为空，请重新录入！"},
        {dialog.userBox(), "", "用户名 不能为空，请重新录入！"},
    };
    for (const auto& c : cases) {
        const QString before = c.box->text();
        setText(c.box, c.text);
        PromptRecorder prompts;
        dialog.save();
        EXPECT_EQ(prompts.texts(), QStringList{c.message});
        EXPECT_FALSE(QFile::exists(ini_));
        setText(c.box, before);
    }
    // An instance name is a SQL Server thing.
    dialog.backendBox()->setCurrentIndex(1);
    setText(dialog.portBox(), "SQLEXPRESS");
    PromptRecorder prompts;
    dialog.testConnection();
    EXPECT_EQ(prompts.last(), "端口或实例 不正确，请重新录入！");
}

// An unreachable server: the settings are saved, the message says what failed in Chinese, and
// the dialog stays open for a correction.
TEST_F(ConnectionDialogTest, SavingAnUnreachableServerSaysWhereAndStaysOpen) {
    Database db(embedded(dir_.filePath("a.db")));
    ConnectionDialog dialog(db, ini_);
    dialog.backendBox()->setCurrentIndex(2);
    setText(dialog.serverBox(), "127.0.0.1");
    setText(dialog.portBox(), "1");
    setText(dialog.databaseBox(), "florist");
    setText(dialog.userBox(), "shop");
    setText(dialog.passwordBox(), "p;w{d=\\\"");
    PromptRecorder prompts;
    dialog.testConnection();
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().startsWith(
        "无法连接 SQL Server 数据库：服务器 127.0.0.1，端口 1，数据库 florist。"))
        << prompts.last().toStdString();
    EXPECT_FALSE(QFile::exists(ini_));

    dialog.saveButton()->click();
    EXPECT_EQ(prompts.requests().size(), 2);
    EXPECT_TRUE(prompts.last().startsWith("无法连接 SQL Server 数据库"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    const ConnectionSettings saved = ConnectionSettings::fromIni(ini_, "x");
    EXPECT_EQ(saved.backend, Backend::SqlServer);
    EXPECT_EQ(saved.password, "p;w{d=\\\"");
    EXPECT_EQ(db.backend(), Backend::SqlServer);
    EXPECT_FALSE(db.isOpen());
}

// Saving switches the run's connection: to an embedded file (created with its schema), and to
// the PostgreSQL test server when there is one.
TEST_F(ConnectionDialogTest, SaveWritesAnOwnerOnlyFileAndSwitchesTheConnection) {
    Database db(unreachableServer());
    {
        ConnectionDialog dialog(db, ini_);
        dialog.backendBox()->setCurrentIndex(0);
        setText(dialog.databaseBox(), dir_.filePath("data/shop.db"));
        PromptRecorder prompts;
        dialog.testConnection();
        dialog.save();
        EXPECT_EQ(prompts.texts(),
                  (QStringList{"测试连接成功！", "恭喜！恭喜！ 连接设置 保存成功！"}));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(db.isOpen());
    EXPECT_EQ(db.settings().path, dir_.filePath("data/shop.db"));
    EXPECT_EQ(db.count("SELECT MNum FROM SMenu"), 91);
    EXPECT_EQ(ConnectionSettings::fromIni(ini_, "x").path, dir_.filePath("data/shop.db"));
    const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                        QFileDevice::WriteOther;
    EXPECT_EQ(QFile::permissions(ini_) & others, QFileDevice::Permissions());

    if (!test::postgresConfigured()) {
        return;
    }
    const ConnectionSettings pg = test::freshDatabase(Backend::Postgres)->settings();
    ConnectionDialog dialog(db, ini_);
    dialog.backendBox()->setCurrentIndex(1);
    setText(dialog.serverBox(), pg.host);
    setText(dialog.portBox(), QString::number(pg.port));
    setText(dialog.databaseBox(), pg.database);
    setText(dialog.userBox(), pg.user);
    PromptRecorder prompts;
    dialog.save();
    EXPECT_EQ(prompts.texts(), QStringList{"恭喜！恭喜！ 连接设置 保存成功！"});
    EXPECT_EQ(db.backend(), Backend::Postgres);
    EXPECT_EQ(db.count("SELECT ID FROM SUser WHERE (theName = 'admin')"), 1);
}

// Start-up with the configured server unreachable: one message, then the dialog.
class UnreachableStart : public ConnectionDialogTest {
protected:
    void SetUp() override {
        ConnectionDialogTest::SetUp();
        unreachableServer().writeIni(ini_);
        qputenv("FLORIST_SETTINGS", ini_.toUtf8());
    }
    void TearDown() override {
        qunsetenv("FLORIST_SETTINGS");
        test::installUiTestDefaults();
    }
};

TEST_F(UnreachableStart, CancelledDialogLeavesTheLoginWindowWithAnEmptyUserList) {
    int dialogs = 0;
    ConnectionDialog::setRunner([&](ConnectionDialog* d) {
        ++dialogs;
        EXPECT_EQ(d->serverBox()->text(), "127.0.0.1");
        d->reject();
    });
    PromptRecorder prompts;
    app::Application app(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    app.start();
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(prompts.requests().size(), 1) << prompts.texts().join("\n---\n").toStdString();
    EXPECT_TRUE(prompts.last().startsWith(
        "无法连接 SQL Server 数据库：服务器 127.0.0.1，端口 1，数据库 florist。"));
    LoginWindow* login = app.loginWindow();
    ASSERT_TRUE(login->isVisible());
    EXPECT_EQ(login->userBox()->count(), 0);
    login->loginButton()->click();
    EXPECT_EQ(prompts.last(), "用户名 不能为空，请选择！");
    login->hide();
}

// "连接设置" saved for a server that cannot be reached, then cancelled: the run has no database
// any more, so the login window offers no user of the one it had.
TEST_F(UnreachableStart, LoginWindowForgetsItsUsersWhenASaveLeftNoConnection) {
    embedded(dir_.filePath("first.db")).writeIni(ini_);
    PromptRecorder prompts;
    app::Application app(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    app.start();
    LoginWindow* login = app.loginWindow();
    ASSERT_GE(login->userBox()->findText("admin"), 0);
    ConnectionDialog::setRunner([&](ConnectionDialog* d) {
        d->backendBox()->setCurrentIndex(2);
        setText(d->serverBox(), "127.0.0.1");
        setText(d->portBox(), "1");
        setText(d->databaseBox(), "florist");
        setText(d->userBox(), "shop");
        d->save();
        d->reject();
    });
    login->settingsButton()->click();
    EXPECT_TRUE(prompts.last().startsWith("无法连接 SQL Server 数据库"));
    EXPECT_EQ(login->userBox()->count(), 0);
    login->loginButton()->click();
    EXPECT_EQ(prompts.last(), "用户名 不能为空，请选择！");
    EXPECT_FALSE(app.mainWindow()->isVisible());
    login->hide();
}

TEST_F(UnreachableStart, SavedDialogAndTheLoginButtonSwitchTheRunsDatabase) {
    const QString first = dir_.filePath("first.db");
    ConnectionDialog::setRunner([&](ConnectionDialog* d) {
        d->backendBox()->setCurrentIndex(0);
        setText(d->databaseBox(), first);
        d->save();
    });
    PromptRecorder prompts;
    app::Application app(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    app.start();
    EXPECT_EQ(prompts.requests().size(), 2);
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 连接设置 保存成功！");
    LoginWindow* login = app.loginWindow();
    EXPECT_GE(login->userBox()->findText("admin"), 0);
    EXPECT_EQ(app.dataModule()->login().shopName, "青禾花店");

    // "连接设置" on the login window: another embedded file with another user.
    const QString second = dir_.filePath("second.db");
    {
        auto db = openDatabase(embedded(second));
        db->exec("INSERT INTO SUser (WName, theName, thePass, Remark) VALUES ('总店', '店员', "
                 "'', '')");
    }
    ConnectionDialog::setRunner([&](ConnectionDialog* d) {
        EXPECT_EQ(d->databaseBox()->text(), first);
        setText(d->databaseBox(), second);
        d->save();
    });
    login->settingsButton()->click();
    EXPECT_EQ(app.dataModule()->db().settings().path, second);
    EXPECT_GE(login->userBox()->findText("店员"), 0);
    EXPECT_EQ(ConnectionSettings::fromIni(ini_, "x").path, second);
    chooseText(login->userBox(), "店员");
    login->loginButton()->click();
    EXPECT_EQ(app.dataModule()->login().currentUser, "店员");
    app.mainWindow()->hide();
}

} // namespace
} // namespace florist::ui
