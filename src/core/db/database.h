#pragma once

#include "core/db/connectionsettings.h"
#include "core/db/dialect.h"
#include "core/db/resultset.h"
#include "core/errors.h"

#include <QHash>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <memory>

namespace florist {

// Failing statements with their bound values (warning) and every statement (debug), for the
// shop's support; off unless QT_LOGGING_RULES turns it on: "florist.sql.warning=true" for the
// failures, "florist.sql.debug=true" for every statement.
Q_DECLARE_LOGGING_CATEGORY(lcSql)

// A statement that lost a race with another station: a unique key taken meanwhile
// (DuplicateKey), or a deadlock or serialisation failure that the server resolved by failing
// this transaction (Transient). Running the whole transaction again can succeed.
class DbConflict : public DbError {
public:
    enum class Kind { DuplicateKey, Transient };
    DbConflict(Kind kind, const QString& text, const QString& statement)
        : DbError(text, statement), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// The session with the server was lost while a statement ran (a server restart, a network drop,
// the session ended by the server's administrator); a new connection is open again, with
// nothing prepared on it yet. Whatever the transaction had sent was rolled back by the server,
// unless the loss came while its COMMIT was on its way (atCommit): then the document may have
// been written or not, and text() asks the person to look it up before saving again. A server
// that cannot be reached again gives a plain DbError with the connection message instead.
class DbConnectionLost : public DbError {
public:
    DbConnectionLost(const QString& text, const QString& statement, bool atCommit)
        : DbError(text, statement), atCommit_(atCommit) {}
    bool atCommit() const { return atCommit_; }

private:
    bool atCommit_;
};

// The one connection of a run. Every value reaches the server as a bound parameter ("?" in the
// statement text): a quote or a percent sign typed by a user is stored as typed and never
// changes a statement. Every failure raises DbError with the provider's text.
class Database {
public:
    explicit Database(const ConnectionSettings& settings);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the connection; raises DbError when the server cannot be reached, its text naming
    // the server (connectionFailureText) above the provider's.
    void open();
    // Closes the connection and opens one with other settings (the connection dialog); raises
    // DbError as open() does, and leaves the new, closed connection in place then.
    void reconnect(const ConnectionSettings& settings);
    const ConnectionSettings& settings() const { return settings_; }
    bool isOpen() const;
    const Dialect& dialect() const { return *dialect_; }
    Backend backend() const { return dialect_->backend(); }
    QSqlDatabase connection() const;

    // Runs a statement that returns no rows; returns the number of rows it changed.
    int exec(const QString& sql, const QVariantList& params = {});
    // Runs an INSERT and returns the identity of its new row, as the driver reports it.
    qlonglong insert(const QString& sql, const QVariantList& params = {});
    // The reads below (select, count, scalar, open) run once more when the connection was lost
    // and opened again, unless they run inside a transaction (which the loss ended).
    // Runs a query and returns all its rows.
    ResultSet select(const QString& sql, const QVariantList& params = {});
    // select for a search whose best plan depends on the values (a trigram index serves a long
    // contains-text, a scan a short one): prepared for this run alone, so that the server plans
    // it for these values instead of settling on one plan for every value.
    ResultSet selectPlannedForValues(const QString& sql, const QVariantList& params);
    // The number of rows a query returns, counted by the server where the shape allows.
    int count(const QString& sql, const QVariantList& params = {});
    // The first column of the first row; invalid when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // A live, executed, forward-only query for windows that fetch rows as they are shown.
    QSqlQuery open(const QString& sql, const QVariantList& params);

    // Runs fn inside one transaction: everything fn writes is committed together, or nothing
    // is when fn throws (the error then goes on to the caller). Nested calls join the outer one.
    template <class Fn> decltype(auto) transaction(Fn&& fn) {
        begin();
        // A failing commit rolls back by itself; only a failure of fn needs the rollback here.
        auto guardedFn = [&]() -> decltype(auto) {
            try {
                return fn();
            } catch (...) {
                rollback();
                throw;
            }
        };
        if constexpr (std::is_void_v<decltype(fn())>) {
            guardedFn();
            commit();
        } else {
            auto result = guardedFn();
            commit();
            return result;
        }
    }
    bool inTransaction() const { return depth_ > 0; }

    // Test seam: the nth statement from now (1 = the next one; a transaction's BEGIN and
    // COMMIT count too) fails with a provider error instead of reaching the server; 0 disarms
    // it. A fault at COMMIT rolls the transaction back.
    void failStatement(int nth) { faultCountdown_ = nth; }
    // The number of statements sent since the connection was made (the seam's counting).
    int statementsRun() const { return statementsRun_; }
    static const char* injectedFaultText();

    // Creates every table, view and procedure of the backend's schema, then the seed rows.
    void createSchema(bool withSeed = true);
    // Runs a script of several statements (see schema/README.md for the splitting rule).
    void runScript(const QString& script);
    static QStringList splitScript(const QString& script, Backend backend);

private:
    void release();
    // Runs a read, and once more after the connection was lost and opened again.
    template <class Fn> decltype(auto) read(Fn&& fn) {
        if (depth_ > 0) {
            return fn();
        }
        try {
            return fn();
        } catch (const DbConnectionLost&) {
            return fn();
        }
    }
    enum class Reuse { Kept, Once };
    ResultSet selectOnce(const QString& sql, const QVariantList& params, Reuse reuse = Reuse::Kept);
    int countOnce(const QString& sql, const QVariantList& params);
    QVariant scalarOnce(const QString& sql, const QVariantList& params);
    QSqlQuery prepared(const QString& sql, const QVariantList& params, Reuse reuse = Reuse::Kept);
    QSqlQuery keptStatement(const QString& text, const QVariantList& params);
    // Counts a statement and tells whether the injected fault falls on it.
    bool faultDue();
    [[noreturn]] void raiseInjected(const QString& statement, const QVariantList& params);
    // Logs the failure under lcSql and raises DbError (DbConflict for a lost race,
    // DbConnectionLost for a lost session, after opening a new one).
    [[noreturn]] void raise(const QSqlError& error, const QString& statement,
                            const QVariantList& params, bool atCommit = false);
    [[noreturn]] void reopenAfterLoss(const QString& text, const QString& statement, bool atCommit);
    void begin();
    void commit();
    void rollback();

    ConnectionSettings settings_;
    std::unique_ptr<Dialect> dialect_;
    QString connectionName_;

    int depth_ = 0;
    bool failed_ = false;
    // The open transaction died with a lost session: there is nothing left to roll back.
    bool abandoned_ = false;
    QHash<QString, QSqlQuery> statements_;
    int faultCountdown_ = 0;
    int statementsRun_ = 0;
};

} // namespace florist
