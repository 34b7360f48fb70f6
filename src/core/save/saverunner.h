#pragma once

#include "core/db/database.h"
#include "core/db/datamodule.h"

#include <QHash>

namespace florist {

// What one save or delete of a document sees while it runs: the statements go through db() in
// the order the window documents, the number through number(). Made by runSave, one per attempt.
class Save {
public:
    Save(Database& db, const QString& businessDate) : db_(db), businessDate_(businessDate) {}
    Database& db() { return db_; }
    const QString& businessDate() const { return businessDate_; }
    // The document number of this attempt (see allocateDocumentNumber); asked again for the
    // same table it answers the same number.
    QString number(const QString& table, const QString& prefix, const QString& infix = "-");

private:
    Database& db_;
    QString businessDate_;
    QHash<QString, QString> numbers_;
};

namespace detail {
constexpr int kSaveAttempts = 5;
// Called while a DbConflict is being handled: returns when another attempt may win the race,
// rethrows it otherwise, and raises the "单号 重复" failure when the attempts are used up.
void afterConflict(const DbConflict& conflict, int attempt);
// Called while a DbConnectionLost is being handled: returns when the save may run once more on
// the new connection (the first loss, before COMMIT was sent), rethrows it otherwise.
void afterConnectionLost(const DbConnectionLost& lost, bool& rerunDone);
} // namespace detail

// Runs one save: fn(Save&) inside one transaction, committed whole or rolled back whole. When
// its document number was taken by another station meanwhile (the unique index refuses it) or
// the server broke a deadlock by failing it, the transaction is run again from the start with
// a fresh number, a few times at most. Any other failure rolls everything back and reaches the
// caller: a DbError with the provider's text, a Shortfall, a Failure of fn's own.
// When the session with the server was lost before the COMMIT was sent, the server rolled the
// transaction back and the save runs once more on the reopened connection; a loss during the
// COMMIT is reported (DbConnectionLost::atCommit), since the document may have been written.
// fn may run more than once, so it only sends statements: values are gathered and checked
// before, and the window is updated after. Called inside another save, it joins that one.
template <class Fn> decltype(auto) runSave(Database& db, const QString& businessDate, Fn&& fn) {
    if (db.inTransaction()) {
        Save save(db, businessDate);
        return fn(save);
    }
    bool rerunAfterLoss = false;
    for (int attempt = 1;; ++attempt) {
        try {
            Save save(db, businessDate);
            return db.transaction([&]() -> decltype(auto) { return fn(save); });
        } catch (const DbConflict& conflict) {
            detail::afterConflict(conflict, attempt);
        } catch (const DbConnectionLost& lost) {
            detail::afterConnectionLost(lost, rerunAfterLoss);
        }
    }
}

template <class Fn> decltype(auto) runSave(DataModule& dm, Fn&& fn) {
    return runSave(dm.db(), dm.login().businessDate, std::forward<Fn>(fn));
}

} // namespace florist
