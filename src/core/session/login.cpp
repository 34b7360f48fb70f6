#include "core/session/login.h"

#include "core/db/datamodule.h"
#include "core/session/password.h"

namespace florist {

LoginResult logIn(DataModule& dm, const QString& userName, const QString& password,
                  const QDate& businessDate) {
    LoginResult result;
    if (userName.isEmpty()) {
        return result;
    }
    Database& db = dm.db();
    ResultSet rs = db.select(db.dialect().loginStatement(), {userName});
    if (rs.size() != 1 || !verifyPassword(rs.text(0, "thePass"), password)) {
        result.outcome = LoginOutcome::WrongPassword;
        return result;
    }
    LoginValues& v = dm.login();
    v.currentStore = rs.text(0, "WName");
    v.currentUser = rs.text(0, "theName");
    v.loginPassword = password;
    v.userId = rs.text(0, "ID");
    v.businessDate = businessDate.toString("yyyy-MM-dd");
    if (!isPasswordHash(rs.text(0, "thePass"))) {
        db.exec("UPDATE SUser SET thePass = ? WHERE (ID = ?) ",
                {hashPassword(password), v.userId.toLongLong()});
    }
    ResultSet rights =
        db.select("SELECT MNum FROM SLevel WHERE (UID = ?) ", {v.userId.toLongLong()});
    for (int i = 0; i < rights.size(); ++i) {
        result.rights << rights.text(i, "MNum");
    }
    result.outcome = LoginOutcome::Accepted;
    return result;
}

void readStoreDefaults(DataModule& dm) {
    ResultSet rs = dm.db().select("SELECT theMType, theSex, theHX, theSD, theSK, theState, "
                                  "theDType FROM SWare WHERE (theName = ?) ",
                                  {dm.login().currentStore});
    StoreDefaults d;
    if (!rs.isEmpty()) {
        d.memberCategory = rs.text(0, "theMType");
        d.sex = rs.text(0, "theSex");
        d.product = rs.text(0, "theHX");
        d.timeSlot = rs.text(0, "theSD");
        d.paymentMethod = rs.text(0, "theSK");
        d.orderState = rs.text(0, "theState");
        d.orderType = rs.text(0, "theDType");
    }
    dm.login().defaults = d;
}

} // namespace florist
