#pragma once

#include "core/spreadsheet/xlsxexport.h"
#include "orders/takings.h"
#include "reports/printmodule.h"

namespace florist::orders {

// The takings printed on A4: a group per business date with its orders, a line per payment
// method, the day's subtotal; the grand total and the stored value owed to members at the end.
Receipt takingsPrintout(const Takings& takings, const TakingsQuery& query, const QString& shopName);

// The export: one line per business date and payment method, the "合计" line below.
ExportSpec takingsExportSpec();
ExportTable takingsExportTable(const Takings& takings);

// "2026-12-01 至 2026-12-07  门店：总店" (全部门店 when no store is chosen).
QString takingsRangeText(const TakingsQuery& query);

} // namespace florist::orders
