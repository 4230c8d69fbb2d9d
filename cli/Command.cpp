// What the tool's commands share.
#include "Command.h"

#include "Failure.h"
#include "Posix.h"

#include "formats/Input.h"

#include <cstdio>

namespace vycli {

namespace va = vymath::analysis;

void AddCommonOptions(CLI::App& cmd, CommonOptions& o) {
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

void Rethrow(const va::Error& e) {
    throw Failure(e.GetKind() == va::Error::Kind::Usage ? kUsageError : kDataError, e.what());
}

Session::Session(const CommonOptions& o) : options(o), progress(isatty(STDERR_FILENO) != 0) {
    Checked([&] {
        combinations = va::ParseCombinations(o.combinations);
        columns = va::ColumnRequest{o.member, o.loadCase, o.x, o.forces, va::ParseFilters(o.filters)};
    });
    for (const auto& [option, path] : {std::pair{"--csv", &o.csv}, {"--json", &o.json}})
        if (!path->empty())
            CheckFolder(option, *path);
}

std::unique_ptr<va::Model> Session::ReadModel() {
    namespace vf = vymath::formats;
    return Checked([&] {
        const vf::Format format = vf::FormatOf(options.input, options.format == "csv"    ? vf::Format::Csv
                                                              : options.format == "json" ? vf::Format::Json
                                                                                         : vf::Format::Auto);
        progress.Stage("reading " + (options.input == "-" ? std::string("<stdin>") : options.input));
        return vf::ReadModel(options.input, format, columns,
                             [this](std::size_t bytes) { progress.Advance(bytes); });
    });
}

va::RunOptions Session::RunOptions(const va::Model& model) {
    progress.Stage("analysing " + std::to_string(model.Size()) + (model.Size() == 1 ? " member" : " members"),
                   model.Size());
    va::RunOptions run;
    run.threads = options.threads;
    run.progress = [this](std::size_t done, std::size_t) { progress.Advance(done); };
    return run;
}

Labels Session::LabelsFor(const va::Model& model) const {
    const bool single = vymath::formats::SingleForm(model);
    return {options.xLabel, !options.yLabel.empty() && model.Forces().size() == 1 ? options.yLabel
                            : single                                              ? "y"
                                                                                  : ""};
}

void Session::Writing() {
    progress.Stage("writing the results");
}

void Session::Add(const std::string& option, const std::string& path, std::string text) {
    files.push_back({option, path, std::move(text)});
}

void Session::AddCsvAndJson(const std::function<std::string()>& csv,
                            const std::function<std::string()>& json) {
    if (!options.csv.empty())
        Add("--csv", options.csv, csv());
    if (!options.json.empty())
        Add("--json", options.json, json());
}

int Session::Finish(const std::string& table) {
    WriteFiles(files);
    progress.Stop();
    if (!options.quiet)
        std::fwrite(table.data(), 1, table.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        DataError("cannot write the standard output");
    return 0;
}

} // namespace vycli
