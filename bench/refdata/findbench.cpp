#include "core/db/database.h"
#include "core/db/datamodule.h"
#include "core/db/schemaupgrade.h"
#include "core/errors.h"
#include "core/search/searchdescriptor.h"
#include "core/text/pinyin.h"
#include "partners/partnerlookup.h"
#include "rawengine.h"
#include "refconnection.h"
#include "stock/materiallookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

// The two find dialogs' searches over a catalogue of 50 000 materials and 10 000 partners (five
// stores, three types), beside the bare engine running the same statement. Its own database:
// florist-findbench.db in the temporary folder (FLORIST_FINDBENCH_SQLITE), and florist_find on
// the benchmark PostgreSQL server when FLORIST_BENCH_PG_HOST is set. Counters: median app_ms
// and raw_ms per lookup, their ratio, and the rows found.

namespace {

using namespace florist;

constexpr int kMaterials = 50'000;
constexpr int kPartners = 10'000;

struct Engine {
    std::unique_ptr<DataModule> dm;
    std::unique_ptr<bench::RawEngine> raw;
};

std::map<Backend, Engine> engines;

ConnectionSettings settingsFor(Backend b) {
    ConnectionSettings s = bench::referenceSettings(b);
    if (b == Backend::Sqlite) {
        s.path = qEnvironmentVariable("FLORIST_FINDBENCH_SQLITE",
                                      QDir::temp().filePath("florist-findbench.db"));
    } else {
        s.database = "florist_find";
    }
    return s;
}

QString word(QRandomGenerator& rng, int chars) {
    static const QString pool = "玫瑰百合康乃馨满天星郁金香向日葵菊兰桔梗马蹄莲绣球勿忘我情人草"
                                "红白粉黄紫蓝绿城东西南北花卉园艺鲜农场贸易公司店行社";
    QString w;
    for (int i = 0; i < chars; ++i) {
        w += pool.at(int(rng.bounded(pool.size())));
    }
    return w;
}

void fill(Database& db) {
    QRandomGenerator rng(21);
    static const QStringList stores = {"总店", "分店一", "分店二", "分店三", "分店四"};
    static const QStringList types = {"供应商", "客户", "同行"};
    db.transaction([&] {
        for (int i = 0; i < kMaterials; ++i) {
            const QString name = word(rng, 2 + int(rng.bounded(3)));
            db.exec("INSERT INTO UHC (theType, theNum, theName, theUnit, theCG, theXS, Remark, "
                    "thePY, theDel) VALUES ('鲜花', ?, ?, '支', 1.5, 3, '', ?, ?) ",
                    {QString("H%1").arg(i, 6, 10, QChar('0')), name, GetPY(name),
                     i % 20 == 0 ? "是" : "否"});
        }
        for (int i = 0; i < kPartners; ++i) {
            const QString name = word(rng, 4 + int(rng.bounded(3))) + QString::number(i);
            db.exec(
                "INSERT INTO UWL (theType, theName, thePro, thePhone, theMob, theAdd, theYS, "
                "theYF, Remark, thePY, theDel, WName ) VALUES (?, ?, '王五', '0571', "
                "'138', '杭州', 0, 0, '', ?, ?, ?) ",
                {types.at(i % 3), name, GetPY(name), i % 25 == 0 ? "是" : "否", stores.at(i % 5)});
        }
    });
}

std::unique_ptr<Database> openDatabase(Backend b) {
    const ConnectionSettings s = settingsFor(b);
    bool fresh = false;
    if (b == Backend::Sqlite) {
        fresh = !QFileInfo::exists(s.path);
    } else {
        ConnectionSettings admin = s;
        admin.database = "postgres";
        Database server(admin);
        if (server.scalar("SELECT COUNT(*) FROM pg_database WHERE datname = 'florist_find'")
                .toInt() == 0) {
            server.exec("CREATE DATABASE florist_find ENCODING 'UTF8' TEMPLATE template0");
            fresh = true;
        }
    }
    auto db = std::make_unique<Database>(s);
    db->open();
    if (fresh) {
        db->createSchema(true);
    }
    // A database filled by an earlier build gets what the program's start adds.
    upgradeSchema(*db);
    if (db->scalar("SELECT COUNT(*) FROM UHC").toInt() < kMaterials) {
        std::fprintf(stderr, "filling %s\n", qPrintable(backendName(b)));
        fill(*db);
        if (b == Backend::Postgres) {
            db->exec("ANALYZE");
        }
    }
    return db;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs the program's lookup and the bare engine's alternately; the iteration time is the
// program's.
void compare(benchmark::State& state, const std::function<int()>& app,
             const std::function<void()>& raw) {
    app();
    raw();
    std::vector<double> a;
    std::vector<double> r;
    int found = 0;
    QElapsedTimer t;
    for (auto _ : state) {
        t.start();
        found = app();
        a.push_back(double(t.nsecsElapsed()) / 1e6);
        t.start();
        raw();
        r.push_back(double(t.nsecsElapsed()) / 1e6);
        state.SetIterationTime(a.back() / 1e3);
    }
    state.counters["app_ms"] = median(a);
    state.counters["raw_ms"] = median(r);
    state.counters["ratio"] = median(r) > 0 ? median(a) / median(r) : 0;
    state.counters["found"] = found;
}

void materialFind(benchmark::State& state, Backend b, const QString& text) {
    Engine& e = engines.at(b);
    Database& db = e.dm->db();
    const QString sql = db.dialect().translate(stock::materialSearchSelect(db.dialect()));
    const QString p = search::containsPattern(text);
    compare(
        state, [&] { return stock::searchMaterials(*e.dm, text).size(); },
        [&] {
            e.raw->run(sql, {p, p, p});
        });
}

void partnerFind(benchmark::State& state, Backend b, const QString& mode, const QString& text) {
    Engine& e = engines.at(b);
    Database& db = e.dm->db();
    const QString sql = db.dialect().translate(partners::partnerSearchSelect(db.dialect()));
    const QString p = search::containsPattern(text);
    const QVariantList params{partners::excludedType(mode), e.dm->login().currentStore, p, p};
    compare(
        state, [&] { return partners::searchPartners(*e.dm, mode, text).size(); },
        [&] { e.raw->run(sql, params); });
}

void registerFor(Backend b) {
    const std::string tag = backendName(b).toStdString();
    for (const char* text : {"mg", "玫瑰", "H0123", ""}) {
        const QString t = QString::fromUtf8(text);
        benchmark::RegisterBenchmark(
            ("FindMaterial/" + tag + "/" + (t.isEmpty() ? std::string("all") : text)).c_str(),
            [b, t](benchmark::State& s) { materialFind(s, b, t); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(21);
    }
    for (const char* text : {"hh", "城东", ""}) {
        const QString t = QString::fromUtf8(text);
        benchmark::RegisterBenchmark(
            ("FindPartner/" + tag + "/JH/" + (t.isEmpty() ? std::string("all") : text)).c_str(),
            [b, t](benchmark::State& s) { partnerFind(s, b, "JH", t); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(21);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QList<Backend> backends{Backend::Sqlite};
    if (bench::postgresAvailable()) {
        backends << Backend::Postgres;
    }
    try {
        for (Backend b : backends) {
            Engine e;
            e.dm = std::make_unique<DataModule>(openDatabase(b));
            e.dm->login().currentStore = "总店";
            e.raw = bench::rawEngine(settingsFor(b));
            engines.emplace(b, std::move(e));
            registerFor(b);
        }
    } catch (const Failure& f) {
        std::fprintf(stderr, "%s\n", qPrintable(f.text()));
        return 1;
    } catch (const std::exception& x) {
        std::fprintf(stderr, "%s\n", x.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    engines.clear();
    return 0;
}
