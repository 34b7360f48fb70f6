#include "core/db/datamodule.h"
#include "stations/simulation.h"
#include "support/dbfixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <random>

namespace florist {
namespace {

// The station simulator at a small size: several station processes at once on one database,
// each with its own connection, over three members, four partners and a few materials, then
// the invariant check over the whole database. On SQLite the stations share one file.
class StationSimulationTest : public test::DbTest {
protected:
    // The database the stations open: the fixture's PostgreSQL database, or a file.
    ConnectionSettings target() {
        if (backend() == Backend::Postgres) {
            return db().settings();
        }
        ConnectionSettings s;
        s.path = dir_.filePath("shop.db");
        if (!QFile::exists(s.path)) {
            Database file(s);
            file.createSchema(true);
        }
        return s;
    }
    stations::Openings prepare() {
        auto dm = stations::stationModule(target());
        return stations::prepareShop(*dm);
    }

    QTemporaryDir dir_;
};

TEST_P(StationSimulationTest, StationsCollidingOnSharedDocumentsKeepEveryInvariant) {
    const int stations = backend() == Backend::Postgres ? 4 : 2;
    constexpr int kOperations = 100;
    const stations::Openings openings = prepare();
    const stations::SimulationResult r =
        stations::simulate(FLORIST_STATIONS_PROGRAM, target(), openings, stations, kOperations, 23);
    SCOPED_TRACE(r.report().toStdString());
    EXPECT_TRUE(r.stationErrors.isEmpty());
    EXPECT_EQ(r.tally.failed, 0);
    EXPECT_EQ(r.tally.doneCount() + r.tally.refusedCount(), stations * kOperations);
    EXPECT_TRUE(r.faults.isEmpty());
    // Every station tried every kind of operation.
    for (const QString& kind : stations::Station::operationNames()) {
        EXPECT_GE(r.tally.tried.value(kind), stations) << kind.toStdString();
    }
}

// The check finds each kind of damage a broken save would leave behind.
TEST_P(StationSimulationTest, InvariantCheckFindsWhatABrokenSaveLeaves) {
    const stations::Openings openings = prepare();
    {
        auto dm = stations::stationModule(target());
        stations::Station station(*dm, 7);
        stations::Tally tally;
        for (int i = 0; i < 40; ++i) {
            station.step(tally);
        }
        ASSERT_EQ(tally.failed, 0) << tally.failures.join("\n").toStdString();
        ASSERT_EQ(stations::invariantFaults(dm->db(), openings), QStringList());
    }
    // Each damage with the statement that undoes it, so that each case finds only its own.
    struct Damage {
        const char* what;
        const char* statement;
        const char* undo;
        const char* fault;
    };
    const Damage damages[] = {
        {"a member credited twice",
         "UPDATE UMember SET theMoney = theMoney + 10 WHERE (theNum = 'SIM001')",
         "UPDATE UMember SET theMoney = theMoney - 10 WHERE (theNum = 'SIM001')", "theMoney"},
        {"points taken without a document",
         "UPDATE UMember SET theJF = theJF - 1 WHERE (theNum = 'SIM002')",
         "UPDATE UMember SET theJF = theJF + 1 WHERE (theNum = 'SIM002')", "theJF"},
        {"a number out of shape",
         "INSERT INTO UStore (theDate, theDel, theNum, MNum, M1, M2) VALUES ('2025-03-01', '否', "
         "'CZ250301-12', '', 0, 0)",
         "DELETE FROM UStore WHERE (theNum = 'CZ250301-12')", "not of the form"},
        {"a number of another date",
         "INSERT INTO UExchange (theDate, theDel, theNum, MNum, thePrice, theCount) VALUES "
         "('2025-03-01', '否', 'DH250302-0099', '', 0, 0)",
         "DELETE FROM UExchange WHERE (theNum = 'DH250302-0099')", "not of the form"},
        {"an order missing its collection row",
         "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, WName, M6, M7, M8) "
         "VALUES ('2025-03-01', 'admin', '否', 'DD250301-9001', '2025-03-01', '散客', '总店', 0, "
         "0, 0)",
         "DELETE FROM UOrder WHERE (theNum = 'DD250301-9001')", "entry collection rows"},
        {"collection rows without their order",
         "INSERT INTO UO_SK (theNum, theDate, theMoney, theType, theDel) VALUES ('DD250301-9002', "
         "'2025-03-01', 30, '订单录入', '否')",
         "DELETE FROM UO_SK WHERE (theNum = 'DD250301-9002')", "without their order"},
        {"an order whose amounts disagree",
         "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, WName, M6, M7, M8) "
         "VALUES ('2025-03-01', 'admin', '否', 'DD250301-9003', '2025-03-01', '散客', '总店', 50, "
         "50, 20)",
         "DELETE FROM UOrder WHERE (theNum = 'DD250301-9003')", "M6 - M7"},
        {"a lot below zero",
         "INSERT INTO UHCKC (WName, CGNum, HCID, theCount, thePrice, myDate) VALUES ('总店', "
         "'CG250301-0901', 1, -2, 1, '2025-03-01')",
         "DELETE FROM UHCKC WHERE (CGNum = 'CG250301-0901')", "below zero"},
        {"a line without its document",
         "INSERT INTO ULY_List (theNum, HCID, theCount, thePrice, Remark) VALUES "
         "('LY250301-0077', 1, 1, 1, '')",
         "DELETE FROM ULY_List WHERE (theNum = 'LY250301-0077')", "without their document"},
        {"stock taken without a line",
         "UPDATE UHCKC SET theCount = theCount - 1 WHERE ID = (SELECT MIN(ID) FROM UHCKC)",
         "UPDATE UHCKC SET theCount = theCount + 1 WHERE ID = (SELECT MIN(ID) FROM UHCKC)",
         "lots hold"},
        {"a document without its lines",
         "INSERT INTO ULY (theDate, UName, theDel, theNum, myDate, WName, theMoney, theCount) "
         "VALUES ('2025-03-01', 'admin', '否', 'LY250301-0901', '2025-03-01', '总店', 0, 0)",
         "DELETE FROM ULY WHERE (theNum = 'LY250301-0901')", "documents without lines"},
        {"a partner's receivable moved alone",
         "UPDATE UWL SET theYS = theYS - 5 WHERE (theName = '模拟客户甲')",
         "UPDATE UWL SET theYS = theYS + 5 WHERE (theName = '模拟客户甲')", "theYS"},
        {"a partner's payable moved alone",
         "UPDATE UWL SET theYF = theYF + 5 WHERE (theName = '模拟花圃')",
         "UPDATE UWL SET theYF = theYF - 5 WHERE (theName = '模拟花圃')", "theYF"},
    };
    auto dm = stations::stationModule(target());
    Database& db = dm->db();
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        db.exec(d.statement);
        const QStringList faults = stations::invariantFaults(db, openings);
        db.exec(d.undo);
        EXPECT_FALSE(faults.filter(d.fault).isEmpty()) << faults.join("\n").toStdString();
        EXPECT_EQ(stations::invariantFaults(db, openings), QStringList());
    }
}

FLORIST_ON_EVERY_BACKEND(StationSimulationTest);

// The embedded file through a station killed at random moments (SIGKILL), twenty times, the
// same file all along: after each kill the file is sound, every invariant holds and no document
// is half-written. Only the embedded database has a file of the program's own to damage.
TEST(EmbeddedCrashTest, KilledStationsLeaveASoundFileAndWholeDocuments) {
    QTemporaryDir dir;
    ConnectionSettings s;
    s.path = dir.filePath("shop.db");
    {
        Database file(s);
        file.createSchema(true);
    }
    const stations::Openings openings = [&] {
        auto dm = stations::stationModule(s);
        return stations::prepareShop(*dm);
    }();
    std::mt19937 rng(23);
    int documentsBefore = 0;
    for (int kill = 0; kill < 20; ++kill) {
        SCOPED_TRACE(kill);
        QProcess station;
        station.start(FLORIST_STATIONS_PROGRAM, stations::stationArguments(s, 100 + kill, 0, 0));
        ASSERT_TRUE(station.waitForReadyRead(20000))
            << station.readAllStandardError().toStdString();
        QThread::msleep(std::uniform_int_distribution<int>(20, 180)(rng));
        station.kill();
        ASSERT_TRUE(station.waitForFinished(20000));
        ASSERT_EQ(station.exitStatus(), QProcess::CrashExit);

        Database check(s);
        check.open();
        EXPECT_EQ(check.scalar("PRAGMA integrity_check").toString(), "ok");
        EXPECT_EQ(stations::invariantFaults(check, openings), QStringList());
        const int documents = check
                                  .scalar("SELECT (SELECT COUNT(*) FROM UStore) + (SELECT "
                                          "COUNT(*) FROM UExchange)")
                                  .toInt();
        EXPECT_GE(documents, documentsBefore);
        documentsBefore = documents;
    }
    EXPECT_GT(documentsBefore, 20) << "the stations saved between the kills";
}

// What makes a returned save survive a power cut as well as a killed program: the write-ahead
// log, and every commit waiting until the log is on the disk.
TEST(EmbeddedCrashTest, TheFileCommitsToTheDiskBeforeASaveReturns) {
    QTemporaryDir dir;
    ConnectionSettings s;
    s.path = dir.filePath("shop.db");
    Database db(s);
    db.createSchema(true);
    EXPECT_EQ(db.scalar("PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(db.scalar("PRAGMA synchronous").toInt(), 2) << "FULL";
}

} // namespace
} // namespace florist
