#include "storedvalue/storedvaluelists.h"

#include "core/db/loaders.h"
#include "core/search/builders.h"

namespace florist::storedvalue {

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

// Wide enough for a whole number such as CZ250301-0001.
constexpr int kNumberWidth = 120;

// The date range opens on the month up to the business date.
Condition dateCondition(const QString& caption) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::DatePair;
    c.match = Match::Between;
    c.fields = {"myDate"};
    c.defaultFrom = [](const QDate& d) { return d.addMonths(-1); };
    c.defaultTo = [](const QDate& d) { return d; };
    return c;
}

} // namespace

SearchDescriptor topUpManagementSpec(const QString& store) {
    SearchDescriptor s;
    s.objectName = "frmStore_M";
    s.caption = "储值管理";
    s.from = "UStore";
    s.conditions = {contains("单        号", {"theNum"}),
                    dateCondition("储值日期"),
                    contains("卡        号", {"MNum"}),
                    equals("收款方式", "MType", [](Loaders& l) { return l.DBComSK(); }),
                    staff("收  款  人", "theSKR", store),
                    contains("备        注", {"Remark"}),
                    search::build::store(true)};
    s.columns = {text("门店名称", "WName"),
                 text("单号", "theNum", kNumberWidth),
                 text("储值日期", "myDate", 0, true),
                 text("卡号", "MNum", 0, true),
                 number("储值金额", "M1", 80),
                 number("赠送金额", "M2", 80),
                 number("合计金额", "M1 + M2", 80),
                 text("收款方式", "MType"),
                 text("收款人", "theSKR"),
                 text("备注", "Remark", 200),
                 hidden("ID")};
    s.countCaption = "储值数量：";
    s.totals = {{"储值金额：", "SUM(M1)", "储值金额"},
                {"赠送金额：", "SUM(M2)", "赠送金额"},
                {"合计金额：", "SUM(M1 + M2)", "合计金额"}};
    s.exportTitle = "储值表";
    return s;
}

SearchDescriptor topUpQuerySpec(const QString& store) {
    SearchDescriptor s = topUpManagementSpec(store);
    s.objectName = "frmStore_Q";
    s.caption = "储值查询";
    s.exportOmitted = {"门店名称"};
    return s;
}

SearchDescriptor exchangeManagementSpec(const QString& store) {
    SearchDescriptor s;
    s.objectName = "frmExchange_M";
    s.caption = "兑换管理";
    s.from = "UExchange";
    s.conditions = {contains("单        号", {"theNum"}),
                    dateCondition("兑换日期"),
                    contains("卡        号", {"MNum"}),
                    equals("礼品名称", "GName", [](Loaders& l) { return l.DBComSGift(); }),
                    staff("接  待  人", "theJDR", store),
                    contains("备        注", {"Remark"}),
                    search::build::store(true)};
    s.columns = {text("门店名称", "WName"),
                 text("单号", "theNum", kNumberWidth),
                 text("兑换日期", "myDate", 0, true),
                 text("卡号", "MNum", 0, true),
                 text("礼品名称", "GName"),
                 number("所需积分", "thePrice", 60),
                 number("数量", "theCount"),
                 number("兑换积分", "thePrice * theCount", 80),
                 text("接待人", "theJDR"),
                 text("备注", "Remark", 200),
                 hidden("ID")};
    s.countCaption = "兑换数量：";
    s.totals = {{"数量：", "SUM(theCount)", "数量"},
                {"兑换积分：", "SUM(thePrice * theCount)", "兑换积分"}};
    s.exportTitle = "兑换表";
    return s;
}

SearchDescriptor exchangeQuerySpec(const QString& store) {
    SearchDescriptor s = exchangeManagementSpec(store);
    s.objectName = "frmExchange_Q";
    s.caption = "兑换查询";
    s.exportOmitted = {"门店名称"};
    return s;
}

} // namespace florist::storedvalue
