// Costs of the main function operations on long diagrams and many load cases.
#include <vymath/vymath.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// A diagram of n points on [0, n], built left to right in front of the right end point.
CVyMathFunction1D Diagram(int n) {
    CVyMathFunction1D f(0.0, static_cast<double>(n), 0);
    for (int i = 1; i < n - 1; ++i)
        f.SetUniqueAbscissaAtIndex(i, std::sin(0.01 * i), 0.0, i);
    return f;
}

void BM_GetOrdinate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const CVyMathFunction1D f = Diagram(n);
    double x = 0.5, y = 0.0;
    for (auto _ : state) {
        f.GetOrdinate(x, y);
        benchmark::DoNotOptimize(y);
        x += 7.31;
        if (x > n)
            x -= n;
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_GetOrdinate)->RangeMultiplier(10)->Range(100, 1000000)->Complexity(benchmark::oLogN);

void BM_SetAppendInOrder(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CVyMathFunction1D f(0.0, n + 1.0, 0);
        for (int i = 1; i <= n; ++i)
            f.Set(i, 1.0);
        benchmark::DoNotOptimize(f);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_SetAppendInOrder)->RangeMultiplier(4)->Range(256, 16384)->Complexity(benchmark::oNSquared);

void BM_SetUniqueAbscissaInOrder(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CVyMathFunction1D f;
        for (int i = 1; i <= n; ++i)
            f.SetUniqueAbscissaAtIndex(i, 1.0, 0.0, i);
        benchmark::DoNotOptimize(f);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_SetUniqueAbscissaInOrder)->RangeMultiplier(4)->Range(256, 16384)->Complexity(benchmark::oN);

void BM_Qtrap(benchmark::State& state) {
    const CVyMathFunction1D f = Diagram(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.Qtrap(0.0, state.range(0) - 1.0));
}
BENCHMARK(BM_Qtrap)->Arg(1000)->Arg(100000);

void BM_EnvelopeOfLoadCases(benchmark::State& state) {
    const int cases = static_cast<int>(state.range(0));
    std::vector<CVyMathFunction1D> diagrams;
    for (int k = 0; k < cases; ++k) {
        CVyMathFunction1D f(0.0, 10.0, 0);
        for (int i = 1; i < 200; ++i) {
            const double x = i * 0.05;
            f.Set(x, std::sin(x + k) * (k + 1));
        }
        diagrams.push_back(f);
    }
    CVyMathSetFunction1D set;
    for (auto& d : diagrams)
        set.AddFunction(&d);
    for (auto _ : state) {
        CVyMathFunction1D lower, upper;
        set.EnvelopMaxMin(lower, upper);
        benchmark::DoNotOptimize(lower);
    }
}
BENCHMARK(BM_EnvelopeOfLoadCases)->Arg(2)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
