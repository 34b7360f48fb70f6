#include "core/search/pagedmodel.h"
#include "savefixture.h"
#include "support/allornothing.h"

namespace florist {
namespace {

using test::Documents;

TEST(ConnectionLossTest, TheDialectTellsALostSessionFromOtherErrors) {
    struct Case {
        Backend backend;
        const char* code;
        const char* text;
        bool lost;
    };
    const Case cases[] = {
        {Backend::Postgres, "57P01", "FATAL:  terminating connection due to administrator command",
         true},
        {Backend::Postgres, "57P03", "FATAL:  the database system is starting up", true},
        {Backend::Postgres, "08006", "connection failure", true},
        {Backend::Postgres, "",
         "server closed the connection unexpectedly\n\tThis probably means the server terminated "
         "abnormally",
         true},
        {Backend::Postgres, "", "no connection to the server", true},
        {Backend::Postgres, "26000", "prepared statement \"qpsqlpstmt_1\" does not exist", true},
        {Backend::Postgres, "23505", "duplicate key value violates unique constraint", false},
        {Backend::Postgres, "42P01", "relation \"uorderx\" does not exist", false},
        {Backend::Postgres, "40P01", "deadlock detected", false},
        {Backend::SqlServer, "08S01", "[FreeTDS][SQL Server]Communication link failure", true},
        {Backend::SqlServer, "01000;08S01", "Write to the server failed", true},
        {Backend::SqlServer, "08001", "Unable to connect to data source", true},
        {Backend::SqlServer, "23000", "Cannot insert duplicate key row", false},
        {Backend::SqlServer, "40001", "Transaction was deadlocked", false},
        {Backend::Sqlite, "5", "database is locked", false},
    };
    for (const Case& c : cases) {
        const QSqlError error(QString(), c.text, QSqlError::StatementError, c.code);
        EXPECT_EQ(Dialect::create(c.backend)->connectionLost(error), c.lost)
            << backendName(c.backend).toStdString() << " " << c.code << " " << c.text;
    }
}

// The cases below end the station's session on the server the way a restart or an
// administrator would; an embedded SQLite file has no session to lose.
class ServerSessionTest : public test::DbTest {
protected:
    static constexpr const char* kDate = "2025-03-01";
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        if (backend() != Backend::Postgres) {
            GTEST_SKIP() << "an embedded database file has no server session";
        }
    }
    int count(const QString& sql, const QVariantList& params = {}) {
        return db().scalar(sql, params).toInt();
    }
};

TEST_P(ServerSessionTest, SavesAfterTheSessionEndedRunOnANewConnectionAndWriteOnce) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 0, 0);
    runSave(db(), kDate, [&](Save& s) { Documents::topUp(s, id, "VIP001", 1, 0); });

    // Ended between two saves: the next one and those after it save on the new session.
    test::endServerSession(db());
    EXPECT_EQ(
        runSave(db(), kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 2, 0); }),
        "CZ250301-0002");
    EXPECT_EQ(
        runSave(db(), kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 4, 0); }),
        "CZ250301-0003");

    // Ended in the middle of a save, after its credit was sent: the server rolled that back, so
    // the save runs again whole and the credit counts once.
    int attempts = 0;
    const QString number = runSave(db(), kDate, [&](Save& s) {
        ++attempts;
        s.db().exec("UPDATE UMember SET theMoney = theMoney + ? WHERE (ID = ?) ", {100, id});
        if (attempts == 1) {
            test::endServerSession(s.db());
        }
        const QString n = s.number("UStore", "CZ");
        s.db().exec("INSERT INTO UStore (theDate, theNum, MNum, M1) VALUES (?, ?, 'VIP001', 100)",
                    {kDate, n});
        return n;
    });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(number, "CZ250301-0004");
    EXPECT_DOUBLE_EQ(Documents::value(db(), "theMoney", id), 107);
    EXPECT_EQ(count("SELECT COUNT(*) FROM UStore"), 4);
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(ServerSessionTest, ReadsAfterTheSessionEndedListRows) {
    for (const char* card : {"K1", "K2", "K3"}) {
        Documents::addMember(db(), card, 0, 0);
    }
    search::PagedTableModel model(
        db(), {{"卡号", "theNum"}, {"ID", "ID", 0, search::ColumnKind::Number, true}});
    model.setQuery("FROM UMember WHERE (theDel = '否') ", {});
    ASSERT_EQ(model.rowCount(), 3);

    test::endServerSession(db());
    model.refresh();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.value(0, "卡号").toString(), "K3");

    test::endServerSession(db());
    EXPECT_EQ(db().select("SELECT theNum FROM UMember WHERE (theNum = ?)", {"K2"}).size(), 1);
    test::endServerSession(db());
    EXPECT_EQ(count("SELECT COUNT(*) FROM UMember WHERE (theNum LIKE ?)", {"K%"}), 3);
}

// The COMMIT met the lost session: the document may or may not have been written, so the save
// is not run again; the person is told to look it up first. The station goes on working.
TEST_P(ServerSessionTest, ALossAtCommitIsReportedAndNotRetried) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 0, 0);
    int attempts = 0;
    try {
        runSave(db(), kDate, [&](Save& s) {
            ++attempts;
            Documents::topUp(s, id, "VIP001", 100, 0);
            test::endServerSession(s.db());
        });
        ADD_FAILURE() << "a save whose COMMIT met a lost session must not report success";
    } catch (const DbConnectionLost& e) {
        EXPECT_TRUE(e.atCommit());
        EXPECT_TRUE(e.text().contains("请先查询该单据")) << e.text().toStdString();
    }
    EXPECT_EQ(attempts, 1);
    EXPECT_FALSE(db().inTransaction());
    // Here the server ended the session before the COMMIT arrived, so nothing was written.
    EXPECT_EQ(count("SELECT COUNT(*) FROM UStore"), 0);
    EXPECT_EQ(
        runSave(db(), kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 100, 0); }),
        "CZ250301-0001");
    EXPECT_DOUBLE_EQ(Documents::value(db(), "theMoney", id), 100);
}

TEST_P(ServerSessionTest, AServerThatStaysUnreachableGivesTheConnectionMessage) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 0, 0);
    const QString name = db().settings().database;
    const QString message = connectionFailureText(db().settings(), QString());
    test::adminExec("ALTER DATABASE " + name + " ALLOW_CONNECTIONS false");
    test::endServerSession(db());
    auto expectConnectionMessage = [&](const std::function<void()>& action) {
        try {
            action();
            ADD_FAILURE() << "the server cannot be reached";
        } catch (const DbConnectionLost& e) {
            ADD_FAILURE() << "reported as reconnected: " << e.text().toStdString();
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().startsWith(message)) << e.text().toStdString();
        }
    };
    expectConnectionMessage(
        [&] { runSave(db(), kDate, [&](Save& s) { Documents::topUp(s, id, "VIP001", 5, 0); }); });
    expectConnectionMessage([&] { db().select("SELECT theNum FROM UMember"); });
    EXPECT_FALSE(db().inTransaction());

    // Once the server answers again the station saves without being restarted.
    test::adminExec("ALTER DATABASE " + name + " ALLOW_CONNECTIONS true");
    EXPECT_EQ(
        runSave(db(), kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 5, 0); }),
        "CZ250301-0001");
}

FLORIST_ON_EVERY_BACKEND(ServerSessionTest);

} // namespace
} // namespace florist
