#include "partners/partnerfinddialog.h"

#include "partners/partners.h"

namespace florist::partners {

ui::FindSpec partnerFindSpec() {
    ui::FindSpec spec;
    spec.objectName = "frmFindWL";
    spec.caption = "往来单位查找";
    spec.headings = partnerFieldHeadings() + QStringList{"ID"};
    spec.widths = {{"单位名称", 160}, {"联系人", 80},   {"电话号码", 110}, {"手机号码", 100},
                   {"联系地址", 160}, {"应收金额", 80}, {"应付金额", 80}};
    spec.hidden = {"ID"};
    return spec;
}

PartnerFindOutcome findPartner(QWidget* parent, DataModule& dm, const QString& mode,
                               const QString& text) {
    PartnerFindOutcome outcome;
    ResultSet rows = searchPartners(dm, mode, text);
    if (rows.isEmpty()) {
        return outcome;
    }
    if (rows.size() == 1) {
        outcome.kind = PartnerFindOutcome::Picked;
        outcome.partner = pickPartner(rows, 0);
        return outcome;
    }
    ui::FindDialog dialog(partnerFindSpec(), std::move(rows), parent);
    const int row = dialog.choose();
    if (row < 0) {
        outcome.kind = PartnerFindOutcome::Cancelled;
        return outcome;
    }
    outcome.kind = PartnerFindOutcome::Picked;
    outcome.partner = pickPartner(dialog.rows(), row);
    return outcome;
}

} // namespace florist::partners
