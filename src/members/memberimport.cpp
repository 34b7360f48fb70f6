#include "members/memberimport.h"

#include "core/spreadsheet/sheet.h"
#include "members/memberentry.h"

namespace florist::members {

namespace {

// A bare number of the sheet: the reader gives cells as the spreadsheet shows them.
double numberCell(const SheetRow& row, const QString& heading) {
    const QString text = row.text(heading).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !qIsFinite(value)) {
        throw Failure(QString("“%1”列的值“%2”不是数字，请在EXCEL文件中改正后重新导入！")
                          .arg(heading, row.text(heading)));
    }
    return value;
}

} // namespace

const QStringList& memberImportHeadings() {
    static const QStringList headings = {"会员分类", "卡号",     "姓名",    "性别",     "生日",
                                         "手机号码", "电话号码", "QQ号",    "微信号",   "个人喜好",
                                         "单位名称", "联系地址", "备注",    "持卡日期", "积分",
                                         "消费日期", "消费次数", "账户余额"};
    return headings;
}

QString memberImportHint() {
    return "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为" + memberImportHeadings().join("、");
}

QString memberImportDoneText(int count) {
    return "成功导入会员数据 " + QString::number(count) + " 条！";
}

bool importMemberRow(DataModule& dm, const SheetRow& row) {
    MemberValues v;
    v.category = row.text("会员分类");
    v.cardNumber = row.text("卡号");
    v.name = row.text("姓名");
    v.sex = row.text("性别");
    v.birthday = row.text("生日");
    v.mobile = row.text("手机号码");
    v.phone = row.text("电话号码");
    v.qq = row.text("QQ号");
    v.weChat = row.text("微信号");
    v.preferences = row.text("个人喜好");
    v.workUnit = row.text("单位名称");
    v.address = row.text("联系地址");
    v.remark = row.text("备注");
    v.cardDate = row.date("持卡日期");
    MemberBalances balances;
    balances.lastPurchase = row.date("消费日期");
    if (!normaliseBirthday(v.birthday)) {
        throw Failure(QString("“生日”列的值“%1”不是有效的月-日（例如 05-03），"
                              "请在EXCEL文件中改正后重新导入！")
                          .arg(v.birthday));
    }
    if (v.cardNumber.isEmpty()) {
        return false;
    }
    if (cardNumberTaken(dm, v.cardNumber)) {
        return false;
    }
    balances.points = numberCell(row, "积分");
    balances.count = numberCell(row, "消费次数");
    balances.money = numberCell(row, "账户余额");
    insertMember(dm, v, balances);
    return true;
}

} // namespace florist::members
