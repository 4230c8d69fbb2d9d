// The model benchmark's C++ side (Google Benchmark): reading the model, analysing it on 1 and 2
// threads, and the whole run to the summary JSON, on the file named by VYMATH_BENCH_MODEL (written by
// bench/model/make_model.py). `bench/run.py model` runs it beside the pandas peer.
#include "formats/Input.h"
#include "formats/Results.h"

#include <vymath/analysis/Analysis.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;

std::string ModelFile() {
    const char* path = std::getenv("VYMATH_BENCH_MODEL");
    return path ? path : "";
}

std::unique_ptr<va::Model> Read(const std::string& path) {
    return vf::ReadModel(path, vf::Format::Csv, va::ColumnRequest());
}

va::EnvelopeRun Analyse(const va::Model& model, unsigned threads) {
    va::RunOptions options;
    options.threads = threads;
    return va::AnalyseEnvelopes(model, {}, va::EnvelopeMethod::Exact, options);
}

void BM_ModelRead(benchmark::State& state) {
    const std::string path = ModelFile();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const auto bytes = static_cast<std::int64_t>(file.tellg());
    for (auto _ : state)
        benchmark::DoNotOptimize(Read(path)->Rows());
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ModelAnalyse(benchmark::State& state) {
    const std::unique_ptr<va::Model> model = Read(ModelFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(Analyse(*model, static_cast<unsigned>(state.range(0))).members.size());
}

void BM_ModelWhole(benchmark::State& state) {
    for (auto _ : state) {
        const std::unique_ptr<va::Model> model = Read(ModelFile());
        benchmark::DoNotOptimize(
            vf::ToJson(*model, Analyse(*model, static_cast<unsigned>(state.range(0)))).size());
    }
}

BENCHMARK(BM_ModelRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ModelAnalyse)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ModelWhole)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
