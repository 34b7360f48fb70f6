#include "core/text/numtochar.h"
#include "core/text/pinyin.h"

#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

// A fixed pseudo-random sequence, so that every run measures the same names and amounts.
struct Lcg {
    std::uint32_t state = 20240601;
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

constexpr int kCount = 100000;

const std::vector<QString>& memberNames() {
    static const std::vector<QString> names = [] {
        const QString surnames =
            QString::fromUtf8("王李张刘陈杨黄赵吴周徐孙马朱胡郭何林罗高郑梁谢宋唐");
        const QString given =
            QString::fromUtf8("伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超兰霞平刚桂花玉");
        std::vector<QString> out;
        out.reserve(kCount);
        Lcg rng;
        for (int i = 0; i < kCount; ++i) {
            QString name(surnames.at(rng.next() % surnames.size()));
            name += given.at(rng.next() % given.size());
            name += given.at(rng.next() % given.size());
            out.push_back(name);
        }
        return out;
    }();
    return names;
}

const std::vector<double>& amounts() {
    static const std::vector<double> out = [] {
        std::vector<double> v;
        v.reserve(kCount);
        Lcg rng;
        for (int i = 0; i < kCount; ++i) {
            v.push_back(double(rng.next() % 10000000) / 100.0); // up to 99999.99 yuan
        }
        return v;
    }();
    return out;
}

// One call per iteration, walking through the 100 000 member names of three characters.
void BM_GetPY_MemberName(benchmark::State& state) {
    const std::vector<QString>& names = memberNames();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(florist::GetPY(names[i]));
        i = i + 1 == names.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetPY_MemberName);

void BM_NumToChar(benchmark::State& state) {
    const std::vector<double>& values = amounts();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(florist::NumToChar(values[i]));
        i = i + 1 == values.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NumToChar);

} // namespace
