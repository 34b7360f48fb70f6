#pragma once

#include "ui/windowregistry.h"

#include <QDialog>
#include <QListWidget>

class QCheckBox;
class QGroupBox;

namespace florist::ui {

// A check list laid out in a fixed number of columns, filled top to bottom and then across.
class ColumnCheckList : public QListWidget {
    Q_OBJECT
public:
    ColumnCheckList(int columns, QWidget* parent = nullptr);
    void addCheckItem(const QString& text, bool ticked);
    void setAllChecked(bool checked);
    QStringList checkedTexts() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int columns_;
};

// frmU_L "<user> 操作权限" (the menu entries in 4 columns, with "全选") and frmU_W
// "<user> 查看门店" (the other stores in 2 columns) for one user. "保存" replaces the user's
// rights by the ticked items and closes the window.
class RightsWindow : public QDialog {
    Q_OBJECT
public:
    RightsWindow(Context& context, qlonglong userId, const QString& userName, bool stores,
                 QWidget* parent = nullptr);

    ColumnCheckList* list() const { return list_; }
    QCheckBox* allBox() const { return all_; } // nullptr for the store rights
    QGroupBox* group() const { return group_; }
    void save();

private:
    Context& context_;
    qlonglong userId_;
    QString userName_;
    bool stores_;
    ColumnCheckList* list_ = nullptr;
    QCheckBox* all_ = nullptr;
    QGroupBox* group_ = nullptr;
};

} // namespace florist::ui
