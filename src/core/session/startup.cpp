#include "core/session/startup.h"

#include "core/db/schemaupgrade.h"

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

namespace {

void prepareFolder(const ConnectionSettings& settings) {
    if (settings.backend == Backend::Sqlite && settings.path != ":memory:") {
        QDir().mkpath(QFileInfo(settings.path).absolutePath());
    }
}

// The first start on an embedded database: the schema and the seed rows.
void createEmbeddedSchema(Database& db) {
    if (db.backend() != Backend::Sqlite) {
        return;
    }
    const int tables = db.scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'").toInt();
    if (tables == 0) {
        db.createSchema(true);
    }
}

} // namespace

std::unique_ptr<Database> openDatabase(const ConnectionSettings& settings) {
    auto db = std::make_unique<Database>(settings);
    openConfigured(*db);
    return db;
}

void openConfigured(Database& db) {
    prepareFolder(db.settings());
    db.open();
    createEmbeddedSchema(db);
    upgradeSchema(db);
}

void reconnectDatabase(Database& db, const ConnectionSettings& settings) {
    prepareFolder(settings);
    db.reconnect(settings);
    createEmbeddedSchema(db);
    upgradeSchema(db);
}

} // namespace florist
