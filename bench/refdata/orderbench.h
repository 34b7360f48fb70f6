#pragma once

#include "core/db/connectionsettings.h"

namespace florist::bench {

class RawEngine;

// Order entry on the reference data set: the save of one order (every statement, one
// transaction, receipt excluded) over a million orders, and the member lookup of the card field
// beside the bare engine.
void registerOrderEntryBenchmarks(Backend backend, RawEngine& raw);

} // namespace florist::bench
