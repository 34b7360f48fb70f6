#include "savefixture.h"
#include "support/allornothing.h"

#include <QThread>
#include <thread>

namespace florist {
namespace {

using test::Documents;

class SaveRunnerTest : public test::DbTest {
protected:
    static constexpr const char* kDate = "2025-03-01";

    int count(Database& db, const QString& sql, const QVariantList& params = {}) {
        return db.scalar(sql, params).toInt();
    }
};

TEST_P(SaveRunnerTest, TopUpCommitsWholeWithTheNextNumber) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 10, 0);
    const QString number =
        runSave(db(), kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 100, 20); });
    EXPECT_EQ(number, "CZ250301-0001");
    EXPECT_DOUBLE_EQ(Documents::value(db(), "theMoney", id), 130);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM UStore WHERE (theNum = ?) AND (MNum = ?)",
                    {number, "VIP001"}),
              1);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(runSave(dm(), [&](Save& s) { return Documents::topUp(s, id, "VIP001", 1, 0); }),
              "CZ250301-0002");
}

TEST_P(SaveRunnerTest, AFaultAtAnyStatementLeavesNothing) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 500, 0);
    // Earlier documents of the day, so the number is really counted and probed.
    runSave(db(), kDate, [&](Save& s) { Documents::topUp(s, id, "VIP001", 10, 0); });
    runSave(db(), kDate, [&](Save& s) { Documents::cardOrder(s, id, "VIP001", 5); });

    const int topUp = test::expectAllOrNothing(db(), [&] {
        runSave(db(), kDate, [&](Save& s) { Documents::topUp(s, id, "VIP001", 100, 20); });
    });
    // On a server the number's turn is a statement of its own.
    const int lock = db().dialect().numberLock("UStore", kDate).text.isEmpty() ? 0 : 1;
    EXPECT_EQ(topUp, 6 + lock); // begin, credit, (lock,) count, probe, insert, commit
    const int order = test::expectAllOrNothing(db(), [&] {
        runSave(db(), kDate, [&](Save& s) { Documents::cardOrder(s, id, "VIP001", 50); });
    });
    EXPECT_EQ(order, 8 + lock);
    // Each save went through exactly once in the end.
    EXPECT_DOUBLE_EQ(Documents::value(db(), "theMoney", id), 500 + 10 - 5 + 120 - 50);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM UOrder"), 2);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM UO_SK WHERE (theNum = 'DD250301-0002')"), 1);
}

TEST_P(SaveRunnerTest, ATakenNumberGivesTheNextFreeSequence) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 0, 0);
    for (int i = 0; i < 3; ++i) {
        runSave(db(), kDate, [&](Save& s) { Documents::topUp(s, id, "VIP001", 1, 0); });
    }
    // The second top-up removed for good: the count gives 0003 again, which is taken.
    db().exec("DELETE FROM UStore WHERE (theNum = 'CZ250301-0002')");
    EXPECT_EQ(
        runSave(db(), kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 1, 0); }),
        "CZ250301-0004");
    // A deleted row still counts; another date starts again at 0001.
    db().exec("UPDATE UStore SET theDel = '是'");
    EXPECT_EQ(runSave(db(), kDate, [&](Save& s) { return s.number("UStore", "CZ"); }),
              "CZ250301-0005");
    EXPECT_EQ(runSave(db(), "2025-03-02", [&](Save& s) { return s.number("UStore", "CZ"); }),
              "CZ250302-0001");
}

TEST_P(SaveRunnerTest, TwoStationsSavingOneAfterTheOtherGetTheirOwnNumbers) {
    test::TwoStations st(db());
    const qlonglong id = Documents::addMember(*st.a, "VIP001", 0, 0);
    const QString first =
        runSave(*st.a, kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 1, 0); });
    const QString second =
        runSave(*st.b, kDate, [&](Save& s) { return Documents::topUp(s, id, "VIP001", 1, 0); });
    EXPECT_EQ(first, "CZ250301-0001");
    EXPECT_EQ(second, "CZ250301-0002");
}

// Station B starts its save while A's is still open: on SQLite B waits for the write lock, on
// PostgreSQL B waits for its turn on the number until A commits, and counts A's document.
TEST_P(SaveRunnerTest, ASaveStartedWhileAnotherIsOpenWaitsAndTakesTheNextNumber) {
    test::TwoStations st(db());
    const qlonglong id = Documents::addMember(*st.a, "VIP001", 0, 0);
    const ConnectionSettings settings = test::TwoStations::settingsOf(*st.a);
    QString numberB;
    QString errorB;
    std::thread stationB;
    const QString numberA = runSave(*st.a, kDate, [&](Save& s) {
        const QString n = Documents::topUp(s, id, "VIP001", 100, 0);
        stationB = std::thread([&] {
            Database b(settings);
            try {
                // Reading first: on SQLite a transaction that began by reading could not
                // write after A's commit; the save holds the write lock from its start.
                numberB = runSave(b, kDate, [&](Save& s2) {
                    s2.number("UStore", "CZ");
                    return Documents::topUp(s2, id, "VIP001", 1, 0);
                });
            } catch (const Failure& f) {
                errorB = f.text();
            }
        });
        QThread::msleep(400);
        return n;
    });
    stationB.join();
    EXPECT_EQ(numberA, "CZ250301-0001");
    EXPECT_EQ(errorB.toStdString(), "");
    EXPECT_EQ(numberB.toStdString(), "CZ250301-0002");
    EXPECT_DOUBLE_EQ(Documents::value(*st.a, "theMoney", id), 101);
}

// PostgreSQL only: a row written without taking its turn (by hand, or by a program that does
// not take the number lock) can take the number between the count and the insert. The save is
// then run again whole, with the next number, and its statements take effect once.
TEST_P(SaveRunnerTest, ANumberTakenMeanwhileRerunsTheWholeSave) {
    if (backend() != Backend::Postgres) {
        GTEST_SKIP() << "SQLite stations queue at the start of a save";
    }
    test::TwoStations st(db());
    const qlonglong id = Documents::addMember(*st.a, "VIP001", 0, 0);
    int attempts = 0;
    const QString number = runSave(*st.a, kDate, [&](Save& s) {
        ++attempts;
        const QString mine = s.number("UStore", "CZ");
        if (attempts == 1) {
            st.b->exec("INSERT INTO UStore (theDate, theNum, MNum, M1) VALUES (?, ?, 'X', 1)",
                       {kDate, mine});
        }
        s.db().exec("UPDATE UMember SET theMoney = theMoney + ? WHERE (ID = ?) ", {100, id});
        s.db().exec("INSERT INTO UStore (theDate, theNum, MNum, M1) VALUES (?, ?, 'VIP001', 100)",
                    {kDate, mine});
        return mine;
    });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(number, "CZ250301-0002");
    EXPECT_DOUBLE_EQ(Documents::value(*st.a, "theMoney", id), 100);
}

TEST_P(SaveRunnerTest, RetriesAreBoundedAndOtherFailuresAreNotRetried) {
    db().exec("INSERT INTO UStore (theDate, theNum) VALUES (?, 'CZ-TAKEN')", {kDate});
    const QStringList before = test::databaseSnapshot(db());
    int attempts = 0;
    try {
        runSave(db(), kDate, [&](Save& s) {
            ++attempts;
            s.db().exec("UPDATE SDept SET Remark = 'x'");
            s.db().exec("INSERT INTO UStore (theDate, theNum) VALUES (?, 'CZ-TAKEN')", {kDate});
        });
        ADD_FAILURE() << "a number that stays taken must fail";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "单号 重复，请重新保存！");
    }
    EXPECT_EQ(attempts, detail::kSaveAttempts);

    // A unique name of a reference list is not a number race: reported at once.
    attempts = 0;
    try {
        runSave(db(), kDate, [&](Save& s) {
            ++attempts;
            s.db().exec("INSERT INTO SWare (theName) VALUES ('总店')");
        });
        ADD_FAILURE() << "a taken store name must fail";
    } catch (const DbError& e) {
        EXPECT_FALSE(e.text().isEmpty());
    }
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

TEST_P(SaveRunnerTest, AFailureOfTheSavesOwnRollsBackAndANestedSaveJoinsTheOuterOne) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 0, 0);
    const QStringList before = test::databaseSnapshot(db());
    EXPECT_THROW(runSave(db(), kDate,
                         [&](Save& s) {
                             Documents::topUp(s, id, "VIP001", 5, 0);
                             runSave(db(), kDate, [&](Save& inner) {
                                 Documents::topUp(inner, id, "VIP001", 7, 0);
                             });
                             throw Failure("停止");
                         }),
                 Failure);
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

FLORIST_ON_EVERY_BACKEND(SaveRunnerTest);

} // namespace
} // namespace florist
