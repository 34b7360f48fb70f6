#include "lists/referencelists.h"

#include "core/db/dialect.h"

namespace florist::lists {

namespace {

QString existsIn(const QString& table) {
    return "select ID from " + table + " Where " + sameKey("theName");
}

// A list with one number beside the name, 530 × 480, its second grid column 80 pixels wide.
ListDescriptor widerList(const QString& window, const QString& caption, const QString& table,
                         const QString& word, const QString& nameLabel, const QString& group,
                         const QString& successWord, const ExtraValue& value, const QString& select,
                         const QString& insertSql, const QStringList& insertParams) {
    ListDescriptor d;
    d.window = window;
    d.caption = caption;
    d.size = QSize(530, 480);
    d.table = table;
    d.word = word;
    d.nameLabel = nameLabel;
    d.nameLimit = 12;
    d.group = group;
    d.successWord = successWord;
    d.values = {value};
    d.select = select;
    d.columnWidths = {{1, 80}};
    d.existsSql = existsIn(table);
    d.existsParams = {token::name};
    d.insertSql = insertSql;
    d.insertParams = insertParams;
    d.loader = table;
    return d;
}

} // namespace

ListDescriptor simpleList(const QString& window, const QString& caption, const QString& table,
                          const QString& word, const QString& nameLabel, int nameLimit) {
    ListDescriptor d;
    d.window = window;
    d.caption = caption;
    d.size = QSize(490, 480);
    d.table = table;
    d.word = word;
    d.nameLabel = nameLabel;
    d.nameLimit = nameLimit;
    d.group = word + "信息";
    d.successWord = word + "信息";
    d.select = "SELECT theName AS " + word + ", Remark AS 备注, ID FROM " + table;
    d.existsSql = existsIn(table);
    d.existsParams = {token::name};
    d.insertSql = "Insert into " + table + "(theName,Remark) Values(?, ?)";
    d.insertParams = {token::name, token::remark};
    d.loader = table;
    return d;
}

QList<ListDescriptor> referenceLists() {
    return {
        simpleList("frmSSex", "性别设置", "SSex", "性别", "性        别：", 4),
        simpleList("frmSSD", "送达时段设置", "SSD", "送达时段", "送达时段：", 12),
        simpleList("frmSSK", "收付款方式设置", "SSK", "收付款方式", "收付款方式：", 12),
        simpleList("frmSUse", "送花用途设置", "SUse", "送花用途", "送花用途：", 4),
        simpleList("frmSObject", "送花对象设置", "SObject", "送花对象", "送花对象：", 4),
        simpleList("frmHX", "商品名称设置", "SHX", "商品名称", "商品名称：", 12),
        simpleList("frmDType", "订单类型", "SDType", "订单类型", "订单类型：", 12),
        simpleList("frmSHCType", "花材分类设置", "SHCType", "花材分类", "花材分类：", 12),
        simpleList("frmSHCUnit", "花材单位设置", "SHCUnit", "花材单位", "花材单位：", 4),
        widerList("frmSArea", "送花区域设置", "SArea", "送达区域", "送花区域：", "送花区域信息",
                  "送达区域信息",
                  {"递  送  费：", "递送费", 10, Keys::Amount, ValueCheck::NotZeroText},
                  "SELECT theName AS 送达区域, thePrice AS 递送费, Remark AS 备注, ID FROM SArea",
                  "Insert into SArea(theName,Remark,thePrice,thePY) Values(?, ?, ?, ?)",
                  {token::name, token::remark, token::value(0), token::pinyin}),
        widerList("frmSAlliance", "联盟单位设置", "SAlliance", "联盟单位", "联盟单位：",
                  "联盟单位信息", "联盟单位信息",
                  {"享受折扣：", "享受折扣", 3, Keys::Digits, ValueCheck::NotZeroText},
                  "SELECT theName AS 联盟单位, theZK AS 享受折扣, Remark AS 备注, ID FROM "
                  "SAlliance",
                  "Insert into SAlliance(theName,Remark,theZK) Values(?, ?, ? )",
                  {token::name, token::remark, token::value(0)}),
        widerList("frmSGift", "礼品设置", "SGift", "礼品名称", "礼品名称：", "礼品信息", "礼品信息",
                  {"所需积分：", "所需积分", 12, Keys::Amount, ValueCheck::NotZeroText},
                  "SELECT theName AS 礼品名称, thePrice AS 所需积分, Remark AS 备注, ID FROM SGift",
                  "Insert into SGift(theName,Remark,thePrice) Values(?, ?, ?)",
                  {token::name, token::remark, token::value(0)}),
    };
}

} // namespace florist::lists
