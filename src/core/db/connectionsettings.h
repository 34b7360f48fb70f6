#pragma once

#include <QString>

namespace florist {

enum class Backend { Sqlite, Postgres, SqlServer };

// Where the database lives. The embedded SQLite file is the default; a settings file may name a
// shared server instead. No credentials are built into the program.
struct ConnectionSettings {
    Backend backend = Backend::Sqlite;
    QString path; // SQLite file (":memory:" for a throwaway database)
    QString host; // servers
    int port = 0;
    QString database;
    QString user;
    QString password;
    QString odbcDriver; // SQL Server through ODBC, e.g. "FreeTDS"
    QString options;    // extra driver options, passed through

    // Reads the [database] group of an ini file; missing keys keep the embedded default.
    static ConnectionSettings fromIni(const QString& iniPath, const QString& defaultSqlitePath);
};

QString backendName(Backend backend);

} // namespace florist
