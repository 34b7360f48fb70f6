#pragma once

#include "partners/partnerlookup.h"
#include "partners/partners.h"
#include "ui/windowregistry.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

namespace florist::ui {
class EntryForm;
}

namespace florist::partners {

// frmUWL_In "往来单位录入" in its modes:
// - menu (""): enters partners one after another, with "恭喜！恭喜！ 往来单位信息 保存成功！";
//   the type stays, the other fields are emptied, the focus goes to the name;
// - edit ("m", editPartner): saves with the update, no message, emits partnerUpdated, closes;
// - a document whose partner search found nothing (newForDocument): "JH" purchase and "FK"
//   payment preset the type "供应商", "XS" sale and "SK" collection "客户", locked; the name is
//   the searched text. The save shows no message and closes; "SK" and "FK" emit partnerCreated
//   with the new row's own ID (from its insert) and the nine fields as saved.
class PartnerEntryWindow : public QDialog {
    Q_OBJECT
public:
    explicit PartnerEntryWindow(ui::Context& context, QWidget* parent = nullptr);

    void editPartner(qlonglong id, const QVariantMap& row);
    void newForDocument(const QString& mode, const QString& name);
    const QString& mode() const { return mode_; }
    // "保存"; false when a check or the database refused.
    bool save();

    // How enterPartnerFor runs the window (exec() by default); tests replace it.
    using Runner = std::function<void(PartnerEntryWindow*)>;
    static void setRunner(Runner runner);
    static void run(PartnerEntryWindow* window);

signals:
    void partnerUpdated(qlonglong id);
    void partnerCreated(const florist::partners::PickedPartner& partner);

private:
    PartnerValues values() const;

    ui::Context& context_;
    ui::EntryForm* form_;
    qlonglong editId_ = 0;
    QString mode_;
    QComboBox* type_;
    QLineEdit* name_;
    QLineEdit* contact_;
    QLineEdit* phone_;
    QLineEdit* mobile_;
    QLineEdit* address_;
    QLineEdit* receivable_;
    QLineEdit* payable_;
    QLineEdit* remark_;
};

// What a document window calls when its partner search found no row: opens frmUWL_In modally in
// the document's mode ("JH", "XS", "SK", "FK") with the searched text as the name. Returns the
// new partner in modes "SK" and "FK" when it was saved; nothing for "JH" and "XS" (a second
// Enter finds the new partner there) or when the window was left without a save.
std::optional<PickedPartner> enterPartnerFor(QWidget* parent, ui::Context& context,
                                             const QString& mode, const QString& name);

} // namespace florist::partners
