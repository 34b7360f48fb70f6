#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/numberfield.h"

#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace florist::ui {
namespace {

TEST(NumberField, TextThatIsNoNumberIsShownWithTheCaptionAndTakesTheFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QLineEdit* other = textField("卡        号：", 20, &window);
    QLineEdit* amount = textField("储值金额：", 10, &window, KeyFilter::Amount);
    layout->addWidget(other);
    layout->addWidget(amount);
    window.show();
    window.activateWindow();
    other->setFocus();
    test::typeText(amount, "1.2.3");
    EXPECT_EQ(amount->text(), "1.2.3"); // the key filter lets a second point through

    test::PromptRecorder prompts;
    bool written = false;
    EXPECT_FALSE(guarded(&window, [&] {
        typedNumber(amount);
        written = true;
    }));
    EXPECT_FALSE(written);
    EXPECT_EQ(prompts.last(), "储值金额 不是有效的数字，请重新录入！");
    EXPECT_EQ(window.focusWidget(), amount);

    amount->setText("");
    EXPECT_EQ(typedNumber(amount), 0);
    amount->setText("12.5");
    EXPECT_EQ(typedNumber(amount, EmptyText::Refused), 12.5);
}

} // namespace
} // namespace florist::ui
