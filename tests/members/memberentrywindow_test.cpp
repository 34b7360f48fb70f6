#include "members/memberentrywindow.h"

#include "app/windows.h"
#include "core/db/datamodule.h"
#include "core/menu/menutable.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/importwindow.h"
#include "ui/mainwindow.h"

#include <QAction>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace florist {
namespace {

using members::MemberEntryWindow;

class MemberEntryWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        dm().login().defaults.memberCategory = "普通会员";
        dm().login().defaults.sex = "女";
        dm().myESQL(
            "INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES ('金卡', '', 90, 2)");
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        DbTest::TearDown();
    }
    MemberEntryWindow& open() {
        window_ = std::make_unique<MemberEntryWindow>(*context_);
        window_->show();
        return *window_;
    }
    QLineEdit* text(const QString& name) {
        return test::findByName<QLineEdit>(window_.get(), name);
    }
    QComboBox* combo(const QString& name) {
        return test::findByName<QComboBox>(window_.get(), name);
    }
    QDateEdit* cardDate() { return test::findByName<QDateEdit>(window_.get(), "持卡日期"); }
    void save() { test::findByName<QPushButton>(window_.get(), "保存")->click(); }
    ResultSet members() { return db().select("SELECT * FROM UMember ORDER BY ID"); }

    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<MemberEntryWindow> window_;
};

TEST_P(MemberEntryWindowTest, FromTheMenuSavesOneAfterAnother) {
    open();
    EXPECT_EQ(window_->objectName(), "frmMember_In");
    EXPECT_EQ(window_->windowTitle(), "会员录入");
    for (const char* name : {"卡号", "姓名", "生日", "手机号码", "电话号码", "QQ号", "微信号",
                             "个人喜好", "单位名称", "联系地址", "备注"}) {
        EXPECT_NE(text(name), nullptr) << name;
    }
    EXPECT_EQ(ui::chosenText(combo("会员分类")), "普通会员");
    EXPECT_EQ(ui::chosenText(combo("性别")), "女");
    EXPECT_EQ(cardDate()->date(), QDate(2025, 3, 1));
    EXPECT_EQ(test::findByName<QLabel>(window_.get(), "lblBirthdayExample")->text(), "02-28");

    test::PromptRecorder prompts;
    // The checks come in order, each with the focus in its field.
    ui::chooseText(combo("会员分类"), "");
    save();
    EXPECT_EQ(prompts.last(), "会员分类 不能为空，请重新选择！");
    ui::chooseText(combo("会员分类"), "金卡");
    save();
    EXPECT_EQ(prompts.last(), "卡号 不能为空，请重新录入！");
    EXPECT_EQ(window_->focusWidget(), text("卡号"));
    test::typeText(text("卡号"), "A001");
    save();
    EXPECT_EQ(prompts.last(), "姓名 不能为空，请重新录入！");
    EXPECT_EQ(window_->focusWidget(), text("姓名"));
    test::typeText(text("姓名"), "李华");
    test::typeText(text("生日"), "13-01x/");
    EXPECT_EQ(text("生日")->text(), "13-01"); // only digits and "-" are taken
    save();
    EXPECT_TRUE(prompts.last().contains("13-01")) << prompts.last().toStdString();
    EXPECT_EQ(window_->focusWidget(), text("生日"));
    EXPECT_EQ(members().size(), 0);

    text("生日")->setText("5-3");
    ui::chooseText(combo("性别"), "男");
    cardDate()->setDate(QDate(2025, 2, 14));
    test::typeText(text("手机号码"), "13800000000");
    save();
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 会员信息 保存成功！");
    ResultSet rs = members();
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theType"), "金卡");
    EXPECT_EQ(rs.text(0, "theBir"), "05-03");
    EXPECT_EQ(rs.text(0, "theSex"), "男");
    EXPECT_EQ(rs.text(0, "XFDate"), "2025-02-14");
    // Ready for the next member: the texts empty, category, sex and card date kept.
    EXPECT_TRUE(window_->isVisible());
    for (QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
        if (!edit->accessibleName().isEmpty()) {
            EXPECT_TRUE(edit->text().isEmpty()) << edit->accessibleName().toStdString();
        }
    }
    EXPECT_EQ(window_->focusWidget(), text("卡号"));
    EXPECT_EQ(ui::chosenText(combo("会员分类")), "金卡");
    EXPECT_EQ(ui::chosenText(combo("性别")), "男");
    EXPECT_EQ(cardDate()->date(), QDate(2025, 2, 14));

    test::typeText(text("卡号"), "A001");
    test::typeText(text("姓名"), "王五");
    save();
    EXPECT_EQ(prompts.last(), "卡号 重复，请重新录入！");
    EXPECT_EQ(window_->focusWidget(), text("卡号"));
    EXPECT_EQ(members().size(), 1);
}

TEST_P(MemberEntryWindowTest, EnterMovesToTheNextField) {
    open();
    text("卡号")->setFocus();
    QTest::keyClick(text("卡号"), Qt::Key_Return);
    EXPECT_EQ(window_->focusWidget(), text("姓名"));
    QTest::keyClick(text("姓名"), Qt::Key_Return);
    EXPECT_EQ(window_->focusWidget(), combo("性别"));
    cardDate()->setFocus();
    QTest::keyClick(cardDate(), Qt::Key_Return);
    EXPECT_EQ(window_->focusWidget(), test::findByName<QPushButton>(window_.get(), "保存"));
}

TEST_P(MemberEntryWindowTest, EditSavesAndCloses) {
    dm().myESQL("INSERT INTO UMember (theType, theNum, theName, myDate, theDel, theJF, theMoney) "
                "VALUES ('普通会员', 'M1', '张三', '2024-12-01', '否', 5, 20)");
    dm().myESQL("INSERT INTO UMember (theType, theNum, theName, theDel) VALUES ('普通会员', 'M2', "
                "'李四', '否')");
    const qlonglong id = db().scalar("SELECT ID FROM UMember WHERE (theNum = 'M1')").toLongLong();
    open().editMember(id, {{"会员分类", "普通会员"},
                           {"卡号", "M1"},
                           {"姓名", "张三"},
                           {"性别", "男"},
                           {"生日", "02-29"},
                           {"手机号码", "139"},
                           {"持卡日期", "2024-12-01"},
                           {"备注", "老客"}});
    EXPECT_EQ(window_->callerCode(), "m");
    EXPECT_EQ(text("手机号码")->text(), "139");
    EXPECT_EQ(cardDate()->date(), QDate(2024, 12, 1));
    QSignalSpy updated(window_.get(), &MemberEntryWindow::memberUpdated);

    text("卡号")->setText("M2"); // editing runs no duplicate test
    test::PromptRecorder prompts;
    save();
    EXPECT_EQ(prompts.texts(), QStringList({"恭喜！恭喜！ 会员信息 保存成功！"}));
    ASSERT_EQ(updated.size(), 1);
    EXPECT_EQ(updated.at(0).at(0).toLongLong(), id);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(window_->result(), QDialog::Accepted);
    const ResultSet rs = db().select("SELECT * FROM UMember WHERE (ID = ?)", {id});
    EXPECT_EQ(rs.text(0, "theNum"), "M2");
    EXPECT_EQ(rs.text(0, "theBir"), "02-29");
    EXPECT_EQ(rs.text(0, "Remark"), "老客");
    EXPECT_EQ(rs.text(0, "theJF"), "5");
    EXPECT_EQ(rs.text(0, "theMoney"), "20");
}

TEST_P(MemberEntryWindowTest, OrderModeHandsOverTheNewMember) {
    // Another station's member inserted later must not be taken for ours.
    open().newForOrder("13912");
    EXPECT_EQ(text("卡号")->text(), "13912");
    EXPECT_EQ(window_->callerCode(), "o");
    QList<members::NewMember> handed;
    QObject::connect(
        window_.get(), &MemberEntryWindow::memberCreatedForOrder, [&](const members::NewMember& m) {
            handed << m;
            dm().myESQL("INSERT INTO UMember (theNum, theName, theDel) VALUES ('X', 'x', '否')");
        });
    test::typeText(text("姓名"), "赵六");
    test::typeText(text("手机号码"), "13912345678");
    test::PromptRecorder prompts;
    save();
    EXPECT_EQ(prompts.texts(), QStringList({"恭喜！恭喜！ 会员信息 保存成功！"}));
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0].id,
              db().scalar("SELECT ID FROM UMember WHERE (theNum = '13912')").toLongLong());
    EXPECT_EQ(handed[0].fields.value("姓名"), "赵六");
    EXPECT_EQ(handed[0].fields.value("手机号码"), "13912345678");
    EXPECT_EQ(handed[0].fields.value("积分"), "0");
    EXPECT_EQ(handed[0].fields.value("消费日期"), "2025-03-01");
    EXPECT_FALSE(window_->isVisible());
}

TEST_P(MemberEntryWindowTest, MenuEntryAndToolbarButtonOpenTheMemberWindows) {
    app::registerAllWindows();
    ui::MainWindow main(*context_);
    QStringList opened;
    main.setModalRunner([&](QDialog* d) {
        opened << d->objectName() + " " + d->metaObject()->className();
        if (d->objectName() == "frmMember_D") {
            EXPECT_EQ(d->windowTitle(), "会员导入");
            EXPECT_TRUE(test::findByName<QLabel>(d, "lblHint")
                            ->text()
                            .remove(ui::ImportWindow::kWordJoiner)
                            .endsWith("、账户余额"));
        }
    });
    QList<std::pair<int, int>> entries;
    QStringList codes;
    for (int m = 0; m < menuTable().size(); ++m) {
        const QList<MenuEntry>& list = menuTable().at(m).entries;
        for (int e = 0; e < list.size(); ++e) {
            if (list.at(e).window == "frmMember_In" || list.at(e).window == "frmMember_D") {
                entries << std::pair{m, e};
                codes << menuCode(m, e);
            }
        }
    }
    ASSERT_EQ(entries.size(), 2);
    auto clickAll = [&] {
        for (const auto& [m, e] : entries) {
            main.entryAction(m, e)->trigger();
        }
        for (QAction* a : main.toolbarActions()) {
            if (a->text() == "会员录入") {
                a->trigger();
            }
        }
    };
    clickAll(); // without the rights nothing opens
    EXPECT_TRUE(opened.isEmpty());
    main.applyLogin(codes);
    clickAll();
    EXPECT_EQ(opened, QStringList({"frmMember_In florist::members::MemberEntryWindow",
                                   "frmMember_D florist::ui::ImportWindow",
                                   "frmMember_In florist::members::MemberEntryWindow"}));
}

FLORIST_ON_EVERY_BACKEND(MemberEntryWindowTest);

} // namespace
} // namespace florist
