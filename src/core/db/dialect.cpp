#include "core/db/dialect.h"

#include <QRegularExpression>

namespace florist {

namespace {

const QRegularExpression& topPattern() {
    static const QRegularExpression re(R"(^\s*SELECT\s+TOP\s+(\d+)\s+)",
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression& sameKeyPattern() {
    static const QRegularExpression re(R"(SAME_KEY\(\s*([A-Za-z_][A-Za-z0-9_.]*)\s*\))");
    return re;
}

// Upper case of the ASCII letters only, compared code point by code point: the server's
// collation (case-insensitive or not, and UPPER's folding of other letters) plays no part.
QString sqlServerAsciiUpper(const QString& expression) {
    QString out = expression + " COLLATE Latin1_General_BIN2";
    for (char c = 'a'; c <= 'z'; ++c) {
        out = QString("REPLACE(%1, '%2', '%3')").arg(out, QChar(c), QChar(c - 'a' + 'A'));
    }
    return out;
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
        return moveTopToLimit(Dialect::translate(sql));
    }
    QString orderedScanField(const QString& field) const override { return "+" + field; }
    QString loginStatement() const override {
        return "SELECT WName, theName, thePass, ID FROM SUser WHERE (theName = ?)";
    }
    QString dateStatement() const override { return "SELECT datetime('now', 'localtime') AS myD"; }
    QString beginStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    Conflict conflictOf(const QSqlError& e) const override {
        if (e.databaseText().contains("UNIQUE constraint failed")) {
            return Conflict::DuplicateKey;
        }
        // Another program held the write lock past the busy timeout: nothing of this
        // transaction was written, so it can run again.
        return e.databaseText().contains("database is locked") ? Conflict::Transient
                                                               : Conflict::None;
    }
    QString schemaResource() const override { return ":/schema/sqlite.sql"; }
    // <table>_trgm: an FTS5 table with the trigram tokenizer over the table's searched columns.
    // A quoted phrase of three characters or more matches where the text occurs inside a value.
    Prefilter substringPrefilter(const QString& table, const QString& text) const override {
        if (text.toUcs4().size() < 3) {
            return {};
        }
        QString phrase = text;
        phrase.replace('"', "\"\"");
        const QString index = table + "_trgm";
        return {QString("(ID IN (SELECT rowid FROM %1 WHERE %1 MATCH ?)) AND ").arg(index),
                {'"' + phrase + '"'}};
    }
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
        db.setConnectOptions(withDefault("connect_timeout=15", s.options));
    }
    QString translate(const QString& sql) const override {
        return moveTopToLimit(Dialect::translate(sql));
    }
    QString likeOperator() const override { return QStringLiteral("ILIKE"); }
    // Under the "C" collation UPPER changes only a to z, whatever the database's locale.
    QString keyEquals(const QString& column) const override {
        return QString(R"(UPPER(RTRIM(%1) COLLATE "C") = UPPER(RTRIM(?) COLLATE "C"))").arg(column);
    }
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
    bool connectionLost(const QSqlError& e) const override {
        // Class 08 (connection exception); 57P01..57P03: the server shutting down or ending the
        // session; 26000: a statement prepared on a session the driver has since replaced. A
        // session that died before the statement was answered often leaves no code, only
        // libpq's text.
        const QString state = e.nativeErrorCode();
        if (state.startsWith("08") || state == "57P01" || state == "57P02" || state == "57P03" ||
            state == "26000") {
            return true;
        }
        const QString text = e.databaseText() + '\n' + e.driverText();
        static const char* const signs[] = {
            "server closed the connection",  "terminating connection",
            "no connection to the server",   "connection to server",
            "could not send data to server", "could not receive data from server"};
        for (const char* sign : signs) {
            if (text.contains(QLatin1String(sign), Qt::CaseInsensitive)) {
                return true;
            }
        }
        return false;
    }
    Statement numberLock(const QString& table, const QString& businessDate) const override {
        // The two-key form: the table and the date, both as 32-bit numbers.
        return {"SELECT pg_advisory_xact_lock(?, ?)",
                {numberLockTableKey(table), numberLockDateKey(businessDate)}};
    }
    QString schemaResource() const override { return ":/schema/postgresql.sql"; }
};

class SqlServerDialect : public Dialect {
public:
    Backend backend() const override { return Backend::SqlServer; }
    QString driverName() const override { return "QODBC"; }
    void configure(QSqlDatabase& db, const ConnectionSettings& s) const override {
        db.setDatabaseName(sqlServerConnectionString(s));
        db.setConnectOptions(withDefault("SQL_ATTR_LOGIN_TIMEOUT=15", s.options));
    }
    // Text the application writes into a statement (the '否' of a filter) reaches the server as
    // Unicode whatever the database's collation; bound values are Unicode already.
    QString translate(const QString& sql) const override {
        return nationalLiterals(Dialect::translate(sql));
    }
    QString keyEquals(const QString& column) const override {
        return sqlServerAsciiUpper("RTRIM(" + column + ")") + " = " +
               sqlServerAsciiUpper("RTRIM(?)");
    }
    QString loginStatement() const override { return "EXEC myLogin ?"; }
    QString dateStatement() const override { return "EXEC myDate"; }
    IdentityBy identityBy() const override { return IdentityBy::ScopeIdentity; }
    CountBy countBy() const override { return CountBy::Rows; }
    QString settingsProblem(const ConnectionSettings& s) const override {
        return unsendableConnectionValue(s);
    }
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
    bool connectionLost(const QSqlError& e) const override {
        // ODBC's SQLSTATEs, joined by ";" when there are several: class 08 (communication link
        // failure 08S01, unable to connect 08001, connection not open 08003, ...) and HYT01
        // (connection timeout).
        const QStringList states = e.nativeErrorCode().split(';', Qt::SkipEmptyParts);
        for (const QString& raw : states) {
            const QString state = raw.trimmed();
            if (state.startsWith("08") || state == "HYT01") {
                return true;
            }
        }
        const QString text = e.databaseText() + '\n' + e.driverText();
        return text.contains("Communication link failure", Qt::CaseInsensitive) ||
               text.contains("connection is not open", Qt::CaseInsensitive);
    }
    Statement numberLock(const QString& table, const QString& businessDate) const override {
        // Released by the COMMIT or ROLLBACK; a wait beyond 20 s fails the save instead of
        // hanging the station.
        return {"DECLARE @r INT; EXEC @r = sp_getapplock @Resource = ?, @LockMode = 'Exclusive', "
                "@LockOwner = 'Transaction', @LockTimeout = 20000; "
                "IF @r < 0 RAISERROR('number lock timeout', 16, 1)",
                {"florist.number." + table + "." + businessDate}};
    }
    QString schemaResource() const override { return ":/schema/sqlserver.sql"; }
};

} // namespace

QString sameKey(const QString& column) {
    return "SAME_KEY(" + column + ")";
}

QString Dialect::keyEquals(const QString& column) const {
    // SQLite's UPPER changes only a to z, and its RTRIM takes off only spaces.
    return "UPPER(RTRIM(" + column + ")) = UPPER(RTRIM(?))";
}

QString Dialect::withKeyTerms(const QString& sql) const {
    if (!sql.contains(QLatin1String("SAME_KEY("))) {
        return sql;
    }
    QString out;
    qsizetype from = 0;
    for (auto it = sameKeyPattern().globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(sql).mid(from, m.capturedStart() - from);
        out += keyEquals(m.captured(1));
        from = m.capturedEnd();
    }
    out += QStringView(sql).mid(from);
    return out;
}

int numberLockTableKey(const QString& table) {
    // FNV-1a over the name: the same key in every station and every run.
    quint32 h = 2166136261u;
    for (const char c : table.toUtf8()) {
        h = (h ^ quint8(c)) * 16777619u;
    }
    return int(h);
}

int numberLockDateKey(const QString& businessDate) {
    QString digits = businessDate;
    digits.remove('-');
    bool ok = false;
    const int key = digits.toInt(&ok);
    return ok ? key : 0;
}

QString Dialect::translate(const QString& statement) const {
    const QString sql = withKeyTerms(statement);
    // Emptying a table needs only the right to delete rows, which a shop's login has; TRUNCATE
    // needs ALTER (SQL Server) or TRUNCATE (PostgreSQL) on the table.
    auto m = truncatePattern().match(sql);
    if (m.hasMatch()) {
        return "DELETE FROM " + m.captured(1);
    }
    return sql;
}

QString Dialect::withDefault(const QString& option, const QString& options) {
    const QString key = option.section('=', 0, 0);
    if (options.contains(key, Qt::CaseInsensitive)) {
        return options;
    }
    return options.isEmpty() ? option : option + ";" + options;
}

namespace {

bool throughFreeTds(const ConnectionSettings& s) {
    return s.odbcDriver.isEmpty() || s.odbcDriver.contains("FreeTDS", Qt::CaseInsensitive) ||
           s.odbcDriver.contains("tdsodbc", Qt::CaseInsensitive);
}

} // namespace

QString odbcValue(const QString& value, bool freeTds) {
    if (!value.contains('}')) {
        return "{" + value + "}";
    }
    // FreeTDS ends a braced value at its first "}" ("}}" is not read as one brace) and takes an
    // unbraced one up to the next ";".
    if (freeTds) {
        return value;
    }
    QString v = value;
    v.replace("}", "}}");
    return "{" + v + "}";
}

QString unsendableConnectionValue(const ConnectionSettings& s) {
    if (!throughFreeTds(s)) {
        return {};
    }
    const std::pair<QString, QString> values[] = {
        {"服务器", s.host}, {"数据库", s.database}, {"用户名", s.user}, {"密码", s.password}};
    for (const auto& [caption, value] : values) {
        if (value.contains('}') && (value.contains(';') || value.startsWith('{'))) {
            return QStringLiteral("%1中含有“}”，又含有“;”或以“{”开头，FreeTDS 无法传递，"
                                  "请在服务器上改用不含这些字符的%1。")
                .arg(caption);
        }
    }
    return {};
}

QString sqlServerConnectionString(const ConnectionSettings& s) {
    // Every value braced, so ; = { in a password or a name stay inside it. No PORT for a named
    // instance (FreeTDS then asks the SQL Server Browser for it) or when none is set.
    const bool freeTds = throughFreeTds(s);
    auto value = [&](const QString& v) { return odbcValue(v, freeTds); };
    const QString driver = s.odbcDriver.isEmpty() ? QStringLiteral("FreeTDS") : s.odbcDriver;
    QString text = "DRIVER=" + value(driver) + ";SERVER=" + value(s.host) + ";";
    if (s.port > 0 && s.instance().isEmpty()) {
        text += "PORT=" + value(QString::number(s.port)) + ";";
    }
    text += "DATABASE=" + value(s.database) + ";UID=" + value(s.user) +
            ";PWD=" + value(s.password) + ";ClientCharset=UTF-8;TDS_Version=7.4;";
    return text;
}

QString nationalLiterals(const QString& sql) {
    auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == '_'; };
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == '-' && i + 1 < n && sql.at(i + 1) == '-') {
            const qsizetype end = sql.indexOf('\n', i);
            const qsizetype stop = end < 0 ? n : end;
            out += QStringView(sql).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == '[' || c == '"') {
            const QChar close = c == '[' ? QChar(']') : QChar('"');
            const qsizetype end = sql.indexOf(close, i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            out += QStringView(sql).mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c != '\'') {
            out += c;
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        bool wide = false;
        while (j < n) {
            if (sql.at(j) == '\'') {
                if (j + 1 < n && sql.at(j + 1) == '\'') {
                    j += 2;
                    continue;
                }
                break;
            }
            wide = wide || sql.at(j).unicode() > 0x7F;
            ++j;
        }
        const qsizetype stop = j < n ? j + 1 : n;
        const bool prefixed = !out.isEmpty() && (out.back() == 'N' || out.back() == 'n') &&
                              (out.size() < 2 || !isWordChar(out.at(out.size() - 2)));
        if (wide && !prefixed && (out.isEmpty() || !isWordChar(out.back()))) {
            out += 'N';
        }
        out += QStringView(sql).mid(i, stop - i);
        i = stop;
    }
    return out;
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

QString sqlServerSeed(const QString& seedScript) {
    return QStringLiteral(
               "-- Generated from seed.sql by florist_sqlserverseed (tools/README.md); do not "
               "edit.\n"
               "-- The rows of seed.sql for SQL Server: every literal that holds Chinese text "
               "is\n"
               "-- written N'...', so the server keeps it as Unicode whatever the collation.\n"
               "\n") +
           nationalLiterals(seedScript);
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
