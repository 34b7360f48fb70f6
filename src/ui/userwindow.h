#pragma once

#include "ui/windowregistry.h"

#include <QDialog>
#include <functional>

class QAction;
class QComboBox;
class QLineEdit;

namespace florist::ui {

class GridView;

// frmUser "用户设置": the users (of the chosen store, or all), a box for a new user, and the
// grid's pop-up that opens the two rights windows for the selected user or removes the user.
class UserWindow : public QDialog {
    Q_OBJECT
public:
    explicit UserWindow(Context& context, QWidget* parent = nullptr);

    GridView* grid() const { return grid_; }
    QComboBox* storeBox() const { return store_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* remarkField() const { return remark_; }
    QAction* operationRightsAction() const { return operationRights_; }
    QAction* storeRightsAction() const { return storeRights_; }
    QAction* deleteAction() const { return delete_; }

    void refresh();
    void save();
    void removeCurrent();
    void openRights(bool stores);

    // How the rights windows are run; tests replace it so no dialog waits for a person.
    using ModalRunner = std::function<void(QDialog*)>;
    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

private:
    Context& context_;
    GridView* grid_ = nullptr;
    QComboBox* store_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* remark_ = nullptr;
    QAction* operationRights_ = nullptr;
    QAction* storeRights_ = nullptr;
    QAction* delete_ = nullptr;
    ModalRunner modalRunner_;
};

} // namespace florist::ui
