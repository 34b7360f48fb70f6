#include "partners/partnerlookup.h"

#include "core/db/datamodule.h"
#include "core/search/searchdescriptor.h"
#include "partners/partners.h"

namespace florist::partners {

QString excludedType(const QString& mode) {
    if (mode == kModeSale || mode == kModeCollection) {
        return kSupplier;
    }
    return kCustomer;
}

QString partnerSearchSelect(const Dialect& dialect) {
    return "SELECT theType AS 单位分类, theName AS 单位名称, thePro AS 联系人, "
           "thePhone AS 电话号码, theMob AS 手机号码, theAdd AS 联系地址, theYS AS 应收金额, "
           "theYF AS 应付金额, Remark AS 备注, ID FROM UWL WHERE (theDel = '否') AND "
           "(theType <> ?) AND (WName = ?) AND ((" +
           search::likeTerm("theName", dialect) + ") OR (" + search::likeTerm("thePY", dialect) +
           ")) ORDER BY ID DESC ";
}

ResultSet searchPartners(DataModule& dm, const QString& mode, const QString& text) {
    const QString pattern = search::containsPattern(text);
    return dm.db().select(partnerSearchSelect(dm.db().dialect()),
                          {excludedType(mode), dm.login().currentStore, pattern, pattern});
}

PickedPartner pickPartner(const ResultSet& rows, int row) {
    PickedPartner p;
    p.id = rows.value(row, "ID").toLongLong();
    for (const QString& heading : partnerFieldHeadings()) {
        p.fields.insert(heading, rows.text(row, heading));
    }
    return p;
}

} // namespace florist::partners
