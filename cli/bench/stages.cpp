// Wall time of each stage of `vymath envelope FILE --json --csv` on a model (or one member's cases), to
// tell the tool's own time (reading, output) from the analysis (diagrams, envelopes, extremes):
//   vymath_cli_stages FILE [THREADS]
#include "Input.h"
#include "Progress.h"
#include "Report.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Summary.h>

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
    using namespace vycli;
    namespace va = vymath::analysis;
    Progress progress(false);
    Clock clock;
    const ModelInput in = ReadModel(argv[1], FormatOf(argv[1], Format::Auto), va::ColumnRequest(), progress);
    std::printf("read %zu members, %zu rows (tool)     %8.3f s\n", in.model->Size(), in.model->Rows(),
                clock.Lap());
    va::Options options;
    options.threads = argc == 3 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
    const auto results = va::Analyse(*in.model, {}, options, [&in](std::size_t o) { return in.Where(o); });
    std::printf("analysis (diagrams, exact envelopes) %8.3f s\n", clock.Lap());
    const auto rows = va::Summarise(*in.model, results);
    const std::size_t bytes =
        ModelJson(*in.model, results, rows).size() + SummaryCsv(*in.model, results, rows).size();
    std::printf("summary CSV and JSON (tool)          %8.3f s\n", clock.Lap());
    std::printf("%zu bytes of output\n", bytes);
    return 0;
}
