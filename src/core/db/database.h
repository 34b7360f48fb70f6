#pragma once

#include "core/db/connectionsettings.h"
#include "core/db/dialect.h"
#include "core/db/resultset.h"
#include "core/errors.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <memory>

namespace florist {

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

    // Runs a statement that returns no rows.
    void exec(const QString& sql, const QVariantList& params = {});
    // Runs an INSERT and returns the identity of its new row, as the driver reports it.
    qlonglong insert(const QString& sql, const QVariantList& params = {});
    // Runs a query and returns all its rows.
    ResultSet select(const QString& sql, const QVariantList& params = {});
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
        try {
            if constexpr (std::is_void_v<decltype(fn())>) {
                fn();
                commit();
            } else {
                auto result = fn();
                commit();
                return result;
            }
        } catch (...) {
            rollback();
            throw;
        }
    }
    bool inTransaction() const { return depth_ > 0; }

    // Creates every table, view and procedure of the backend's schema, then the seed rows.
    void createSchema(bool withSeed = true);
    // Runs a script of several statements (see schema/README.md for the splitting rule).
    void runScript(const QString& script);
    static QStringList splitScript(const QString& script, Backend backend);

private:
    void release();
    QSqlQuery prepared(const QString& sql, const QVariantList& params);
    void begin();
    void commit();
    void rollback();

    ConnectionSettings settings_;
    std::unique_ptr<Dialect> dialect_;
    QString connectionName_;
    int depth_ = 0;
    bool failed_ = false;
};

} // namespace florist
