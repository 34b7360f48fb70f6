#pragma once

#include "core/db/connectionsettings.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace florist {
class Database;
}

namespace florist::ui {

// frmConnection: where the database lives. Opened when the configured server cannot be reached
// at start and from "连接设置" on the login window. "测试连接" tries the entered values on a
// connection of its own; "保存" writes them into the settings file and switches the run's
// connection to them (the dialog closes once that connection is open).
class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    ConnectionDialog(Database& db, const QString& iniPath, QWidget* parent = nullptr);

    QComboBox* backendBox() const { return backend_; }
    QLineEdit* serverBox() const { return server_; }
    QLineEdit* portBox() const { return port_; }
    QLineEdit* databaseBox() const { return database_; }
    QLineEdit* userBox() const { return user_; }
    QLineEdit* passwordBox() const { return password_; }
    QPushButton* testButton() const { return test_; }
    QPushButton* saveButton() const { return save_; }

    // The settings the fields describe; raises Failure (the message of the field at fault, whose
    // box gets the focus) when they are incomplete.
    ConnectionSettings entered();
    void testConnection();
    void save();

    // Runs the dialog over the run's connection; true when new settings were saved and the
    // connection to them is open. Tests replace how it is run, so no dialog waits for a person.
    using Runner = std::function<void(ConnectionDialog*)>;
    static void setRunner(Runner runner);
    static bool run(Database& db, const QString& iniPath, QWidget* parent);

private:
    void showBackend();
    void forgetSavedPassword();

    Database& db_;
    QString iniPath_;
    ConnectionSettings initial_;
    QComboBox* backend_ = nullptr;
    QLineEdit* server_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* database_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLabel* databaseLabel_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* test_ = nullptr;
    QPushButton* save_ = nullptr;
    bool passwordFromFile_ = false;
};

} // namespace florist::ui
