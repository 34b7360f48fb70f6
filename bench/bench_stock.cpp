#include "core/db/datamodule.h"
#include "stock/stockdocument.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The purchase and the sale of twenty lines each, saved as their windows save them: number,
// per line the line insert, the lot and the catalogue price, the partner's balance, the
// header; one transaction each.

namespace florist {
namespace {

using stock::DocumentKind;
using stock::DocumentLine;
using stock::StockDocument;

constexpr int kLines = 20;

void runDocumentSaves(benchmark::State& state, std::unique_ptr<Database> db, DocumentKind kind) {
    DataModule dm(std::move(db));
    dm.login().currentUser = "admin";
    dm.login().currentStore = "总店";
    Database& d = dm.db();
    const qlonglong partner = d.insert("INSERT INTO UWL (theType, theName, theDel, WName) VALUES "
                                       "('其他', '花市', '否', '总店')");
    QList<DocumentLine> lines(stock::kLineCount);
    for (int i = 0; i < kLines; ++i) {
        DocumentLine& l = lines[i];
        l.materialNumber = QString("H%1").arg(i, 3, 10, QChar('0'));
        l.materialName = QString("花材%1").arg(i);
        l.materialId = d.insert("INSERT INTO UHC (theType, theNum, theName, theUnit, theCG, theXS, "
                                "theDel) VALUES ('鲜花', ?, ?, '枝', 2, 5, '否')",
                                {l.materialNumber, l.materialName});
        l.quantity = "3";
        l.price = QString::number(2.5 + i);
        if (kind != DocumentKind::Purchase) {
            // Lots deep enough for every round of the benchmark.
            l.lotId = d.insert("INSERT INTO UHCKC (WName, CGNum, HCID, theCount, thePrice, myDate) "
                               "VALUES ('总店', 'CG250101-0001', ?, 1e9, 2, '2025-01-01')",
                               {l.materialId});
            l.lotQuantity = 1e9;
        }
    }
    StockDocument doc;
    doc.kind = kind;
    doc.date = "2025-03-01";
    doc.partnerId = partner;
    doc.store = "总店";
    doc.paymentMethod = "现金";
    doc.paid = "100";
    doc.lines = lines;
    int i = 0;
    for (auto _ : state) {
        // About a hundred documents a business day.
        dm.login().businessDate = QDate(2025, 1, 1).addDays(i++ / 100).toString("yyyy-MM-dd");
        const stock::DocumentSaveResult r = stock::saveDocument(dm, doc);
        if (!r.done) {
            state.SkipWithError(qPrintable(r.message));
            break;
        }
    }
}

std::unique_ptr<Database> sqliteDatabase(const QTemporaryDir& dir) {
    ConnectionSettings s;
    s.path = dir.filePath("stock.db");
    auto db = std::make_unique<Database>(s);
    db->createSchema(true);
    return db;
}

void BM_StockSave_Sqlite(benchmark::State& state, DocumentKind kind) {
    QTemporaryDir dir;
    runDocumentSaves(state, sqliteDatabase(dir), kind);
}

// The server of FLORIST_BENCH_PG_HOST / _PORT / _USER; a database is made for the run.
void BM_StockSave_Postgres(benchmark::State& state, DocumentKind kind) {
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
    const QString name = QString("florist_stock_%1").arg(QCoreApplication::applicationPid());
    {
        Database admin(s);
        admin.exec("CREATE DATABASE " + name + " ENCODING 'UTF8' TEMPLATE template0");
    }
    {
        ConnectionSettings own = s;
        own.database = name;
        auto db = std::make_unique<Database>(own);
        db->createSchema(true);
        runDocumentSaves(state, std::move(db), kind);
    }
    Database admin(s);
    admin.exec("DROP DATABASE IF EXISTS " + name);
}

BENCHMARK_CAPTURE(BM_StockSave_Sqlite, Purchase20, DocumentKind::Purchase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_StockSave_Sqlite, Sale20, DocumentKind::Sale)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_StockSave_Postgres, Purchase20, DocumentKind::Purchase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_StockSave_Postgres, Sale20, DocumentKind::Sale)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace florist
