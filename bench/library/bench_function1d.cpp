// Costs of the function operations on long diagrams, beside GSL's linear interpolation where it is
// found. Names: BM_<work>/<size>; bench/run.py sets them side by side with the numpy peer.
#include "BenchData.h"

#include <benchmark/benchmark.h>

#ifdef VYMATH_BENCH_GSL
#include <gsl/gsl_errno.h>
#include <gsl/gsl_interp.h>
#endif

#include <cfloat>
#include <malloc.h>
#include <map>
#include <new>

namespace {

constexpr std::size_t kQueries = 100000;

struct EvalData {
    bench::Curve points;
    CVyMathFunction1D f;
    std::vector<double> random, sorted;
};

// One data set a size, made once.
const EvalData& Data(std::size_t n) {
    static std::map<std::size_t, EvalData> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        EvalData d;
        d.points = bench::DiagramPoints(n);
        d.f = bench::Function(d.points);
        const double lo = d.points.x.front(), hi = d.points.x.back();
        d.random = bench::Queries(kQueries, lo, hi, false, "queries_random_" + std::to_string(n));
        d.sorted = bench::Queries(kQueries, lo, hi, true, "queries_sorted_" + std::to_string(n));
        it = cache.emplace(n, std::move(d)).first;
    }
    return it->second;
}

void EvalSizes(benchmark::internal::Benchmark* b) {
    for (long n : {1000L, 10000L, 100000L, 1000000L})
        b->Arg(n);
    b->Unit(benchmark::kMicrosecond);
}

void BM_GetOrdinate_random(benchmark::State& state) {
    const EvalData& d = Data(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        double sum = 0.0, y = 0.0;
        for (double x : d.random) {
            d.f.GetOrdinate(x, y);
            sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * kQueries));
}
BENCHMARK(BM_GetOrdinate_random)->Apply(EvalSizes);

// VYMATH_BENCH_BASELINE leaves out what a library without the batch evaluation cannot run, to time an
// earlier build of the library with the same benchmarks.
#ifndef VYMATH_BENCH_BASELINE
void BatchEvaluation(benchmark::State& state, const std::vector<double> EvalData::*queries) {
    const EvalData& d = Data(static_cast<std::size_t>(state.range(0)));
    const std::vector<double>& q = d.*queries;
    std::vector<double> y(q.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.f.GetOrdinates(q.data(), y.data(), q.size()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * kQueries));
}

void BM_GetOrdinates_sorted(benchmark::State& state) {
    BatchEvaluation(state, &EvalData::sorted);
}
BENCHMARK(BM_GetOrdinates_sorted)->Apply(EvalSizes);

void BM_GetOrdinates_random(benchmark::State& state) {
    BatchEvaluation(state, &EvalData::random);
}
BENCHMARK(BM_GetOrdinates_random)->Apply(EvalSizes);
#endif

#ifdef VYMATH_BENCH_GSL
void GslEvaluation(benchmark::State& state, bool sorted, bool accelerated) {
    const EvalData& d = Data(static_cast<std::size_t>(state.range(0)));
    gsl_set_error_handler_off();
    gsl_interp* interp = gsl_interp_alloc(gsl_interp_linear, d.points.x.size());
    gsl_interp_init(interp, d.points.x.data(), d.points.y.data(), d.points.x.size());
    gsl_interp_accel* accel = accelerated ? gsl_interp_accel_alloc() : nullptr;
    const std::vector<double>& q = sorted ? d.sorted : d.random;
    for (auto _ : state) {
        double sum = 0.0;
        for (double x : q)
            sum += gsl_interp_eval(interp, d.points.x.data(), d.points.y.data(), x, accel);
        benchmark::DoNotOptimize(sum);
    }
    if (accel != nullptr)
        gsl_interp_accel_free(accel);
    gsl_interp_free(interp);
    state.SetItemsProcessed(static_cast<long>(state.iterations() * kQueries));
}

void BM_GSL_eval_random(benchmark::State& state) {
    GslEvaluation(state, false, false);
}
BENCHMARK(BM_GSL_eval_random)->Apply(EvalSizes);

void BM_GSL_eval_accel_sorted(benchmark::State& state) {
    GslEvaluation(state, true, true);
}
BENCHMARK(BM_GSL_eval_accel_sorted)->Apply(EvalSizes);
#endif

// ---- Building a diagram point by point ------------------------------------------------------

void BM_Set_increasing(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CVyMathFunction1D f(0.0, n + 1.0, 0);
        for (int i = 1; i <= n; ++i)
            f.Set(i, std::sin(0.01 * i));
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_Set_increasing)->RangeMultiplier(2)->Range(1 << 14, 1 << 20)->Unit(benchmark::kMillisecond);

std::vector<double> Shuffled(int n) {
    std::vector<double> xs;
    for (int i = 1; i <= n; ++i)
        xs.push_back(i);
    std::shuffle(xs.begin(), xs.end(), std::mt19937_64(7));
    return xs;
}

void BM_Set_random(benchmark::State& state) {
    const std::vector<double> xs = Shuffled(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CVyMathFunction1D f(0.0, xs.size() + 1.0, 0);
        for (double x : xs)
            f.Set(x, 1.0);
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_Set_random)->RangeMultiplier(2)->Range(1 << 12, 1 << 16)->Unit(benchmark::kMillisecond);

// The array insertion alone: the same points put into two sorted arrays.
void BM_ArrayInsert_random(benchmark::State& state) {
    const std::vector<double> xs = Shuffled(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<double> ax{0.0, xs.size() + 1.0}, ay{0.0, 0.0};
        for (double x : xs) {
            const auto at = std::upper_bound(ax.begin(), ax.end(), x) - ax.begin();
            ax.insert(ax.begin() + at, x);
            ay.insert(ay.begin() + at, 1.0);
        }
        benchmark::DoNotOptimize(ax);
        benchmark::DoNotOptimize(ay);
    }
}
BENCHMARK(BM_ArrayInsert_random)->RangeMultiplier(2)->Range(1 << 12, 1 << 16)->Unit(benchmark::kMillisecond);

// ---- Crossings, editing and the collectors ------------------------------------------------------

// Two diagrams of n points with abscissas of their own, crossing about every 20 points.
CVyMathFunction1D Wavy(int n, double phase) {
    CVyMathFunction1D f(0.0, n, 0);
    for (int i = 1; i < n; ++i) {
        const double x = i + phase * 0.5;
        f.Set(x, std::sin(0.3 * x + phase) * 10.0);
    }
    return f;
}

void CollectorSizes(benchmark::internal::Benchmark* b) {
    for (long n : {4000L, 8000L, 16000L, 32000L, 64000L})
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

void BM_Intersections(benchmark::State& state) {
    CVyMathFunction1D f = Wavy(static_cast<int>(state.range(0)), 0.0);
    CVyMathFunction1D g = Wavy(static_cast<int>(state.range(0)), 1.0);
    for (auto _ : state) {
        CVyMathFunction1D::PointList crossings;
        benchmark::DoNotOptimize(f.GetIntersectionAbscissas(&g, crossings));
    }
}
BENCHMARK(BM_Intersections)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Arg(64000)
    ->Unit(benchmark::kMillisecond);

void BM_Merge(benchmark::State& state) {
    const CVyMathFunction1D f = Wavy(static_cast<int>(state.range(0)), 0.0);
    CVyMathFunction1D g = Wavy(static_cast<int>(state.range(0)), 1.0);
    for (auto _ : state) {
        CVyMathFunction1D m(f);
        m.Merge(&g);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_Merge)->Apply(CollectorSizes);

void BM_Concat(benchmark::State& state) {
    const CVyMathFunction1D f = Wavy(static_cast<int>(state.range(0)), 0.0);
    const CVyMathFunction1D g = Wavy(static_cast<int>(state.range(0)), 1.0);
    for (auto _ : state) {
        CVyMathFunction1D m(f), h(g);
        m.Concat(&h);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_Concat)->Apply(CollectorSizes);

template <typename Collect>
void Collector(benchmark::State& state, Collect collect) {
    CVyMathFunction1D f = Wavy(static_cast<int>(state.range(0)), 0.0);
    for (auto _ : state) {
        CVyMathFunction1D::PointList a, b;
        collect(f, a, b);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
}

void BM_GetAllZero(benchmark::State& state) {
    Collector(state, [](CVyMathFunction1D& f, CVyMathFunction1D::PointList& a,
                        CVyMathFunction1D::PointList&) { f.GetAllZero(a, 1e-9); });
}
BENCHMARK(BM_GetAllZero)->Apply(CollectorSizes);

void BM_Extrema(benchmark::State& state) {
    Collector(state, [](CVyMathFunction1D& f, CVyMathFunction1D::PointList& a,
                        CVyMathFunction1D::PointList&) { f.Extrema(a); });
}
BENCHMARK(BM_Extrema)->Apply(CollectorSizes);

void BM_LocalMinMax(benchmark::State& state) {
    Collector(state, [](CVyMathFunction1D& f, CVyMathFunction1D::PointList& a,
                        CVyMathFunction1D::PointList& b) { f.LocalMinMax(a, b); });
}
BENCHMARK(BM_LocalMinMax)->Apply(CollectorSizes);

void BM_GlobalMinMax(benchmark::State& state) {
    Collector(state, [](CVyMathFunction1D& f, CVyMathFunction1D::PointList& a,
                        CVyMathFunction1D::PointList& b) { f.GlobalMinMax(a, b); });
}
BENCHMARK(BM_GlobalMinMax)->Apply(CollectorSizes);

void BM_ShapeQueries(benchmark::State& state) {
    CVyMathFunction1D f = Wavy(static_cast<int>(state.range(0)), 0.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.IsLinear(DBL_MIN, DBL_MAX));
        benchmark::DoNotOptimize(f.IsSymetric(1.0, state.range(0) - 1.0));
        benchmark::DoNotOptimize(f.IsConstant());
    }
}
BENCHMARK(BM_ShapeQueries)->Apply(CollectorSizes);

void BM_Qtrap(benchmark::State& state) {
    const EvalData& d = Data(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(d.f.Qtrap(d.points.x.front(), d.points.x.back()));
}
BENCHMARK(BM_Qtrap)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_EnvelopeMaxMin(benchmark::State& state) {
    const CVyMathFunction1D f = Wavy(static_cast<int>(state.range(0)), 0.0);
    for (auto _ : state) {
        CVyMathFunction1D upper, lower;
        f.EnvelopeMaxMin(upper, lower);
        benchmark::DoNotOptimize(upper);
    }
}
BENCHMARK(BM_EnvelopeMaxMin)->Apply(CollectorSizes);

// ---- Memory: bytes held by a function of n points, counted at the allocator -------------------

std::size_t live = 0; // bytes held by the program's allocations

void BM_Memory(benchmark::State& state) {
    const bench::Curve c = bench::DiagramPoints(static_cast<std::size_t>(state.range(0)));
    double built = 0, copied = 0;
    for (auto _ : state) {
        const std::size_t before = live;
        CVyMathFunction1D f = bench::Function(c);
        const std::size_t mid = live;
        CVyMathFunction1D g(f);
        built = static_cast<double>(mid - before);
        copied = static_cast<double>(live - mid);
        benchmark::DoNotOptimize(g);
    }
    state.counters["bytes_per_point_built"] = built / static_cast<double>(c.x.size());
    state.counters["bytes_per_point_copy"] = copied / static_cast<double>(c.x.size());
}
BENCHMARK(BM_Memory)->Arg(100000)->Iterations(1);

} // namespace

// Counts the bytes the program holds (BM_Memory reads the difference around a construction).
void* operator new(std::size_t size) {
    void* p = std::malloc(size);
    if (p == nullptr)
        throw std::bad_alloc();
    live += malloc_usable_size(p);
    return p;
}
namespace {
void Release(void* p) {
    if (p != nullptr)
        live -= malloc_usable_size(p);
    std::free(p);
}
} // namespace
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
