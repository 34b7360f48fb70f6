#pragma once

#include "support/uitest.h"
#include "ui/filechooser.h"

#include <QList>
#include <QStringList>

namespace florist::test {

// Stands in for the file dialogs and the desktop while it lives: each dialog takes the next
// queued answer ("" = cancelled once the queue is empty), each hand-over to the desktop is
// recorded and answered with desktopOpens.
class FakeFileChooser {
public:
    FakeFileChooser() {
        ui::FileChooser::setHandler([this](const ui::FileRequest& r) {
            requests << r;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        ui::FileChooser::setDesktopHandler([this](const QString& path) {
            opened << path;
            return desktopOpens;
        });
    }
    ~FakeFileChooser() { installUiTestDefaults(); }
    FakeFileChooser(const FakeFileChooser&) = delete;
    FakeFileChooser& operator=(const FakeFileChooser&) = delete;

    QStringList answers;
    QList<ui::FileRequest> requests;
    QStringList opened;
    bool desktopOpens = true;
};

} // namespace florist::test
