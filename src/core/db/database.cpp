#include "core/db/database.h"

#include <QAtomicInt>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

namespace florist {

Q_LOGGING_CATEGORY(lcSql, "florist.sql", QtCriticalMsg)

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
    statements_.clear();
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
        // FULL: a save that returned survives a power cut or a crash of the system, not only of
        // the program (money a customer has paid).
        q.exec("PRAGMA synchronous = FULL");
        q.exec("PRAGMA busy_timeout = 5000");
    } else if (backend() == Backend::Postgres) {
        QSqlQuery q(db);
        q.exec("SET client_encoding TO 'UTF8'");
    }
}

const char* Database::injectedFaultText() {
    return "injected fault: the statement was not sent";
}

bool Database::faultDue() {
    ++statementsRun_;
    return faultCountdown_ > 0 && --faultCountdown_ == 0;
}

void Database::raiseInjected(const QString& statement, const QVariantList& params) {
    raise(QSqlError(QString(), injectedFaultText(), QSqlError::StatementError, "fault"), statement,
          params);
}

void Database::raise(const QSqlError& error, const QString& statement, const QVariantList& params,
                     bool atCommit) {
    const QString text = providerText(error);
    qCWarning(lcSql).noquote() << "failed:" << statement << "| values:" << params
                               << "| error:" << error.nativeErrorCode() << text;
    if (dialect_->connectionLost(error)) {
        reopenAfterLoss(text, statement, atCommit);
    }
    switch (dialect_->conflictOf(error)) {
    case Dialect::Conflict::DuplicateKey:
        throw DbConflict(DbConflict::Kind::DuplicateKey, text, statement);
    case Dialect::Conflict::Transient:
        throw DbConflict(DbConflict::Kind::Transient, text, statement);
    case Dialect::Conflict::None:
        break;
    }
    throw DbError(text, statement);
}

void Database::reopenAfterLoss(const QString& text, const QString& statement, bool atCommit) {
    // The statements prepared on the old session do not exist on the new one.
    statements_.clear();
    abandoned_ = depth_ > 0;
    {
        QSqlDatabase db = connection();
        db.close();
    }
    qCWarning(lcSql).noquote() << "connection lost, opening it again:" << text;
    // A server that does not answer now gives the connection message (DbError) of open().
    open();
    if (atCommit) {
        throw DbConnectionLost(
            QStringLiteral("保存时与数据库服务器的连接中断，无法确定单据是否已经保存。\n"
                           "请先查询该单据，确认没有保存后再重新保存。"),
            statement, true);
    }
    throw DbConnectionLost(
        QStringLiteral("与数据库服务器的连接曾经中断，现已重新连接，请再操作一次。"), statement,
        false);
}

QSqlQuery Database::keptStatement(const QString& text, const QVariantList& params) {
    // Prepared once, run again with new values: on a server one round trip per statement
    // instead of prepare, run and release. Texts built with a varying filter come and go, so
    // the store is emptied when it grows large.
    auto it = statements_.constFind(text);
    if (it != statements_.cend()) {
        return *it;
    }
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(text)) {
        raise(q.lastError(), text, params);
    }
    if (statements_.size() >= 200) {
        statements_.clear();
    }
    statements_.insert(text, q);
    return q;
}

QSqlQuery Database::prepared(const QString& sql, const QVariantList& params, Reuse reuse) {
    open();
    const QString text = dialect_->translate(sql);
    qCDebug(lcSql).noquote() << text << "| values:" << params;
    if (faultDue()) {
        raiseInjected(text, params);
    }
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (params.isEmpty()) {
        // Nothing to bind: sent as it is (PostgreSQL cannot prepare DDL statements).
        if (!q.exec(text)) {
            raise(q.lastError(), text, params);
        }
        return q;
    }
    if (reuse == Reuse::Kept) {
        q = keptStatement(text, params);
    } else if (!q.prepare(text)) {
        raise(q.lastError(), text, params);
    }
    for (const QVariant& v : params) {
        q.addBindValue(boundValue(v));
    }
    if (!q.exec()) {
        raise(q.lastError(), text, params);
    }
    return q;
}

int Database::exec(const QString& sql, const QVariantList& params) {
    QSqlQuery q = prepared(sql, params);
    const int changed = q.numRowsAffected();
    q.finish();
    return changed;
}

qlonglong Database::insert(const QString& sql, const QVariantList& params) {
    switch (dialect_->identityBy()) {
    case Dialect::IdentityBy::Returning: {
        QSqlQuery q = prepared(sql + " RETURNING ID", params);
        const qlonglong id = q.next() ? q.value(0).toLongLong() : 0;
        q.finish();
        return id;
    }
    case Dialect::IdentityBy::ScopeIdentity: {
        QSqlQuery q = prepared("SET NOCOUNT ON; " + sql + "; SELECT CAST(SCOPE_IDENTITY() AS INT)",
                               params, Reuse::Once);
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
    const qlonglong id = q.lastInsertId().toLongLong();
    q.finish();
    return id;
}

ResultSet Database::select(const QString& sql, const QVariantList& params) {
    return read([&] { return selectOnce(sql, params); });
}

ResultSet Database::selectPlannedForValues(const QString& sql, const QVariantList& params) {
    return read([&] { return selectOnce(sql, params, Reuse::Once); });
}

ResultSet Database::selectOnce(const QString& sql, const QVariantList& params, Reuse reuse) {
    QSqlQuery q = prepared(sql, params, reuse);
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
        raise(q.lastError(), sql, params);
    }
    q.finish();
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
    return read([&] { return countOnce(sql, params); });
}

int Database::countOnce(const QString& sql, const QVariantList& params) {
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
    return scalarOnce("SELECT COUNT(*) FROM (" + inner + ") florist_count", params).toInt();
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    return read([&] { return scalarOnce(sql, params); });
}

QVariant Database::scalarOnce(const QString& sql, const QVariantList& params) {
    QSqlQuery q = prepared(sql, params);
    if (q.next()) {
        const QVariant value = q.value(0);
        q.finish();
        return value;
    }
    if (q.lastError().isValid()) {
        raise(q.lastError(), sql, params);
    }
    return {};
}

QSqlQuery Database::open(const QString& sql, const QVariantList& params) {
    // The caller keeps reading it while other statements run: a query of its own.
    return read([&] { return prepared(sql, params, Reuse::Once); });
}

void Database::begin() {
    open();
    if (depth_++ == 0) {
        failed_ = false;
        abandoned_ = false;
        const QString begin = dialect_->beginStatement();
        if (faultDue()) {
            depth_ = 0;
            raiseInjected(begin.isEmpty() ? QString("BEGIN") : begin, {});
        }
        if (begin.isEmpty()) {
            if (!connection().transaction()) {
                depth_ = 0;
                raise(connection().lastError(), "BEGIN", {});
            }
            return;
        }
        QSqlQuery q(connection());
        if (!q.exec(begin)) {
            depth_ = 0;
            raise(q.lastError(), begin, {});
        }
    }
}

void Database::commit() {
    if (--depth_ > 0) {
        return;
    }
    QSqlDatabase db = connection();
    if (faultDue()) {
        db.rollback();
        failed_ = false;
        raiseInjected("COMMIT", {});
    }
    if (failed_) {
        const QSqlError error = db.lastError();
        db.rollback();
        failed_ = false;
        raise(error, "COMMIT", {});
    }
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        if (!dialect_->connectionLost(error)) {
            db.rollback();
        }
        raise(error, "COMMIT", {}, true);
    }
}

void Database::rollback() {
    // An inner failure dooms the whole outer transaction.
    failed_ = true;
    if (--depth_ > 0) {
        return;
    }
    if (!abandoned_) {
        connection().rollback();
    }
    abandoned_ = false;
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
