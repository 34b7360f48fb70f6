#include "stock/lotfinddialog.h"

#include "core/db/datamodule.h"

namespace florist::stock {

ui::FindSpec lotFindSpec(DocumentKind kind) {
    const DocumentConfig& c = documentConfig(kind);
    ui::FindSpec spec;
    spec.objectName = "frmFindHCKC";
    spec.caption = "查找花材";
    spec.headings = {"门店名称", "采购单号",        "采购日期", "花材分类", "花材编号", "花材名称",
                     "花材单位", c.lotPriceHeading, "库存数量", "备注",     "ID",       "HCID"};
    spec.widths = {{"采购单号", 120}, {c.lotPriceHeading, 80}, {"备注", 200}};
    spec.hidden = {"ID", "HCID"};
    return spec;
}

QVariantMap rowMap(const ResultSet& rows, int row, const QStringList& headings) {
    QVariantMap map;
    for (int c = 0; c < headings.size() && c < rows.columns().size(); ++c) {
        map.insert(headings.at(c), rows.value(row, c));
    }
    return map;
}

std::optional<DocumentLine> findLot(QWidget* parent, DataModule& dm, DocumentKind kind,
                                    const QString& store, const QList<qlonglong>& excludedLots,
                                    const QString& text) {
    ResultSet rows = lotSearch(dm.db(), kind, store, excludedLots, text);
    const ui::FindSpec spec = lotFindSpec(kind);
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    if (rows.size() == 1) {
        return lineFromLot(kind, rowMap(rows, 0, spec.headings));
    }
    ui::FindDialog dialog(spec, std::move(rows), parent);
    const int row = dialog.choose();
    if (row < 0) {
        return std::nullopt;
    }
    return lineFromLot(kind, rowMap(dialog.rows(), row, spec.headings));
}

} // namespace florist::stock
