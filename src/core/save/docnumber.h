#pragma once

#include "core/db/database.h"

#include <QString>

namespace florist {

// The document tables and the number column each of them keeps unique.
bool isDocumentTable(const QString& table);

// The number of a new document of table, inside the save's transaction: prefix, the business
// date as yymmdd, infix, and the count of the table's rows of that date plus one (every store,
// deleted rows too), at least four digits. Saves of one table and date wait for each other from
// here to their COMMIT (a lock of the transaction), so concurrent stations do not race. When that
// number is taken (by a row removed for good, or by another station that saved meanwhile) the next
// free sequence is used.
QString allocateDocumentNumber(Database& db, const QString& table, const QString& prefix,
                               const QString& infix, const QString& businessDate);

} // namespace florist
