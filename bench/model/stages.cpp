// Wall time of each stage of `vymath envelope FILE --json --csv` on a model (or one member's cases), to
// tell the tool's own time (reading, output) from the analysis (diagrams, envelopes, extremes):
//   vymath_cli_stages FILE [THREADS]
#include "formats/Input.h"
#include "formats/Results.h"

#include <vymath/analysis/Analysis.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

class Clock {
public:
    // Seconds since the previous call (or the construction).
    double Lap() {
        const auto now = std::chrono::steady_clock::now();
        const double s = std::chrono::duration<double>(now - last).count();
        last = now;
        return s;
    }

private:
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vymath_cli_stages FILE [THREADS]\n");
        return 2;
    }
    namespace va = vymath::analysis;
    namespace vf = vymath::formats;
    Clock clock;
    const std::unique_ptr<va::Model> model =
        vf::ReadModel(argv[1], vf::FormatOf(argv[1], vf::Format::Auto), va::ColumnRequest());
    std::printf("read %zu members, %zu rows (tool)     %8.3f s\n", model->Size(), model->Rows(), clock.Lap());
    va::RunOptions options;
    options.threads = argc == 3 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
    const va::EnvelopeRun run = va::AnalyseEnvelopes(*model, {}, va::EnvelopeMethod::Exact, options);
    std::printf("analysis (diagrams, exact envelopes) %8.3f s\n", clock.Lap());
    const std::size_t bytes = vf::ToJson(*model, run).size() + vf::ToCsv(*model, run).size();
    std::printf("summary CSV and JSON (tool)          %8.3f s\n", clock.Lap());
    std::printf("%zu bytes of output\n", bytes);
    return 0;
}
