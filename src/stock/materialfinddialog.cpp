#include "stock/materialfinddialog.h"

namespace florist::stock {

ui::FindSpec materialFindSpec(const QString& mode) {
    ui::FindSpec spec;
    spec.objectName = "frmFindHC";
    spec.caption = "查找花材";
    spec.headings = materialHeadings();
    spec.widths = {{"采购单价", 80}, {"销售单价", 80}, {"备注", 200}};
    spec.hidden = {"ID"};
    if (mode == kMaterialCallerPurchase) {
        spec.hidden << "销售单价";
    }
    return spec;
}

MaterialFindOutcome findMaterial(QWidget* parent, DataModule& dm, const QString& mode,
                                 const QString& text) {
    MaterialFindOutcome outcome;
    ResultSet rows = searchMaterials(dm, text);
    if (rows.isEmpty()) {
        return outcome;
    }
    if (rows.size() == 1) {
        outcome.kind = MaterialFindOutcome::Picked;
        outcome.material = pickMaterial(rows, 0);
        return outcome;
    }
    ui::FindDialog dialog(materialFindSpec(mode), std::move(rows), parent);
    const int row = dialog.choose();
    if (row < 0) {
        outcome.kind = MaterialFindOutcome::Cancelled;
        return outcome;
    }
    outcome.kind = MaterialFindOutcome::Picked;
    outcome.material = pickMaterial(dialog.rows(), row);
    return outcome;
}

} // namespace florist::stock
