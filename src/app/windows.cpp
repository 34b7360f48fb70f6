#include "app/windows.h"

#include "lists/listregistrywindow.h"
#include "members/memberlistwindow.h"
#include "members/memberregistrywindow.h"
#include "orders/orderlistwindow.h"
#include "orders/orderregistrywindow.h"
#include "partners/partnerpaymentwindow.h"
#include "partners/partnerregistrywindow.h"
#include "stock/materialregistrywindow.h"
#include "stock/stockdocumentwindow.h"
#include "storedvalue/storedvalueregistrywindow.h"
#include "ui/settingswindows.h"

namespace florist::app {

// One line per subsystem.
void registerAllWindows() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    ui::registerSettingsWindows();
    lists::registerListWindows();
    members::registerMemberWindows();
    members::registerMemberListWindows();
    storedvalue::registerStoredValueWindows();
    orders::registerOrderWindows();
    orders::registerOrderListWindows();
    stock::registerMaterialWindows();
    partners::registerPartnerWindows();
    stock::registerStockDocumentWindows();
    partners::registerPaymentWindows();
}

} // namespace florist::app
