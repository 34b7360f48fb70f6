#pragma once

#include "core/db/connectionsettings.h"
#include "core/db/database.h"

#include <memory>

namespace florist {

// The settings file that may name a shared server ([database] group); absent by default.
QString settingsFilePath();
// The embedded database file in the user's data folder.
QString embeddedDatabasePath();
ConnectionSettings configuredConnection();

// Opens the database; an embedded database without tables gets the schema and the seed rows
// (the first start). Raises DbError when the server cannot be reached.
std::unique_ptr<Database> openDatabase(const ConnectionSettings& settings);
// The same for a connection made already (not yet open).
void openConfigured(Database& db);
// Switches the connection to other settings (the connection dialog) and opens it as above.
void reconnectDatabase(Database& db, const ConnectionSettings& settings);

} // namespace florist
