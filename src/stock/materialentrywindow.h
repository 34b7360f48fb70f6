#pragma once

#include "stock/materials.h"
#include "ui/windowregistry.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace florist::ui {
class EntryForm;
}

namespace florist::stock {

// frmUHC_In "花材录入": from the menu it enters materials one after another (type and unit keep
// their choice); opened by management with editMaterial() it saves that material with the
// update, emits materialUpdated and closes.
class MaterialEntryWindow : public QDialog {
    Q_OBJECT
public:
    explicit MaterialEntryWindow(ui::Context& context, QWidget* parent = nullptr);

    // Edit mode: the material's ID and its grid row (headings → values).
    void editMaterial(qlonglong id, const QVariantMap& row);
    // "保存"; false when a check or the database refused.
    bool save();

signals:
    void materialUpdated(qlonglong id);

private:
    MaterialValues values() const;

    ui::Context& context_;
    ui::EntryForm* form_;
    qlonglong editId_ = 0;
    QComboBox* type_;
    QComboBox* unit_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* purchase_;
    QLineEdit* sale_;
    QLineEdit* remark_;
};

} // namespace florist::stock
