#pragma once

#include "core/db/database.h"

#include <QList>
#include <QMap>
#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>

namespace florist::test {

// The ledger check: every member's stored value and points recomputed from the documents and
// compared with what UMember holds.
//
//   theMoney = opening money + live top-ups (M1 + M2)
//              - live "储值卡" collection rows (UO_SK) of live member orders
//   theJF    = opening points + theJF of live member orders
//              - live exchanges (thePrice * theCount)
//
// A deleted document counts for nothing: its save and its reversal cancel out. Each document
// belongs to the member recorded on it (the MID column, where its table has one and the row
// holds a value), else to the live member holding its card number (MNum; the earliest one
// when two live members share it), never to a deleted member.
//
// Only the members given opening values are checked: 0 and 0 for a member entered in a window
// (zeroOpenings), the sheet's values for one imported; a member whose points were cleared has
// no opening the documents explain and is left out. A stored value may differ from the
// recomputed one by at most 0.005 (amounts are floating point, an order's points a division).
//
// Usage, at the end of a save or delete test:
//   EXPECT_TRUE(test::ledgerBalances(db(), test::zeroOpenings({memberA, memberB})));
struct Opening {
    double money = 0;
    double points = 0;
};
using Openings = QMap<qlonglong, Opening>; // member ID -> its opening values

Openings zeroOpenings(std::initializer_list<qlonglong> memberIds);

struct LedgerDifference {
    qlonglong memberId = 0;
    QString card;
    QString column; // "theMoney" or "theJF"
    double stored = 0;
    double expected = 0;
};

// The members whose stored values differ from their documents.
QList<LedgerDifference> ledgerDifferences(Database& db, const Openings& openings);

// Success when no member differs; otherwise a failure listing each difference.
::testing::AssertionResult ledgerBalances(Database& db, const Openings& openings);

} // namespace florist::test
