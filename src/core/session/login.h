#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace florist {

class DataModule;

enum class LoginOutcome { NoUser, WrongPassword, Accepted };

struct LoginResult {
    LoginOutcome outcome = LoginOutcome::NoUser;
    QStringList rights; // the SLevel codes of the user, in the order returned
};

// The messages of a refused login.
inline const char* const kNoUserMessage = "用户名 不能为空，请选择！";
inline const char* const kWrongPasswordMessage = "密码错误，请重新录入！";

// Logs a user in for a business date. On success the login values are set and the rights read;
// a password still stored in clear text is rewritten as a hash.
LoginResult logIn(DataModule& dm, const QString& userName, const QString& password,
                  const QDate& businessDate);
// Reads the current store's defaults into the login values (empty when the store has no row).
void readStoreDefaults(DataModule& dm);

} // namespace florist
