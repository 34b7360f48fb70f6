#include "core/db/database.h"

#include <QAtomicInt>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

namespace florist {

namespace {

QAtomicInt connectionCounter;

QString providerText(const QSqlError& e) {
    QString db = e.databaseText().trimmed();
    QString driver = e.driverText().trimmed();
    if (db.isEmpty()) {
        return driver.isEmpty() ? QStringLiteral("数据库操作失败") : driver;
    }
    return db;
}

// A null QString would reach the server as NULL; the record conventions store "" instead.
QVariant boundValue(const QVariant& v) {
    if (v.typeId() == QMetaType::QString && v.toString().isNull()) {
        return QString("");
    }
    return v;
}

} // namespace

Database::Database(const ConnectionSettings& settings)
    : settings_(settings), dialect_(Dialect::create(settings.backend)) {
    connectionName_ = QString("florist-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect_->driverName(), connectionName_);
    dialect_->configure(db, settings_);
}

Database::~Database() {
    release();
}

void Database::release() {
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (db.isOpen()) {
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

void Database::reconnect(const ConnectionSettings& settings) {
    if (depth_ > 0) {
        throw Failure(QStringLiteral("事务未结束，不能切换数据库连接"));
    }
    release();
    settings_ = settings;
    dialect_ = Dialect::create(settings.backend);
    connectionName_ = QString("florist-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect_->driverName(), connectionName_);
    dialect_->configure(db, settings_);
    open();
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

bool Database::isOpen() const {
    return connection().isOpen();
}

void Database::open() {
    QSqlDatabase db = connection();
    if (db.isOpen()) {
        return;
    }
    if (const QString problem = dialect_->settingsProblem(settings_); !problem.isEmpty()) {
        throw DbError(connectionFailureText(settings_, problem), QString());
    }
    if (!db.open()) {
        throw DbError(connectionFailureText(settings_, providerText(db.lastError())), QString());
    }
    if (backend() == Backend::Sqlite) {
        QSqlQuery q(db);
        q.exec("PRAGMA foreign_keys = OFF");
        q.exec("PRAGMA journal_mode = WAL");
        q.exec("PRAGMA synchronous = NORMAL");
        q.exec("PRAGMA busy_timeout = 5000");
    } else if (backend() == Backend::Postgres) {
        QSqlQuery q(db);
        q.exec("SET client_encoding TO 'UTF8'");
    }
}

QSqlQuery Database::prepared(const QString& sql, const QVariantList& params) {
    open();
    const QString text = dialect_->translate(sql);
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (params.isEmpty()) {
        // Nothing to bind: sent as it is (PostgreSQL cannot prepare DDL statements).
        if (!q.exec(text)) {
            throw DbError(providerText(q.lastError()), text);
        }
        return q;
    }
    if (!q.prepare(text)) {
        throw DbError(providerText(q.lastError()), text);
    }
    for (const QVariant& v : params) {
        q.addBindValue(boundValue(v));
    }
    if (!q.exec()) {
        throw DbError(providerText(q.lastError()), text);
    }
    return q;
}

void Database::exec(const QString& sql, const QVariantList& params) {
    prepared(sql, params);
}

qlonglong Database::insert(const QString& sql, const QVariantList& params) {
    switch (dialect_->identityBy()) {
    case Dialect::IdentityBy::Returning: {
        QSqlQuery q = prepared(sql + " RETURNING ID", params);
        return q.next() ? q.value(0).toLongLong() : 0;
    }
    case Dialect::IdentityBy::ScopeIdentity: {
        QSqlQuery q =
            prepared("SET NOCOUNT ON; " + sql + "; SELECT CAST(SCOPE_IDENTITY() AS INT)", params);
        do {
            if (q.next()) {
                return q.value(0).toLongLong();
            }
        } while (q.nextResult());
        return 0;
    }
    case Dialect::IdentityBy::Driver:
        break;
    }
    QSqlQuery q = prepared(sql, params);
    return q.lastInsertId().toLongLong();
}

ResultSet Database::select(const QString& sql, const QVariantList& params) {
    QSqlQuery q = prepared(sql, params);
    QSqlRecord rec = q.record();
    QStringList columns;
    columns.reserve(rec.count());
    for (int i = 0; i < rec.count(); ++i) {
        columns << rec.fieldName(i);
    }
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            row << q.value(i);
        }
        rows << row;
    }
    if (q.lastError().isValid()) {
        throw DbError(providerText(q.lastError()), sql);
    }
    return ResultSet(columns, rows);
}

namespace {

// The statement without an ORDER BY at its end (outside parentheses and quotes): the order does
// not change a count, and only costs a sort.
QString withoutFinalOrderBy(const QString& sql) {
    static const QRegularExpression orderBy(R"(\bORDER\s+BY\b)",
                                            QRegularExpression::CaseInsensitiveOption);
    auto orderByAt = [&](qsizetype i) {
        return orderBy
            .match(sql, i, QRegularExpression::NormalMatch,
                   QRegularExpression::AnchorAtOffsetMatchOption)
            .hasMatch();
    };
    int depth = 0;
    QChar quote;
    qsizetype last = -1;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && (c == 'O' || c == 'o') && orderByAt(i)) {
            last = i;
        }
    }
    if (last < 0) {
        return sql;
    }
    // A LIMIT after the ORDER BY depends on it; SQLite and PostgreSQL count such a query whole.
    static const QRegularExpression limit(R"(\b(LIMIT|OFFSET|FETCH)\b)",
                                          QRegularExpression::CaseInsensitiveOption);
    return limit.match(sql, last).hasMatch() ? sql : sql.left(last).trimmed();
}

} // namespace

int Database::count(const QString& sql, const QVariantList& params) {
    if (dialect_->countBy() == Dialect::CountBy::Rows) {
        QSqlQuery q = prepared(sql, params);
        int n = 0;
        while (q.next()) {
            ++n;
        }
        if (q.lastError().isValid()) {
            throw DbError(providerText(q.lastError()), sql);
        }
        return n;
    }
    // Counting on the server keeps a duplicate test cheap even over a large table.
    const QString inner = dialect_->translate(withoutFinalOrderBy(sql));
    return scalar("SELECT COUNT(*) FROM (" + inner + ") florist_count", params).toInt();
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    QSqlQuery q = prepared(sql, params);
    if (q.next()) {
        return q.value(0);
    }
    if (q.lastError().isValid()) {
        throw DbError(providerText(q.lastError()), sql);
    }
    return {};
}

QSqlQuery Database::open(const QString& sql, const QVariantList& params) {
    return prepared(sql, params);
}

void Database::begin() {
    open();
    if (depth_++ == 0) {
        failed_ = false;
        if (!connection().transaction()) {
            depth_ = 0;
            throw DbError(providerText(connection().lastError()), "BEGIN");
        }
    }
}

void Database::commit() {
    if (--depth_ > 0) {
        return;
    }
    QSqlDatabase db = connection();
    if (failed_ || !db.commit()) {
        QString text = providerText(db.lastError());
        db.rollback();
        throw DbError(text, "COMMIT");
    }
}

void Database::rollback() {
    // An inner failure dooms the whole outer transaction.
    failed_ = true;
    if (--depth_ > 0) {
        return;
    }
    connection().rollback();
    failed_ = false;
}

QStringList Database::splitScript(const QString& script, Backend backend) {
    QStringList statements;
    QString current;
    bool inDollar = false;
    const QStringList lines = script.split('\n');
    for (QString line : lines) {
        line.remove('\r');
        const QString trimmed = line.trimmed();
        if (!inDollar && (trimmed.startsWith("--") || trimmed.isEmpty())) {
            continue;
        }
        if (backend == Backend::SqlServer) {
            if (trimmed.compare("GO", Qt::CaseInsensitive) == 0) {
                if (!current.trimmed().isEmpty()) {
                    statements << current.trimmed();
                }
                current.clear();
                continue;
            }
            current += line + '\n';
            continue;
        }
        current += line + '\n';
        if (line.count("$$") % 2 == 1) {
            inDollar = !inDollar;
        }
        if (!inDollar && trimmed.endsWith(';')) {
            QString stmt = current.trimmed();
            stmt.chop(1);
            if (!stmt.trimmed().isEmpty()) {
                statements << stmt.trimmed();
            }
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty()) {
        statements << current.trimmed();
    }
    return statements;
}

void Database::runScript(const QString& script) {
    open();
    for (const QString& stmt : splitScript(script, backend())) {
        QSqlQuery q(connection());
        if (!q.exec(stmt)) {
            throw DbError(providerText(q.lastError()), stmt);
        }
    }
}

void Database::createSchema(bool withSeed) {
    auto readResource = [](const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            throw Failure("缺少数据库结构文件 " + path);
        }
        return QString::fromUtf8(f.readAll());
    };
    transaction([&] {
        runScript(readResource(dialect_->schemaResource()));
        if (withSeed) {
            const QString seed = readResource(":/schema/seed.sql");
            runScript(backend() == Backend::SqlServer ? sqlServerSeed(seed) : seed);
        }
    });
}

} // namespace florist
