#include "core/settings/storelists.h"

#include "core/db/dialect.h"

namespace florist::settings {

using namespace lists;

ListDescriptor storeList() {
    ListDescriptor d;
    d.window = "frmWare";
    d.caption = "门店设置";
    d.size = QSize(490, 480);
    d.table = "SWare";
    d.word = "仓库名称";
    d.nameLabel = "门店名称：";
    d.nameLimit = 12;
    d.group = "门店信息";
    d.successWord = "仓库信息";
    d.select = "SELECT theName AS 门店名称, Remark AS 备注, ID FROM SWare";
    d.existsSql = "select ID from SWare Where " + sameKey("theName");
    d.existsParams = {token::name};
    d.insertSql =
        "Insert into SWare(theName,Remark,theMType,theSex,theHX) Values(?, ?, '', '', '')";
    d.insertParams = {token::name, token::remark};
    d.loader = "SWare";
    return d;
}

ListDescriptor staffList() {
    ListDescriptor d;
    d.window = "frmWorker";
    d.caption = "员工设置";
    d.size = QSize(530, 480);
    d.table = "SWorker";
    d.word = "员工姓名";
    d.nameLabel = "员工姓名：";
    d.nameLimit = 12;
    d.group = "用户信息";
    d.successWord = "员工信息";
    d.select = "SELECT WName AS 门店名称, theName AS 员工姓名, Remark AS 备注, ID FROM SWorker "
               "WHERE (ID > 0) AND (WName = ? ) ";
    d.selectParams = {token::store};
    d.existsSql = "select ID from SWorker Where " + sameKey("theName") + " AND WName = ? ";
    d.existsParams = {token::name, token::store};
    d.takenFocusesName = true;
    d.insertSql = "Insert into SWorker(WName, theName, Remark) Values(?, ?, ?)";
    d.insertParams = {token::store, token::name, token::remark};
    d.loader = "SWorker";
    return d;
}

} // namespace florist::settings
