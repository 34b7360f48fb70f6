#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace florist {
class DataModule;
}

namespace florist::members {

// What the member entry window holds, as typed. cardDate is 'yyyy-mm-dd'.
struct MemberValues {
    QString category;
    QString cardNumber;
    QString name;
    QString sex;
    QString birthday;
    QString mobile;
    QString phone;
    QString qq;
    QString weChat;
    QString preferences;
    QString workUnit;
    QString address;
    QString remark;
    QString cardDate;
};

// The field a refused save puts the focus into.
enum class MemberField {
    None,
    Category,
    CardNumber,
    Name,
    Sex,
    Birthday,
    Mobile,
    Phone,
    QQ,
    WeChat,
    Preferences,
    WorkUnit,
    Address,
    Remark
};

struct MemberCheck {
    MemberField field = MemberField::None;
    QString message;
    bool ok() const { return field == MemberField::None; }
};

// A birthday as stored: "" stays "", a month and day typed as m-d (5-3, 05-03, 2-29) becomes
// 'mm-dd'. Nothing for a text that is not a month and day of a leap year (13-01, 0503,
// 1990-05-03).
std::optional<QString> normaliseBirthday(const QString& typed);
// The message for a birthday normaliseBirthday refuses.
QString invalidBirthdayText(const QString& typed);

// The checks of "保存" before anything is read from the database, in their order: category,
// card number, name, the byte limits the fields keep while typing, the birthday.
MemberCheck checkMember(const MemberValues& values);

// Whether a live member holds the card number (deleted members do not count).
bool cardNumberTaken(DataModule& dm, const QString& cardNumber);

// The points, purchase count, balance and last purchase date of a new member: zero and the card
// date from the entry window, the sheet's values from the import.
struct MemberBalances {
    double points = 0;
    double count = 0;
    double money = 0;
    QString lastPurchase;
};

// Inserts a new member of the current store, entered today by the current user, with the
// birthday normalised and the name's pinyin initials; returns its identity.
qlonglong insertMember(DataModule& dm, const MemberValues& values, const MemberBalances& balances);
// Rewrites a member's own details; its balances, entry date, user and store stay.
void updateMember(DataModule& dm, qlonglong id, const MemberValues& values);

struct MemberSaveResult {
    MemberCheck check; // not ok: nothing was written
    qlonglong id = 0;  // the new or edited member
};

// "保存" of the entry window: the checks, then the update (editId > 0, no duplicate test) or the
// duplicate test among live members and the insert.
MemberSaveResult saveMember(DataModule& dm, const MemberValues& values, qlonglong editId);

// "恭喜！恭喜！ 会员信息 保存成功！"
QString memberSavedText();

// A member just created, by the headings of the member selects, as order entry shows it:
// the typed details, points, count and balance "0", last purchase the business date.
QVariantMap newMemberFields(const MemberValues& values, const QString& businessDate);

// The values of a grid row read by its headings (edit from member management).
MemberValues valuesFromRow(const QVariantMap& row);

} // namespace florist::members
