#include "core/db/schemaupgrade.h"
#include "support/dbfixture.h"

namespace florist::test {
namespace {

class SchemaUpgradeTest : public DbTest {};

// A database set up by an older program lacks what later steps add; the start brings it in
// and keeps what the rows held.
TEST_P(SchemaUpgradeTest, AddsTheMissingOrderFlagAndKeepsRows) {
    db().exec("INSERT INTO UOrder (theNum, SH1) VALUES (?, ?)", {"DD250301-0001", "李'四"});
    db().exec("DROP INDEX ix_UOrder_theLN"); // an older database had neither
    db().exec("ALTER TABLE UOrder DROP COLUMN theLN");
    ASSERT_FALSE(statementRuns(db(), "SELECT theLN FROM UOrder"));

    upgradeSchema(db());
    upgradeSchema(db()); // a second start finds everything in place

    const ResultSet rows = db().select("SELECT SH1, theLN FROM UOrder");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.value(0, "SH1").toString(), "李'四");
    EXPECT_EQ(rows.value(0, "theLN").toString(), "否");
}

// An older database lacks the anniversary entry and the order indexes: the entry is added and
// granted to those who manage orders, once.
TEST_P(SchemaUpgradeTest, AddsTheAnniversaryEntryForOrderManagersAndTheOrderIndexes) {
    db().exec("DELETE FROM SMenu WHERE (MNum = '0110')");
    db().exec("DELETE FROM SLevel WHERE (MNum = '0110')");
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (7, '0100')"); // enters orders only
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (8, '0101')");
    db().exec("INSERT INTO SLevel (UID, MNum) VALUES (8, '0101')"); // a doubled right
    for (const char* index : {"ix_UOrder_myDate", "ix_UOrder_DState"}) {
        db().exec(QString("DROP INDEX %1").arg(index));
    }
    upgradeSchema(db());
    upgradeSchema(db());
    EXPECT_EQ(db().select("SELECT MName FROM SMenu WHERE (MNum = '0110')").text(0, "MName"),
              "来年同日提醒");
    const ResultSet granted =
        db().select("SELECT UID FROM SLevel WHERE (MNum = '0110') ORDER BY UID");
    ASSERT_EQ(granted.size(), 2);
    EXPECT_EQ(granted.value(0, "UID").toInt(), 1);
    EXPECT_EQ(granted.value(1, "UID").toInt(), 8);
    for (const UpgradeStep& step : upgradeSteps()) {
        EXPECT_TRUE(step.present(db())) << step.name.toStdString();
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
