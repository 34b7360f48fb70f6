#include "benchcompare.h"
#include "core/db/database.h"
#include "core/errors.h"
#include "core/search/pagedmodel.h"
#include "core/search/searchresult.h"
#include "core/spreadsheet/xlsxexport.h"
#include "members/memberlists.h"
#include "orderbench.h"
#include "orderlistbench.h"
#include "rawengine.h"
#include "refconnection.h"
#include "stock/stocklists.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

// Member management on the reference data set (100 k members), beside the bare engine running
// the same statements: time to the first rows, time to the totals, the card lookup, and the
// export of every member. Counters: app_ms and raw_ms per run and their ratio.

namespace {

using namespace florist;
using bench::compare;
using bench::ms;

struct Backend_ {
    Backend backend;
    std::unique_ptr<Database> db;
    std::unique_ptr<bench::RawEngine> raw;
};

std::map<Backend, Backend_> engines;

// The management window's WHERE text for a typed name (empty: no condition ticked).
search::Term memberFilter(Database& db, const QString& name) {
    const search::SearchDescriptor spec = members::memberManagementSpec();
    QList<search::ConditionInput> inputs(spec.conditions.size());
    if (!name.isEmpty()) {
        inputs[2].ticked = true;
        inputs[2].text = name;
    }
    return search::buildFilter(spec, inputs, db.dialect());
}

void firstRows(benchmark::State& state, Backend b, const QString& name) {
    Backend_& e = engines.at(b);
    const search::SearchDescriptor spec = members::memberManagementSpec();
    const search::Term where = memberFilter(*e.db, name);
    search::PagedTableModel model(*e.db, spec.columns);
    if (const int rows = qEnvironmentVariableIntValue("FLORIST_BENCH_PAGE"); rows > 0) {
        model.setPageSize(rows);
    }
    const QString head = search::whereHead(spec);
    model.setQuery(head, where);
    const search::Term page = model.pageStatement(nullptr, model.pageSize());
    const QString sql = e.db->dialect().translate(page.text);
    compare(
        state, [&] { model.setQuery(head, where); }, [&] { e.raw->run(sql, page.params); });
    state.counters["rows"] = model.rowCount();
}

void totals(benchmark::State& state, Backend b, const QString& name) {
    Backend_& e = engines.at(b);
    const search::SearchDescriptor spec = members::memberManagementSpec();
    const search::Term where = memberFilter(*e.db, name);
    const QString sql = search::totalsSelect(spec) + where.text;
    qlonglong rows = 0;
    compare(
        state, [&] { rows = search::readTotals(*e.db, spec, where).rows; },
        [&] { e.raw->run(sql, where.params); });
    state.counters["members"] = double(rows);
}

// The member lookup of the top-up and exchange windows: card, phone, initials, mobile.
void cardLookup(benchmark::State& state, Backend b, const QString& typed) {
    Backend_& e = engines.at(b);
    const Dialect& d = e.db->dialect();
    const QString sql =
        "SELECT theType AS 会员分类, theNum AS 卡号, theName AS 姓名, theSex AS 性别, theBir AS "
        "生日, theMob AS 手机号码, thePhone AS 电话号码, theQQ AS QQ号, theWX AS 微信号, theLove "
        "AS "
        "个人喜好, theDept AS 单位名称, theAddress AS 联系地址, Remark AS 备注, myDate AS "
        "持卡日期, "
        "theJF AS 积分, XFDate AS 消费日期, theCount AS 消费次数, theMoney AS 账户余额, ID FROM "
        "UMember WHERE (theDel = '否') AND ((" +
        search::likeTerm("theNum", d) + ") OR (" + search::likeTerm("thePhone", d) + ") OR (" +
        search::likeTerm("thePY", d) + ") OR (" + search::likeTerm("theMob", d) + ") ) ";
    const QString p = search::containsPattern(typed);
    const QVariantList params{p, p, p, p};
    int found = 0;
    compare(
        state, [&] { found = e.db->select(sql, params).size(); }, [&] { e.raw->run(sql, params); });
    state.counters["found"] = found;
}

void exportMembers(benchmark::State& state, Backend b) {
    Backend_& e = engines.at(b);
    const search::SearchDescriptor spec = members::memberManagementSpec();
    search::PagedTableModel model(*e.db, spec.columns);
    model.setQuery(search::whereHead(spec), {});
    QTemporaryDir dir;
    qlonglong rows = 0;
    qint64 readNs = 0;
    qint64 allNs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const search::Totals tot = search::readTotals(*e.db, spec, {});
        const ExportTable table = search::exportRows(*e.db, spec, model, tot);
        readNs += t.nsecsElapsed();
        writeXlsx(dir.filePath("members.xlsx"), "青禾花店", search::exportSpec(spec), table);
        rows = table.rows.size();
        allNs += t.nsecsElapsed();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
    const double n = double(state.iterations());
    state.counters["rows"] = double(rows);
    state.counters["read_ms"] = ms(readNs) / n;
    state.counters["write_ms"] = ms(allNs - readNs) / n;
}

// The stock query over the 100 k lots: the first page and the lot count with the quantity.
void stockFirstRows(benchmark::State& state, Backend b) {
    Backend_& e = engines.at(b);
    const search::SearchDescriptor spec = stock::stockQuerySpec();
    search::PagedTableModel model(*e.db, spec.columns);
    const QString head = search::whereHead(spec);
    model.setQuery(head, spec.fixed);
    const search::Term page = model.pageStatement(nullptr, model.pageSize());
    const QString sql = e.db->dialect().translate(page.text);
    compare(
        state, [&] { model.setQuery(head, spec.fixed); }, [&] { e.raw->run(sql, page.params); });
}

void stockTotals(benchmark::State& state, Backend b) {
    Backend_& e = engines.at(b);
    const search::SearchDescriptor spec = stock::stockQuerySpec();
    qlonglong rows = 0;
    compare(
        state, [&] { rows = search::readTotals(*e.db, spec, spec.fixed).rows; },
        [&] { e.raw->run(search::totalsSelect(spec) + spec.fixed.text, {}); });
    state.counters["lots"] = double(rows);
}

void registerFor(Backend b) {
    registerOrderBenchmarks(backendName(b).toStdString(), *engines.at(b).db, *engines.at(b).raw);
    const std::string tag0 = backendName(b).toStdString();
    benchmark::RegisterBenchmark(("StockQuery/" + tag0 + "/FirstRows").c_str(),
                                 [b](benchmark::State& s) { stockFirstRows(s, b); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(30);
    benchmark::RegisterBenchmark(("StockQuery/" + tag0 + "/Totals").c_str(),
                                 [b](benchmark::State& s) { stockTotals(s, b); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(15);
    const std::string tag = backendName(b).toStdString();
    struct Case {
        const char* name;
        QString typed;
    };
    const Case cases[] = {{"NoCondition", ""}, {"Name", "王芳"}, {"Initials", "wf"}};
    for (const Case& c : cases) {
        const QString typed = c.typed;
        benchmark::RegisterBenchmark(("MemberSearch/" + tag + "/" + c.name + "/FirstRows").c_str(),
                                     [b, typed](benchmark::State& s) { firstRows(s, b, typed); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(30);
        benchmark::RegisterBenchmark(("MemberSearch/" + tag + "/" + c.name + "/Totals").c_str(),
                                     [b, typed](benchmark::State& s) { totals(s, b, typed); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(15);
    }
    for (const char* typed : {"123456", "13800"}) {
        benchmark::RegisterBenchmark(("CardLookup/" + tag + "/" + typed).c_str(),
                                     [b, typed](benchmark::State& s) { cardLookup(s, b, typed); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(15);
    }
    benchmark::RegisterBenchmark(("MemberExport/" + tag + "/All").c_str(),
                                 [b](benchmark::State& s) { exportMembers(s, b); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
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
            Backend_ e;
            e.backend = b;
            e.db = bench::openReferenceDatabase(
                b, [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
            e.raw = bench::rawEngine(bench::referenceSettings(b));
            bench::RawEngine& raw = *e.raw;
            engines.emplace(b, std::move(e));
            registerFor(b);
            bench::registerOrderEntryBenchmarks(b, raw);
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
