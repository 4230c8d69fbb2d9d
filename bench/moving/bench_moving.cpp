// Moving loads on influence lines: the exact extremes of a 12-axle train travelling both ways with a lane
// load, on 1,000 lines of V vertices over a path of 100 m (moment lines of a span at 1,000 sections, and
// shear lines with their jump at the section, each with a ripple so that every vertex is a kink), one
// thread and two; HL-93 (a variable spacing); and building the diagrams from their rows. With
// VYMATH_BENCH_DATA the lines are written there, with the vehicle's part of their exact extremes
// (bench/run.py moving sweeps the same arrays with numpy and prints the table).
#include "BenchData.h"

#include "formats/MovingLoad.h"

#include <vymath/analysis/MovingLoad.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace va = vymath::analysis;

const int kLines = 1000;

// Line i of n vertices: the moment (i even) or the shear (i odd, its jump at the vertex nearest the
// section) at section s of a span of 100 m.
std::vector<va::Row> Rows(int i, int n) {
    const double pi = 3.141592653589793;
    const double s = 100.0 * (i + 0.5) / kLines;
    const int section = static_cast<int>(std::lround(s * (n - 1) / 100));
    std::vector<va::Row> rows;
    for (int j = 0; j < n; ++j) {
        const double x = 100.0 * j / (n - 1);
        const double ripple = 0.02 * std::sin(2 * pi * x / 7.3 + i) + 0.01 * std::sin(2 * pi * x / 0.9);
        if (i % 2 == 0) {
            rows.push_back({x, (x < s ? x * (100 - s) / 100 : s * (100 - x) / 100) + 10 * ripple, 0});
            continue;
        }
        if (j == section)
            rows.push_back({x, -x / 100 + ripple, 0});
        rows.push_back({x, (j < section ? -x / 100 : 1 - x / 100) + ripple, 0});
    }
    return rows;
}

// Twelve axles (kN, m), uneven, both ways, with a lane load of 9 kN/m.
const char* kTrain = R"({"loads": [60, 120, 120, 90, 90, 90, 90, 110, 110, 80, 80, 80],
                         "spacings": [3.2, 1.4, 4.8, 1.3, 1.3, 6.1, 1.4, 5.0, 1.3, 1.3, 2.2],
                         "lane": 9, "directions": "both"})";

const std::vector<va::Diagram>& Lines(int n) {
    static std::map<int, std::vector<va::Diagram>> cache;
    auto it = cache.find(n);
    if (it != cache.end())
        return it->second;
    std::vector<va::Diagram>& lines = cache[n];
    std::vector<double> xs, ys, counts;
    const va::Locator where = [](std::size_t) { return std::string("row"); };
    for (int i = 0; i < kLines; ++i) {
        const std::vector<va::Row> rows = Rows(i, n);
        for (const va::Row& r : rows) {
            xs.push_back(r.x);
            ys.push_back(r.y);
        }
        counts.push_back(static_cast<double>(rows.size()));
        lines.push_back(va::BuildDiagram("line", rows, where));
    }
    bench::Dump("moving_" + std::to_string(n) + "_x", xs);
    bench::Dump("moving_" + std::to_string(n) + "_y", ys);
    bench::Dump("moving_" + std::to_string(n) + "_counts", counts);
    if (std::getenv("VYMATH_BENCH_DATA") != nullptr) {
        // The vehicle's part of each line's exact extremes, for the peer to compare its sweep with.
        const va::MovingLoad load = vymath::formats::ReadMovingLoad(kTrain, "bench");
        va::MovingWorkspace work;
        std::vector<double> exact;
        for (const va::Diagram& d : lines) {
            const va::MovingResult r = va::MovingExtremes(d, load, work);
            exact.push_back(r.max.value - r.max.laneValue);
            exact.push_back(r.min.value - r.min.laneValue);
        }
        bench::Dump("moving_" + std::to_string(n) + "_exact", exact);
    }
    return lines;
}

// HL-93 with its variable rear spacing (and the tandem).
const char* kHL93 = R"({"alternatives": [
    {"loads": [35, 145, 145], "spacings": [4.3, [4.3, 9.0]], "factor": 1.33, "lane": 9.3},
    {"loads": [110, 110], "spacings": [1.2], "factor": 1.33, "lane": 9.3}]})";

void Run(benchmark::State& state, const char* json, unsigned threads) {
    const std::vector<va::Diagram>& lines = Lines(static_cast<int>(state.range(0)));
    const va::MovingLoad load = vymath::formats::ReadMovingLoad(json, "bench");
    std::vector<double> sums(threads);
    for (auto _ : state) {
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < threads; ++t)
            pool.emplace_back([&, t] {
                va::MovingWorkspace work;
                double sum = 0.0;
                for (std::size_t i = t; i < lines.size(); i += threads) {
                    const va::MovingResult r = va::MovingExtremes(lines[i], load, work);
                    sum += r.max.value - r.min.value;
                }
                sums[t] = sum;
            });
        for (std::thread& th : pool)
            th.join();
        benchmark::DoNotOptimize(sums.data());
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}

void BM_Moving12Axles(benchmark::State& state) {
    Run(state, kTrain, 1);
}
void BM_Moving12Axles2Threads(benchmark::State& state) {
    Run(state, kTrain, 2);
}
void BM_MovingHL93(benchmark::State& state) {
    Run(state, kHL93, 1);
}

// Building the 1,000 diagrams from their rows (BuildDiagram), what a caller holding arrays adds.
void BM_MovingLinesBuilt(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<std::vector<va::Row>> rows;
    for (int i = 0; i < kLines; ++i)
        rows.push_back(Rows(i, n));
    const va::Locator where = [](std::size_t) { return std::string("row"); };
    for (auto _ : state)
        for (const std::vector<va::Row>& r : rows) {
            const va::Diagram d = va::BuildDiagram("line", r, where);
            benchmark::DoNotOptimize(d.jumps.data());
        }
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (long n : {1000L, 2000L})
        b->Arg(n);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Moving12Axles)->Apply(Sizes);
BENCHMARK(BM_Moving12Axles2Threads)->Apply(Sizes);
BENCHMARK(BM_MovingHL93)->Apply(Sizes);
BENCHMARK(BM_MovingLinesBuilt)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
