#pragma once

#include <QWidget>

namespace florist::test {

template <class T> T* findByName(QWidget* root, const QString& name) {
    for (T* w : root->findChildren<T*>()) {
        if (w->accessibleName() == name || w->objectName() == name) {
            return w;
        }
    }
    return nullptr;
}

} // namespace florist::test
