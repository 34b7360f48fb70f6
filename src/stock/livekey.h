#pragma once

#include <QString>

namespace florist {
class Database;
}

namespace florist::stock {

// Whether a live row (theDel = '否') of table holds value in column, compared as every duplicate
// test compares (sameKey: case of a-z and trailing spaces ignored): the duplicate test of the
// material number and the partner name, run at entry and at import, never at an edit.
bool liveKeyTaken(Database& db, const QString& table, const QString& column, const QString& value);

} // namespace florist::stock
