#include "ui/outcome.h"

#include "ui/prompt.h"

#include <QWidget>

namespace florist::ui {

bool showOutcome(QWidget* window, const FormOutcome& outcome) {
    if (!outcome.message.isEmpty()) {
        Prompt::message(window, outcome.message,
                        outcome.done ? PromptIcon::Information : PromptIcon::Warning);
    }
    if (!outcome.focus.isEmpty()) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->accessibleName() == outcome.focus) {
                w->setFocus();
                break;
            }
        }
    }
    return outcome.done;
}

} // namespace florist::ui
