#pragma once

#include <QString>

namespace florist {

enum class Backend { Sqlite, Postgres, SqlServer };

// Where the database lives. The embedded SQLite file is the default; a settings file may name a
// shared server instead. No credentials are built into the program.
struct ConnectionSettings {
    Backend backend = Backend::Sqlite;
    QString path; // SQLite file (":memory:" for a throwaway database)
    QString host; // servers; SQL Server also takes "host\INSTANCE" (a named instance)
    int port = 0; // 0: the server's default; a named instance's port comes from the server
    QString database;
    QString user;
    QString password;
    QString odbcDriver; // SQL Server through ODBC, e.g. "FreeTDS"
    QString options;    // extra driver options, passed through

    // The host without an instance name, and the instance name ("" for a default instance).
    QString serverName() const;
    QString instance() const;

    // Reads the [database] group of an ini file; missing keys keep the embedded default. A value
    // written by hand is taken as it stands where QSettings would mangle it: a single backslash
    // in host (srv\SQLEXPRESS) and a comma in an unquoted value.
    static ConnectionSettings fromIni(const QString& iniPath, const QString& defaultSqlitePath);
    // Writes the [database] group (other groups and keys of the file stay) with QSettings'
    // escaping, so every value reads back exactly; the file is readable only by its owner.
    // Raises Failure when the file cannot be written.
    void writeIni(const QString& iniPath) const;
};

QString backendName(Backend backend);
// The word of the ini file's backend key: sqlite, postgres, sqlserver.
QString backendKey(Backend backend);
// The port a server listens on when none is set.
int defaultPort(Backend backend);

// What a person sees when the database cannot be opened: a Chinese line that names the backend,
// server, port (or instance) and database with what to check, then the provider's own text.
QString connectionFailureText(const ConnectionSettings& s, const QString& providerText);

} // namespace florist
