#include "partners/partnerpickdialog.h"

#include "core/db/datamodule.h"
#include "core/search/searchdescriptor.h"
#include "ui/windowregistry.h"

namespace florist::partners {

QStringList partnerFieldHeadings() {
    return {"单位分类", "单位名称", "联系人",   "电话号码", "手机号码",
            "联系地址", "应收金额", "应付金额", "备注"};
}

PartnerPickOutcome findPartnerFor(QWidget* parent, DataModule& dm, const QString& mode,
                                  const QString& text) {
    Q_UNUSED(parent);
    // PARTNER SEAM: the search and frmFindWL come with the partner units.
    const QString excluded = (mode == "JH" || mode == "FK") ? "客户" : "供应商";
    const Dialect& d = dm.db().dialect();
    const QString pattern = search::containsPattern(text);
    const ResultSet rows = dm.db().select(
        "SELECT theType AS 单位分类, theName AS 单位名称, thePro AS 联系人, thePhone AS 电话号码, "
        "theMob AS 手机号码, theAdd AS 联系地址, theYS AS 应收金额, theYF AS 应付金额, Remark AS "
        "备注, ID FROM UWL WHERE (theDel = '否') AND (theType <> ?) AND (WName = ?) AND ((" +
            search::likeTerm("theName", d) + ") OR (" + search::likeTerm("thePY", d) +
            ")) ORDER BY ID DESC ",
        {excluded, dm.login().currentStore, pattern, pattern});
    PartnerPickOutcome out;
    if (rows.size() != 1) {
        out.kind = rows.isEmpty() ? PartnerPickOutcome::NotFound : PartnerPickOutcome::Cancelled;
        return out;
    }
    out.kind = PartnerPickOutcome::Picked;
    const QStringList headings = partnerFieldHeadings();
    for (int c = 0; c < headings.size(); ++c) {
        out.partner.fields.insert(headings.at(c), rows.value(0, c));
    }
    out.partner.id = rows.value(0, 9).toLongLong();
    return out;
}

std::optional<PickedPartner> addPartnerFor(QWidget* parent, ui::Context& context,
                                           const QString& mode, const QString& name) {
    Q_UNUSED(parent);
    Q_UNUSED(context);
    Q_UNUSED(mode);
    Q_UNUSED(name);
    // PARTNER SEAM: frmUWL_In in the document modes comes with the partner units.
    return std::nullopt;
}

} // namespace florist::partners
