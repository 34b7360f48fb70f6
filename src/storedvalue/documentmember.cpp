#include "storedvalue/documentmember.h"

#include "core/db/database.h"

namespace florist::storedvalue {

qlonglong documentMember(Database& db, const QVariant& recordedId, const QString& cardNumber) {
    if (!recordedId.isNull() && recordedId.toLongLong() > 0) {
        return recordedId.toLongLong();
    }
    const ResultSet rows = db.select(
        "SELECT ID FROM UMember WHERE (theNum = ?) AND (theDel = '否') ORDER BY ID ", {cardNumber});
    return rows.isEmpty() ? 0 : rows.value(0, 0).toLongLong();
}

QString alreadyDeletedText(const QString& number) {
    return "单号 " + number + " 已删除，请重新查询！";
}

} // namespace florist::storedvalue
