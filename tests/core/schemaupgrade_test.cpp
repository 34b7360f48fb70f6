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

// The member lookup's trigram index comes to an older database with the members it holds.
TEST_P(SchemaUpgradeTest, AddsTheMemberSubstringIndex) {
    if (backend() == Backend::Sqlite) {
        for (const char* drop : {"DROP TRIGGER UMember_trgm_ai", "DROP TRIGGER UMember_trgm_ad",
                                 "DROP TRIGGER UMember_trgm_au", "DROP TABLE UMember_trgm"}) {
            db().exec(drop);
        }
    } else {
        for (const char* column : {"theNum", "thePhone", "thePY", "theName", "theMob"}) {
            db().exec(QString("DROP INDEX ix_UMember_%1_trgm").arg(column));
        }
        db().exec("DROP EXTENSION pg_trgm");
    }
    db().exec("INSERT INTO UMember (theDel, theNum, theName, theMob) VALUES ('否', 'A12345', "
              "'王小芳', '13912345678')");
    const UpgradeStep* step = nullptr;
    for (const UpgradeStep& s : upgradeSteps()) {
        if (s.name == "UMember_trgm") {
            step = &s;
        }
    }
    ASSERT_NE(step, nullptr);
    EXPECT_FALSE(step->present(db()));
    upgradeSchema(db());
    EXPECT_TRUE(step->present(db()));
    const QString found =
        backend() == Backend::Sqlite
            ? "SELECT rowid FROM UMember_trgm WHERE UMember_trgm MATCH '\"2345\"'"
            : "SELECT indexname FROM pg_indexes WHERE indexname LIKE 'ix_umember_%_trgm'";
    EXPECT_EQ(db().count(found), backend() == Backend::Sqlite ? 1 : 5);
}

// A login that may not create the extension or index the member table starts all the same;
// its lookups keep the plain scan.
TEST_P(SchemaUpgradeTest, WithoutTheRightTheIndexIsLeftOut) {
    if (backend() != Backend::Postgres) {
        GTEST_SKIP() << "only PostgreSQL needs a right for it";
    }
    for (const char* column : {"theNum", "thePhone", "thePY", "theName", "theMob"}) {
        db().exec(QString("DROP INDEX ix_UMember_%1_trgm").arg(column));
    }
    db().exec("DROP EXTENSION pg_trgm");
    db().exec("DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = "
              "'florist_clerk') THEN CREATE ROLE florist_clerk LOGIN; END IF; END $$");
    db().exec("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO "
              "florist_clerk");
    db().exec("REVOKE CREATE ON DATABASE " + db().connection().databaseName() + " FROM PUBLIC");
    ConnectionSettings clerk = db().settings();
    clerk.user = "florist_clerk";
    {
        Database shop(clerk);
        shop.open();
        EXPECT_NO_THROW(upgradeSchema(shop));
        EXPECT_EQ(shop.count("SELECT 1 FROM UMember"), 0);
    }
    EXPECT_EQ(db().count("SELECT indexname FROM pg_indexes WHERE indexname LIKE "
                         "'ix_umember_%_trgm'"),
              0);
}

FLORIST_ON_EVERY_BACKEND(SchemaUpgradeTest);

} // namespace
} // namespace florist::test
