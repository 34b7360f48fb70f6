#include "support/uitest.h"
#include "ui/fields.h"

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
