#include "members/membertypes.h"

#include "core/db/dialect.h"

namespace florist::members {

using namespace lists;

ListDescriptor memberTypeList() {
    ListDescriptor d;
    d.window = "frmMType";
    d.caption = "会员类别设置";
    d.size = QSize(530, 480);
    d.table = "SMType";
    d.word = "会员类别";
    d.nameLabel = "会员类别：";
    d.nameLimit = 12;
    d.group = "会员类别信息";
    d.successWord = "会员类别信息";
    d.values = {{"享受折扣：", "享受折扣", 12, Keys::Any, ValueCheck::Number},
                {"积分比例：", "积分比例", 12, Keys::Any, ValueCheck::NotZeroNumber}};
    d.select = "SELECT theName AS 会员类别, theZK AS 享受折扣, theJF AS 积分比例, Remark AS 备注, "
               "ID FROM SMType";
    d.columnWidths = {{3, 260}};
    d.existsSql = "select ID from SMType Where " + sameKey("theName");
    d.existsParams = {token::name};
    d.takenBeforeValues = true;
    d.insertSql = "Insert into SMType(theName,Remark,theZK,theJF) Values(?, ?, ?, ?)";
    d.insertParams = {token::name, token::remark, token::value(0), token::value(1)};
    d.loader = "SMType";
    return d;
}

} // namespace florist::members
