#pragma once

#include "core/errors.h"

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace florist::ui {

enum class PromptIcon { Information, Warning, Critical, Question };

struct PromptRequest {
    QWidget* parent = nullptr;
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::Information;
    bool question = false; // Yes/No with No as the default button
};

// Every message and question box of the application goes through here, so tests can read and
// answer them instead of a person.
class Prompt {
public:
    // Returns true for Yes; messages ignore the result.
    using Handler = std::function<bool(const PromptRequest&)>;

    static void message(QWidget* parent, const QString& text,
                        PromptIcon icon = PromptIcon::Information, const QString& title = {});
    static void failure(QWidget* parent, const Failure& failure);
    // Yes/No with No as the default; true when Yes was chosen.
    static bool question(QWidget* parent, const QString& title, const QString& text);
    // The shared deletion question of the management windows and editors.
    static bool confirmDelete(QWidget* parent);

    // Replaces the boxes (tests); an empty handler restores them.
    static void setHandler(Handler handler);

private:
    static bool show(const PromptRequest& request);
};

// The message for an error that is not a Failure: memory exhausted, or any other exception
// escaping an action. The program goes on; only the action stops.
QString unexpectedErrorText(const std::exception* e);

// Runs one action of a window: a Failure raised inside is shown with its text and ends the
// action; any other exception (an allocation failure included) is shown as well, so that no
// action can end the program. Returns false when the action failed.
template <class Fn> bool guarded(QWidget* parent, Fn&& fn) {
    try {
        fn();
        return true;
    } catch (const Failure& f) {
        Prompt::failure(parent, f);
    } catch (const std::exception& e) {
        Prompt::message(parent, unexpectedErrorText(&e), PromptIcon::Critical);
    } catch (...) {
        Prompt::message(parent, unexpectedErrorText(nullptr), PromptIcon::Critical);
    }
    return false;
}

} // namespace florist::ui
