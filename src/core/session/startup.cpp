#include "core/session/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace florist {

QString settingsFilePath() {
    const QString fromEnv = qEnvironmentVariable("FLORIST_SETTINGS");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/florist.ini";
}

QString embeddedDatabasePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/florist.db";
}

ConnectionSettings configuredConnection() {
    return ConnectionSettings::fromIni(settingsFilePath(), embeddedDatabasePath());
}

std::unique_ptr<Database> openDatabase(const ConnectionSettings& settings) {
    if (settings.backend == Backend::Sqlite && settings.path != ":memory:") {
        QDir().mkpath(QFileInfo(settings.path).absolutePath());
    }
    auto db = std::make_unique<Database>(settings);
    db->open();
    if (settings.backend == Backend::Sqlite) {
        const int tables =
            db->scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'").toInt();
        if (tables == 0) {
            db->createSchema(true);
        }
    }
    return db;
}

} // namespace florist
