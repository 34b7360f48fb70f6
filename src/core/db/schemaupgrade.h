#pragma once

#include "core/db/dialect.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace florist {

class Database;

// What a newer program adds to a database that an older one set up: a column, an index, a
// menu row. Each step says how to tell that it is in place (a probe that succeeds then) and
// what to run when it is not; the schema files already hold the result, so a new database
// needs none of them.
struct UpgradeStep {
    QString name;
    // Succeeds (no exception) when the step is already in place.
    std::function<bool(Database&)> present;
    // Brings the step in place; runs inside one transaction.
    std::function<void(Database&)> apply;
};

// A probe that reads nothing: true when the statement runs, false when the server refuses it
// (a missing column or table).
bool statementRuns(Database& db, const QString& sql);

// The program's steps, oldest first. A step added later goes at the end.
const std::vector<UpgradeStep>& upgradeSteps();

// Runs every step that is not in place yet, each in its own transaction. A step the server
// refuses (a login without the right to change tables) raises DbError naming the step; the
// steps before it stay done.
void upgradeSchema(Database& db);

} // namespace florist
