#include "app/application.h"
#include "core/db/datamodule.h"
#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/loginwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist::app {
namespace {

using namespace ui;

// The first start on a machine: the embedded database is created with its tables, views and
// seed rows, the login window comes up, and admin logs in to the whole menu.
TEST(Application, FirstStartCreatesTheEmbeddedDatabaseAndLogsAdminIn) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("florist.ini");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QString("[database]\nbackend=sqlite\npath=%1\n")
                    .arg(dir.filePath("data/florist.db"))
                    .toUtf8());
    }
    qputenv("FLORIST_SETTINGS", ini.toUtf8());
    {
        Application app(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        app.start();
        ASSERT_TRUE(QFile::exists(dir.filePath("data/florist.db")));
        LoginWindow* login = app.loginWindow();
        ASSERT_TRUE(login->isVisible());
        Database& db = app.dataModule()->db();
        EXPECT_EQ(db.count("SELECT MNum FROM SMenu"), 91);
        EXPECT_EQ(db.count("SELECT ID FROM UHCKCVIEW"), 0);
        EXPECT_EQ(app.dataModule()->login().shopName, "青禾花店");
        EXPECT_GE(login->userBox()->findText("admin"), 0);

        chooseText(login->userBox(), "admin");
        login->loginButton()->click();
        EXPECT_FALSE(login->isVisible());
        EXPECT_TRUE(app.mainWindow()->isVisible());
        EXPECT_EQ(app.dataModule()->login().currentUser, "admin");
        EXPECT_EQ(app.dataModule()->login().defaults.orderState, "未送");
        for (int m = 0; m < 9; ++m) {
            EXPECT_TRUE(app.mainWindow()->topMenu(m)->menuAction()->isVisible());
        }
        app.mainWindow()->hide();
    }
    qunsetenv("FLORIST_SETTINGS");
}

} // namespace
} // namespace florist::app
