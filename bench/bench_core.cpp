#include "app/application.h"
#include "core/db/datamodule.h"
#include "core/session/startup.h"
#include "ui/loginwindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace florist {
namespace {

// A database file with a million orders over about eight years (some 330 a day, as a busy shop
// enters them) and a million-row reference list.
struct BigDatabase {
    QTemporaryDir dir;
    std::unique_ptr<DataModule> dm;

    BigDatabase() {
        ConnectionSettings s;
        s.path = dir.filePath("big.db");
        dm = std::make_unique<DataModule>(openDatabase(s));
        dm->login().businessDate = "2025-03-01";
        dm->db().exec(
            "INSERT INTO UOrder (theDate, UName, theDel, theNum, WName) "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
            "WHERE i < 1000000) SELECT date('2017-01-01', '+' || (i % 3000) || ' days'), 'admin', "
            "'否', 'DD' || i, '总店' "
            "FROM n");
        dm->db().exec("INSERT INTO SHX (theName, Remark) "
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                      "WHERE i < 1000000) SELECT '花型' || i, '' FROM n");
    }
};

BigDatabase& big() {
    static BigDatabase db;
    return db;
}

void BM_NewDJNum_1M(benchmark::State& state) {
    DataModule& dm = *big().dm;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dm.NewDJNum("UOrder", "DD"));
    }
    state.SetLabel(dm.NewDJNum("UOrder", "DD").toStdString());
}
BENCHMARK(BM_NewDJNum_1M)->Unit(benchmark::kMicrosecond);

void BM_Loader_1M(benchmark::State& state) {
    DataModule& dm = *big().dm;
    for (auto _ : state) {
        // A changed list each round, so the shared model really refills.
        dm.myESQL("UPDATE SHX SET theName = theName || 'x' WHERE (ID = 1)");
        benchmark::DoNotOptimize(dm.loaders().DBComHX()->rowCount());
    }
}
BENCHMARK(BM_Loader_1M)->Unit(benchmark::kMillisecond)->Iterations(3);

// From nothing to the login window on screen: data module, start values, both windows.
void BM_ColdStartToLogin(benchmark::State& state) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("florist.ini");
    QFile f(ini);
    f.open(QIODevice::WriteOnly);
    f.write(QString("[database]\npath=%1\n").arg(dir.filePath("florist.db")).toUtf8());
    f.close();
    qputenv("FLORIST_SETTINGS", ini.toUtf8());
    { // the first start creates the database; the benchmark measures later starts
        app::Application first(*qApp);
        first.start();
    }
    for (auto _ : state) {
        app::Application app(*qApp);
        app.start();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(app.loginWindow()->isVisible());
    }
    qunsetenv("FLORIST_SETTINGS");
}
BENCHMARK(BM_ColdStartToLogin)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace florist
