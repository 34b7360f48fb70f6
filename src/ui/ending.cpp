#include "ui/ending.h"

#include <QCoreApplication>

namespace florist::ui {

namespace {

struct EndState {
    bool ending = false;
    std::function<void()> handler;
};

EndState& state() {
    static EndState s;
    return s;
}

} // namespace

void endApplication() {
    state().ending = true;
    if (state().handler) {
        state().handler();
        return;
    }
    // exit() leaves every running event loop, the modal windows' included, without sending
    // close events: the main window is not asked to close and so asks no question.
    QCoreApplication::exit(0);
}

bool applicationEnding() {
    return state().ending;
}

void setEndApplicationHandler(std::function<void()> handler) {
    state().handler = std::move(handler);
    state().ending = false;
}

} // namespace florist::ui
