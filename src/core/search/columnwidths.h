#pragma once

#include <QHash>
#include <QString>

namespace florist::search {

// The widths a user dragged in a window's grid, kept per window (its objectName) and heading in
// the user's layout file, from one start to the next. FLORIST_LAYOUT_SETTINGS names another
// file (tests point it into a temporary folder).
class ColumnWidths {
public:
    static QString settingsPath();
    static QHash<QString, int> load(const QString& window);
    static void save(const QString& window, const QString& heading, int width);
    // Several widths at once (one write of the file).
    static void save(const QString& window, const QHash<QString, int>& changed);
    static void forget(const QString& window);
};

} // namespace florist::search
