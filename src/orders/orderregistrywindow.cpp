#include "orders/orderregistrywindow.h"

#include "orders/orderentrywindow.h"
#include "ui/windowregistry.h"

namespace florist::orders {

void registerOrderWindows() {
    ui::WindowRegistry::add("frmOrder_In", [](ui::Context& context, QWidget* parent) {
        return new OrderEntryWindow(context, parent);
    });
}

void openOrderEntry(ui::Context& context, QWidget* parent, const OrderPrefill& prefill) {
    OrderEntryWindow window(context, parent);
    window.prefill(prefill);
    window.exec();
}

} // namespace florist::orders
