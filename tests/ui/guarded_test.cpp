#include "support/uitest.h"
#include "ui/prompt.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace florist {
namespace {

// Whatever an action throws, the window shows a message and the program goes on.
TEST(GuardedTest, EveryExceptionBecomesAMessage) {
    struct Case {
        const char* what;
        std::function<void()> action;
        QString expected;
        ui::PromptIcon icon;
    };
    const QList<Case> cases = {
        {"failure", [] { throw Failure("卡号 不能为空，请重新录入！"); },
         "卡号 不能为空，请重新录入！", ui::PromptIcon::Warning},
        {"memory", [] { throw std::bad_alloc(); }, "内存不足，操作没有完成！",
         ui::PromptIcon::Critical},
        {"other error", [] { throw std::out_of_range("index 7"); },
         "操作因意外错误而停止，没有完成！\nindex 7", ui::PromptIcon::Critical},
        {"anything", [] { throw 42; }, "操作因意外错误而停止，没有完成！",
         ui::PromptIcon::Critical},
    };
    for (const Case& c : cases) {
        test::PromptRecorder prompts;
        EXPECT_FALSE(ui::guarded(nullptr, c.action)) << c.what;
        ASSERT_EQ(prompts.requests().size(), 1) << c.what;
        EXPECT_TRUE(prompts.last().startsWith(c.expected))
            << c.what << ": " << prompts.last().toStdString();
        EXPECT_EQ(prompts.requests().first().icon, c.icon) << c.what;
    }
    test::PromptRecorder quiet;
    EXPECT_TRUE(ui::guarded(nullptr, [] {}));
    EXPECT_TRUE(quiet.requests().isEmpty());
}

} // namespace
} // namespace florist
