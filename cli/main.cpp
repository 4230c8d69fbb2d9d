// vymath: envelopes, governing cases, coincident forces and key figures of a structural model's
// diagrams, from the command line.
#include "Failure.h"
#include "Html.h"
#include "Input.h"
#include "Output.h"
#include "Plot.h"
#include "Posix.h"
#include "Progress.h"
#include "Report.h"

#include <vymath/VyMathVersion.h>
#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Numbers.h>
#include <vymath/analysis/Summary.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <memory>
#include <new>
#include <set>

namespace {

using namespace vycli;
namespace va = vymath::analysis;

struct Options {
    std::string input;
    std::vector<std::string> combinations;
    std::string format = "auto";
    std::string member, loadCase, x;
    std::vector<std::string> forces, filters;
    std::string xLabel = "x", yLabel;
    std::string csv, json, svg, plots, html;
    std::string actions;
    unsigned threads = 0;
    bool fold = false;
    bool quiet = false;
};

void AddCommonOptions(CLI::App& cmd, Options& o) {
    cmd.add_option(
           "CASES", o.input,
           "The diagrams: a .csv file in long form (member,case,x and one column a force, or case,x,y) "
           "or a .json file; - for standard input")
        ->required();
    cmd.add_option("-c,--combination", o.combinations,
                   "A load combination NAME=EXPR, as ULS=1.35*G+1.5*Q (repeatable): work on the "
                   "combinations, for every member");
    cmd.add_option("--format", o.format,
                   "Format of CASES (default: by its extension; CSV for standard input)")
        ->check(CLI::IsMember({"auto", "csv", "json"}));
    cmd.add_option("--member", o.member,
                   "CSV: the column naming the member (default: \"member\", if there is one)");
    cmd.add_option("--case", o.loadCase, "CSV: the column naming the load case (default: \"case\")");
    cmd.add_option("--x", o.x, "CSV: the column of the abscissa (default: \"x\")");
    cmd.add_option(
        "--force", o.forces,
        "CSV: a column of an internal force (repeatable; default: every column but the member, case, "
        "abscissa and filter columns); other columns are ignored");
    cmd.add_option("--filter", o.filters,
                   "CSV: keep the rows whose column COL holds VALUE, as StepType=Max (COL=VALUE, repeatable; "
                   "several values of one column: any of them)");
    cmd.add_option("--threads", o.threads, "Members in parallel on at most N threads (default: all cores)")
        ->check(CLI::Range(1u, 1024u));
    cmd.add_option("--x-label", o.xLabel, "Label of the abscissa, with its unit: \"x [m]\"");
    cmd.add_option("--y-label", o.yLabel, "Label of the ordinate, with its unit: \"M [kNm]\" (one force)");
    cmd.add_option("--csv", o.csv, "Write the results as CSV to this file");
    cmd.add_option("--json", o.json, "Write the results as JSON to this file");
    cmd.add_flag("-q,--quiet", o.quiet, "No table on standard output");
}

[[noreturn]] void Rethrow(const va::Error& e) {
    throw Failure(e.GetKind() == va::Error::Kind::Usage ? kUsageError : kDataError, e.what());
}

void CheckDirectory(const std::string& option, const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        UsageError(option + " " + va::Quoted(path) + ": the folder " + va::Quoted(path) + " does not exist");
}

// A file name from member and force names: letters, digits, '.', '-' and '_' kept, others '_'.
std::string FileName(const std::string& member, const std::string& force, std::set<std::string>& taken) {
    std::string base = member.empty() ? force : member + "_" + force;
    for (char& c : base)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_'))
            c = '_';
    std::string name = base;
    for (int k = 2; !taken.insert(name).second; ++k)
        name = base + "-" + std::to_string(k);
    return name + ".svg";
}

int Run(const std::string& command, const Options& o) {
    std::vector<va::Combination> combinations;
    va::ColumnRequest columns{o.member, o.loadCase, o.x, o.forces, {}};
    try {
        combinations = va::ParseCombinations(o.combinations);
        columns.filters = va::ParseFilters(o.filters);
    } catch (const va::Error& e) {
        Rethrow(e);
    }
    if (!o.actions.empty() && !o.combinations.empty())
        UsageError("--actions and -c/--combination exclude each other: the actions give the combinations");
    if (!o.actions.empty() && o.fold)
        UsageError("--actions and --fold exclude each other: design envelopes are exact");
    for (const auto& [option, path] :
         {std::pair{"--csv", &o.csv}, {"--json", &o.json}, {"--svg", &o.svg}, {"--html", &o.html}})
        if (!path->empty())
            CheckFolder(option, *path);
    if (!o.plots.empty())
        CheckDirectory("--plots", o.plots);
    // The actions first: a bad description stops the run before a large model is read.
    std::unique_ptr<va::Actions> actions;
    if (!o.actions.empty())
        actions = std::make_unique<va::Actions>(ReadActions(o.actions));
    const Format format = FormatOf(o.input, o.format == "csv"    ? Format::Csv
                                            : o.format == "json" ? Format::Json
                                                                 : Format::Auto);
    Progress progress(isatty(STDERR_FILENO) != 0);
    const ModelInput in = ReadModel(o.input, format, columns, progress);
    const va::Model& model = *in.model;
    // One member without a name and one force: today's outputs; else the model's summary.
    const bool single = !in.named && model.Forces().size() == 1;
    if (!o.svg.empty() && (model.Size() != 1 || model.Forces().size() != 1))
        UsageError("--svg draws one member and one force; " + in.file + " has " +
                   std::to_string(model.Size()) + " members and " + std::to_string(model.Forces().size()) +
                   " forces: use --plots FOLDER");

    va::Options options;
    options.method = o.fold ? va::EnvelopeMethod::Fold : va::EnvelopeMethod::Exact;
    options.threads = o.threads;
    options.envelopes = command == "envelope";
    options.keyFigures = command == "inspect";
    options.source = in.file;
    options.actions = actions.get();
    progress.Stage("analysing " + std::to_string(model.Size()) + (model.Size() == 1 ? " member" : " members"),
                   model.Size());
    options.progress = [&progress](std::size_t done, std::size_t) { progress.Advance(done); };
    const va::Locator where = [&in](std::size_t origin) { return in.Where(origin); };
    std::vector<va::MemberResult> results;
    try {
        results = va::Analyse(model, combinations, options, where);
    } catch (const va::Error& e) {
        Rethrow(e);
    }
    progress.Stage("writing the results");
    std::vector<std::string> comboNames;
    for (const va::Combination& c : combinations)
        comboNames.push_back(c.name);
    const std::string subject = Subject(comboNames, actions.get());
    // The ordinate's label: the option's, y for today's input, none for a model (each force has its own).
    Labels labels{o.xLabel,
                  !o.yLabel.empty() && model.Forces().size() == 1 ? o.yLabel
                  : single                                        ? "y"
                                                                  : "",
                  combinations.empty() ? "cases" : "combinations"};

    std::string table;
    std::vector<OutputFile> files;
    if (command == "envelope") {
        const std::vector<va::SummaryRow> rows = va::Summarise(model, results);
        const auto plot = [&](std::size_t m, std::size_t f, const std::string& title, const Labels& l) {
            if (actions)
                return DesignSvg(results[m].forces[f].design, l, title);
            std::vector<Series> series;
            try {
                const std::vector<std::vector<va::Diagram>> diagrams =
                    va::MemberDiagrams(model, m, combinations, where);
                for (const va::Diagram& d : diagrams[f])
                    series.push_back(SeriesOf(d.f));
            } catch (const va::Error& e) {
                Rethrow(e);
            }
            return EnvelopeSvg(results[m].diagrams, results[m].forces[f].envelope, series, l, title);
        };
        if (single && actions) {
            const std::vector<va::DesignResult>& design = results[0].forces[0].design;
            table = DesignTable(design, labels, subject);
            if (!o.csv.empty())
                files.push_back({"--csv", o.csv, DesignCsv(design, results[0].diagrams)});
            if (!o.json.empty())
                files.push_back({"--json", o.json, DesignJson(design)});
        } else if (single) {
            const va::Envelope& e = results[0].forces[0].envelope;
            table = EnvelopeTable(results[0].diagrams, e, labels);
            if (!o.csv.empty())
                files.push_back({"--csv", o.csv, EnvelopeCsv(results[0].diagrams, e)});
            if (!o.json.empty())
                files.push_back({"--json", o.json, EnvelopeJson(results[0].diagrams, e)});
        } else {
            table = SummaryTable(model, results, rows, labels, subject);
            if (!o.csv.empty())
                files.push_back({"--csv", o.csv, SummaryCsv(model, results, rows)});
            if (!o.json.empty())
                files.push_back(
                    {"--json", o.json,
                     actions ? ModelDesignJson(model, results) : ModelJson(model, results, rows)});
        }
        if (!o.svg.empty()) {
            Labels l = labels;
            if (l.y.empty())
                l.y = model.Forces()[0];
            files.push_back({"--svg", o.svg, plot(0, 0, model.MemberName(0), l)});
        }
        if (!o.plots.empty()) {
            std::set<std::string> taken;
            for (const va::SummaryRow& r : rows) {
                if (r.situation > 0) // a design plot holds every situation
                    continue;
                const std::string& member = model.MemberName(r.member);
                const std::string& force = model.Forces()[r.force];
                Labels l = labels;
                if (l.y.empty())
                    l.y = force;
                files.push_back({"--plots", o.plots + "/" + FileName(member, force, taken),
                                 plot(r.member, r.force, member.empty() ? force : member + ", " + force, l)});
            }
        }
        if (!o.html.empty())
            files.push_back({"--html", o.html, HtmlReport(model, results, rows, labels, in.file, subject)});
    } else if (single) {
        table = InspectTable(results[0].diagrams, results[0].forces[0].figures, labels);
        if (!o.csv.empty())
            files.push_back({"--csv", o.csv, InspectCsv(results[0].diagrams, results[0].forces[0].figures)});
        if (!o.json.empty())
            files.push_back(
                {"--json", o.json, InspectJson(results[0].diagrams, results[0].forces[0].figures)});
    } else {
        table = ModelInspectTable(model, results, labels);
        if (!o.csv.empty())
            files.push_back({"--csv", o.csv, ModelInspectCsv(model, results)});
        if (!o.json.empty())
            files.push_back({"--json", o.json, ModelInspectJson(model, results)});
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
        "Envelopes, governing cases, coincident forces and key figures of the diagrams of a structural "
        "model's members (VyMath " VYMATH_VERSION_STRING ").",
        "vymath");
    app.set_version_flag("--version", VYMATH_VERSION_STRING);
    app.require_subcommand(1);
    Options o;
    CLI::App* envelope = app.add_subcommand(
        "envelope",
        "Exact lower and upper envelopes of the cases (or combinations, or with --actions the design "
        "envelopes by EN 1990 of every situation) of every member and force, with the case (or "
        "combination) governing each stretch, the extremes and the coincident values of the other forces");
    AddCommonOptions(*envelope, o);
    envelope->add_flag(
        "--fold", o.fold,
        "The folded envelope (the set's EnvelopMaxMin: each member's points and crossings, folded "
        "in one at a time) instead of the exact one");
    envelope->add_option(
        "--actions", o.actions,
        "Design envelopes by EN 1990 of every situation these actions allow (a JSON file: "
        "each action's name, type and load cases, every case in one action; see the README), "
        "instead of the envelopes of the cases; not with -c or --fold");
    envelope->add_option("--svg", o.svg,
                         "Draw the cases and the envelopes to this SVG file (one member, one force; with "
                         "--actions, one plot a situation)");
    envelope->add_option("--plots", o.plots, "Draw every member and force to an SVG file in this folder");
    envelope->add_option("--html", o.html,
                         "Write a report to this HTML file: the summary, sortable, and every envelope plot");
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
