#pragma once

#include "core/db/database.h"
#include "core/db/loaders.h"
#include "core/session/loginvalues.h"

#include <memory>

namespace florist {

// The data module of the run: the one connection, the login values, the shared short operations
// and the drop-down loaders. Windows receive it and read everything through it.
class DataModule {
public:
    explicit DataModule(std::unique_ptr<Database> db);
    ~DataModule();

    Database& db() { return *db_; }
    Loaders& loaders() { return loaders_; }
    LoginValues& login() { return login_; }
    const LoginValues& login() const { return login_; }

    // Runs a statement that returns no rows.
    void myESQL(const QString& sql, const QVariantList& params = {});
    // The number of rows a query returns (duplicate tests: above 0 means taken).
    int myRetSC(const QString& sql, const QVariantList& params = {});
    // Runs an INSERT and returns the identity of its new row as text; myRetID then returns it
    // too. The identity comes from the driver, so another station's insert never answers it.
    QString insert(const QString& sql, const QVariantList& params = {});
    QString myRetID() const { return lastId_; }
    // The discount of an alliance partner; "0" unless exactly one row matches.
    QString myRetAZK(const QString& name);
    // The points a gift costs; "0" unless exactly one row matches.
    QString myRetGift(const QString& name);
    // The next document number: prefix + business date yymmdd + infix + a sequence of at least
    // four digits, counting every row of the table entered on the business date.
    QString NewDJNum(const QString& table, const QString& prefix, const QString& infix = "-");
    // The amount in Chinese capital numerals; raises Failure for amounts that cannot be written.
    QString NumToChar(double amount) const;

    // Reads the default business date and the shop name (the start sequence).
    void readStartValues();

private:
    QString singleValue(const QString& sql, const QString& name);

    std::unique_ptr<Database> db_;
    Loaders loaders_;
    LoginValues login_;
    QString lastId_;
};

// The text of a document-number sequence: at least four digits, zero-padded.
QString documentSequence(int n);

} // namespace florist
