#include "orderlistbench.h"

#include "benchcompare.h"
#include "core/db/database.h"
#include "core/search/pagedmodel.h"
#include "core/search/searchresult.h"
#include "core/spreadsheet/xlsxexport.h"
#include "orders/anniversary.h"
#include "orders/orderlists.h"
#include "rawengine.h"

#include <QTemporaryDir>

namespace florist::bench {

namespace {

using search::ConditionInput;
using search::SearchDescriptor;
using search::Term;

struct Case {
    const char* name;
    std::function<SearchDescriptor()> spec;
    std::function<QList<ConditionInput>(const SearchDescriptor&)> inputs;
};

QList<ConditionInput> none(const SearchDescriptor& s) {
    return QList<ConditionInput>(s.conditions.size());
}

QList<ConditionInput> dates(const SearchDescriptor& s, int index, const QDate& from,
                            const QDate& to) {
    QList<ConditionInput> in = none(s);
    in[index].ticked = true;
    in[index].from = from;
    in[index].to = to;
    return in;
}

Term whereOf(Database& db, const SearchDescriptor& s, const QList<ConditionInput>& in,
             search::FilterUse use = search::FilterUse::Totals) {
    Term where = s.fixed;
    where += search::buildFilter(s, in, db.dialect(), use);
    return where;
}

// The management window's statements for one search: its first page and its totals.
void firstRows(benchmark::State& state, Database& db, RawEngine& raw, const Case& c) {
    const SearchDescriptor s = c.spec();
    const Term where = whereOf(db, s, c.inputs(s));
    const Term listWhere = whereOf(db, s, c.inputs(s), search::FilterUse::List);
    search::PagedTableModel model(db, s.columns);
    if (!s.sortHeading.isEmpty()) {
        model.sort(model.columnOf(s.sortHeading), Qt::AscendingOrder);
    }
    const QString head = search::whereHead(s);
    model.setQuery(head, where, listWhere);
    const Term page = model.pageStatement(nullptr, model.pageSize());
    const QString sql = db.dialect().translate(page.text);
    compare(
        state, [&] { model.setQuery(head, where, listWhere); }, [&] { raw.run(sql, page.params); });
    state.counters["rows"] = model.rowCount();
}

void totals(benchmark::State& state, Database& db, RawEngine& raw, const Case& c) {
    const SearchDescriptor s = c.spec();
    const Term where = whereOf(db, s, c.inputs(s));
    const QString sql = db.dialect().translate(search::totalsSelect(s) + where.text);
    qlonglong rows = 0;
    compare(
        state, [&] { rows = search::readTotals(db, s, where).rows; },
        [&] { raw.run(sql, where.params); });
    state.counters["orders"] = double(rows);
}

// Pages 51 to 100 of the list with no condition, as a grid scrolled that far reads them.
void scroll(benchmark::State& state, Database& db) {
    const SearchDescriptor s = orders::orderManagementSpec("总店");
    search::PagedTableModel model(db, s.columns);
    for (auto _ : state) {
        state.PauseTiming();
        model.setQuery(search::whereHead(s), {});
        for (int i = 0; i < 50; ++i) {
            model.fetchMore();
        }
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 50; ++i) {
            model.fetchMore();
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        state.counters["ms_per_page"] = ms(t.nsecsElapsed()) / 50;
    }
    state.counters["rows"] = model.rowCount();
}

// The export of about 100 k orders (the newest 219 days): the rows read in pages, the sheet
// written; beside it the bare engine reading the same rows with one statement.
void exportOrders(benchmark::State& state, Database& db, RawEngine& raw) {
    const SearchDescriptor s = orders::orderManagementSpec("总店");
    const QList<ConditionInput> in =
        dates(s, orders::kOrderDate, QDate(2025, 5, 25), QDate(2025, 12, 31));
    const Term where = whereOf(db, s, in);
    search::PagedTableModel model(db, s.columns);
    model.setQuery(search::whereHead(s), where, whereOf(db, s, in, search::FilterUse::List));
    const Term all = model.pageStatement(nullptr, 2'000'000);
    const QString sql = db.dialect().translate(all.text);
    QTemporaryDir dir;
    qlonglong rows = 0;
    qint64 readNs = 0;
    qint64 allNs = 0;
    qint64 rawNs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const search::Totals tot = search::readTotals(db, s, where);
        const ExportTable table = search::exportRows(db, s, model, tot);
        readNs += t.nsecsElapsed();
        writeXlsx(dir.filePath("orders.xlsx"), "青禾花店", search::exportSpec(s), table);
        rows = table.rows.size();
        allNs += t.nsecsElapsed();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        QElapsedTimer r;
        r.start();
        raw.run(sql, all.params);
        rawNs += r.nsecsElapsed();
    }
    const double n = double(state.iterations());
    state.counters["rows"] = double(rows);
    state.counters["read_ms"] = ms(readNs) / n;
    state.counters["raw_read_ms"] = ms(rawNs) / n;
    state.counters["read_ratio"] = rawNs > 0 ? double(readNs) / double(rawNs) : 0;
    state.counters["write_ms"] = ms(allNs - readNs) / n;
}

} // namespace

void registerOrderBenchmarks(const std::string& tag, Database& db, RawEngine& raw) {
    auto management = [] { return orders::orderManagementSpec("总店"); };
    auto recipient = [](const SearchDescriptor& s) {
        QList<ConditionInput> in = none(s);
        in[orders::kRecipient].ticked = true;
        in[orders::kRecipient].text = "王芳";
        return in;
    };
    auto month = [](const SearchDescriptor& s) {
        return dates(s, orders::kOrderDate, QDate(2025, 11, 1), QDate(2025, 11, 30));
    };
    auto oldMonth = [](const SearchDescriptor& s) {
        return dates(s, orders::kOrderDate, QDate(2020, 6, 1), QDate(2020, 6, 30));
    };
    const QList<Case> cases = {
        {"OrderSearch/NoCondition", management, none},
        {"OrderSearch/Recipient", management, recipient},
        {"OrderSearch/Month", management, month},
        {"OrderSearch/Month2020", management, oldMonth},
        {"Reminder/NotDelivered", [] { return orders::notDeliveredSpec("总店"); }, none},
        {"Reminder/Receivables", [] { return orders::receivablesSpec("总店"); }, none},
        {"Reminder/Vases", [] { return orders::vaseReturnSpec("总店"); }, none},
        {"Reminder/Anniversary", [] { return orders::anniversarySpec(QDate(2025, 12, 28)); },
         [](const SearchDescriptor& s) {
             QList<ConditionInput> in = none(s);
             in[0].ticked = true;
             in[0].number = 7;
             return in;
         }},
        {"Collections/NoCondition", [] { return orders::collectionsSpec("总店"); }, none},
        {"Collections/Month", [] { return orders::collectionsSpec("总店"); },
         [](const SearchDescriptor& s) {
             return dates(s, 1, QDate(2025, 11, 1), QDate(2025, 11, 30));
         }},
    };
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(
            (std::string(c.name) + "/" + tag + "/FirstRows").c_str(),
            [&db, &raw, c](benchmark::State& s) { firstRows(s, db, raw, c); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
        benchmark::RegisterBenchmark((std::string(c.name) + "/" + tag + "/Totals").c_str(),
                                     [&db, &raw, c](benchmark::State& s) { totals(s, db, raw, c); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
    benchmark::RegisterBenchmark(("OrderScroll/" + tag + "/Pages51to100").c_str(),
                                 [&db](benchmark::State& s) { scroll(s, db); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::RegisterBenchmark(("OrderExport/" + tag + "/100k").c_str(),
                                 [&db, &raw](benchmark::State& s) { exportOrders(s, db, raw); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
}

} // namespace florist::bench
