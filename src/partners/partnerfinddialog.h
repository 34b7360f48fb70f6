#pragma once

#include "partners/partnerlookup.h"
#include "ui/finddialog.h"

class QWidget;

namespace florist {
class DataModule;
}

namespace florist::partners {

// frmFindWL "往来单位查找": the rows of a partner search with their widths, ID hidden.
ui::FindSpec partnerFindSpec();

struct PartnerFindOutcome {
    enum Kind {
        NotFound, // no partner matched: the caller opens frmUWL_In (enterPartnerFor)
        Picked,   // one match taken at once, or the row picked in frmFindWL
        Cancelled // Esc in frmFindWL: nothing is taken
    };
    Kind kind = NotFound;
    PickedPartner partner; // when Picked
};

// The partner search of a document window, run on Enter or a double click in its partner
// field: findPartner(this, dm, mode, <the field's text>) with the window's mode, "JH" purchase,
// "XS" sale, "SK" collection, "FK" payment (the mode decides the type left out, see
// excludedType; only partners of the logged-in store are offered). One match is taken without
// the dialog, several show frmFindWL modally. The caller copies the nine fields into its
// "验证信息" group, keeps the ID, and moves the focus (amount for "SK"/"FK", grid for
// "JH"/"XS"). Database failures go on to the caller's guarded action. Tests answer the dialog
// with ui::FindDialog::setRunner.
PartnerFindOutcome findPartner(QWidget* parent, DataModule& dm, const QString& mode,
                               const QString& text);

} // namespace florist::partners
