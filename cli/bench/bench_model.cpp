// The model benchmark's C++ side (Google Benchmark): reading the model, analysing it on 1 and 2
// threads, and the whole run to the summary JSON, on the file named by VYMATH_BENCH_MODEL (written by
// bench/model/make_model.py). bench/model/run_model.py runs it beside the pandas peer.
#include "Input.h"
#include "Progress.h"
#include "Report.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Summary.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

namespace va = vymath::analysis;
using namespace vycli;

std::string ModelFile() {
    const char* path = std::getenv("VYMATH_BENCH_MODEL");
    return path ? path : "";
}

ModelInput Read(const std::string& path) {
    Progress progress(false);
    return ReadModel(path, Format::Csv, va::ColumnRequest(), progress);
}

std::vector<va::MemberResult> Analyse(const ModelInput& in, unsigned threads) {
    va::Options options;
    options.threads = threads;
    return va::Analyse(*in.model, {}, options, [&in](std::size_t o) { return in.Where(o); });
}

void BM_ModelRead(benchmark::State& state) {
    const std::string path = ModelFile();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const auto bytes = static_cast<std::int64_t>(file.tellg());
    for (auto _ : state)
        benchmark::DoNotOptimize(Read(path).model->Rows());
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ModelAnalyse(benchmark::State& state) {
    const ModelInput in = Read(ModelFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(Analyse(in, static_cast<unsigned>(state.range(0))).size());
}

void BM_ModelWhole(benchmark::State& state) {
    for (auto _ : state) {
        const ModelInput in = Read(ModelFile());
        const auto results = Analyse(in, static_cast<unsigned>(state.range(0)));
        benchmark::DoNotOptimize(ModelJson(*in.model, results, va::Summarise(*in.model, results)).size());
    }
}

BENCHMARK(BM_ModelRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ModelAnalyse)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ModelWhole)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
