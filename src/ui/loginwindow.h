#pragma once

#include "ui/windowregistry.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace florist::ui {

// frmLogin: the first window of a run. A successful login emits loggedIn with the user's rights;
// closing the window ends the program.
class LoginWindow : public QDialog {
    Q_OBJECT
public:
    explicit LoginWindow(Context& context, QWidget* parent = nullptr);

    QDateEdit* dateBox() const { return date_; }
    QComboBox* userBox() const { return user_; }
    QLineEdit* passwordBox() const { return password_; }
    QPushButton* loginButton() const { return login_; }
    QPushButton* settingsButton() const { return settings_; }

    // Runs the login with the window's current input.
    void logIn();
    // "连接设置": the connection dialog; after a save the window reads the new database.
    void editConnection();

signals:
    void loggedIn(const QStringList& rights);

private:
    Context& context_;
    QDateEdit* date_ = nullptr;
    QComboBox* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* login_ = nullptr;
    QPushButton* settings_ = nullptr;
};

} // namespace florist::ui
