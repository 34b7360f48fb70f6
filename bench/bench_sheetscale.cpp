#include "core/spreadsheet/sheetreader.h"
#include "sheetfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <zip.h>

#if defined(Q_OS_LINUX)
#include <sys/resource.h>
#endif

namespace {

using namespace florist;
using namespace florist::bench;

// Peak resident memory of this process in MB since the last reset (Linux; 0 elsewhere).
void resetPeak() {
#if defined(Q_OS_LINUX)
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly)) {
        f.write("5");
    }
#endif
}

double peakMB(const char* field = "VmHWM:") {
#if defined(Q_OS_LINUX)
    QFile f("/proc/self/status");
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (line.startsWith(field)) {
                return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toDouble() /
                       1024.0;
            }
        }
    }
#else
    Q_UNUSED(field);
#endif
    return 0;
}

// The largest peak of any helper process that has ended, in MB.
double helperPeakMB() {
#if defined(Q_OS_LINUX)
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
}

// CPU seconds of the helper processes that have ended.
double helperCpuSeconds() {
#if defined(Q_OS_LINUX)
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
#else
    return 0;
#endif
}

// The floor: inflating the sheet's part and nothing else, in milliseconds.
double inflateMs(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    qint64 total = 0;
    if (zip_file_t* f = zip_fopen(z, "xl/worksheets/sheet1.xml", 0)) {
        static char buffer[1 << 16];
        zip_int64_t n;
        while ((n = zip_fread(f, buffer, sizeof buffer)) > 0) {
            total += n;
        }
        zip_fclose(f);
    }
    zip_discard(z);
    benchmark::DoNotOptimize(total);
    return double(clock.nsecsElapsed()) / 1e6;
}

// A member sheet as Excel writes it (shared strings, numbers, dates) opened as the import window
// opens it: through the helper, with its progress. Counters: the plain inflate of the sheet
// part as the floor, the peak memory of this process while reading and of the helper.
void readThroughHelper(benchmark::State& state, int rows) {
    QTemporaryDir dir;
    const QString path = dir.filePath("members.xlsx");
    writeExcelStyleXlsx(path, rows);
    const double floor = inflateMs(path);
    const double before = peakMB("VmRSS:");
    for (auto _ : state) {
        resetPeak();
        int told = 0;
        const double cpuBefore = helperCpuSeconds();
        const auto sheet = readSheet(path, {}, [&](int) { return ++told > 0; });
        // The machine may be shared: the helper's own CPU time is the figure to compare.
        state.counters["helper_cpu_s"] = helperCpuSeconds() - cpuBefore;
        state.counters["rows"] = double(sheet->rows.size());
        state.counters["program_peak_MB"] = peakMB();
        state.counters["program_before_MB"] = before;
        state.counters["helper_peak_MB"] = helperPeakMB();
        state.counters["waits"] = told;
    }
    state.counters["inflate_ms"] = floor;
}

void BM_ReadMemberXlsx100kThroughHelper(benchmark::State& state) {
    readThroughHelper(state, 100'000);
}
BENCHMARK(BM_ReadMemberXlsx100kThroughHelper)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadMemberXlsx1MThroughHelper(benchmark::State& state) {
    readThroughHelper(state, 1'000'000);
}
BENCHMARK(BM_ReadMemberXlsx1MThroughHelper)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
