#include "orders/orderlists.h"

#include "core/db/loaders.h"
#include "core/search/builders.h"

namespace florist::orders {

using search::Column;
using search::ColumnKind;
using search::Condition;
using search::InputKind;
using search::Match;
using search::SearchDescriptor;

namespace {

using search::build::contains;
using search::build::equals;
using search::build::hidden;
using search::build::number;
using search::build::staff;
using search::build::text;

// The 44 columns of every order list, in the grid's order.
QList<Column> orderColumns() {
    return {text("门店名称", "WName"), text("单号", "theNum", 110),
            text("订单日期", "myDate", 0, true), text("类型", "theType"), text("联盟单位", "AName"),
            // Card numbers keep their leading zeros in the sheet.
            text("卡号", "MNum", 0, true), text("收花人", "SH1", 80), text("收花性别", "SH2"),
            text("送达日期", "SH3", 0, true), text("送达时段", "SH4"), text("送达时间", "SH5"),
            text("收花电话", "SH6", 100, true), text("送达区域", "SH7", 80),
            text("送达地址", "SH8", 180), text("送花人", "SH01", 80), text("送花性别", "SH02"),
            text("送花电话", "SH03", 100, true), text("送花用途", "SH04"), text("送花对象", "SH05"),
            text("商品名称", "theHX"), number("商品单价", "M1", 60), number("折扣", "M2", 60),
            number("折后单价", "M3", 60), number("递送费", "M4", 60), number("代金券", "M5", 60),
            number("总计", "M6", 60), number("收款金额", "M7", 60), number("应收金额", "M8", 60),
            text("收款方式", "MType"), text("收款人", "theSKR"), text("接待人", "theJDR"),
            text("花艺师", "theHYS"), text("递送人", "theDSR"), text("订单类型", "DType"),
            text("订单状态", "DState"), text("备注", "Remark", 120), text("开发票", "theFP"),
            text("花器回收", "theHS"), text("送达通知", "theTZ"), text("送达结款", "theJK"),
            number("本单积分", "theJF", 60), text("录入日期", "theDate"), text("录入人", "UName"),
            hidden("ID")};
}

Condition datePair(const QString& caption, const QString& field) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::DatePair;
    c.match = Match::Between;
    c.fields = {field};
    c.listScansInKeyOrder = true;
    c.defaultFrom = [](const QDate& d) { return d.addMonths(-1); };
    c.defaultTo = [](const QDate& d) { return d; };
    return c;
}

Condition radio(const QString& caption, Match match) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::Radio;
    c.match = match;
    c.fields = {"theType"};
    c.value = caption;
    c.searchesOnClick = true;
    return c;
}

QList<Condition> orderConditions(const QString& store) {
    return {contains("单        号", {"theNum"}), datePair("订单日期", "myDate"),
            contains("卡        号", {"MNum"}), contains("收  花  人", {"SH1"}),
            contains("收花电话", {"SH6"}),
            equals("送达区域", "SH7", [](Loaders& l) { return l.DBComSArea(); }),
            contains("送达地址", {"SH8"}), contains("送  花  人", {"SH01"}),
            contains("送花电话", {"SH03"}),
            equals("商品名称", "theHX", [](Loaders& l) { return l.DBComHX(); }),
            equals("联盟单位", "AName", [](Loaders& l) { return l.DBComSAlliance(); }),
            staff("接  待  人", "theJDR", store), staff("花  艺  师", "theHYS", store),
            equals("订单类型", "DType", [](Loaders& l) { return l.DBComDType(); }),
            equals("订单状态", "DState", [](Loaders& l) { return l.DBComSState(); }),
            contains("备        注", {"Remark"}),
            // "全部" adds no term; it stands first of the four.
            radio("全部", Match::None), radio("会员", Match::Fixed), radio("散客", Match::Fixed),
            radio("单位", Match::Fixed), search::build::store(true),
            staff("收  款  人", "theSKR", store), staff("递  送  人", "theDSR", store),
            equals("送花用途", "SH04", [](Loaders& l) { return l.DBComUse(); }),
            equals("送花对象", "SH05", [](Loaders& l) { return l.DBComObject(); }),
            equals("收款方式", "MType", [](Loaders& l) { return l.DBComSK(); }),
            equals("录  入  人", "UName", [](Loaders& l) { return l.DBComUser(); })};
}

SearchDescriptor orderList(const QString& objectName, const QString& caption,
                           const QString& store) {
    SearchDescriptor s;
    s.objectName = objectName;
    s.caption = caption;
    s.from = "UOrder";
    s.conditions = orderConditions(store);
    // Six rows on the screen; the radio buttons stand beside the buttons.
    s.screenRows = {{kStore, kNumber, kOrderDate},
                    {kAlliance, kCard, kRecipient, kRecipientPhone},
                    {kArea, kAddress, kSender, kSenderPhone},
                    {kPurpose, kRecipientKind, kProduct, kPaymentMethod},
                    {kCollector, kReceptionist, kFlorist, kDeliverer},
                    {kOrderType, kOrderState, kRemark, kEnteredBy}};
    s.columns = orderColumns();
    s.countCaption = "订单数量：";
    s.totals = {{"商品：", "SUM(M1)", "商品单价"}, {"折后：", "SUM(M3)", "折后单价"},
                {"递送费：", "SUM(M4)", "递送费"}, {"代金券：", "SUM(M5)", "代金券"},
                {"总计：", "SUM(M6)", "总计"},     {"收款：", "SUM(M7)", "收款金额"},
                {"应收：", "SUM(M8)", "应收金额"}};
    s.hideBoxes = {{"隐藏收花人信息",
                    {"收花人", "收花性别", "送达日期", "送达时段", "送达时间", "收花电话",
                     "送达区域", "送达地址"}},
                   {"隐藏送花人信息", {"送花人", "送花性别", "送花电话", "送花用途", "送花对象"}}};
    s.exportTitle = "订单表";
    s.exportOmitted = {"收款方式", "收款人", "递送人"};
    return s;
}

SearchDescriptor reminderList(const QString& objectName, const QString& caption,
                              const QString& store, const search::Term& fixed) {
    SearchDescriptor s = orderList(objectName, caption, store);
    s.fixed = fixed;
    return s;
}

} // namespace

SearchDescriptor orderManagementSpec(const QString& currentStore) {
    return orderList("frmOrder_M", "订单管理", currentStore);
}

SearchDescriptor orderQuerySpec(const QString& currentStore) {
    return orderList("frmOrder_Q", "订单查询", currentStore);
}

SearchDescriptor notDeliveredSpec(const QString& currentStore) {
    return reminderList("frmOrder_WS", "未送订单提醒", currentStore,
                        {"AND (DState = ?) ", {QString("未送")}});
}

SearchDescriptor notPickedUpSpec(const QString& currentStore) {
    return reminderList("frmOrder_WQ", "未取订单提醒", currentStore,
                        {"AND (DState = ?) ", {QString("未取")}});
}

SearchDescriptor receivablesSpec(const QString& currentStore) {
    return reminderList("frmOrder_YS", "应收订单提醒", currentStore, {"AND (M8 > 0) ", {}});
}

SearchDescriptor vaseReturnSpec(const QString& currentStore) {
    SearchDescriptor s = reminderList("frmOrder_HQ", "花器回收提醒", currentStore,
                                      {"AND (theHS = ?) ", {QString("是")}});
    // Here the radio buttons and hide boxes take effect at the next "查询".
    for (Condition& c : s.conditions) {
        c.searchesOnClick = false;
    }
    s.hideBoxesSearch = false;
    return s;
}

SearchDescriptor collectionsSpec(const QString& currentStore) {
    SearchDescriptor s;
    s.objectName = "frmOrder_SKQ";
    s.caption = "订单收款查询";
    s.from = "UO_SK";
    s.conditions = {search::build::store(true),
                    datePair("营业日期", "theDate"),
                    contains("单        号", {"theNum"}),
                    equals("收款方式", "MType", [](Loaders& l) { return l.DBComSK(); }),
                    equals("录  入  人", "UName", [](Loaders& l) { return l.DBComUser(); }),
                    staff("收  款  人", "theSKR", currentStore)};
    s.screenRows = {{0, 1}, {2, 3, 4, 5}};
    s.columns = {text("门店名称", "WName"),
                 text("营业日期", "theDate", 0, true),
                 text("单号", "theNum", 110),
                 number("收款金额", "theMoney", 80),
                 text("收款方式", "MType"),
                 text("收款人", "theSKR"),
                 text("录入人", "UName"),
                 text("类型", "theType"),
                 hidden("ID")};
    s.countCaption = "订单收款数量：";
    s.totals = {{"收款金额：", "SUM(theMoney)", "收款金额"}};
    s.exportTitle = "订单收款表";
    s.exportOmitted = {"收款人"};
    return s;
}

} // namespace florist::orders
