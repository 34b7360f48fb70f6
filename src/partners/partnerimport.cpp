#include "partners/partnerimport.h"

#include "core/errors.h"
#include "core/spreadsheet/sheet.h"
#include "partners/partners.h"

namespace florist::partners {

namespace {

double balanceCell(const SheetRow& row, const QString& heading) {
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

const QStringList& partnerImportHeadings() {
    static const QStringList headings = {"单位分类", "单位名称", "联系人",   "电话号码", "手机号码",
                                         "联系地址", "应收金额", "应付金额", "备注"};
    return headings;
}

QString partnerImportHint() {
    return "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为" + partnerImportHeadings().join("、");
}

QString partnerImportDoneText(int count) {
    return "成功导入往来单位数据 " + QString::number(count) + " 条！";
}

bool importPartnerRow(DataModule& dm, const SheetRow& row) {
    PartnerValues v;
    v.type = row.text("单位分类");
    v.name = row.text("单位名称");
    v.contact = row.text("联系人");
    v.phone = row.text("电话号码");
    v.mobile = row.text("手机号码");
    v.address = row.text("联系地址");
    v.remark = row.text("备注");
    if (v.name.isEmpty() || partnerNameTaken(dm, v.name)) {
        return false;
    }
    const double receivable = balanceCell(row, "应收金额");
    const double payable = balanceCell(row, "应付金额");
    insertPartner(dm, v, receivable, payable);
    return true;
}

} // namespace florist::partners
