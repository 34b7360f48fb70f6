#include "app/application.h"
#include "app/windows.h"
#include "core/db/datamodule.h"
#include "core/session/login.h"
#include "core/session/password.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/ending.h"
#include "ui/fields.h"
#include "ui/gridview.h"
#include "ui/listeditorwindow.h"
#include "ui/mainwindow.h"
#include "ui/rightswindow.h"
#include "ui/settingswindows.h"
#include "ui/userwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#ifdef FLORIST_HAVE_QPA
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>
#endif

namespace florist::ui {
namespace {

// Counts the program's ends instead of ending the test run.
class EndRecorder {
public:
    EndRecorder() {
        setEndApplicationHandler([this] { ends_++; });
    }
    ~EndRecorder() { setEndApplicationHandler({}); }
    int ends() const { return ends_; }

private:
    int ends_ = 0;
};

QPushButton* button(QWidget* w, const QString& text) {
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

class SettingsWindowsTest : public test::DbTest {
protected:
    void SetUp() override {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        app::registerAllWindows();
        context_ = std::make_unique<Context>(Context{dm()});
    }
    void TearDown() override {
        context_.reset();
        test::DbTest::TearDown();
    }
    std::unique_ptr<ListEditorWindow> editor(const QString& window) {
        QWidget* w = WindowRegistry::find(window)(*context_, nullptr);
        return std::unique_ptr<ListEditorWindow>(qobject_cast<ListEditorWindow*>(w));
    }
    std::unique_ptr<Context> context_;
};

// Every settings entry of the menu opens its window modally, with the entry's caption.
TEST_P(SettingsWindowsTest, EveryEntryOpensItsWindowFromTheMenu) {
    struct Opened {
        QString name;
        QString title;
        QSize size;
    };
    MainWindow main(*context_);
    QList<Opened> opened;
    main.setModalRunner([&](QDialog* d) {
        opened.append({d->objectName(), d->windowTitle(), d->size()});
    });
    main.applyLogin(logIn(dm(), "admin", "", QDate(2025, 3, 1)).rights);
    struct Entry {
        int menu;
        int entry;
        const char* window;
        QSize size;
    };
    const Entry entries[] = {
        {0, 0, "frmDept", {466, 290}},      {0, 1, "frmWare", {490, 480}},
        {0, 2, "frmUser", {530, 480}},      {0, 3, "frmWorker", {530, 480}},
        {0, 5, "frmCPass", {290, 226}},     {2, 0, "frmMType", {530, 480}},
        {5, 27, "frmSHCType", {490, 480}},  {5, 28, "frmSHCUnit", {490, 480}},
        {7, 0, "frmSSK", {490, 480}},       {7, 1, "frmSSex", {490, 480}},
        {7, 3, "frmSAlliance", {530, 480}}, {7, 4, "frmSSD", {490, 480}},
        {7, 5, "frmSArea", {530, 480}},     {7, 6, "frmSUse", {490, 480}},
        {7, 7, "frmSObject", {490, 480}},   {7, 8, "frmHX", {490, 480}},
        {7, 9, "frmDType", {490, 480}},     {7, 11, "frmSGift", {530, 480}},
        {7, 13, "frmMRX", {290, 350}},      {8, 2, "frmAbout", {360, 200}},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.window);
        opened.clear();
        main.openEntry(e.menu, e.entry);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].name, e.window);
        EXPECT_EQ(opened[0].title, menuTable()[e.menu].entries[e.entry].windowCaption);
        EXPECT_EQ(opened[0].size, e.size);
    }
}

TEST_P(SettingsWindowsTest, ListEditorSavesRefusesAndRemoves) {
    auto w = editor("frmSArea");
    EXPECT_EQ(w->group()->title(), "送花区域信息");
    EXPECT_EQ(w->grid()->columnWidth(1), 80);
    EXPECT_TRUE(w->grid()->isColumnHidden(3));
    test::PromptRecorder prompts;
    // "删除 &D" on an empty grid asks nothing.
    w->deleteAction()->trigger();
    EXPECT_TRUE(prompts.requests().isEmpty());
    test::typeText(w->nameField(), "东城区");
    test::typeText(w->valueFields()[0], "1a2.5");
    EXPECT_EQ(w->valueFields()[0]->text(), "12.5");
    button(w.get(), "保存")->click();
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 送达区域信息 保存成功！");
    EXPECT_EQ(w->grid()->rowCount(), 1);
    EXPECT_TRUE(w->nameField()->text().isEmpty());
    test::typeText(w->nameField(), "东城区");
    test::typeText(w->valueFields()[0], "0");
    button(w.get(), "保存")->click();
    EXPECT_EQ(prompts.last(), "递送费 不能为零，请重新录入！");
    EXPECT_EQ(w->nameField()->text(), "东城区");
    w->valueFields()[0]->setText("5");
    button(w.get(), "保存")->click();
    EXPECT_EQ(prompts.last(), "送达区域 已存在，请重新录入！");
    EXPECT_EQ(w->grid()->rowCount(), 1);
    // No keeps the row; Yes removes it for good.
    prompts.clear();
    w->deleteAction()->trigger();
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(prompts.requests()[0].title, "删除");
    EXPECT_EQ(prompts.requests()[0].text, "确认要删除吗？该删除将不可恢复！");
    EXPECT_EQ(w->grid()->rowCount(), 1);
    prompts.answer(true);
    w->deleteAction()->trigger();
    EXPECT_EQ(w->grid()->rowCount(), 0);
    EXPECT_EQ(db().count("SELECT ID FROM SArea"), 0);
}

TEST_P(SettingsWindowsTest, AllianceDiscountTakesAtMostThreeDigits) {
    auto w = editor("frmSAlliance");
    QLineEdit* discount = test::findByName<QLineEdit>(w.get(), "享受折扣");
    ASSERT_EQ(discount, w->valueFields()[0]);
    test::typeText(discount, "8.5123");
    EXPECT_EQ(discount->text(), "851");
    ASSERT_NE(test::findByName<QLineEdit>(w.get(), "联盟单位"), nullptr);
    ASSERT_NE(test::findByName<QLineEdit>(w.get(), "备注"), nullptr);
    test::typeText(w->nameField(), "一二三四五六七");
    EXPECT_EQ(w->nameField()->text(), "一二三四五六"); // 12 GBK bytes
}

TEST_P(SettingsWindowsTest, UserWindowRemovesOthersButNotTheLoggedInUser) {
    UserWindow w(*context_);
    test::PromptRecorder prompts;
    EXPECT_EQ(w.grid()->rowCount(), 1);
    w.deleteAction()->trigger();
    EXPECT_EQ(prompts.last(), "用户 admin 正在使用本软件，不能删除！");
    EXPECT_EQ(db().count("SELECT ID FROM SUser"), 1);
    button(&w, "保存")->click();
    EXPECT_EQ(prompts.last(), "门店名称 不能为空，请重新选择！");
    chooseText(w.storeBox(), "总店");
    test::typeText(w.nameField(), "小张");
    button(&w, "保存")->click();
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 用户信息 保存成功！");
    ASSERT_EQ(w.grid()->rowCount(), 2);
    w.grid()->setCurrentIndex(w.grid()->model()->index(1, 0));
    EXPECT_EQ(w.grid()->currentValue("用户名").toString(), "小张");
    QStringList rightsWindows;
    w.setModalRunner([&](QDialog* d) {
        rightsWindows << d->objectName() + " " + d->windowTitle();
        auto* rights = qobject_cast<RightsWindow*>(d);
        if (rights->allBox()) {
            rights->allBox()->setChecked(true);
            EXPECT_EQ(rights->list()->checkedTexts().size(), 91);
            rights->allBox()->setChecked(false);
            EXPECT_TRUE(rights->list()->checkedTexts().isEmpty());
            rights->list()->item(8)->setCheckState(Qt::Checked);
            button(rights, "保存")->click();
        }
    });
    w.operationRightsAction()->trigger();
    w.storeRightsAction()->trigger();
    EXPECT_EQ(rightsWindows, (QStringList{"frmU_L 小张 操作权限", "frmU_W 小张 查看门店"}));
    EXPECT_EQ(prompts.last(), "小张 操作权限 保存成功！ 重新登录软件后生效。");
    EXPECT_EQ(db().count("SELECT UID FROM SLevel WHERE (MNum = '0100')"), 2);
    prompts.answer(true);
    w.deleteAction()->trigger();
    EXPECT_EQ(w.grid()->rowCount(), 1);
}

TEST_P(SettingsWindowsTest, PasswordChangeEndsTheProgramAtOnce) {
    EndRecorder ends;
    PasswordWindow w(*context_);
    EXPECT_EQ(w.group()->title(), "admin 修改密码");
    test::PromptRecorder prompts;
    w.oldField()->setText("x");
    button(&w, "保存")->click();
    EXPECT_EQ(prompts.last(), "原密码 错误，请重新录入！");
    EXPECT_EQ(ends.ends(), 0);
    w.oldField()->clear();
    test::typeText(w.newField(), "pass");
    test::typeText(w.confirmField(), "pass");
    button(&w, "保存")->click();
    EXPECT_EQ(prompts.last(), "密码修改成功，请重新登录软件！");
    EXPECT_EQ(ends.ends(), 1);
    EXPECT_TRUE(
        verifyPassword(db().scalar("SELECT thePass FROM SUser WHERE (ID = 1)").toString(), "pass"));
}

TEST_P(SettingsWindowsTest, ShopSaveEndsTheProgramAndDefaultsArePreset) {
    EndRecorder ends;
    {
        ShopWindow w(*context_);
        ASSERT_EQ(w.fields().size(), 5);
        EXPECT_EQ(w.fields()[0]->text(), "青禾花店");
        test::PromptRecorder prompts;
        button(&w, "保存")->click();
        EXPECT_EQ(prompts.last(), "花店信息 保存成功，请重新打开软件！");
        EXPECT_EQ(ends.ends(), 1);
    }
    readStoreDefaults(dm());
    DefaultsWindow w(*context_);
    ASSERT_EQ(w.boxes().size(), 7);
    QStringList shown;
    for (QComboBox* b : w.boxes()) {
        shown << chosenText(b);
    }
    EXPECT_EQ(shown, (QStringList{"普通会员", "女", "花束", "上午", "现金", "未送", "门店"}));
    chooseText(w.boxes()[1], "");
    test::PromptRecorder prompts;
    button(&w, "保存")->click();
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 默认项 保存成功，重新打开软件生效！");
    EXPECT_EQ(db().scalar("SELECT theSex FROM SWare WHERE (theName = '总店')").toString(), "");
}

// A close from the program's own way out asks nothing; a person's close asks once.
TEST_P(SettingsWindowsTest, OnlyAPersonsCloseAsksTheExitQuestion) {
    MainWindow main(*context_);
    main.show();
    test::PromptRecorder prompts;
    main.close();
    EXPECT_TRUE(prompts.requests().isEmpty());
    main.show();
    EndRecorder ends;
    prompts.answer(true);
    main.requestExit();
    EXPECT_EQ(prompts.requests().size(), 1);
    EXPECT_EQ(ends.ends(), 1);
    // After the end was decided nothing asks again.
    main.show();
    main.requestExit();
    EXPECT_EQ(prompts.requests().size(), 1);
#ifdef FLORIST_HAVE_QPA
    setEndApplicationHandler([] {});
    main.show();
    prompts.answer(false);
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
        main.windowHandle());
    EXPECT_EQ(prompts.requests().size(), 2);
    EXPECT_TRUE(main.isVisible());
#endif
    main.hide();
}

FLORIST_ON_EVERY_BACKEND(SettingsWindowsTest);

#ifdef FLORIST_HAVE_QPA
// How X11 and Windows write a window's title bar: the caption, then the application's display
// name when one is set.
struct TitleBar : QPlatformWindow {
    using QPlatformWindow::formatWindowTitle;
};

TEST(WindowTitles, TheTitleBarShowsTheCaptionAlone) {
    app::Application::setUpLocale(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    for (const char* caption : {"性别设置", "送花区域设置", "订单类型", "关于...", "修改密码"}) {
        EXPECT_EQ(TitleBar::formatWindowTitle(caption, QString::fromUtf8(" \u2014 ")), caption);
    }
}
#endif

} // namespace
} // namespace florist::ui
