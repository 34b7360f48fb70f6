#pragma once

#include "core/spreadsheet/sheet.h"

namespace florist::detail {

// The readers behind readSheet, one per file kind.
Sheet readXlsx(const QString& path, const SheetLimits& limits);
Sheet readXls(const QString& path, const SheetLimits& limits);

} // namespace florist::detail
