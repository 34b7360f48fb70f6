#include "support/uitest.h"

#include <gtest/gtest.h>

namespace florist::test {

void installUiTestDefaults() {
    ui::Prompt::setHandler([](const ui::PromptRequest& r) {
        ADD_FAILURE() << "unexpected box: " << r.title.toStdString() << " / "
                      << r.text.toStdString();
        return false;
    });
}

PromptRecorder::PromptRecorder() {
    ui::Prompt::setHandler([this](const ui::PromptRequest& r) {
        requests_ << r;
        if (!r.question) {
            return false;
        }
        return answers_.isEmpty() ? false : answers_.takeFirst();
    });
}

PromptRecorder::~PromptRecorder() { installUiTestDefaults(); }

QStringList PromptRecorder::texts() const {
    QStringList out;
    for (const auto& r : requests_) {
        out << r.text;
    }
    return out;
}

} // namespace florist::test
