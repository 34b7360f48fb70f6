#include "core/db/schemaupgrade.h"
#include "support/dbfixture.h"

namespace florist::test {
namespace {

class SchemaUpgradeTest : public DbTest {};

// A database set up by an older program lacks what later steps add; the start brings it in
// and keeps what the rows held.
TEST_P(SchemaUpgradeTest, AddsTheMissingOrderFlagAndKeepsRows) {
    db().exec("INSERT INTO UOrder (theNum, SH1) VALUES (?, ?)", {"DD250301-0001", "李'四"});
    db().exec("ALTER TABLE UOrder DROP COLUMN theLN");
    ASSERT_FALSE(statementRuns(db(), "SELECT theLN FROM UOrder"));

    upgradeSchema(db());
    upgradeSchema(db()); // a second start finds everything in place

    const ResultSet rows = db().select("SELECT SH1, theLN FROM UOrder");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.value(0, "SH1").toString(), "李'四");
    EXPECT_EQ(rows.value(0, "theLN").toString(), "否");
}

// Top-ups and exchanges from before the member column keep their rows; the column comes empty,
// so their deletion falls back to the card number.
TEST_P(SchemaUpgradeTest, AddsTheDocumentMemberColumnEmpty) {
    for (const QString table : {"UStore", "UExchange"}) {
        db().exec("INSERT INTO " + table + " (theNum, MNum) VALUES (?, ?)", {"X-0001", "VIP1"});
        db().exec("ALTER TABLE " + table + " DROP COLUMN MID");
    }
    upgradeSchema(db());
    for (const QString table : {"UStore", "UExchange"}) {
        const ResultSet rows = db().select("SELECT MNum, MID FROM " + table);
        ASSERT_EQ(rows.size(), 1) << table.toStdString();
        EXPECT_EQ(rows.value(0, "MNum").toString(), "VIP1");
        EXPECT_TRUE(rows.value(0, "MID").isNull());
    }
}

TEST_P(SchemaUpgradeTest, EveryStepIsInPlaceOnANewDatabase) {
    for (const UpgradeStep& step : upgradeSteps()) {
        EXPECT_TRUE(step.present(db())) << step.name.toStdString();
    }
}

FLORIST_ON_EVERY_BACKEND(SchemaUpgradeTest);

} // namespace
} // namespace florist::test
