#include "core/settings/shop.h"

#include "core/db/datamodule.h"
#include "core/text/gbk.h"

#include <utility>

namespace florist::settings {

ShopDetails loadShop(DataModule& dm) {
    ResultSet rs = dm.db().select(
        "SELECT theName, thePhone, theAddress, Remark, theGG FROM SDept WHERE (ID = 1) ");
    ShopDetails shop;
    if (rs.size() == 1) {
        shop.name = rs.text(0, "theName");
        shop.phone = rs.text(0, "thePhone");
        shop.address = rs.text(0, "theAddress");
        shop.remark = rs.text(0, "Remark");
        shop.advertising = rs.text(0, "theGG");
    }
    return shop;
}

FormOutcome saveShop(DataModule& dm, const ShopDetails& shop) {
    if (shop.name.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage("花店名称"), "花店名称");
    }
    // Each box takes 50 GBK bytes while typing; checked again here.
    const std::pair<const char*, const QString*> boxes[] = {
        {"花店名称", &shop.name}, {"电话号码", &shop.phone},   {"地址", &shop.address},
        {"备注", &shop.remark},   {"广告", &shop.advertising},
    };
    for (const auto& [word, text] : boxes) {
        if (gbkLength(*text) > 50) {
            return FormOutcome::refused(tooLongMessage(word, 50), word);
        }
    }
    dm.myESQL("UPDATE SDept SET theName=?, thePhone=?, theAddress=?, Remark=?, theGG=?  "
              "WHERE (ID = 1) ",
              {shop.name, shop.phone, shop.address, shop.remark, shop.advertising});
    return FormOutcome::success("花店信息 保存成功，请重新打开软件！");
}

FormOutcome saveStoreDefaults(DataModule& dm, const StoreDefaults& d) {
    dm.myESQL("UPDATE SWare SET theMType = ?, theSex = ?, theHX = ?, theSD = ?, theSK = ?, "
              "theState = ?, theDType = ? WHERE (theName = ?)",
              {d.memberCategory, d.sex, d.product, d.timeSlot, d.paymentMethod, d.orderState,
               d.orderType, dm.login().currentStore});
    return FormOutcome::success("恭喜！恭喜！ 默认项 保存成功，重新打开软件生效！");
}

} // namespace florist::settings
