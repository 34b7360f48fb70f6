#pragma once

#include "core/spreadsheet/sheet.h"

namespace florist::detail {

// The readers behind readSheetHere, one per file kind.
Sheet readXlsx(const QString& path, const SheetLimits& limits, const ReadProgress& progress);
Sheet readXls(const QString& path, const SheetLimits& limits, const ReadProgress& progress);

} // namespace florist::detail
