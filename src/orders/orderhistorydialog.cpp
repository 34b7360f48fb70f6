#include "orders/orderhistorydialog.h"

namespace florist::orders {

ui::FindSpec orderHistorySpec(const QString& cardNumber) {
    ui::FindSpec spec;
    spec.objectName = "frmFindO";
    spec.caption = cardNumber + " 历史订单";
    spec.headings = {"单号",     "订单日期", "类型",     "卡号",     "收花人",   "收花性别",
                     "送达日期", "送达时段", "送达时间", "收花电话", "区域",     "送达地址",
                     "送花人",   "送花性别", "送花电话", "花型",     "鲜花单价", "折扣",
                     "折后单价", "递送费",   "代金券",   "总计",     "收款金额", "收款方式",
                     "应收金额", "接待人",   "花艺师",   "订单类型", "订单状态", "备注",
                     "ID"};
    // The order number is read whole (the default width cuts it after "DD250301-0").
    spec.widths = {{"单号", 120},     {"收花人", 80},    {"区域", 80},      {"送花人", 80},
                   {"收花电话", 100}, {"送花电话", 100}, {"送达地址", 180}, {"鲜花单价", 60},
                   {"折扣", 60},      {"折后单价", 60},  {"递送费", 60},    {"代金券", 60},
                   {"总计", 60},      {"收款金额", 60},  {"应收金额", 60},  {"备注", 120}};
    spec.hidden = {"ID"};
    return spec;
}

const QList<std::pair<QString, QString>>& historyCopiedFields() {
    static const QList<std::pair<QString, QString>> fields = {
        {"收花人", "收花人"},     {"收花性别", "收花性别"}, {"送达时段", "送达时段"},
        {"送达时间", "送达时间"}, {"收花电话", "收花电话"}, {"区域", "送达区域"},
        {"送达地址", "送达地址"}, {"送花人", "送花人"},     {"送花性别", "送花性别"},
        {"送花电话", "送花电话"}, {"花型", "商品名称"},     {"鲜花单价", "商品单价"},
    };
    return fields;
}

int chooseHistoryOrder(QWidget* parent, const QString& cardNumber, const ResultSet& rows) {
    ui::FindDialog dialog(orderHistorySpec(cardNumber), rows, parent);
    dialog.resize(1100, 420);
    return dialog.choose();
}

} // namespace florist::orders
