#include "stock/materiallookup.h"

#include "core/db/datamodule.h"
#include "core/search/searchdescriptor.h"

namespace florist::stock {

const QStringList& materialHeadings() {
    static const QStringList headings = {"花材分类", "花材编号", "花材名称", "花材单位",
                                         "采购单价", "销售单价", "备注",     "ID"};
    return headings;
}

namespace {

// The catalogue select with a narrowing term (or "") before its own conditions.
QString materialSelect(const Dialect& dialect, const QString& prefilter) {
    return "SELECT theType AS 花材分类, theNum AS 花材编号, theName AS 花材名称, "
           "theUnit AS 花材单位, theCG AS 采购单价, theXS AS 销售单价, Remark AS 备注, ID "
           "FROM UHC WHERE " +
           prefilter + "(theDel = '否') AND ((" + search::likeTerm("theName", dialect) + ") OR (" +
           search::likeTerm("thePY", dialect) + ") OR (" + search::likeTerm("theNum", dialect) +
           ")) ";
}

} // namespace

QString materialSearchSelect(const Dialect& dialect) {
    return materialSelect(dialect, {});
}

ResultSet searchMaterials(DataModule& dm, const QString& text) {
    const Dialect& dialect = dm.db().dialect();
    // UHC_trgm (SQLite) narrows a longer text to the materials that may hold it; the LIKE
    // terms still decide. PostgreSQL's trigram indexes serve the ILIKE terms themselves, for a
    // text of three characters or more: planned for its value, a shorter one keeps the scan.
    const Dialect::Prefilter prefilter = dialect.substringPrefilter("UHC", text);
    const QString pattern = search::containsPattern(text);
    return dm.db().selectPlannedForValues(materialSelect(dialect, prefilter.text),
                                          prefilter.params +
                                              QVariantList{pattern, pattern, pattern});
}

PickedMaterial pickMaterial(const ResultSet& rows, int row) {
    PickedMaterial m;
    m.id = rows.value(row, "ID").toLongLong();
    m.number = rows.text(row, "花材编号");
    m.name = rows.text(row, "花材名称");
    m.unit = rows.text(row, "花材单位");
    m.purchasePrice = rows.value(row, "采购单价").toDouble();
    m.salePrice = rows.value(row, "销售单价").toDouble();
    for (const QString& heading : materialHeadings()) {
        m.fields.insert(heading, rows.text(row, heading));
    }
    return m;
}

} // namespace florist::stock
