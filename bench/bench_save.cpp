#include "core/save/decrement.h"
#include "core/save/saverunner.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace florist {
namespace {

// The order save of a member paying from the card, as order entry runs it: points and
// consumption, the guarded charge, a new delivery area, the number, the collection row and
// the order row; five writes and the number, in one transaction.
QString orderSave(Save& s, qlonglong memberId, int i) {
    const double total = 128.5;
    s.db().exec("UPDATE UMember SET theJF = theJF + ?, XFDate = ?, theCount = theCount + 1 "
                "WHERE (ID = ?)",
                {total, s.businessDate(), memberId});
    chargeBalance(s.db(), memberId, total, "VIP001");
    s.db().exec("INSERT INTO SArea (theName, thePrice, Remark, thePY) VALUES (?, 10, '', 'QY') ",
                {QString("区域%1").arg(i)});
    const QString number = s.number("UOrder", "DD");
    s.db().exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                "theDel, theSKR ) VALUES (?, ?, 'admin', ?, '储值卡', '订单录入', '总店', '否', "
                "'') ",
                {number, s.businessDate(), total});
    s.db().exec("INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, WName, "
                "SH1, SH7, M1, M2, M3, M4, M5, M6, M7, M8, MType, theDX) VALUES (?, 'admin', '否', "
                "?, ?, '会员', 'VIP001', '总店', '李女士', ?, 128.5, 100, 128.5, 0, 0, 128.5, "
                "128.5, 0, '储值卡', '壹佰贰拾捌元伍角')",
                {s.businessDate(), number, s.businessDate(), QString("区域%1").arg(i)});
    return number;
}

void runOrderSaves(benchmark::State& state, Database& db) {
    const qlonglong member = db.insert(
        "INSERT INTO UMember (theNum, theName, theMoney, theJF) VALUES ('VIP001', '会员', ?, 0)",
        {1e12});
    int i = 0;
    for (auto _ : state) {
        // About 300 orders a business day, as a busy shop enters them.
        const QString date = QDate(2025, 1, 1).addDays(i / 300).toString("yyyy-MM-dd");
        benchmark::DoNotOptimize(
            runSave(db, date, [&](Save& s) { return orderSave(s, member, i); }));
        ++i;
    }
}

// On a file of the embedded database, as the program opens it (synchronous=FULL: a commit
// returns once it is on the disk) and, for the cost of that, with synchronous=NORMAL (the WAL
// reaches the disk only at checkpoints: a power cut can lose the last saves).
void orderSavesOnFile(benchmark::State& state, int synchronous) {
    QTemporaryDir dir;
    ConnectionSettings s;
    s.path = dir.filePath("bench.db");
    Database db(s);
    db.createSchema(true);
    db.exec(QString("PRAGMA synchronous = %1").arg(synchronous));
    if (db.scalar("PRAGMA synchronous").toInt() != synchronous) {
        state.SkipWithError("PRAGMA synchronous not taken");
        return;
    }
    runOrderSaves(state, db);
}

void BM_OrderSave_Sqlite(benchmark::State& state) {
    orderSavesOnFile(state, 2); // FULL, as the program runs
}
BENCHMARK(BM_OrderSave_Sqlite)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OrderSave_Sqlite_SynchronousNormal(benchmark::State& state) {
    orderSavesOnFile(state, 1); // NORMAL, for comparison
}
BENCHMARK(BM_OrderSave_Sqlite_SynchronousNormal)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A server named by FLORIST_BENCH_PG_HOST / _PORT / _USER (TCP over loopback for a fair
// figure); a database is created for the run and dropped afterwards.
void BM_OrderSave_Postgres(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("FLORIST_BENCH_PG_HOST")) {
        state.SkipWithError("FLORIST_BENCH_PG_HOST not set");
        for (auto _ : state) {
        }
        return;
    }
    ConnectionSettings s;
    s.backend = Backend::Postgres;
    s.host = qEnvironmentVariable("FLORIST_BENCH_PG_HOST");
    s.port = qEnvironmentVariableIntValue("FLORIST_BENCH_PG_PORT");
    s.user = qEnvironmentVariable("FLORIST_BENCH_PG_USER", "postgres");
    s.database = "postgres";
    const QString name = QString("florist_bench_%1").arg(QCoreApplication::applicationPid());
    {
        Database admin(s);
        admin.exec("CREATE DATABASE " + name + " ENCODING 'UTF8' TEMPLATE template0");
    }
    {
        ConnectionSettings own = s;
        own.database = name;
        Database db(own);
        db.createSchema(true);
        runOrderSaves(state, db);
    }
    Database admin(s);
    admin.exec("DROP DATABASE IF EXISTS " + name);
}
BENCHMARK(BM_OrderSave_Postgres)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace florist
