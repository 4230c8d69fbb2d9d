// Design envelopes by EN 1990 of A actions (2 to 8, free and exclusive ones, not_with among them) on one
// member of P stations, and by ASCE 7-16 LRFD of D, L (3 patterns), Lr, S, W (4 directions) and Eh (2
// directions) on a member of the model benchmark's shape (21 stations) and of 101: DesignEnvelopes, against
// enumerating every combination of every situation (the Cartesian product of the actions' choices, as code
// generators do: fuzz/reference/ref_design.cpp), forming each by Combine and enveloping them by
// ExactEnvelopes. `bench/run.py design` prints the tables.
#include "reference/RefDesign.h"

#include "formats/Actions.h"

#include <vymath/analysis/Design.h>
#include <vymath/vymath.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

namespace va = vymath::analysis;
using F = CVyMathFunction1D;

// The actions in the order they join (H, the roof's imposed load, excludes S and W, which come before).
struct Rung {
    const char* name;
    const char* type;
    const char* extra; // more keys of the action, JSON
    std::vector<std::string> cases;
};

const std::vector<Rung> kLadder = {
    {"G1", "permanent", "", {"G1"}},
    {"Q", "imposed", R"(, "category": "B", "acting": "free")", {"Q1", "Q2"}},
    {"W", "wind", R"(, "acting": "exclusive")", {"Wx", "Wy"}},
    {"S", "snow", "", {"S"}},
    {"G2", "permanent", "", {"G2"}},
    {"T", "temperature", R"(, "acting": "exclusive")", {"Th", "Tc"}},
    {"H", "imposed", R"(, "category": "H", "not_with": ["S", "W"])", {"H"}},
    {"C", "imposed", R"(, "category": "C", "acting": "free")", {"C1", "C2", "C3"}},
};

// ASCE 7-16 LRFD: A = 6 (every action).
const std::vector<Rung> kAsce = {
    {"D", "D", "", {"D"}},
    {"L", "L", R"(, "acting": "free")", {"L1", "L2", "L3"}},
    {"Lr", "Lr", "", {"Lr"}},
    {"S", "S", "", {"S"}},
    {"W", "W", R"(, "acting": "exclusive")", {"W1", "W2", "W3", "W4"}},
    {"Eh", "Eh", R"(, "acting": "exclusive")", {"Eh1", "Eh2"}},
};

struct Member {
    va::Actions actions;
    std::vector<std::string> names;
    std::vector<F> cases;
    std::vector<const F*> diagrams;
};

// The first A actions of the ladder on a member of 10 m with P stations: each case a moment-like
// diagram (a parabola, a point load's kink and a linear part, with random weights and signs).
Member& MemberOf(int actions, int stations, bool asce = false) {
    static std::map<std::tuple<int, int, bool>, Member> cache;
    const auto key = std::make_tuple(actions, stations, asce);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    Member& m = cache[key];
    std::string json = asce ? R"({"code": "ASCE7-16-LRFD", "actions": [)" : R"({"uls": "6.10", "actions": [)";
    for (int a = 0; a < actions; ++a) {
        const Rung& s = (asce ? kAsce : kLadder)[static_cast<std::size_t>(a)];
        std::string cases;
        for (const std::string& c : s.cases)
            cases += (cases.empty() ? "\"" : ", \"") + c + "\"";
        json += std::string(a ? ", " : "") + R"({"name": ")" + s.name + R"(", "type": ")" + s.type +
                R"(", "cases": [)" + cases + "]" + s.extra + "}";
        m.names.insert(m.names.end(), s.cases.begin(), s.cases.end());
    }
    json += "]}";
    m.actions = vymath::formats::ReadActions(json, "bench");
    std::mt19937 random(static_cast<unsigned>(1000 * actions + stations));
    std::uniform_real_distribution<double> weight(-1.0, 1.0);
    for (std::size_t c = 0; c < m.names.size(); ++c) {
        const double a = 100 * weight(random), b = 40 * weight(random), d = 30 * weight(random);
        const double kink = 1.0 + 8.0 * std::fabs(weight(random)), p = 50 * weight(random);
        F f(0.0, 10.0, 0);
        for (int i = 0; i < stations; ++i) {
            const double x = 10.0 * i / (stations - 1);
            const double y = a * x * (10 - x) / 25 + p * (x < kink ? x * (10 - kink) : kink * (10 - x)) / 25 +
                             b * x / 10 + d;
            f.Set(x, y);
        }
        m.cases.push_back(f);
    }
    for (const F& f : m.cases)
        m.diagrams.push_back(&f);
    return m;
}

// 2 to 8 actions on 101 stations; the design envelopes also for 8 actions on 51 to 801 stations.
void Actions(benchmark::internal::Benchmark* b) {
    for (long a = 2; a <= 8; ++a)
        b->Args({a, 101});
    b->Unit(benchmark::kMillisecond);
}

void Sizes(benchmark::internal::Benchmark* b) {
    Actions(b);
    for (long p : {51L, 201L, 401L, 801L})
        b->Args({8, p});
}

// ASCE 7-16 LRFD's six actions on 21 and 101 stations.
void Asce(benchmark::internal::Benchmark* b) {
    for (long p : {21L, 101L})
        b->Args({6, p});
    b->Unit(benchmark::kMillisecond);
}

void Design(benchmark::State& state, bool asce) {
    Member& m = MemberOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), asce);
    std::size_t points = 0;
    for (auto _ : state) {
        const std::vector<va::DesignSituation> s = va::DesignEnvelopes(m.actions, m.names, m.diagrams);
        points = 0;
        for (const va::DesignSituation& one : s)
            points += one.lower.x.size() + one.upper.x.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}

void BM_DesignEnvelopes(benchmark::State& state) {
    Design(state, false);
}
BENCHMARK(BM_DesignEnvelopes)->Apply(Sizes);

void BM_AsceDesignEnvelopes(benchmark::State& state) {
    Design(state, true);
}
BENCHMARK(BM_AsceDesignEnvelopes)->Apply(Asce);

// Every combination of every situation enumerated, the duplicates dropped, each formed by Combine, and
// (envelope) the situation's envelopes by ExactEnvelopes; counters: the combinations enumerated and the
// distinct ones.
void Enumerated(benchmark::State& state, bool envelope, bool asce = false) {
    Member& m = MemberOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), asce);
    std::vector<std::string> situations;
    for (const va::DesignSituation& s : va::DesignEnvelopes(m.actions, m.names, m.diagrams))
        situations.push_back(s.name);
    std::size_t enumerated = 0, distinct = 0;
    for (auto _ : state) {
        enumerated = distinct = 0;
        for (const std::string& name : situations) {
            const std::vector<std::vector<double>> all = ref::Combinations(m.actions, m.names, name);
            const std::set<std::vector<double>> unique(all.begin(), all.end());
            enumerated += all.size();
            distinct += unique.size();
            std::vector<F> combined(unique.size());
            std::size_t k = 0;
            for (const std::vector<double>& factors : unique)
                F::Combine(m.diagrams, factors, combined[k++]);
            benchmark::DoNotOptimize(combined.data());
            if (!envelope)
                continue;
            CVyMathSetFunction1D set; // adding compares each with the members before it by value
            for (F& f : combined)
                set.AddFunction(&f);
            F lower, upper;
            std::vector<int> lowerCase, upperCase;
            set.ExactEnvelopes(lower, upper, lowerCase, upperCase);
            benchmark::DoNotOptimize(lower);
            benchmark::DoNotOptimize(upper);
        }
    }
    state.counters["combinations"] = static_cast<double>(enumerated);
    state.counters["distinct"] = static_cast<double>(distinct);
}

void BM_Enumerated(benchmark::State& state) {
    Enumerated(state, true);
}
BENCHMARK(BM_Enumerated)->Apply(Actions);

// The enumeration's part before any envelope: the combinations listed and formed.
void BM_EnumeratedFormed(benchmark::State& state) {
    Enumerated(state, false);
}
BENCHMARK(BM_EnumeratedFormed)->Apply(Actions);

void BM_AsceEnumerated(benchmark::State& state) {
    Enumerated(state, true, true);
}
BENCHMARK(BM_AsceEnumerated)->Apply(Asce);

} // namespace

BENCHMARK_MAIN();
