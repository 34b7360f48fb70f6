#include "partners/partnerentrywindow.h"

#include "core/db/datamodule.h"
#include "ui/entryform.h"
#include "ui/outcome.h"
#include "ui/prompt.h"

#include <QPushButton>

namespace florist::partners {

namespace {

PartnerEntryWindow::Runner& runner() {
    static PartnerEntryWindow::Runner r;
    return r;
}

} // namespace

PartnerEntryWindow::PartnerEntryWindow(ui::Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmUWL_In");
    setWindowTitle("往来单位录入");
    form_ = new ui::EntryForm(this, "往来单位信息");
    type_ = form_->addList("单位分类：", context_.dm.loaders().DBComWLType());
    name_ = form_->addText("单位名称：", 50);
    contact_ = form_->addText("联  系  人：", 20);
    phone_ = form_->addText("电话号码：", 30);
    mobile_ = form_->addText("手机号码：", 30);
    address_ = form_->addText("联系地址：", 50);
    receivable_ = form_->addText("应收金额：", 10, ui::KeyFilter::Amount);
    payable_ = form_->addText("应付金额：", 10, ui::KeyFilter::Amount);
    remark_ = form_->addText("备        注：", 50);
    connect(form_->saveButton(), &QPushButton::clicked, this, [this] { save(); });
    name_->setFocus();
}

void PartnerEntryWindow::editPartner(qlonglong id, const QVariantMap& row) {
    editId_ = id;
    mode_ = kModeEdit;
    const PartnerValues v = partnerValuesFromRow(row);
    ui::chooseText(type_, v.type);
    name_->setText(v.name);
    contact_->setText(v.contact);
    phone_->setText(v.phone);
    mobile_->setText(v.mobile);
    address_->setText(v.address);
    receivable_->setText(v.receivable);
    payable_->setText(v.payable);
    remark_->setText(v.remark);
}

void PartnerEntryWindow::newForDocument(const QString& mode, const QString& name) {
    editId_ = 0;
    mode_ = mode;
    ui::chooseText(type_, presetType(mode));
    if (type_->currentIndex() < 0) {
        // A list without the type: the preset still holds, shown as the only choice.
        type_->setEditable(true);
        type_->setEditText(presetType(mode));
    }
    type_->setEnabled(false);
    name_->setText(name);
    name_->setFocus();
}

PartnerValues PartnerEntryWindow::values() const {
    PartnerValues v;
    v.type = type_->isEditable() ? type_->currentText() : ui::chosenText(type_);
    v.name = name_->text();
    v.contact = contact_->text();
    v.phone = phone_->text();
    v.mobile = mobile_->text();
    v.address = address_->text();
    v.receivable = receivable_->text();
    v.payable = payable_->text();
    v.remark = remark_->text();
    return v;
}

bool PartnerEntryWindow::save() {
    const PartnerValues v = values();
    PartnerSaveResult result;
    if (!ui::guarded(this, [&] { result = savePartner(context_.dm, v, editId_, mode_); })) {
        return false;
    }
    if (!ui::showOutcome(this, result.outcome)) {
        return false;
    }
    if (mode_ == kModeEdit) {
        emit partnerUpdated(editId_);
        accept();
        return true;
    }
    if (isDocumentMode(mode_)) {
        if (mode_ == kModeCollection || mode_ == kModePayment) {
            emit partnerCreated(
                PickedPartner{result.id, partnerFields(v, result.receivable, result.payable)});
        }
        accept();
        return true;
    }
    for (QLineEdit* edit :
         {name_, contact_, phone_, mobile_, address_, receivable_, payable_, remark_}) {
        edit->clear();
    }
    name_->setFocus();
    return true;
}

void PartnerEntryWindow::setRunner(Runner r) {
    runner() = std::move(r);
}

void PartnerEntryWindow::run(PartnerEntryWindow* window) {
    if (runner()) {
        runner()(window);
    } else {
        window->exec();
    }
}

std::optional<PickedPartner> enterPartnerFor(QWidget* parent, ui::Context& context,
                                             const QString& mode, const QString& name) {
    PartnerEntryWindow window(context, parent);
    window.newForDocument(mode, name);
    std::optional<PickedPartner> created;
    QObject::connect(&window, &PartnerEntryWindow::partnerCreated,
                     [&created](const PickedPartner& p) { created = p; });
    PartnerEntryWindow::run(&window);
    return created;
}

} // namespace florist::partners
