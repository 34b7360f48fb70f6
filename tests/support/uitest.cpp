#include "support/uitest.h"

#include "ui/connectiondialog.h"
#include "ui/filechooser.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace florist::test {

void installUiTestDefaults() {
    ui::Prompt::setHandler([](const ui::PromptRequest& r) {
        ADD_FAILURE() << "unexpected box: " << r.title.toStdString() << " / "
                      << r.text.toStdString();
        return false;
    });
    ui::FileChooser::setHandler([](const ui::FileRequest& r) {
        ADD_FAILURE() << "unexpected file dialog: " << r.caption.toStdString();
        return QString();
    });
    ui::ConnectionDialog::setRunner(
        [](ui::ConnectionDialog*) { ADD_FAILURE() << "unexpected connection dialog"; });
    ui::FileChooser::setDesktopHandler([](const QString& path) {
        ADD_FAILURE() << "unexpected hand-over to the desktop: " << path.toStdString();
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

PromptRecorder::~PromptRecorder() {
    installUiTestDefaults();
}

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

QStringList PromptRecorder::texts() const {
    QStringList out;
    for (const auto& r : requests_) {
        out << r.text;
    }
    return out;
}

} // namespace florist::test
