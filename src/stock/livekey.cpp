#include "stock/livekey.h"

#include "core/db/database.h"
#include "core/db/dialect.h"

namespace florist::stock {

bool liveKeyTaken(Database& db, const QString& table, const QString& column, const QString& value) {
    const QString sql = QString("SELECT ID FROM %1 WHERE (theDel = '否') AND (").arg(table) +
                        sameKey(column) + ") ";
    return db.count(sql, {value}) > 0;
}

} // namespace florist::stock
