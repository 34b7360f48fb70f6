#include "core/settings/users.h"

#include "core/db/datamodule.h"
#include "core/db/dialect.h"
#include "core/session/password.h"
#include "core/text/gbk.h"

#include <QHash>

namespace florist::settings {

namespace {

// The byte limits the windows' fields hold while typing; checked again at save.
constexpr int kUserNameBytes = 12;
constexpr int kRemarkBytes = 50;
constexpr int kPasswordBytes = 12;

// How many rows of a query name each value of its first column.
QHash<QString, int> countByValue(const ResultSet& rs, const QString& column) {
    QHash<QString, int> counts;
    for (int i = 0; i < rs.size(); ++i) {
        counts[rs.text(i, column)]++;
    }
    return counts;
}

// Whether any user other than userId, still in SUser, holds "用户设置".
bool otherUserSettingsHolder(DataModule& dm, qlonglong userId) {
    return dm.myRetSC("SELECT UID FROM SLevel WHERE (MNum = ?) AND (UID <> ?) "
                      "AND (UID IN (SELECT ID FROM SUser)) ",
                      {kUserSettingsCode, userId}) > 0;
}

bool holdsUserSettings(DataModule& dm, qlonglong userId) {
    return dm.myRetSC("SELECT UID FROM SLevel WHERE (MNum = ?) AND (UID = ?) ",
                      {kUserSettingsCode, userId}) > 0;
}

} // namespace

ResultSet userRows(DataModule& dm, const QString& store) {
    QString sql = "SELECT WName AS 门店名称, theName AS 用户名, Remark AS 备注, ID FROM SUser "
                  "WHERE (ID > 0) ";
    QVariantList params;
    if (!store.isEmpty()) {
        sql += "AND (WName = ? ) ";
        params << store;
    }
    return dm.db().select(sql, params);
}

FormOutcome saveUser(DataModule& dm, const QString& store, const QString& name,
                     const QString& remark) {
    if (store.isEmpty()) {
        return FormOutcome::refused(emptyChoiceMessage("门店名称"), "门店名称");
    }
    if (name.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage("用户名"), "用户名");
    }
    if (gbkLength(name) > kUserNameBytes) {
        return FormOutcome::refused(tooLongMessage("用户名", kUserNameBytes), "用户名");
    }
    if (gbkLength(remark) > kRemarkBytes) {
        return FormOutcome::refused(tooLongMessage("备注", kRemarkBytes), "备注");
    }
    if (dm.myRetSC("select ID from SUser Where " + sameKey("theName"), {name}) > 0) {
        return FormOutcome::refused(takenMessage("用户名")); // the focus stays
    }
    dm.myESQL("Insert into SUser(WName, theName, thePass, Remark) Values(?, ?, ?, ?)",
              {store, name, hashPassword(""), remark});
    dm.loaders().reload("SUser");
    return FormOutcome::success(savedMessage("用户信息"), "用户名");
}

FormOutcome canRemoveUser(DataModule& dm, qlonglong id, const QString& name) {
    if (QString::number(id) == dm.login().userId) {
        return FormOutcome::refused("用户 " + name + " 正在使用本软件，不能删除！");
    }
    if (holdsUserSettings(dm, id) && !otherUserSettingsHolder(dm, id)) {
        return FormOutcome::refused("用户 " + name + " 是唯一有 用户设置 权限的用户，不能删除！");
    }
    return FormOutcome::success();
}

void removeUser(DataModule& dm, qlonglong id) {
    dm.myESQL("DELETE FROM SUser WHERE (ID = ?) ", {id});
    dm.loaders().reload("SUser");
}

QString rightsCaption(const QString& userName, bool stores) {
    return userName + (stores ? " 查看门店" : " 操作权限");
}

QString rightsSavedMessage(const QString& groupCaption) {
    return groupCaption + " 保存成功！ 重新登录软件后生效。";
}

QList<RightItem> operationRights(DataModule& dm, qlonglong userId) {
    QList<RightItem> items;
    ResultSet menu = dm.db().select("SELECT MNum, MName FROM SMenu ORDER BY MNum");
    if (menu.isEmpty()) {
        return items;
    }
    const QHash<QString, int> granted = countByValue(
        dm.db().select("SELECT UID, MNum FROM SLevel WHERE (UID = ?) ", {userId}), "MNum");
    for (int i = 0; i < menu.size(); ++i) {
        const QString code = menu.text(i, "MNum");
        items.append({code + "&" + menu.text(i, "MName"), granted.value(code) == 1});
    }
    return items;
}

FormOutcome saveOperationRights(DataModule& dm, qlonglong userId, const QString& userName,
                                const QStringList& tickedItems) {
    QStringList codes;
    for (const QString& item : tickedItems) {
        codes << item.left(4);
    }
    if (!codes.contains(kUserSettingsCode) && holdsUserSettings(dm, userId) &&
        !otherUserSettingsHolder(dm, userId)) {
        return FormOutcome::refused("用户 " + userName +
                                    " 是唯一有 用户设置 权限的用户，该权限不能取消！");
    }
    dm.db().transaction([&] {
        dm.myESQL("DELETE FROM SLevel WHERE (UID = ?) ", {userId});
        for (const QString& code : codes) {
            dm.myESQL("INSERT INTO SLevel (UID, MNum) VALUES (?, ?) ", {userId, code});
        }
    });
    return FormOutcome::success(rightsSavedMessage(rightsCaption(userName, false)));
}

QList<RightItem> storeRights(DataModule& dm, qlonglong userId) {
    QList<RightItem> items;
    ResultSet stores = dm.db().select("SELECT theName FROM SWare WHERE (theName NOT IN (?))",
                                      {dm.login().currentStore});
    if (stores.isEmpty()) {
        return items;
    }
    const QHash<QString, int> granted = countByValue(
        dm.db().select("SELECT UID, WName FROM SUW WHERE (UID = ?) ", {userId}), "WName");
    for (int i = 0; i < stores.size(); ++i) {
        const QString store = stores.text(i, "theName");
        items.append({store, granted.value(store) == 1});
    }
    return items;
}

FormOutcome saveStoreRights(DataModule& dm, qlonglong userId, const QString& userName,
                            const QStringList& tickedStores) {
    dm.db().transaction([&] {
        dm.myESQL("DELETE FROM SUW WHERE (UID = ?) ", {userId});
        for (const QString& store : tickedStores) {
            dm.myESQL("INSERT INTO SUW (UID, WName) VALUES (?, ?) ", {userId, store});
        }
    });
    return FormOutcome::success(rightsSavedMessage(rightsCaption(userName, true)));
}

FormOutcome changePassword(DataModule& dm, const QString& oldPassword, const QString& newPassword,
                           const QString& confirmation) {
    const qlonglong id = dm.login().userId.toLongLong();
    ResultSet rs = dm.db().select("SELECT thePass FROM SUser WHERE (ID = ?) ", {id});
    if (rs.size() != 1 || !verifyPassword(rs.text(0, "thePass"), oldPassword)) {
        return FormOutcome::refused("原密码 错误，请重新录入！", "原密码");
    }
    if (gbkLength(newPassword) > kPasswordBytes) {
        return FormOutcome::refused(tooLongMessage("新密码", kPasswordBytes), "新密码");
    }
    if (newPassword == oldPassword) {
        return FormOutcome::refused("新密码 和 原密码 一致，请重新录入！", "新密码");
    }
    if (confirmation != newPassword) {
        return FormOutcome::refused("确认密码 和 新密码 不一致，请重新录入！", "确认密码");
    }
    dm.myESQL("UPDATE SUser SET thePass = ? WHERE (ID = ?) ", {hashPassword(newPassword), id});
    return FormOutcome::success("密码修改成功，请重新登录软件！");
}

} // namespace florist::settings
