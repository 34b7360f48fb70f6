#pragma once

#include "ui/prompt.h"

#include <QList>
#include <QStringList>

class QWidget;

namespace florist::test {

// Installs a prompt handler that fails loudly if a test forgets to answer a box, so no test can
// hang on a modal box.
void installUiTestDefaults();

// Records every message and question while it lives and answers questions from a queue
// (No once the queue is empty).
class PromptRecorder {
public:
    PromptRecorder();
    ~PromptRecorder();
    void answer(bool yes) { answers_ << yes; }
    const QList<ui::PromptRequest>& requests() const { return requests_; }
    QStringList texts() const;
    QString last() const { return requests_.isEmpty() ? QString() : requests_.last().text; }
    void clear() { requests_.clear(); }

private:
    QList<ui::PromptRequest> requests_;
    QList<bool> answers_;
};

// Types text into a widget key by key, as a person would (any characters, Chinese included).
void typeText(QWidget* widget, const QString& text);

// The first descendant of root whose accessibleName (or objectName) is name; nullptr if none.
template <class T> T* findByName(QWidget* root, const QString& name);

} // namespace florist::test

#include "support/uitest_impl.h"
