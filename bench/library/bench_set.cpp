// The envelopes of K load cases of N points (the set's fold and the exact envelopes), and the load
// combination of them.
#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <map>
#include <tuple>

namespace {

struct Model {
    std::vector<CVyMathFunction1D> cases;
    CVyMathSetFunction1D set;
};

Model& ModelOf(int K, int N, bench::Cases kind) {
    static std::map<std::tuple<int, int, bench::Cases>, Model> cache;
    auto key = std::make_tuple(K, N, kind);
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.emplace(key, Model()).first;
        for (const bench::Curve& c : bench::LoadCases(K, N, kind))
            it->second.cases.push_back(bench::Function(c));
        for (CVyMathFunction1D& f : it->second.cases)
            it->second.set.AddFunction(&f);
    }
    return it->second;
}

void EnvelopeSizes(benchmark::internal::Benchmark* b) {
    for (long K : {10L, 50L})
        for (long N : {250L, 500L, 1000L, 2000L, 4000L, 10000L})
            b->Args({K, N});
    b->Unit(benchmark::kMillisecond);
}

void Envelope(benchmark::State& state, bench::Cases kind) {
    Model& m = ModelOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kind);
    for (auto _ : state) {
        CVyMathFunction1D lower, upper;
        m.set.EnvelopMaxMin(lower, upper);
        benchmark::DoNotOptimize(lower);
        benchmark::DoNotOptimize(upper);
    }
}

// Every case at the same stations, each with one point of its own.
void BM_EnvelopMaxMin_shared(benchmark::State& state) {
    Envelope(state, bench::Cases::Shared);
}
BENCHMARK(BM_EnvelopMaxMin_shared)->Apply(EnvelopeSizes);

// Each case at abscissas of its own: the envelopes gather K x N points.
void BM_EnvelopMaxMin_own(benchmark::State& state) {
    Envelope(state, bench::Cases::Own);
}
BENCHMARK(BM_EnvelopMaxMin_own)->Apply(EnvelopeSizes);

#ifndef VYMATH_BENCH_BASELINE // the governing form, Combine and the exact envelopes are recent
void ExactSizes(benchmark::internal::Benchmark* b) {
    for (long K : {10L, 50L, 200L})
        for (long N : {250L, 500L, 1000L, 2000L, 4000L, 10000L})
            b->Args({K, N});
    b->Unit(benchmark::kMillisecond);
}

void Exact(benchmark::State& state, bench::Cases kind) {
    Model& m = ModelOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kind);
    for (auto _ : state) {
        CVyMathFunction1D lower, upper;
        std::vector<int> lc, uc;
        m.set.ExactEnvelopes(lower, upper, lc, uc);
        benchmark::DoNotOptimize(lc);
        benchmark::DoNotOptimize(uc);
    }
}

void BM_ExactEnvelopes_shared(benchmark::State& state) {
    Exact(state, bench::Cases::Shared);
}
BENCHMARK(BM_ExactEnvelopes_shared)->Apply(ExactSizes);

void BM_ExactEnvelopes_own(benchmark::State& state) {
    Exact(state, bench::Cases::Own);
}
BENCHMARK(BM_ExactEnvelopes_own)->Apply(ExactSizes);

// Random ordinates on stations of their own: a crossing in almost every segment.
void BM_ExactEnvelopes_cross(benchmark::State& state) {
    Exact(state, bench::Cases::Cross);
}
BENCHMARK(BM_ExactEnvelopes_cross)->Apply(ExactSizes);

void BM_EnvelopMaxMin_governing(benchmark::State& state) {
    Model& m =
        ModelOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), bench::Cases::Shared);
    for (auto _ : state) {
        CVyMathFunction1D lower, upper;
        std::vector<int> lc, uc;
        m.set.EnvelopMaxMin(lower, upper, lc, uc);
        benchmark::DoNotOptimize(lc);
    }
}
BENCHMARK(BM_EnvelopMaxMin_governing)->Apply(EnvelopeSizes);

void BM_Combine(benchmark::State& state) {
    Model& m = ModelOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), bench::Cases::Own);
    std::vector<const CVyMathFunction1D*> members;
    std::vector<double> factors;
    for (const CVyMathFunction1D& f : m.cases) {
        members.push_back(&f);
        factors.push_back(1.35);
    }
    for (auto _ : state) {
        CVyMathFunction1D r;
        benchmark::DoNotOptimize(CVyMathFunction1D::Combine(members, factors, r));
    }
}
BENCHMARK(BM_Combine)->Apply(EnvelopeSizes);
#endif

} // namespace
