#include "support/uitest.h"
#include "ui/fields.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace florist::ui {
namespace {

TEST(Fields, AccessibleNameIsTheCaptionWithoutBlanksAndColon) {
    EXPECT_EQ(accessibleFromCaption("卡        号："), "卡号");
    EXPECT_EQ(accessibleFromCaption("用  户  名："), "用户名");
    EXPECT_EQ(accessibleFromCaption("Remark:"), "Remark");
}

TEST(Fields, PasswordTakesTwelveBytesAndRefusesTheThirteenth) {
    QLineEdit* box = passwordField("密        码：", 12, nullptr);
    test::typeText(box, "abcdefghijkl");
    EXPECT_EQ(box->text(), "abcdefghijkl");
    test::typeText(box, "m");
    EXPECT_EQ(box->text(), "abcdefghijkl");
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    delete box;
}

TEST(Fields, LimitsCountGbkBytes) {
    struct Case {
        QString typed;
        int limit;
        QString kept;
    };
    const Case cases[] = {
        {"玫瑰花束", 8, "玫瑰花束"},
        {"玫瑰花束a", 8, "玫瑰花束"},
        {"玫瑰a花", 6, "玫瑰a"},
        {"abc", 2, "ab"},
    };
    for (const Case& c : cases) {
        QLineEdit* edit = textField("名称：", c.limit, nullptr);
        test::typeText(edit, c.typed);
        EXPECT_EQ(edit->text(), c.kept) << c.typed.toStdString();
        delete edit;
    }
}

// Text longer than the limit, pasted or committed by an input method, keeps what fits, cut at a
// character boundary; the text after the cursor stays. An emoji counts four bytes.
TEST(Fields, PastedAndCommittedTextKeepsWhatFits) {
    const QString emoji = QString::fromUtf8("😀");
    struct Case {
        QString before; // the field's text, the cursor after its "|"
        QString added;
        int limit;
        QString kept;
    };
    const Case cases[] = {
        {"|", "一二三四五六七八九十壹", 20, "一二三四五六七八九十|"},
        {"|", QString(26, QChar(0x8DEF)), 50, QString(25, QChar(0x8DEF)) + "|"},
        {"ab|", emoji + emoji + emoji, 10, "ab" + emoji + emoji + "|"},
        {"|", "abc" + emoji, 6, "abc|"},
        {"ab|cd", "玫瑰花", 7, "ab玫|cd"},
        {"ab|cd", "XYZ", 6, "abXY|cd"},
        {"花束|", "x", 4, "花束|"},
    };
    QWidget window;
    QLineEdit* other = textField("地址：", 4, &window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const bool byInputMethod : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((c.before + " + " + c.added).toStdString() +
                         (byInputMethod ? " ime" : ""));
            QLineEdit* edit = textField("个人喜好：", c.limit, &window);
            edit->show();
            edit->setFocus();
            edit->setText(QString(c.before).remove('|'));
            edit->setCursorPosition(int(c.before.indexOf('|')));
            if (byInputMethod) {
                QInputMethodEvent commit;
                commit.setCommitString(c.added);
                QCoreApplication::sendEvent(edit, &commit);
            } else {
                edit->insert(c.added);
            }
            const QString shown = edit->text();
            EXPECT_EQ(shown.left(edit->cursorPosition()) + "|" + shown.mid(edit->cursorPosition()),
                      c.kept);
            delete edit;
        }
    }
    // A longer stored value that a window shows stays whole, for the check at save to name.
    other->setText("联系地址");
    EXPECT_EQ(other->text(), "联系地址");
}

TEST(Fields, AmountAndDigitFilters) {
    QLineEdit* amount = textField("单价：", 12, nullptr, KeyFilter::Amount);
    test::typeText(amount, "12a.5-");
    EXPECT_EQ(amount->text(), "12.5");
    QLineEdit* digits = textField("数量：", 12, nullptr, KeyFilter::Digits);
    test::typeText(digits, "1.5x2");
    EXPECT_EQ(digits->text(), "152");
    delete amount;
    delete digits;
}

TEST(Fields, DropDownChoiceAndEmptyChoice) {
    QStringListModel model(QStringList{"男", "女"});
    QComboBox* box = listField("性        别：", &model, nullptr);
    EXPECT_EQ(box->accessibleName(), "性别");
    EXPECT_EQ(chosenText(box), "");
    chooseText(box, "女");
    EXPECT_EQ(chosenText(box), "女");
    chooseText(box, "");
    EXPECT_EQ(chosenText(box), "");
    delete box;
}

} // namespace
} // namespace florist::ui
