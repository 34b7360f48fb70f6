#include "orderbench.h"

#include "core/db/datamodule.h"
#include "core/search/pagedmodel.h"
#include "members/memberlookup.h"
#include "orders/orderentry.h"
#include "rawengine.h"
#include "refconnection.h"

#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace florist::bench {

namespace {

// A business date no reference order has: the saves measured here are removed afterwards.
const QString kBenchDate = QStringLiteral("2099-01-01");

std::unique_ptr<DataModule> openModule(Backend backend) {
    auto db = std::make_unique<Database>(referenceSettings(backend));
    db->open();
    auto dm = std::make_unique<DataModule>(std::move(db));
    LoginValues& login = dm->login();
    login.currentUser = "admin";
    login.currentStore = "总店";
    login.businessDate = kBenchDate;
    return dm;
}

double median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A member order of 128 paid in cash, with a recipient, a sender and a known area.
void orderSave(benchmark::State& state, Backend backend) {
    std::unique_ptr<DataModule> dm = openModule(backend);
    Database& db = dm->db();
    const ResultSet member = db.select(
        "SELECT ID, theNum, theJF, theCount, XFDate FROM UMember WHERE (theNum = ?)", {"123456"});
    orders::OrderValues v;
    v.orderDate = kBenchDate;
    v.memberId = member.value(0, "ID").toLongLong();
    v.memberCard = "123456";
    v.pointsRate = "1";
    v.recipient = "王芳";
    v.recipientSex = "女";
    v.deliveryDate = kBenchDate;
    v.area = "西湖区";
    v.address = "文三路 1 号";
    v.sender = "李华";
    v.product = "花束";
    v.prices = {"128", "90", "115.2", "10", "0", "125.2", "125.2", "0"};
    v.paymentMethod = "现金";
    v.receptionist = "小王";
    std::vector<double> times;
    QElapsedTimer t;
    for (auto _ : state) {
        t.start();
        const orders::OrderSaveResult r = orders::saveOrder(*dm, v);
        const qint64 ns = t.nsecsElapsed();
        if (!r.outcome.done) {
            state.SkipWithError(r.outcome.message.toStdString().c_str());
            break;
        }
        times.push_back(double(ns) / 1e6);
        state.SetIterationTime(double(ns) / 1e9);
    }
    state.counters["median_ms"] = median(times);
    state.counters["orders"] = double(db.count("SELECT ID FROM UOrder"));
    // Leave the reference set as it was.
    db.exec("DELETE FROM UO_SK WHERE (theDate = ?)", {kBenchDate});
    db.exec("DELETE FROM UOrder WHERE (theDate = ?)", {kBenchDate});
    db.exec("UPDATE UMember SET theJF = ?, theCount = ?, XFDate = ? WHERE (ID = ?)",
            {member.value(0, "theJF"), member.value(0, "theCount"), member.value(0, "XFDate"),
             v.memberId});
}

// The order window's lookup as the program runs it, beside the bare engine running the same
// statement (raw_ms) and the plain five-LIKE statement without the index (plain_ms).
void lookup(benchmark::State& state, Backend backend, RawEngine& raw, const QString& text) {
    static std::unique_ptr<DataModule> dms[3];
    std::unique_ptr<DataModule>& dm = dms[int(backend)];
    if (!dm) {
        dm = openModule(backend);
    }
    const Dialect& d = dm->db().dialect();
    const search::Term filter = members::memberLookupFilter(d, true, text);
    const QString head = members::memberLookupSelect(d, true, false);
    const QString sql = d.translate(head.left(head.indexOf("WHERE (theDel = '否') ")) +
                                    "WHERE (theDel = '否') " + filter.text);
    const QString plain =
        d.translate(members::memberLookupSelect(d, true, members::needsLikeEscape(text)));
    const QVariantList plainParams = members::memberLookupParams(text, true);
    int found = 0;
    qint64 appNs = 0;
    qint64 rawNs = 0;
    qint64 plainNs = 0;
    QElapsedTimer t;
    members::lookupMembers(*dm, members::kCallerOrder, text); // warm the caches
    for (auto _ : state) {
        t.start();
        found = members::lookupMembers(*dm, members::kCallerOrder, text).size();
        const qint64 a = t.nsecsElapsed();
        t.start();
        raw.run(sql, filter.params);
        const qint64 r = t.nsecsElapsed();
        t.start();
        raw.run(plain, plainParams);
        plainNs += t.nsecsElapsed();
        appNs += a;
        rawNs += r;
        state.SetIterationTime(double(a) / 1e9);
    }
    const double n = double(state.iterations());
    state.counters["app_ms"] = double(appNs) / 1e6 / n;
    state.counters["raw_ms"] = double(rawNs) / 1e6 / n;
    state.counters["plain_ms"] = double(plainNs) / 1e6 / n;
    state.counters["found"] = found;
}

// Enter on an empty card field: the lookup decides there are many rows and the find dialog
// shows the first page.
void findAll(benchmark::State& state, Backend backend) {
    std::unique_ptr<DataModule> dm = openModule(backend);
    const search::Term filter = members::memberLookupFilter(dm->db().dialect(), true, "");
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const ResultSet head = members::lookupMembers(*dm, members::kCallerOrder, "", 201);
        search::PagedTableModel model(dm->db(), members::memberLookupColumns());
        model.setQuery("FROM UMember WHERE (theDel = '否') ", filter);
        benchmark::DoNotOptimize(head.size() + model.rowCount());
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}

} // namespace

void registerOrderEntryBenchmarks(Backend backend, RawEngine& raw) {
    const std::string tag = backendName(backend).toStdString();
    benchmark::RegisterBenchmark(("OrderSave/" + tag).c_str(),
                                 [backend](benchmark::State& s) { orderSave(s, backend); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(200);
    struct Case {
        const char* name;
        const char* text;
    };
    for (const Case& c :
         {Case{"FullCard", "123456"}, Case{"FourDigits", "3456"}, Case{"TwoChars", "王芳"}}) {
        const QString text = QString::fromUtf8(c.text);
        RawEngine* r = &raw;
        benchmark::RegisterBenchmark(
            ("OrderMemberLookup/" + tag + "/" + c.name).c_str(),
            [backend, r, text](benchmark::State& s) { lookup(s, backend, *r, text); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(20);
    }
    benchmark::RegisterBenchmark(("OrderMemberLookup/" + tag + "/EmptyFirstPage").c_str(),
                                 [backend](benchmark::State& s) { findAll(s, backend); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
}

} // namespace florist::bench
