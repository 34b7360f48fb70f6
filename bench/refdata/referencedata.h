#pragma once

#include <QString>
#include <functional>

namespace florist {
class Database;
}

namespace florist::bench {

// The size of the reference data set that the list and lookup benchmarks run on.
struct ReferenceSize {
    int stores = 5;
    int members = 100'000;
    int orders = 1'000'000; // each with its collection row
    int topUps = 200'000;
    int materials = 500;
    int lots = 100'000;
};

// Fills a database that holds only the schema and the seed rows: stores, members with Chinese
// names and their pinyin initials, phones, birthdays and dates over six years, orders with
// their collections, top-ups, materials and stock lots. Every table is filled by one
// INSERT … SELECT over small lookup tables inside one transaction, so a million orders take
// seconds, not hours. progress receives a line per step.
void generateReferenceData(Database& db, const ReferenceSize& size = {},
                           const std::function<void(const QString&)>& progress = {});

// Whether the database already holds the members and orders of that size.
bool hasReferenceData(Database& db, const ReferenceSize& size = {});

} // namespace florist::bench
