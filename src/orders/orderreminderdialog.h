#pragma once

#include "ui/search/rowdialog.h"

namespace florist::ui {
struct Context;
}

namespace florist::orders {

// frmOrder_WS1 "<单号> 已送": the actual delivery date (the business date), slot and time
// (the order's own); "保存" marks the order delivered.
ui::RowDialog* makeDeliveredDialog(ui::Context& context, qlonglong orderId, const QString& number,
                                   const QString& slot, const QString& time, QWidget* parent);

// frmOrder_YS1 "<单号> 已收": the amount (the whole receivable), the payment method (the store's
// default) and the collector (the store's staff, none chosen); "保存" takes the payment.
ui::RowDialog* makeCollectionDialog(ui::Context& context, qlonglong orderId, const QString& number,
                                    const QString& receivable, QWidget* parent);

} // namespace florist::orders
