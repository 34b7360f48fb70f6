#include "core/db/datamodule.h"
#include "core/session/login.h"
#include "core/session/password.h"
#include "core/settings/shop.h"
#include "core/settings/users.h"
#include "support/dbfixture.h"

namespace florist::settings {
namespace {

class UsersTest : public test::DbTest {
protected:
    qlonglong addUser(const QString& name, const QString& store = "总店") {
        EXPECT_TRUE(saveUser(dm(), store, name, "").done);
        return db().scalar("SELECT ID FROM SUser WHERE (theName = ?)", {name}).toLongLong();
    }
    QStringList codes(qlonglong id) {
        ResultSet rs = db().select("SELECT MNum FROM SLevel WHERE (UID = ?) ORDER BY MNum", {id});
        QStringList out;
        for (int i = 0; i < rs.size(); ++i) {
            out << rs.text(i, "MNum");
        }
        return out;
    }
};

TEST_P(UsersTest, NewUserChecksAndAnEmptyPasswordStoredAsAHash) {
    EXPECT_EQ(saveUser(dm(), "", "小张", "").message, "门店名称 不能为空，请重新选择！");
    EXPECT_EQ(saveUser(dm(), "", "小张", "").focus, "门店名称");
    EXPECT_EQ(saveUser(dm(), "总店", "", "").message, "用户名 不能为空，请重新录入！");
    EXPECT_EQ(saveUser(dm(), "总店", "admin", "").message, "用户名 已存在，请重新录入！");
    EXPECT_EQ(saveUser(dm(), "总店", "admin", "").focus, "");
    FormOutcome ok = saveUser(dm(), "总店", "小张", "收银");
    EXPECT_EQ(ok.message, "恭喜！恭喜！ 用户信息 保存成功！");
    const QString stored =
        db().scalar("SELECT thePass FROM SUser WHERE (theName = '小张')").toString();
    EXPECT_TRUE(isPasswordHash(stored));
    EXPECT_TRUE(verifyPassword(stored, ""));
    EXPECT_EQ(userRows(dm(), "").size(), 2);
    EXPECT_EQ(userRows(dm(), "分店").size(), 0);
    ResultSet rs = userRows(dm(), "总店");
    EXPECT_EQ(rs.columns().mid(0, 3), (QStringList{"门店名称", "用户名", "备注"}));
    // The login list sees the new user at once.
    EXPECT_TRUE(dm().loaders().DBComUser()->stringList().contains("小张"));
}

TEST_P(UsersTest, RemovalRefusesTheLoggedInUserAndTheLastUserSettingsHolder) {
    const qlonglong other = addUser("小张");
    EXPECT_EQ(canRemoveUser(dm(), 1, "admin").message, "用户 admin 正在使用本软件，不能删除！");
    dm().login().userId = QString::number(other);
    FormOutcome last = canRemoveUser(dm(), 1, "admin");
    EXPECT_FALSE(last.done);
    EXPECT_EQ(last.message, "用户 admin 是唯一有 用户设置 权限的用户，不能删除！");
    // Once another user holds it, admin may go; the rights rows stay behind.
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (?, '0002')", {other});
    EXPECT_TRUE(canRemoveUser(dm(), 1, "admin").done);
    removeUser(dm(), 1);
    EXPECT_EQ(db().count("SELECT ID FROM SUser WHERE (ID = 1)"), 0);
    EXPECT_GT(db().count("SELECT UID FROM SLevel WHERE (UID = 1)"), 80);
}

TEST_P(UsersTest, OperationRightsListTicksCodesGrantedExactlyOnce) {
    const qlonglong id = addUser("小张");
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (?, '0100')", {id});
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (?, '0101')", {id});
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (?, '0101')", {id});
    QList<RightItem> items = operationRights(dm(), id);
    ASSERT_EQ(items.size(), 91);
    EXPECT_EQ(items[0].text, "0000&花店设置");
    EXPECT_EQ(items[7].text, "0007&退出 ");
    QStringList ticked;
    for (const RightItem& item : items) {
        if (item.ticked) {
            ticked << item.text;
        }
    }
    EXPECT_EQ(ticked, QStringList{"0100&订单录入"});
}

TEST_P(UsersTest, SavingRightsReplacesThemAndNothingTickedLeavesNoRows) {
    const qlonglong id = addUser("小张");
    FormOutcome ok = saveOperationRights(dm(), id, "小张", {"0100&订单录入", "0713&默认项设置"});
    EXPECT_EQ(ok.message, "小张 操作权限 保存成功！ 重新登录软件后生效。");
    EXPECT_EQ(codes(id), (QStringList{"0100", "0713"}));
    EXPECT_TRUE(saveOperationRights(dm(), id, "小张", {}).done);
    EXPECT_TRUE(codes(id).isEmpty());
    // An empty SMenu gives an empty list, and saving it removes every right.
    saveOperationRights(dm(), id, "小张", {"0100&订单录入"});
    db().exec("DELETE FROM SMenu");
    EXPECT_TRUE(operationRights(dm(), id).isEmpty());
    saveOperationRights(dm(), id, "小张", {});
    EXPECT_TRUE(codes(id).isEmpty());
}

TEST_P(UsersTest, TheLastUserSettingsRightCannotBeTakenAway) {
    FormOutcome refused = saveOperationRights(dm(), 1, "admin", {"0100&订单录入"});
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.message, "用户 admin 是唯一有 用户设置 权限的用户，该权限不能取消！");
    EXPECT_EQ(codes(1).size(), 91);
}

TEST_P(UsersTest, StoreRightsLeaveOutTheLoggedInStore) {
    db().exec("INSERT INTO SWare (theName) VALUES ('东店')");
    db().exec("INSERT INTO SWare (theName) VALUES ('西店')");
    const qlonglong id = addUser("小张");
    db().exec("INSERT INTO SUW (UID, WName) VALUES (?, '西店')", {id});
    QList<RightItem> items = storeRights(dm(), id);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].text, "东店");
    EXPECT_FALSE(items[0].ticked);
    EXPECT_EQ(items[1].text, "西店");
    EXPECT_TRUE(items[1].ticked);
    FormOutcome ok = saveStoreRights(dm(), id, "小张", {"东店"});
    EXPECT_EQ(ok.message, "小张 查看门店 保存成功！ 重新登录软件后生效。");
    ResultSet rs = db().select("SELECT WName FROM SUW WHERE (UID = ?)", {id});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "WName"), "东店");
}

TEST_P(UsersTest, PasswordChangeMessagesInOrderAndTheNewHashLogsIn) {
    // admin's password is empty in a fresh database.
    EXPECT_EQ(changePassword(dm(), "x", "a", "a").message, "原密码 错误，请重新录入！");
    EXPECT_EQ(changePassword(dm(), "x", "a", "a").focus, "原密码");
    EXPECT_EQ(changePassword(dm(), "", "", "").message, "新密码 和 原密码 一致，请重新录入！");
    EXPECT_EQ(changePassword(dm(), "", "", "").focus, "新密码");
    EXPECT_EQ(changePassword(dm(), "", "abc", "abd").message,
              "确认密码 和 新密码 不一致，请重新录入！");
    EXPECT_EQ(changePassword(dm(), "", "abc", "abd").focus, "确认密码");
    FormOutcome ok = changePassword(dm(), "", "it's花", "it's花");
    EXPECT_EQ(ok.message, "密码修改成功，请重新登录软件！");
    const QString stored = db().scalar("SELECT thePass FROM SUser WHERE (ID = 1)").toString();
    EXPECT_TRUE(isPasswordHash(stored));
    EXPECT_FALSE(stored.contains("it's"));
    EXPECT_EQ(logIn(dm(), "admin", "it's花", QDate(2025, 3, 2)).outcome, LoginOutcome::Accepted);
    EXPECT_EQ(logIn(dm(), "admin", "", QDate(2025, 3, 2)).outcome, LoginOutcome::WrongPassword);
    // An empty new password is taken when the old one was not empty.
    EXPECT_TRUE(changePassword(dm(), "it's花", "", "").done);
    EXPECT_EQ(logIn(dm(), "admin", "", QDate(2025, 3, 2)).outcome, LoginOutcome::Accepted);
}

// The byte limits the boxes hold while typing are checked again at save; nothing is written.
TEST_P(UsersTest, FieldLimitsAreCheckedAgainAtSave) {
    const QString long13 = "一二三四五六a"; // 13 GBK bytes
    const QString long51 = QString(25, QChar(0x82B1)) + "a";
    EXPECT_EQ(saveUser(dm(), "总店", long13, "").message, "用户名 超过 12 个字节，请重新录入！");
    EXPECT_EQ(saveUser(dm(), "总店", "小张", long51).focus, "备注");
    EXPECT_EQ(db().count("SELECT ID FROM SUser"), 1);
    const FormOutcome password = changePassword(dm(), "", long13, long13);
    EXPECT_EQ(password.message, "新密码 超过 12 个字节，请重新录入！");
    EXPECT_EQ(password.focus, "新密码");
    EXPECT_EQ(logIn(dm(), "admin", "", QDate(2025, 3, 2)).outcome, LoginOutcome::Accepted);
    ShopDetails shop = loadShop(dm());
    shop.address = long51;
    const FormOutcome saved = saveShop(dm(), shop);
    EXPECT_EQ(saved.message, "地址 超过 50 个字节，请重新录入！");
    EXPECT_EQ(saved.focus, "地址");
    EXPECT_EQ(loadShop(dm()).address, "请在花店设置中填写地址");
}

TEST_P(UsersTest, ShopDetailsAndStoreDefaults) {
    ShopDetails shop = loadShop(dm());
    EXPECT_EQ(shop.name, "青禾花店");
    EXPECT_EQ(saveShop(dm(), {}).message, "花店名称 不能为空，请重新录入！");
    EXPECT_EQ(saveShop(dm(), {}).focus, "花店名称");
    shop.name = "O'花";
    shop.advertising = "";
    EXPECT_EQ(saveShop(dm(), shop).message, "花店信息 保存成功，请重新打开软件！");
    EXPECT_EQ(loadShop(dm()).name, "O'花");
    EXPECT_EQ(loadShop(dm()).advertising, "");
    db().exec("DELETE FROM SDept");
    EXPECT_EQ(loadShop(dm()).name, "");

    StoreDefaults d;
    d.sex = "男";
    d.orderState = "已送";
    EXPECT_EQ(saveStoreDefaults(dm(), d).message,
              "恭喜！恭喜！ 默认项 保存成功，重新打开软件生效！");
    EXPECT_EQ(dm().login().defaults.sex, "");
    readStoreDefaults(dm());
    EXPECT_EQ(dm().login().defaults.sex, "男");
    EXPECT_EQ(dm().login().defaults.orderState, "已送");
    EXPECT_EQ(dm().login().defaults.memberCategory, "");
}

FLORIST_ON_EVERY_BACKEND(UsersTest);

} // namespace
} // namespace florist::settings
