#include "core/db/dialect.h"

#include <QRegularExpression>

namespace florist {

namespace {

const QRegularExpression& topPattern() {
    static const QRegularExpression re(R"(^\s*SELECT\s+TOP\s+(\d+)\s+)",
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression& truncatePattern() {
    static const QRegularExpression re(R"(^\s*TRUNCATE\s+TABLE\s+(\w+)\s*$)",
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

class SqliteDialect : public Dialect {
public:
    Backend backend() const override { return Backend::Sqlite; }
    QString driverName() const override { return "QSQLITE"; }
    void configure(QSqlDatabase& db, const ConnectionSettings& s) const override {
        db.setDatabaseName(s.path);
        if (!s.options.isEmpty()) {
            db.setConnectOptions(s.options);
        }
    }
    QString translate(const QString& sql) const override {
        auto m = truncatePattern().match(sql);
        if (m.hasMatch()) {
            return "DELETE FROM " + m.captured(1);
        }
        return moveTopToLimit(sql);
    }
    QString loginStatement() const override {
        return "SELECT WName, theName, thePass, ID FROM SUser WHERE (theName = ?)";
    }
    QString dateStatement() const override { return "SELECT datetime('now', 'localtime') AS myD"; }
    QString beginStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    Conflict conflictOf(const QSqlError& e) const override {
        return e.databaseText().contains("UNIQUE constraint failed") ? Conflict::DuplicateKey
                                                                     : Conflict::None;
    }
    QString schemaResource() const override { return ":/schema/sqlite.sql"; }
};

class PostgresDialect : public Dialect {
public:
    Backend backend() const override { return Backend::Postgres; }
    QString driverName() const override { return "QPSQL"; }
    void configure(QSqlDatabase& db, const ConnectionSettings& s) const override {
        db.setHostName(s.host);
        if (s.port > 0) {
            db.setPort(s.port);
        }
        db.setDatabaseName(s.database);
        db.setUserName(s.user);
        db.setPassword(s.password);
        if (!s.options.isEmpty()) {
            db.setConnectOptions(s.options);
        }
    }
    QString translate(const QString& sql) const override { return moveTopToLimit(sql); }
    QString likeOperator() const override { return QStringLiteral("ILIKE"); }
    QString loginStatement() const override { return "SELECT * FROM myLogin(?)"; }
    QString dateStatement() const override { return "SELECT * FROM myDate()"; }
    IdentityBy identityBy() const override { return IdentityBy::Returning; }
    Conflict conflictOf(const QSqlError& e) const override {
        const QString state = e.nativeErrorCode();
        if (state == "23505") {
            return Conflict::DuplicateKey;
        }
        return state == "40001" || state == "40P01" ? Conflict::Transient : Conflict::None;
    }
    QString schemaResource() const override { return ":/schema/postgresql.sql"; }
};

class SqlServerDialect : public Dialect {
public:
    Backend backend() const override { return Backend::SqlServer; }
    QString driverName() const override { return "QODBC"; }
    void configure(QSqlDatabase& db, const ConnectionSettings& s) const override {
        QString dsn =
            QString("DRIVER={%1};SERVER=%2;PORT=%3;DATABASE=%4;UID=%5;PWD=%6;"
                    "ClientCharset=UTF-8;TDS_Version=7.4;")
                .arg(s.odbcDriver.isEmpty() ? QString("FreeTDS") : s.odbcDriver, s.host,
                     QString::number(s.port > 0 ? s.port : 1433), s.database, s.user, s.password);
        db.setDatabaseName(dsn);
        if (!s.options.isEmpty()) {
            db.setConnectOptions(s.options);
        }
    }
    QString loginStatement() const override { return "EXEC myLogin ?"; }
    QString dateStatement() const override { return "EXEC myDate"; }
    IdentityBy identityBy() const override { return IdentityBy::ScopeIdentity; }
    Conflict conflictOf(const QSqlError& e) const override {
        // Messages 2601/2627 say "duplicate key"; a deadlock victim (1205) has SQLSTATE 40001.
        if (e.databaseText().contains("duplicate key", Qt::CaseInsensitive)) {
            return Conflict::DuplicateKey;
        }
        return e.nativeErrorCode().contains("40001") ||
                       e.databaseText().contains("deadlock", Qt::CaseInsensitive)
                   ? Conflict::Transient
                   : Conflict::None;
    }
    QString schemaResource() const override { return ":/schema/sqlserver.sql"; }
};

} // namespace

QString Dialect::translate(const QString& sql) const {
    return sql;
}

QString Dialect::moveTopToLimit(const QString& sql) {
    auto m = topPattern().match(sql);
    if (!m.hasMatch()) {
        return sql;
    }
    QString rest = sql.mid(m.capturedEnd());
    QString body = "SELECT " + rest.trimmed();
    return body + " LIMIT " + m.captured(1);
}

std::unique_ptr<Dialect> Dialect::create(Backend backend) {
    switch (backend) {
    case Backend::Sqlite:
        return std::make_unique<SqliteDialect>();
    case Backend::Postgres:
        return std::make_unique<PostgresDialect>();
    case Backend::SqlServer:
        return std::make_unique<SqlServerDialect>();
    }
    return nullptr;
}

} // namespace florist
