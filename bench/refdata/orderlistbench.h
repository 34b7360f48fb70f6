#pragma once

#include <string>

namespace florist {
class Database;
}

namespace florist::bench {

class RawEngine;

// The order windows over a million orders beside the bare engine: management search with no
// condition, a recipient term and a date range (first rows, totals), reminder lists, the
// collections query, scrolling deep into the list, and the export of 100 k orders.
void registerOrderBenchmarks(const std::string& tag, Database& db, RawEngine& raw);

} // namespace florist::bench
