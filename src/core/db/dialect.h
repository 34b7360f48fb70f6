#pragma once

#include "core/db/connectionsettings.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <memory>

namespace florist {

// Everything that differs between the backends, and nothing else. Statements are written in the
// shapes the windows document (SELECT TOP n, TRUNCATE TABLE, myLogin, myDate) and the dialect
// turns them into what its server understands.
class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Backend backend() const = 0;
    virtual QString driverName() const = 0;
    virtual void configure(QSqlDatabase& db, const ConnectionSettings& s) const = 0;

    // Rewrites "SELECT TOP n ..." and "TRUNCATE TABLE t" for the server; other text is kept.
    virtual QString translate(const QString& sql) const;
    // The operator of a case-insensitive contains-search (pinyin initials typed in lower case).
    virtual QString likeOperator() const { return QStringLiteral("LIKE"); }
    // The login row (WName, theName, thePass, ID) of one user name, bound as the only parameter.
    virtual QString loginStatement() const = 0;
    // One row, one column myD: the server's current date and time.
    virtual QString dateStatement() const = 0;
    // How an INSERT hands back the identity of its new row.
    enum class IdentityBy { Driver, Returning, ScopeIdentity };
    virtual IdentityBy identityBy() const { return IdentityBy::Driver; }
    // The statement that opens a save's transaction; empty for the driver's own. SQLite takes
    // the write lock at once, so two stations on one file queue instead of failing midway.
    virtual QString beginStatement() const { return {}; }
    // Whether an error lost a race with another station, so that running the transaction
    // again can succeed.
    enum class Conflict { None, DuplicateKey, Transient };
    virtual Conflict conflictOf(const QSqlError& error) const = 0;
    // The resource path of the schema script of this backend.
    virtual QString schemaResource() const = 0;

    static std::unique_ptr<Dialect> create(Backend backend);

protected:
    static QString moveTopToLimit(const QString& sql);
};

} // namespace florist
