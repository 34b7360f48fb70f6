#pragma once

#include <QString>
#include <QVariant>

namespace florist {
class Database;
}

namespace florist::storedvalue {

// The member a top-up or an exchange belongs to, for its reversal: the member recorded on the
// document (MID), else, for a document written before that column existed, the live member
// holding its card number (the earliest such member when an edit gave two members one number).
// 0 when neither exists: a deleted member that once held the number is never changed.
qlonglong documentMember(Database& db, const QVariant& recordedId, const QString& cardNumber);

// "单号 <number> 已删除，请重新查询！": another station deleted the document meanwhile.
QString alreadyDeletedText(const QString& number);

} // namespace florist::storedvalue
