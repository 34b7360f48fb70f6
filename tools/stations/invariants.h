#pragma once

#include "core/db/database.h"
#include "support/ledger.h"

#include <QMap>
#include <QStringList>

namespace florist::stations {

// A partner's balances before the stations started.
struct PartnerOpening {
    double receivable = 0; // theYS
    double payable = 0;    // theYF
};

// The values the documents start from: every member's stored value and points, every partner's
// balances, as the simulation set them up.
struct Openings {
    test::Openings members;
    QMap<qlonglong, PartnerOpening> partners;
};

// Checks the whole database after the stations ran (or after a station was killed) and returns
// one line per fault; empty when everything holds:
// - document numbers unique per header table, each the prefix, the entry date as yymmdd, "-"
//   and at least four digits;
// - every member's theMoney and theJF equal to its opening plus its live documents (ledger.h);
// - every live order's M7 equal to the sum of its live collection rows, and M6 - M7 = M8;
// - no lot below zero; per material and store the lots hold what the purchases brought in minus
//   what the outgoing lines took;
// - every partner's theYS and theYF equal to its opening plus its documents;
// - no half-written document: an order has its one entry collection row and a deleted order no
//   live collection row, every collection row and every lot belongs to a document, every stock
//   document has lines and every line a document.
// Money is compared within 0.005.
QStringList invariantFaults(Database& db, const Openings& openings);

} // namespace florist::stations
