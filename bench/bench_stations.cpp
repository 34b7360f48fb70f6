#include "core/db/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace florist {
namespace {

// Eight stations, each its own process and connection, saving 500 orders each on one business
// date as fast as they can (florist_station_helper): saves per second over all of them, saves
// that failed (goal 0) and numbers given twice (must be 0). Runs on the server named by
// FLORIST_BENCH_PG_HOST / _PORT / _USER, in a database created for the run.
void BM_StationsSavingAtOnce_Postgres(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("FLORIST_BENCH_PG_HOST")) {
        state.SkipWithError("FLORIST_BENCH_PG_HOST not set");
        for (auto _ : state) {
        }
        return;
    }
    const int stations = int(state.range(0));
    const int saves = int(state.range(1));
    ConnectionSettings s;
    s.backend = Backend::Postgres;
    s.host = qEnvironmentVariable("FLORIST_BENCH_PG_HOST");
    s.port = qEnvironmentVariableIntValue("FLORIST_BENCH_PG_PORT");
    s.user = qEnvironmentVariable("FLORIST_BENCH_PG_USER", "postgres");
    s.database = "postgres";
    ConnectionSettings own = s;
    own.database = QString("florist_stations_%1").arg(QCoreApplication::applicationPid());
    {
        Database admin(s);
        admin.exec("CREATE DATABASE " + own.database + " ENCODING 'UTF8' TEMPLATE template0");
    }
    {
        Database db(own);
        db.createSchema(true);
    }
    const QStringList args{QString::number(saves),
                           "2025-03-01",
                           "postgres",
                           own.host,
                           QString::number(own.port > 0 ? own.port : 5432),
                           own.user,
                           own.database};
    int failed = 0;
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < stations; ++i) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(FLORIST_STATION_HELPER, args);
        }
        static const QRegularExpression result(R"(committed (\d+) failed (\d+))");
        for (auto& p : running) {
            p->waitForFinished(-1);
            const auto m = result.match(QString::fromUtf8(p->readAllStandardOutput()));
            failed += m.hasMatch() ? m.captured(2).toInt() : saves;
        }
        seconds = clock.elapsed() / 1000.0;
    }
    {
        Database db(own);
        const int orders = db.scalar("SELECT COUNT(*) FROM UOrder").toInt();
        const int distinct = db.scalar("SELECT COUNT(DISTINCT theNum) FROM UOrder").toInt();
        state.counters["saves_per_s"] = seconds > 0 ? orders / seconds : 0;
        state.counters["failed_saves"] = failed;
        state.counters["duplicate_numbers"] = orders - distinct;
        state.counters["orders"] = orders;
    }
    Database admin(s);
    admin.exec("DROP DATABASE IF EXISTS " + own.database);
}
BENCHMARK(BM_StationsSavingAtOnce_Postgres)
    ->Args({8, 500})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
} // namespace florist
