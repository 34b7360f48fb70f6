#include "stock/materialimport.h"

#include "core/errors.h"
#include "core/spreadsheet/sheet.h"
#include "core/text/numberinput.h"
#include "stock/materials.h"

namespace florist::stock {

namespace {

double priceCell(const SheetRow& row, const QString& heading) {
    const QString text = row.text(heading).trimmed();
    if (text.isEmpty()) {
        return 0;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !qIsFinite(value)) {
        throw Failure(QString("“%1”列的值“%2”不是数字，请在EXCEL文件中改正后重新导入！")
                          .arg(heading, row.text(heading)));
    }
    return value;
}

} // namespace

const QStringList& materialImportHeadings() {
    static const QStringList headings = {"花材分类", "花材编号", "花材名称", "花材单位",
                                         "采购单价", "销售单价", "备注"};
    return headings;
}

QString materialImportHint() {
    return "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为" +
           materialImportHeadings().join("、");
}

QString materialImportDoneText(int count) {
    return "成功导入花材数据 " + QString::number(count) + " 条！";
}

bool importMaterialRow(DataModule& dm, const SheetRow& row) {
    MaterialValues v;
    v.type = row.text("花材分类");
    v.number = row.text("花材编号");
    v.name = row.text("花材名称");
    v.unit = row.text("花材单位");
    v.remark = row.text("备注");
    if (v.number.isEmpty() || materialNumberTaken(dm, v.number)) {
        return false;
    }
    const double purchase = priceCell(row, "采购单价");
    const double sale = priceCell(row, "销售单价");
    insertMaterial(dm, v, purchase, sale);
    return true;
}

} // namespace florist::stock
