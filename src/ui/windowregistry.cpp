#include "ui/windowregistry.h"

#include <QHash>

namespace florist::ui {

namespace {

QHash<QString, WindowFactory>& factories() {
    static QHash<QString, WindowFactory> map;
    return map;
}

} // namespace

void WindowRegistry::add(const QString& window, WindowFactory factory) {
    factories().insert(window, std::move(factory));
}

WindowFactory WindowRegistry::find(const QString& window) {
    return factories().value(window);
}

} // namespace florist::ui
