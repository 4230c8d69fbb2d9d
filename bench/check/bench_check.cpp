// The check benchmark's C++ side (Google Benchmark): the whole run (reading the model and the capacity,
// checking every member in one rule of 28,224 combinations, the JSON) on 2 threads, the checks alone on 1
// and 2, and the enumerating reference (fuzz/reference/ref_check.cpp: every combination at every station,
// ray cast against every edge) on the first few members. Files from make_check_model.py, named by
// VYMATH_BENCH_CHECK (the model; the capacity and the rule beside it as .capacity.json and .rule.json).
#include "formats/Capacity.h"
#include "formats/Input.h"
#include "formats/Json.h"
#include "formats/Results.h"
#include "formats/Source.h"
#include "reference/RefCheck.h"

#include <vymath/analysis/Check.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;

std::string File(const char* suffix) {
    const char* path = std::getenv("VYMATH_BENCH_CHECK");
    return std::string(path ? path : "") + suffix;
}

std::string Text(const std::string& path) {
    vf::Source source(path, path);
    return source.All();
}

std::unique_ptr<va::Model> Read() {
    return vf::ReadModel(File(""), vf::Format::Csv, va::ColumnRequest());
}

va::Capacity Capacity() {
    return vf::ReadCapacity(Text(File(".capacity.json")), "capacity");
}

std::vector<va::SituationRules> Rules() {
    const vf::json::Json terms = vf::json::Parse(Text(File(".rule.json")), "rule");
    va::SituationRules s;
    s.name = "ULS";
    va::Rule rule;
    rule.label = "ULS";
    for (const auto& t : terms) {
        va::RuleTerm term;
        for (const auto& a : t) {
            va::Alternative alt;
            for (const auto& item : a.items())
                alt.factors.push_back({item.key(), item.value().get<double>()});
            term.alternatives.push_back(alt);
        }
        rule.terms.push_back(term);
    }
    s.rules.push_back(rule);
    return {s};
}

va::CheckRun Check(const va::Model& model, const va::Capacity& capacity,
                   const std::vector<va::SituationRules>& rules, unsigned threads) {
    va::RunOptions options;
    options.threads = threads;
    return va::AnalyseChecks(model, capacity, rules, {}, options);
}

void BM_CheckWhole(benchmark::State& state) {
    for (auto _ : state) {
        const std::unique_ptr<va::Model> model = Read();
        const va::Capacity capacity = Capacity();
        const va::CheckRun run = Check(*model, capacity, Rules(), static_cast<unsigned>(state.range(0)));
        benchmark::DoNotOptimize(vf::ToJson(*model, capacity, run).size());
    }
}

void BM_CheckAnalyse(benchmark::State& state) {
    const std::unique_ptr<va::Model> model = Read();
    const va::Capacity capacity = Capacity();
    const std::vector<va::SituationRules> rules = Rules();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Check(*model, capacity, rules, static_cast<unsigned>(state.range(0))).members.size());
}

// The reference on the first state.range(0) members: every combination at every station, the largest ray
// utilisation, which must be the checks'; the counter "per_member" in seconds.
void BM_CheckReference(benchmark::State& state) {
    const std::unique_ptr<va::Model> model = Read();
    const va::Capacity capacity = Capacity();
    const std::vector<va::SituationRules> rules = Rules();
    const std::size_t members = static_cast<std::size_t>(state.range(0));
    const std::size_t p = 0, m3 = 1;
    const va::CheckRun run = Check(*model, capacity, rules, 1);
    for (auto _ : state) {
        for (std::size_t m = 0; m < members; ++m) {
            double largest = 0.0;
            const auto diagrams = va::MemberDiagrams(*model, m, {});
            const std::vector<std::string>& cases = model->Cases(m);
            const va::Section& section = capacity.sections[m];
            std::vector<CVyMathFunction1D::Point> polygon = section.curve.Vertices();
            for (const auto& q : diagrams[p][0].upper.Points()) {
                std::map<std::string, ref::CaseAt> values;
                for (std::size_t c = 0; c < cases.size(); ++c) {
                    double n = 0.0, mo = 0.0;
                    diagrams[p][c].upper.f.GetOrdinate(q.x, n);
                    diagrams[m3][c].upper.f.GetOrdinate(q.x, mo);
                    values[cases[c]] = {n, n, mo, mo};
                }
                for (const ref::Combination& c : ref::Combinations(rules[0], values, {}))
                    largest = std::max(largest, ref::RayRatio(polygon, c.pair));
            }
            const double mine = run.members[m].situations[0].max.u;
            if (std::fabs(mine - largest) > 1e-9 * largest)
                state.SkipWithError("the checks and the reference differ");
        }
    }
    state.counters["per_member"] =
        benchmark::Counter(static_cast<double>(members),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_CheckWhole)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CheckAnalyse)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CheckReference)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
