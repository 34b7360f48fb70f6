#pragma once

#include "core/db/resultset.h"
#include "core/formoutcome.h"

#include <QList>
#include <QString>

namespace florist {
class DataModule;
}

namespace florist::settings {

// The right that opens the users window: someone must keep it, or the shop is locked out.
inline const char* const kUserSettingsCode = "0002";

// frmUser: the users of one store (all stores when store is empty), ID above 0 only.
ResultSet userRows(DataModule& dm, const QString& store);
// "保存": store chosen, name given and free; the new user gets the hash of an empty password.
FormOutcome saveUser(DataModule& dm, const QString& store, const QString& name,
                     const QString& remark);
// Checks that a user may go: not the user logged in now, not the last holder of "用户设置".
// A refusal carries its message; success carries none.
FormOutcome canRemoveUser(DataModule& dm, qlonglong id, const QString& name);
// Deletes the SUser row for good; the user's SLevel and SUW rows stay.
void removeUser(DataModule& dm, qlonglong id);

// One item of a rights check list.
struct RightItem {
    QString text;
    bool ticked = false;
};

// frmU_L: every SMenu row as "<MNum>&<MName>", ticked when exactly one SLevel row grants it.
QList<RightItem> operationRights(DataModule& dm, qlonglong userId);
// Replaces the user's SLevel rows by the ticked items' codes (their first four characters), in
// list order, in one transaction. Refused when it would leave nobody with "用户设置".
FormOutcome saveOperationRights(DataModule& dm, qlonglong userId, const QString& userName,
                                const QStringList& tickedItems);

// frmU_W: every store except the current one, ticked when exactly one SUW row names it.
QList<RightItem> storeRights(DataModule& dm, qlonglong userId);
FormOutcome saveStoreRights(DataModule& dm, qlonglong userId, const QString& userName,
                            const QStringList& tickedStores);

// The caption of both rights windows and of their group: "<user> 操作权限", "<user> 查看门店".
QString rightsCaption(const QString& userName, bool stores);
// "<group caption> 保存成功！ 重新登录软件后生效。"
QString rightsSavedMessage(const QString& groupCaption);

// frmCPass: the old password is checked against the stored hash of the user logged in; the new
// one is stored as a hash. The program ends after success.
FormOutcome changePassword(DataModule& dm, const QString& oldPassword, const QString& newPassword,
                           const QString& confirmation);

} // namespace florist::settings
