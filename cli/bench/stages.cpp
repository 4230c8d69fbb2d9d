// Wall time of each stage of `vymath envelope FILE --json --csv --svg`, to tell the tool's own time
// (reading, output) from the library's (building the functions, the envelope):
//   vymath_cli_stages FILE
#include "Diagrams.h"
#include "Input.h"
#include "Plot.h"
#include "Progress.h"
#include "Report.h"
#include "Results.h"

#include <chrono>
#include <cstdio>

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
    if (argc != 2) {
        std::fprintf(stderr, "usage: vymath_cli_stages FILE\n");
        return 2;
    }
    using namespace vycli;
    Progress progress(false);
    Clock clock;
    const Input in = ReadCases(argv[1], FormatOf(argv[1], Format::Auto), progress);
    std::size_t rows = 0;
    for (const CaseRows& c : in.cases)
        rows += c.rows.size();
    std::printf("read %zu cases, %zu rows (tool)   %8.3f s\n", in.cases.size(), rows, clock.Lap());
    std::vector<Member> members = BuildDiagrams(in, progress);
    std::printf("build functions (library Set)      %8.3f s\n", clock.Lap());
    const EnvelopeResult r = Envelope(members, progress);
    std::printf("envelope (library EnvelopMaxMin)   %8.3f s\n", clock.Lap());
    std::size_t bytes = EnvelopeTable(r, Labels()).size() + EnvelopeCsv(r).size() + EnvelopeJson(r).size();
    std::printf("table, CSV, JSON (tool)            %8.3f s\n", clock.Lap());
    std::vector<Series> series;
    for (Member& m : members)
        series.push_back({m.name, StoredPoints(m.f)});
    bytes += EnvelopeSvg(r, series, Labels()).size();
    std::printf("SVG (tool)                         %8.3f s\n", clock.Lap());
    std::printf("%zu bytes of output, %zu + %zu envelope points\n", bytes, r.lower.x.size(),
                r.upper.x.size());
    return 0;
}
