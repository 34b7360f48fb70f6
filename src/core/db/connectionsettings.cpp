#include "core/db/connectionsettings.h"

#include <QSettings>

namespace florist {

ConnectionSettings ConnectionSettings::fromIni(const QString& iniPath,
                                               const QString& defaultSqlitePath) {
    ConnectionSettings s;
    s.path = defaultSqlitePath;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup("database");
    const QString backend = ini.value("backend", "sqlite").toString().trimmed().toLower();
    if (backend == "postgres" || backend == "postgresql") {
        s.backend = Backend::Postgres;
    } else if (backend == "sqlserver" || backend == "mssql") {
        s.backend = Backend::SqlServer;
    }
    s.path = ini.value("path", s.path).toString();
    s.host = ini.value("host").toString();
    s.port = ini.value("port", 0).toInt();
    s.database = ini.value("name").toString();
    s.user = ini.value("user").toString();
    s.password = ini.value("password").toString();
    s.odbcDriver = ini.value("driver", "FreeTDS").toString();
    s.options = ini.value("options").toString();
    return s;
}

QString backendName(Backend backend) {
    switch (backend) {
    case Backend::Sqlite:
        return "SQLite";
    case Backend::Postgres:
        return "PostgreSQL";
    case Backend::SqlServer:
        return "SQL Server";
    }
    return {};
}

} // namespace florist
