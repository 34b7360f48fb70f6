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

// "录入新订单 &N" of the anniversary list: opens order entry for a new order of the row's
// customer (the row's values by heading: "卡号", "送花人", "收花人", …).
using NewOrderOpener = std::function<void(ui::Context&, QWidget* parent, const QVariantMap& row)>;
void setNewOrderOpener(NewOrderOpener opener);

} // namespace florist::orders
