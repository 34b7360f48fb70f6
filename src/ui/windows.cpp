#include "ui/windowregistry.h"

#include "members/memberlistwindow.h"
#include "members/memberregistrywindow.h"
#include "partners/partnerpaymentwindow.h"
#include "stock/stockdocumentwindow.h"
#include "ui/settingswindows.h"

namespace florist::ui {

// Each subsystem adds its register call here as its windows arrive.
void registerAllWindows() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    registerSettingsWindows();
    members::registerMemberWindows();
    members::registerMemberListWindows();
    stock::registerStockDocumentWindows();
    partners::registerPaymentWindows();
}

} // namespace florist::ui
