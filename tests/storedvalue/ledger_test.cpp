#include "storedvalue/storedvaluefixture.h"

namespace florist::test {
namespace {

class LedgerTest : public StoredValueTest {};

// The check counts what moves a member's money and points, and nothing else: live top-ups,
// the live "储值卡" collection rows of live member orders, live member orders' points and live
// exchanges. Every value changed behind the documents' back is reported.
TEST_P(LedgerTest, ReportsValuesTheDocumentsDoNotExplain) {
    const qlonglong a = addMember("VIP001", 50, 5);
    const qlonglong b = addMember("VIP002");
    const Openings openings = {{a, {50, 5}}, {b, {}}};
    storedvalue::saveTopUp(dm(), topUp(a, "VIP001", "100", "20"));
    runSave(dm(), [&](Save& s) { cardOrder(s, a, "VIP001", 30); });
    runSave(dm(), [&](Save& s) { cardOrder(s, a, "VIP001", 10); });
    storedvalue::saveExchange(dm(), exchange(a, "VIP001", "45", "4", "2"));
    // Rows that move nothing: a cash collection, a walk-in order's card row, deleted rows.
    db().exec("INSERT INTO UO_SK (theNum, theMoney, MType, theDel) VALUES "
              "('DD250301-0001', 7, '现金', '否')");
    db().exec("INSERT INTO UOrder (theNum, theType, MNum, theDel, theJF) VALUES ('DD-W', '散客', "
              "'VIP001', '否', 9)");
    db().exec("INSERT INTO UO_SK (theNum, theMoney, MType, theDel) VALUES ('DD-W', 9, '储值卡', "
              "'否')");
    db().exec("INSERT INTO UStore (theNum, MNum, M1, M2, theDel, MID) VALUES ('CZ-X', 'VIP001', "
              "500, 0, '是', ?)",
              {a});
    EXPECT_TRUE(ledgerBalances(db(), openings));
    EXPECT_NEAR(money(a), 130, 1e-9);
    EXPECT_NEAR(points(a), 37, 1e-9);

    // The second order deleted and refunded, its collection row left as it was: the card row
    // of a deleted order no longer counts.
    db().exec("UPDATE UOrder SET theDel = '是' WHERE (theNum = 'DD250301-0002')");
    db().exec("UPDATE UMember SET theJF = theJF - 10, theMoney = theMoney + 10 WHERE (ID = ?)",
              {a});
    EXPECT_TRUE(ledgerBalances(db(), openings));
    db().exec("UPDATE UMember SET theMoney = theMoney + 0.01, theJF = theJF - 0.004 "
              "WHERE (ID = ?)",
              {b});
    const QList<LedgerDifference> differences = ledgerDifferences(db(), openings);
    ASSERT_EQ(differences.size(), 1);
    EXPECT_EQ(differences[0].memberId, b);
    EXPECT_EQ(differences[0].column, "theMoney");
    EXPECT_NEAR(differences[0].stored, 0.01, 1e-9);
    EXPECT_FALSE(ledgerBalances(db(), openings));
}

FLORIST_ON_EVERY_BACKEND(LedgerTest);

} // namespace
} // namespace florist::test
