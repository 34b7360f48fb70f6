#include "core/db/datamodule.h"
#include "core/session/login.h"
#include "core/session/password.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

class LoginTest : public test::DbTest {
protected:
    QString storedPassword(const QString& user) {
        return dm()
            .db()
            .select("SELECT thePass FROM SUser WHERE (theName = ?)", {user})
            .text(0, "thePass");
    }
};

TEST_P(LoginTest, RefusesUnknownUserAndWrongPassword) {
    const QDate date(2025, 3, 1);
    dm().login() = LoginValues{};
    EXPECT_EQ(logIn(dm(), "", "", date).outcome, LoginOutcome::NoUser);
    EXPECT_EQ(logIn(dm(), "nobody", "", date).outcome, LoginOutcome::WrongPassword);
    EXPECT_EQ(logIn(dm(), "admin", "x", date).outcome, LoginOutcome::WrongPassword);
    EXPECT_TRUE(dm().login().currentUser.isEmpty());
    EXPECT_TRUE(dm().login().businessDate.isEmpty());
}

TEST_P(LoginTest, ClearTextPasswordIsAcceptedOnceAndRewrittenAsHash) {
    dm().myESQL("UPDATE SUser SET thePass = 'old''pw' WHERE (theName = 'admin')");
    LoginResult r = logIn(dm(), "admin", "old'pw", QDate(2025, 3, 1));
    ASSERT_EQ(r.outcome, LoginOutcome::Accepted);
    const QString stored = storedPassword("admin");
    EXPECT_TRUE(isPasswordHash(stored));
    EXPECT_FALSE(stored.contains("old'pw"));
    EXPECT_EQ(dm().login().loginPassword, "old'pw");
    EXPECT_EQ(dm().login().currentUser, "admin");
    EXPECT_EQ(dm().login().currentStore, "总店");
    EXPECT_EQ(dm().login().businessDate, "2025-03-01");
    EXPECT_FALSE(dm().login().userId.isEmpty());
    // The hash now decides: the same password still works, another does not.
    EXPECT_EQ(logIn(dm(), "admin", "old'pw", QDate(2025, 3, 2)).outcome, LoginOutcome::Accepted);
    EXPECT_EQ(logIn(dm(), "admin", "old", QDate(2025, 3, 2)).outcome, LoginOutcome::WrongPassword);
}

TEST_P(LoginTest, RightsComeFromSLevel) {
    LoginResult admin = logIn(dm(), "admin", "", QDate(2025, 3, 1));
    ASSERT_EQ(admin.outcome, LoginOutcome::Accepted);
    EXPECT_EQ(admin.rights.size(), 91);
    dm().myESQL("INSERT INTO SUser (WName, theName, thePass, Remark) VALUES ('总店', ?, ?, '')",
                {"店员", hashPassword("")});
    LoginResult clerk = logIn(dm(), "店员", "", QDate(2025, 3, 1));
    ASSERT_EQ(clerk.outcome, LoginOutcome::Accepted);
    EXPECT_TRUE(clerk.rights.isEmpty());
}

TEST_P(LoginTest, StoreDefaultsOfTheCurrentStore) {
    ASSERT_EQ(logIn(dm(), "admin", "", QDate(2025, 3, 1)).outcome, LoginOutcome::Accepted);
    readStoreDefaults(dm());
    EXPECT_EQ(dm().login().defaults.paymentMethod, "现金");
    EXPECT_EQ(dm().login().defaults.orderState, "未送");
    dm().login().currentStore = "不存在的门店";
    readStoreDefaults(dm());
    EXPECT_TRUE(dm().login().defaults.paymentMethod.isEmpty());
}

FLORIST_ON_EVERY_BACKEND(LoginTest);

TEST(Password, HashesAreSaltedAndVerified) {
    const QString a = hashPassword("花店123");
    const QString b = hashPassword("花店123");
    EXPECT_NE(a, b);
    EXPECT_TRUE(verifyPassword(a, "花店123"));
    EXPECT_FALSE(verifyPassword(a, "花店124"));
    EXPECT_TRUE(verifyPassword(hashPassword(""), ""));
    EXPECT_TRUE(verifyPassword("plain", "plain"));
    EXPECT_FALSE(verifyPassword("plain", "Plain"));
}

} // namespace
} // namespace florist
