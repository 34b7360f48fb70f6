#include "stock/materialpickdialog.h"

#include "core/db/datamodule.h"
#include "stock/lotfinddialog.h"

namespace florist::stock {

namespace {

const QStringList kHeadings = {"花材分类", "花材编号", "花材名称", "花材单位",
                               "采购单价", "销售单价", "备注",     "ID"};

} // namespace

std::optional<DocumentLine> findMaterialForLine(QWidget* parent, DataModule& dm,
                                                const QString& text) {
    Q_UNUSED(parent);
    const ResultSet rows = materialSearch(dm.db(), text);
    if (rows.size() == 1) {
        return lineFromMaterial(rowMap(rows, 0, kHeadings));
    }
    // CATALOGUE SEAM: several materials open frmFindHC once the catalogue provides it.
    return std::nullopt;
}

} // namespace florist::stock
