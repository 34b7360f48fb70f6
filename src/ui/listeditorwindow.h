#pragma once

#include "core/lists/listrules.h"
#include "ui/windowregistry.h"

#include <QDialog>

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace florist::ui {

class GridView;

// The one window of every list editor: the grid of the list's rows with its pop-up "删除 &D",
// the box for one new row, and "新增", "保存", "退出". What it shows and checks comes from the
// descriptor; the rules decide.
class ListEditorWindow : public QDialog {
    Q_OBJECT
public:
    ListEditorWindow(Context& context, const lists::ListDescriptor& descriptor,
                     QWidget* parent = nullptr);

    GridView* grid() const { return grid_; }
    QGroupBox* group() const { return group_; }
    QLineEdit* nameField() const { return name_; }
    QList<QLineEdit*> valueFields() const { return values_; }
    QLineEdit* remarkField() const { return remark_; }
    QAction* deleteAction() const { return delete_; }

    void refresh();
    void clearEntry();
    void save();
    void removeCurrent();

private:
    lists::ListRules rules_;
    GridView* grid_ = nullptr;
    QGroupBox* group_ = nullptr;
    QLineEdit* name_ = nullptr;
    QList<QLineEdit*> values_;
    QLineEdit* remark_ = nullptr;
    QAction* delete_ = nullptr;
};

// Adds the editor of one list to the window registry under the descriptor's window name.
void registerListEditor(const lists::ListDescriptor& descriptor);

} // namespace florist::ui
