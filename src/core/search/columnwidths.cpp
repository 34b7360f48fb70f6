#include "core/search/columnwidths.h"

#include <QSettings>
#include <QStandardPaths>

namespace florist::search {

namespace {

QString group(const QString& window) {
    return "columnWidths/" + window;
}

} // namespace

QString ColumnWidths::settingsPath() {
    const QString fromEnv = qEnvironmentVariable("FLORIST_LAYOUT_SETTINGS");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/layout.ini";
}

QHash<QString, int> ColumnWidths::load(const QString& window) {
    QSettings s(settingsPath(), QSettings::IniFormat);
    s.beginGroup(group(window));
    QHash<QString, int> widths;
    // Headings are stored as values: Chinese keys do not survive every ini reader.
    const int n = s.beginReadArray("columns");
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        const int w = s.value("width").toInt();
        if (w > 0) {
            widths.insert(s.value("heading").toString(), w);
        }
    }
    s.endArray();
    return widths;
}

void ColumnWidths::save(const QString& window, const QString& heading, int width) {
    save(window, QHash<QString, int>{{heading, width}});
}

void ColumnWidths::save(const QString& window, const QHash<QString, int>& changed) {
    if (window.isEmpty() || changed.isEmpty()) {
        return;
    }
    QHash<QString, int> widths = load(window);
    for (auto it = changed.cbegin(); it != changed.cend(); ++it) {
        if (!it.key().isEmpty() && it.value() > 0) {
            widths.insert(it.key(), it.value());
        }
    }
    QSettings s(settingsPath(), QSettings::IniFormat);
    s.beginGroup(group(window));
    s.remove("");
    s.beginWriteArray("columns", int(widths.size()));
    int i = 0;
    for (auto it = widths.cbegin(); it != widths.cend(); ++it, ++i) {
        s.setArrayIndex(i);
        s.setValue("heading", it.key());
        s.setValue("width", it.value());
    }
    s.endArray();
}

void ColumnWidths::forget(const QString& window) {
    QSettings s(settingsPath(), QSettings::IniFormat);
    s.remove(group(window));
}

} // namespace florist::search
