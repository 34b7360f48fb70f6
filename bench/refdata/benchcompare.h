#pragma once

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <functional>

namespace florist::bench {

inline double ms(qint64 ns) {
    return double(ns) / 1e6;
}

// Runs app and raw alternately; the iteration time is the program's.
inline void compare(benchmark::State& state, const std::function<void()>& app,
                    const std::function<void()>& raw) {
    app(); // warm both caches alike
    raw();
    qint64 appNs = 0;
    qint64 rawNs = 0;
    QElapsedTimer t;
    bool appFirst = true;
    for (auto _ : state) {
        // Turn about, so neither side always finds the caches the other one warmed.
        qint64 a = 0;
        qint64 r = 0;
        for (int side = 0; side < 2; ++side) {
            const bool runApp = (side == 0) == appFirst;
            t.start();
            runApp ? app() : raw();
            (runApp ? a : r) = t.nsecsElapsed();
        }
        appFirst = !appFirst;
        appNs += a;
        rawNs += r;
        state.SetIterationTime(double(a) / 1e9);
    }
    const double n = double(state.iterations());
    state.counters["app_ms"] = ms(appNs) / n;
    state.counters["raw_ms"] = ms(rawNs) / n;
    state.counters["ratio"] = rawNs > 0 ? double(appNs) / double(rawNs) : 0;
}

} // namespace florist::bench
