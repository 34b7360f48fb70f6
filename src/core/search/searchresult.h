#pragma once

#include "core/search/pagedmodel.h"
#include "core/search/searchspec.h"
#include "core/spreadsheet/xlsxexport.h"

namespace florist {
class Database;
}

namespace florist::search {

// The count and the sums of the totals select over the list's WHERE text.
struct Totals {
    qlonglong rows = 0;
    QStringList values; // one per spec.totals, in the shortest form; "0" for an empty sum
};

Totals readTotals(Database& db, const SearchSpec& spec, const Term& where);

// The totals row as shown: "会员数量：12", "积分：340.5", …
QStringList totalsLines(const SearchSpec& spec, const Totals& totals);

// The export of the model's whole query in the spec's layout, read from the server in pages.
ExportTable exportRows(Database& db, const SearchSpec& spec, const PagedTableModel& model,
                       const Totals& totals);

} // namespace florist::search
