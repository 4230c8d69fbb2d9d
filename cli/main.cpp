// vymath: envelopes, governing cases and key figures of load-case diagrams, from the command line.
#include "Combination.h"
#include "Diagrams.h"
#include "Failure.h"
#include "Input.h"
#include "Output.h"
#include "Plot.h"
#include "Posix.h"
#include "Progress.h"
#include "Report.h"
#include "Results.h"

#include <vymath/VyMathVersion.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <new>

namespace {

using namespace vycli;

struct Options {
    std::string input;
    std::vector<std::string> combinations;
    std::string format = "auto";
    std::string xLabel = "x", yLabel = "y";
    std::string csv, json, svg;
    bool quiet = false;
};

void AddCommonOptions(CLI::App& cmd, Options& o) {
    cmd.add_option("CASES", o.input,
                   "Diagrams of the load cases: a .csv (case,x,y) or .json file, - for standard input")
        ->required();
    cmd.add_option(
        "-c,--combination", o.combinations,
        "A load combination NAME=EXPR, as ULS=1.35*G+1.5*Q (repeatable): work on the combinations");
    cmd.add_option("--format", o.format,
                   "Format of CASES (default: by its extension; CSV for standard input)")
        ->check(CLI::IsMember({"auto", "csv", "json"}));
    cmd.add_option("--x-label", o.xLabel, "Label of the abscissa, with its unit: \"x [m]\"");
    cmd.add_option("--y-label", o.yLabel, "Label of the ordinate, with its unit: \"M [kNm]\"");
    cmd.add_option("--csv", o.csv, "Write the results as CSV to this file");
    cmd.add_option("--json", o.json, "Write the results as JSON to this file");
    cmd.add_flag("-q,--quiet", o.quiet, "No table on standard output");
}

int Run(const std::string& command, const Options& o) {
    const std::vector<Combination> combinations = ParseCombinations(o.combinations);
    for (const auto& [option, path] : {std::pair{"--csv", &o.csv}, {"--json", &o.json}, {"--svg", &o.svg}})
        if (!path->empty())
            CheckFolder(option, *path);
    const Format format = FormatOf(o.input, o.format == "csv"    ? Format::Csv
                                            : o.format == "json" ? Format::Json
                                                                 : Format::Auto);

    Progress progress(isatty(STDERR_FILENO) != 0);
    const Input in = ReadCases(o.input, format, progress);
    std::vector<Member> cases = BuildDiagrams(in, progress);
    std::vector<Member> formed = FormCombinations(combinations, cases, in.file);
    std::vector<Member>& members = combinations.empty() ? cases : formed;
    const Labels labels{o.xLabel, o.yLabel, combinations.empty() ? "cases" : "combinations"};

    std::string table;
    std::vector<OutputFile> files;
    if (command == "envelope") {
        const EnvelopeResult r = Envelope(members, progress);
        progress.Stage("writing the results");
        table = EnvelopeTable(r, labels);
        if (!o.csv.empty())
            files.push_back({"--csv", o.csv, EnvelopeCsv(r)});
        if (!o.json.empty())
            files.push_back({"--json", o.json, EnvelopeJson(r)});
        if (!o.svg.empty()) {
            std::vector<Series> series;
            for (Member& m : members)
                series.push_back({m.name, StoredPoints(m.f)});
            files.push_back({"--svg", o.svg, EnvelopeSvg(r, series, labels)});
        }
    } else {
        const std::vector<Inspection> r = Inspect(members);
        table = InspectTable(r, labels);
        if (!o.csv.empty())
            files.push_back({"--csv", o.csv, InspectCsv(r)});
        if (!o.json.empty())
            files.push_back({"--json", o.json, InspectJson(r)});
    }
    WriteFiles(files);
    progress.Stop();
    if (!o.quiet)
        std::fwrite(table.data(), 1, table.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        DataError("cannot write the standard output");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Envelopes, governing cases and key figures of load-case diagrams (VyMath " VYMATH_VERSION_STRING
        ").",
        "vymath");
    app.set_version_flag("--version", VYMATH_VERSION_STRING);
    app.require_subcommand(1);
    Options o;
    CLI::App* envelope = app.add_subcommand(
        "envelope",
        "Lower and upper envelopes of the cases (or combinations), with the governing one at each point");
    AddCommonOptions(*envelope, o);
    envelope->add_option("--svg", o.svg, "Draw the cases and the envelopes to this SVG file");
    CLI::App* inspect = app.add_subcommand(
        "inspect",
        "Domain, points, extrema, zeros, resultant, moment and excentricity of each case (or combination)");
    AddCommonOptions(*inspect, o);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e);
        std::fprintf(stderr, "vymath: %s (see vymath --help)\n", e.what());
        return kUsageError;
    }
    try {
        return Run(envelope->parsed() ? "envelope" : "inspect", o);
    } catch (const Failure& f) {
        std::fprintf(stderr, "vymath: %s\n", f.what());
        return f.Status();
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vymath: out of memory\n");
        return kDataError;
    }
}
