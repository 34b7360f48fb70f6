#pragma once

#include "core/search/pagedmodel.h"
#include "core/search/searchdescriptor.h"
#include "core/spreadsheet/xlsxexport.h"

namespace florist {
class Database;
}

namespace florist::search {

// The count and the sums of the totals select over the list's WHERE text.
struct Totals {
    qlonglong rows = 0;
    QStringList
        values; // one per descriptor total, in the shortest form; whenEmpty for an empty sum
};

Totals readTotals(Database& db, const SearchDescriptor& spec, const Term& where);

// The totals row as shown: "会员数量：12", "积分：340.5", …
QStringList totalsLines(const SearchDescriptor& spec, const Totals& totals);

// The export of the model's whole query in the descriptor's export layout, read from the server in
// pages.
ExportTable exportRows(Database& db, const SearchDescriptor& spec, const PagedTableModel& model,
                       const Totals& totals);

} // namespace florist::search
