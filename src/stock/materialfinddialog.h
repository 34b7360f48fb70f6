#pragma once

#include "stock/materiallookup.h"
#include "ui/finddialog.h"

class QWidget;

namespace florist {
class DataModule;
}

namespace florist::stock {

// frmFindHC "查找花材": the catalogue rows of a material search, the price columns 80 pixels
// and "备注" 200 wide, ID hidden; in mode "JH" (purchase) "销售单价" is hidden too.
ui::FindSpec materialFindSpec(const QString& mode);

struct MaterialFindOutcome {
    enum Kind {
        NotFound, // no material matched: the line stays as it is, no message
        Picked,   // one match taken at once, or the row picked in frmFindHC
        Cancelled // Esc in frmFindHC
    };
    Kind kind = NotFound;
    PickedMaterial material; // when Picked
};

// The material search of a purchase line, as the purchase window runs it on Enter or a double
// click: findMaterial(this, dm, kMaterialCallerPurchase, <column 1 of the line>). One match is
// taken without the dialog; several show frmFindHC modally. The caller writes the material's
// number, name, unit, purchase price and ID into its line. Database failures go on to the
// caller's guarded action. Tests answer the dialog with ui::FindDialog::setRunner.
MaterialFindOutcome findMaterial(QWidget* parent, DataModule& dm, const QString& mode,
                                 const QString& text);

} // namespace florist::stock
