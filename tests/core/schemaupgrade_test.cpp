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

TEST_P(SchemaUpgradeTest, EveryStepIsInPlaceOnANewDatabase) {
    for (const UpgradeStep& step : upgradeSteps()) {
        EXPECT_TRUE(step.present(db())) << step.name.toStdString();
    }
}

FLORIST_ON_EVERY_BACKEND(SchemaUpgradeTest);

} // namespace
} // namespace florist::test
