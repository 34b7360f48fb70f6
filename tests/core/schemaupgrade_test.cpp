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

// An older database lacks the anniversary and takings entries and the order indexes: the entries
// are added and granted to those who manage orders, once.
TEST_P(SchemaUpgradeTest, AddsTheAnniversaryEntryForOrderManagersAndTheOrderIndexes) {
    for (const char* code : {"0110", "0111"}) {
        db().exec("DELETE FROM SMenu WHERE (MNum = ?)", {QString(code)});
        db().exec("DELETE FROM SLevel WHERE (MNum = ?)", {QString(code)});
    }
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
    EXPECT_EQ(db().select("SELECT MName FROM SMenu WHERE (MNum = '0111')").text(0, "MName"),
              "营业日报");
    for (const char* code : {"0110", "0111"}) {
        const ResultSet granted =
            db().select("SELECT UID FROM SLevel WHERE (MNum = ?) ORDER BY UID", {QString(code)});
        ASSERT_EQ(granted.size(), 2) << code;
        EXPECT_EQ(granted.value(0, "UID").toInt(), 1);
        EXPECT_EQ(granted.value(1, "UID").toInt(), 8);
    }
    for (const UpgradeStep& step : upgradeSteps()) {
        EXPECT_TRUE(step.present(db())) << step.name.toStdString();
    }
}

TEST_P(SchemaUpgradeTest, EveryStepIsInPlaceOnANewDatabase) {
    for (const UpgradeStep& step : upgradeSteps()) {
        EXPECT_TRUE(step.present(db())) << step.name.toStdString();
    }
}

// The lookups' trigram indexes come to an older database with the rows it holds.
TEST_P(SchemaUpgradeTest, AddsTheSubstringIndexes) {
    if (backend() == Backend::Sqlite) {
        for (const QString table : {"UMember", "UHC"}) {
            for (const QString suffix : {"_trgm_ai", "_trgm_ad", "_trgm_au"}) {
                db().exec("DROP TRIGGER " + table + suffix);
            }
            db().exec("DROP TABLE " + table + "_trgm");
        }
    } else {
        db().exec("DROP EXTENSION pg_trgm CASCADE");
    }
    db().exec("INSERT INTO UMember (theDel, theNum, theName, theMob) VALUES ('否', 'A12345', "
              "'王小芳', '13912345678')");
    db().exec("INSERT INTO UHC (theNum, theName, thePY, theDel) VALUES ('H02345', '玫瑰', 'mg', "
              "'否')");
    for (const QString name : {"UMember_trgm", "UHC_trgm"}) {
        const UpgradeStep* step = nullptr;
        for (const UpgradeStep& s : upgradeSteps()) {
            if (s.name == name) {
                step = &s;
            }
        }
        ASSERT_NE(step, nullptr) << name.toStdString();
        EXPECT_FALSE(step->present(db())) << name.toStdString();
    }
    upgradeSchema(db());
    struct Case {
        const char* table;
        int columns;
    };
    for (const Case c : {Case{"UMember", 5}, Case{"UHC", 3}}) {
        const QString t = QString::fromLatin1(c.table);
        const QString found =
            backend() == Backend::Sqlite
                ? QString("SELECT rowid FROM %1_trgm WHERE %1_trgm MATCH '\"2345\"'").arg(t)
                : QString("SELECT indexname FROM pg_indexes WHERE indexname LIKE 'ix_%1_%_trgm'")
                      .arg(t.toLower());
        EXPECT_EQ(db().count(found), backend() == Backend::Sqlite ? 1 : c.columns) << c.table;
    }
}

// A login that may not create the extension or index the looked-up tables starts all the same;
// its lookups keep the plain scan.
TEST_P(SchemaUpgradeTest, WithoutTheRightTheIndexIsLeftOut) {
    if (backend() != Backend::Postgres) {
        GTEST_SKIP() << "only PostgreSQL needs a right for it";
    }
    for (const char* column : {"theNum", "thePhone", "thePY", "theName", "theMob"}) {
        db().exec(QString("DROP INDEX ix_UMember_%1_trgm").arg(column));
    }
    db().exec("DROP EXTENSION pg_trgm CASCADE");
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
    EXPECT_EQ(db().count("SELECT indexname FROM pg_indexes WHERE indexname LIKE 'ix_%_trgm'"), 0);
}

FLORIST_ON_EVERY_BACKEND(SchemaUpgradeTest);

} // namespace
} // namespace florist::test
