#include "core/spreadsheet/sheetreader.h"
#include "core/spreadsheet/xlsxexport.h"
#include "sheetfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <zip.h>

namespace {

using namespace florist;
using namespace florist::bench;

// A management list as wide as the order list: names, dates, phone numbers, amounts.
ExportSpec wideSpec(int columns) {
    ExportSpec spec;
    spec.titleWord = "订单表";
    for (int c = 0; c < columns; ++c) {
        spec.headings << QString("列%1").arg(c + 1);
    }
    spec.textColumns = {"列2", "列3"};
    spec.totals = {{"列5", "s"}};
    return spec;
}

ExportTable wideTable(int rows, int columns) {
    ExportTable t;
    t.rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList line;
        line.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            switch (c % 4) {
            case 0:
                line << QString("青禾花店%1号").arg(r % 97);
                break;
            case 1:
                line << QString("2026-%1-%2").arg(1 + r % 12, 2, 10, QChar('0')).arg(1 + r % 28);
                break;
            case 2:
                line << QString::number(13800000000LL + r);
                break;
            default:
                line << QString::number((r % 1000) * 1.5);
            }
        }
        t.rows << line;
    }
    t.totalsLine = QStringList(columns);
    t.totalsLine[4] = "123456.5";
    return t;
}

void BM_ExportXlsx100kRows20Columns(benchmark::State& state) {
    const ExportSpec spec = wideSpec(20);
    const ExportTable table = wideTable(100000, 20);
    QTemporaryDir dir;
    for (auto _ : state) {
        writeXlsx(dir.filePath("wide.xlsx"), "青禾花店", spec, table);
    }
}
BENCHMARK(BM_ExportXlsx100kRows20Columns)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadXlsx10kRows(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("members.xlsx");
    writeXlsx(path, "青禾花店", wideSpec(18), wideTable(10000, 18));
    for (auto _ : state) {
        const Sheet s = readSheet(path);
        benchmark::DoNotOptimize(s.rows.size());
    }
}
BENCHMARK(BM_ReadXlsx10kRows)->Unit(benchmark::kMillisecond);

void BM_ReadCsv10kRows(benchmark::State& state) {
    QByteArray csv;
    const ExportTable t = wideTable(10000, 18);
    for (const QStringList& line : t.rows) {
        csv += line.join(',').toUtf8() + "\r\n";
    }
    for (auto _ : state) {
        const Sheet s = readCsv(csv);
        benchmark::DoNotOptimize(s.rows.size());
    }
}
BENCHMARK(BM_ReadCsv10kRows)->Unit(benchmark::kMillisecond);

// A member list of a million rows (ten columns) opened as the import window opens it: through
// the helper process, with the progress it reports. Counters: how often progress came, and
// the time the helper took to tell its first share.
void BM_ReadXlsx1MRowsWithProgress(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("million.xlsx");
    {
        ExportSpec spec = wideSpec(10);
        spec.totals.clear();
        writeXlsx(path, "青禾花店", spec, wideTable(1'000'000, 10));
    }
    for (auto _ : state) {
        int told = 0;
        int shares = 0;
        int last = -1;
        const auto sheet = readSheet(path, {}, [&](int permille) {
            ++told;
            if (permille != last && permille >= 0) {
                ++shares;
                last = permille;
            }
            return true;
        });
        benchmark::DoNotOptimize(sheet->rows.size());
        state.counters["rows"] = double(sheet->rows.size());
        state.counters["waits"] = told;
        state.counters["progress_steps"] = shares;
    }
}
BENCHMARK(BM_ReadXlsx1MRowsWithProgress)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadExcelStyleXlsx1MRowsWithProgress(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/excel-million.xlsx";
    writeExcelStyleXlsx(path, 1'000'000);
    for (auto _ : state) {
        int told = 0;
        const auto sheet = readSheet(path, {}, [&](int) { return ++told > 0; });
        benchmark::DoNotOptimize(sheet->rows.size());
        state.counters["rows"] = double(sheet->rows.size());
        state.counters["waits"] = told;
    }
}
BENCHMARK(BM_ReadExcelStyleXlsx1MRowsWithProgress)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same file read in this process, without the helper: what the helper adds is the
// difference.
void BM_ReadXlsx1MRowsInProcess(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("million.xlsx");
    {
        ExportSpec spec = wideSpec(10);
        spec.totals.clear();
        writeXlsx(path, "青禾花店", spec, wideTable(1'000'000, 10));
    }
    for (auto _ : state) {
        const Sheet s = readSheetHere(path);
        benchmark::DoNotOptimize(s.rows.size());
    }
}
BENCHMARK(BM_ReadXlsx1MRowsInProcess)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
