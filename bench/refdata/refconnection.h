#pragma once

#include "core/db/connectionsettings.h"

#include <QString>
#include <functional>
#include <memory>

namespace florist {
class Database;
}

namespace florist::bench {

// Where the reference data set lives: an SQLite file (FLORIST_REFDATA_SQLITE, by default
// florist-refdata.db in the temporary folder) and, when FLORIST_BENCH_PG_HOST is set, the
// database florist_ref on that PostgreSQL server (FLORIST_BENCH_PG_PORT, FLORIST_BENCH_PG_USER).
ConnectionSettings referenceSettings(Backend backend);
bool postgresAvailable();

// Opens the reference database, creating it and generating the data set when it is missing.
std::unique_ptr<Database>
openReferenceDatabase(Backend backend, const std::function<void(const QString&)>& progress = {});

} // namespace florist::bench
