#pragma once

#include "core/db/connectionsettings.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariantList>
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

    // Rewrites "SELECT TOP n ...", "TRUNCATE TABLE t" and sameKey terms for the server; other
    // text is kept.
    virtual QString translate(const QString& sql) const;
    // The comparison of every duplicate test: the term that holds when `column` equals the key
    // bound to its one "?", with the letters a-z equal to A-Z and trailing spaces (U+0020)
    // ignored. Leading spaces, other blanks (a full-width space, a tab) and other letters count
    // as they stand, so every backend answers alike. Statements name it as sameKey(column).
    virtual QString keyEquals(const QString& column) const;
    // The operator of a case-insensitive contains-search (pinyin initials typed in lower case).
    virtual QString likeOperator() const { return QStringLiteral("LIKE"); }
    // A narrowing term for a contains-search of text in the searched columns of a table that
    // has a substring (trigram) index over exactly those columns (UMember for the member
    // lookup, UHC for the material lookup): "(ID IN (…)) AND " with its value, or empty where
    // the backend keeps the plain scan or the text is too short for the index. The rows it lets
    // through are a superset of what the LIKE terms find, so they stay the judge. `table` is
    // the program's own name, never typed input.
    struct Prefilter {
        QString text;
        QVariantList params;
    };
    virtual Prefilter substringPrefilter(const QString& table, const QString& text) const {
        Q_UNUSED(table);
        Q_UNUSED(text);
        return {};
    }
    // The field as a term of a list read newest first, where walking the table in its key order
    // beats a range index plus a sort of every row in the range; the server's planner decides
    // where it can (SQLite takes the index whenever a term allows it, "+" keeps it off).
    virtual QString orderedScanField(const QString& field) const { return field; }
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
    // Whether an error says the session with the server is gone (the server restarted, ended
    // the session, or the network dropped it): the connection must be opened again, and what
    // was prepared on it is lost with it.
    virtual bool connectionLost(const QSqlError&) const { return false; }
    // A statement with its values.
    struct Statement {
        QString text;
        QVariantList params;
    };
    // The statement that makes the saves of one document table on one business date take their
    // turn: a lock held until the transaction ends, taken before the number is counted. Empty
    // where the transaction holds the write lock from its start anyway (SQLite).
    virtual Statement numberLock(const QString& /*table*/, const QString& /*businessDate*/) const {
        return {};
    }
    // The resource path of the schema script of this backend.
    virtual QString schemaResource() const = 0;
    // How Database::count counts a query: as a derived table on the server, or by stepping
    // through its rows where the server refuses some shapes there (SQL Server: an ORDER BY,
    // unnamed or repeated column names inside a derived table).
    enum class CountBy { DerivedTable, Rows };
    virtual CountBy countBy() const { return CountBy::DerivedTable; }
    // Why a connection with these settings cannot be attempted; "" when it can.
    virtual QString settingsProblem(const ConnectionSettings&) const { return {}; }

    static std::unique_ptr<Dialect> create(Backend backend);

protected:
    // sql with every sameKey(column) replaced by keyEquals(column).
    QString withKeyTerms(const QString& sql) const;
    static QString moveTopToLimit(const QString& sql);
    // options with option (key=value) added unless they set that key themselves.
    static QString withDefault(const QString& option, const QString& options);
};

// The duplicate test's comparison in a statement's text: "... WHERE (theDel = '否') AND (" +
// sameKey("theNum") + ")" with the key bound to its "?". Every backend turns it into its
// keyEquals term, so "c001" and "C001 " find a live "C001" everywhere while " C001" does not.
QString sameKey(const QString& column);

// The ODBC connection string of a SQL Server connection (FreeTDS by default).
QString sqlServerConnectionString(const ConnectionSettings& s);
// A value of an ODBC connection string: braced, a closing brace doubled (for FreeTDS, a value
// with a closing brace goes unbraced instead).
QString odbcValue(const QString& value, bool freeTds);
// Why FreeTDS cannot be handed these settings (a value with "}" and ";"); "" when it can.
QString unsendableConnectionValue(const ConnectionSettings& s);
// Puts N before every '...' literal that holds other than ASCII characters, so SQL Server keeps
// the text as Unicode instead of converting it through the collation's code page.
QString nationalLiterals(const QString& sql);
// The keys of a document table's number lock: the table's name and the business date
// (2025-03-01 gives 20250301) as numbers, the same in every station.
int numberLockTableKey(const QString& table);
int numberLockDateKey(const QString& businessDate);
// schema/seed-sqlserver.sql: the shared seed script with its Chinese literals written N'...'.
QString sqlServerSeed(const QString& seedScript);

} // namespace florist
