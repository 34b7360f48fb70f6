#include "stock/materialentrywindow.h"

#include "core/db/datamodule.h"
#include "ui/entryform.h"
#include "ui/outcome.h"
#include "ui/prompt.h"

#include <QPushButton>

namespace florist::stock {

MaterialEntryWindow::MaterialEntryWindow(ui::Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmUHC_In");
    setWindowTitle("花材录入");
    Loaders& loaders = context_.dm.loaders();
    form_ = new ui::EntryForm(this, "花材信息");
    type_ = form_->addList("花材分类：", loaders.DBComHCType());
    number_ = form_->addText("花材编号：", 14);
    name_ = form_->addText("花材名称：", 20);
    unit_ = form_->addList("花材单位：", loaders.DBComHCUnit());
    purchase_ = form_->addText("采购单价：", 10, ui::KeyFilter::Amount);
    sale_ = form_->addText("销售单价：", 10, ui::KeyFilter::Amount);
    remark_ = form_->addText("备        注：", 50);
    connect(form_->saveButton(), &QPushButton::clicked, this, [this] { save(); });
    number_->setFocus();
}

void MaterialEntryWindow::editMaterial(qlonglong id, const QVariantMap& row) {
    editId_ = id;
    const MaterialValues v = materialValuesFromRow(row);
    ui::chooseText(type_, v.type);
    ui::chooseText(unit_, v.unit);
    number_->setText(v.number);
    name_->setText(v.name);
    purchase_->setText(v.purchasePrice);
    sale_->setText(v.salePrice);
    remark_->setText(v.remark);
}

MaterialValues MaterialEntryWindow::values() const {
    MaterialValues v;
    v.type = ui::chosenText(type_);
    v.number = number_->text();
    v.name = name_->text();
    v.unit = ui::chosenText(unit_);
    v.purchasePrice = purchase_->text();
    v.salePrice = sale_->text();
    v.remark = remark_->text();
    return v;
}

bool MaterialEntryWindow::save() {
    MaterialSaveResult result;
    if (!ui::guarded(this, [&] { result = saveMaterial(context_.dm, values(), editId_); })) {
        return false;
    }
    if (!ui::showOutcome(this, result.outcome)) {
        return false;
    }
    if (editId_ > 0) {
        emit materialUpdated(editId_);
        accept();
        return true;
    }
    for (QLineEdit* edit : {number_, name_, purchase_, sale_, remark_}) {
        edit->clear();
    }
    number_->setFocus();
    return true;
}

} // namespace florist::stock
