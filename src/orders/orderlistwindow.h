#pragma once

#include <QVariantMap>
#include <functional>

class QWidget;

namespace florist::ui {
struct Context;
}

namespace florist::orders {

// Registers the order management, query, reminder, collections and anniversary lists.
void registerOrderListWindows();

// "录入新订单 &N" of the anniversary list hands the chosen order to this hook, by its UOrder
// column names (MNum, SH1 … SH8, SH01 … SH05, theHX, theNum …), for order entry to open prefilled
// with that customer's sender and recipient. Without a hook (the program) it opens order entry
// prefilled from them; tests set one to see what is handed over.
using NewOrderOpener =
    std::function<void(ui::Context&, QWidget* parent, const QVariantMap& orderColumns)>;
void setNewOrderOpener(NewOrderOpener opener);

} // namespace florist::orders
