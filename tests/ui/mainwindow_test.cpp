#include "core/db/datamodule.h"
#include "core/session/login.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/loginwindow.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace florist {
namespace {

// The main window with windows of its own registered under the names of real entries, so the
// tests see which entry opened what.
class MainWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        dm().login() = LoginValues{};
        dm().readStartValues();
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
        for (const char* name : {"frmOrder_M", "frmOrder_HQ"}) {
            ui::WindowRegistry::add(name, [this, name](ui::Context&, QWidget* parent) {
                opened_ << name;
                auto* w = new QWidget(parent);
                w->setObjectName(name);
                return w;
            });
        }
        ui::WindowRegistry::add("frmOrder_In", [this](ui::Context&, QWidget* parent) {
            opened_ << "frmOrder_In";
            return new QDialog(parent);
        });
        main_ = std::make_unique<ui::MainWindow>(*context_);
        main_->setModalRunner([this](QDialog*) { modals_++; });
    }
    void TearDown() override {
        main_.reset();
        context_.reset();
        test::DbTest::TearDown();
    }
    void loginAs(const QString& user, const QStringList& rights) {
        dm().myESQL(
            "INSERT INTO SUser (WName, theName, thePass, Remark) VALUES ('总店', ?, '', '')",
            {user});
        const QString id =
            dm().db().select("SELECT ID FROM SUser WHERE (theName = ?)", {user}).text(0, "ID");
        for (const QString& code : rights) {
            dm().myESQL("INSERT INTO SLevel (UID, MNum) VALUES (?, ?)", {id.toInt(), code});
        }
        ui::LoginWindow login(*context_);
        QObject::connect(&login, &ui::LoginWindow::loggedIn, main_.get(),
                         [this](const QStringList& r) { main_->applyLogin(r); });
        ui::chooseText(login.userBox(), user);
        login.loginButton()->click();
        ASSERT_TRUE(login.isHidden());
    }
    bool visible(int menu, int entry) {
        return main_->topMenu(menu)->menuAction()->isVisible() &&
               main_->entryAction(menu, entry)->isVisible();
    }
    QAction* tool(const QString& caption) {
        for (QAction* a : main_->toolbarActions()) {
            if (a->text() == caption) {
                return a;
            }
        }
        return nullptr;
    }

    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<ui::MainWindow> main_;
    QStringList opened_;
    int modals_ = 0;
};

TEST_P(MainWindowTest, UserWithoutRightsSeesOnlyTheEntriesShownForEverybody) {
    loginAs("新手", {});
    EXPECT_FALSE(main_->topMenu(1)->menuAction()->isVisible());
    EXPECT_TRUE(visible(0, 3)); // 员工设置
    EXPECT_TRUE(visible(0, 7)); // 退出 &X
    EXPECT_FALSE(visible(0, 0));
    EXPECT_TRUE(main_->topMenu(8)->menuAction()->isVisible());
    // 花器回收提醒 is shown without rights though its menu is not: the toolbar still opens it.
    tool("花器回收")->trigger();
    EXPECT_EQ(opened_, QStringList{"frmOrder_HQ"});
    tool("订单录入")->trigger();
    EXPECT_EQ(modals_, 0);
    EXPECT_EQ(main_->statusPanel(2)->text(), "总店 新手");
}

TEST_P(MainWindowTest, OnlyCode0107ShowsTheOrderMenuWithOneEntry) {
    loginAs("回收员", {"0107"});
    QMenu* orders = main_->topMenu(1);
    EXPECT_TRUE(orders->menuAction()->isVisible());
    QStringList shown;
    for (QAction* a : orders->actions()) {
        if (a->isVisible()) {
            shown << a->text();
        }
    }
    EXPECT_EQ(shown, QStringList{"花器回收提醒"});
    tool("花器回收")->trigger();
    EXPECT_EQ(opened_, QStringList{"frmOrder_HQ"});
}

TEST_P(MainWindowTest, Code0100WithoutCode0101) {
    loginAs("收银员", {"0100"});
    EXPECT_TRUE(visible(1, 0));
    EXPECT_FALSE(visible(1, 1));
    tool("订单录入")->trigger();
    EXPECT_EQ(modals_, 1);
    tool("未送订单")->trigger();
    main_->entryAction(1, 1)->trigger();
    EXPECT_EQ(opened_, QStringList{"frmOrder_In"});
}

TEST_P(MainWindowTest, EveryClickOpensANewChildWindow) {
    loginAs("经理", {"0101"});
    main_->entryAction(1, 1)->trigger();
    main_->entryAction(1, 1)->trigger();
    EXPECT_EQ(main_->mdiArea()->subWindowList().size(), 2);
    for (QMdiSubWindow* sub : main_->mdiArea()->subWindowList()) {
        EXPECT_TRUE(sub->isMaximized());
    }
}

TEST_P(MainWindowTest, AdminSeesTheWholeMenu) {
    LoginResult r = logIn(dm(), "admin", "", QDate(2025, 3, 1));
    main_->applyLogin(r.rights);
    for (int m = 0; m < 9; ++m) {
        EXPECT_TRUE(main_->topMenu(m)->menuAction()->isVisible()) << m;
        for (QAction* a : main_->topMenu(m)->actions()) {
            EXPECT_TRUE(a->isVisible() || a->isSeparator()) << a->text().toStdString();
        }
    }
    EXPECT_EQ(main_->statusPanel(4)->text(), "2025-03-01");
}

TEST_P(MainWindowTest, ExitQuestionNoKeepsTheWindowOpen) {
    main_->show();
    test::PromptRecorder prompts;
    prompts.answer(false);
    main_->entryAction(0, 7)->trigger(); // 退出 &X
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(prompts.requests()[0].title, "确认退出");
    EXPECT_EQ(prompts.requests()[0].text, "确认要退出 青禾花店管理系统 吗？  ^_^  ");
    EXPECT_TRUE(prompts.requests()[0].question);
    EXPECT_TRUE(main_->isVisible());
}

TEST_P(MainWindowTest, LoginWindowMessages) {
    ui::LoginWindow login(*context_);
    EXPECT_EQ(login.objectName(), "frmLogin");
    EXPECT_EQ(login.windowTitle(), "青禾花店管理系统登录");
    EXPECT_EQ(login.size(), QSize(300, 300));
    EXPECT_EQ(test::findByName<QLineEdit>(&login, "密码"), login.passwordBox());
    EXPECT_EQ(test::findByName<QComboBox>(&login, "用户名"), login.userBox());
    EXPECT_EQ(test::findByName<QDateEdit>(&login, "营业日期"), login.dateBox());
    EXPECT_EQ(login.dateBox()->date(), dm().login().defaultBusinessDate.date());
    test::PromptRecorder prompts;
    login.loginButton()->click();
    EXPECT_EQ(prompts.last(), "用户名 不能为空，请选择！");
    ui::chooseText(login.userBox(), "admin");
    login.passwordBox()->setText("wrong");
    login.loginButton()->click();
    EXPECT_EQ(prompts.last(), "密码错误，请重新录入！");
    EXPECT_TRUE(dm().login().currentUser.isEmpty());
}

// Tab leaves the business date for the user name in one press; the arrow keys move the date
// only after a click or typing into it since it took the focus.
TEST_P(MainWindowTest, LoginDateBoxTabAndArrows) {
    ui::LoginWindow login(*context_);
    login.show();
    login.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
    QDateEdit* date = login.dateBox();
    date->setFocus();
    const QDate preset = date->date();
    QTest::keyClick(date, Qt::Key_Down);
    QTest::keyClick(date, Qt::Key_PageUp);
    EXPECT_EQ(date->date(), preset);
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), login.userBox());
    QTest::keyClick(login.userBox(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), date);
    QTest::keyClick(date, Qt::Key_Down);
    EXPECT_EQ(date->date(), preset);
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(8, date->height() / 2));
    QTest::keyClick(date, Qt::Key_Down);
    const QDate moved = date->date();
    EXPECT_LT(moved, preset);
    QTest::keyClick(date, Qt::Key_Tab); // leaving and coming back needs a click again
    QTest::keyClick(login.userBox(), Qt::Key_Backtab);
    QTest::keyClick(date, Qt::Key_Up);
    EXPECT_EQ(date->date(), moved);
}

FLORIST_ON_EVERY_BACKEND(MainWindowTest);

} // namespace
} // namespace florist
