#pragma once

#include "ui/windowregistry.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace florist::ui {

// frmCPass "修改密码": the current user's own password; the program ends after a change.
class PasswordWindow : public QDialog {
    Q_OBJECT
public:
    explicit PasswordWindow(Context& context, QWidget* parent = nullptr);
    QGroupBox* group() const { return group_; }
    QLineEdit* oldField() const { return old_; }
    QLineEdit* newField() const { return new_; }
    QLineEdit* confirmField() const { return confirm_; }
    void save();

private:
    Context& context_;
    QGroupBox* group_ = nullptr;
    QLineEdit* old_ = nullptr;
    QLineEdit* new_ = nullptr;
    QLineEdit* confirm_ = nullptr;
};

// frmDept "花店设置": the shop's own details; the program ends after a save.
class ShopWindow : public QDialog {
    Q_OBJECT
public:
    explicit ShopWindow(Context& context, QWidget* parent = nullptr);
    QList<QLineEdit*> fields() const { return fields_; }
    void save();

private:
    Context& context_;
    QList<QLineEdit*> fields_; // name, phone, address, remark, advertising
};

// frmMRX "默认项设置": the current store's seven defaults for the entry windows.
class DefaultsWindow : public QDialog {
    Q_OBJECT
public:
    explicit DefaultsWindow(Context& context, QWidget* parent = nullptr);
    QList<QComboBox*> boxes() const { return boxes_; }
    void save();

private:
    Context& context_;
    QList<QComboBox*> boxes_; // category, sex, product, slot, payment, state, type
};

// frmAbout "关于...".
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Context& context, QWidget* parent = nullptr);
};

// Registers the settings windows: users and rights, password, shop, stores, staff, defaults,
// about.
void registerSettingsWindows();

} // namespace florist::ui
