// What the tool's commands share.
#include "Command.h"

#include "Failure.h"
#include "Posix.h"

#include "analysis/Text.h"
#include "formats/Input.h"

#include <cstdio>
#include <tuple>

namespace vycli {

namespace va = vymath::analysis;

void AddCommonOptions(CLI::App& cmd, CommonOptions& o) {
    cmd.add_option(
           "CASES", o.input,
           "The diagrams: a table in long form (member,case,x and one column a force, or case,x,y) as a "
           ".csv, .tsv or .txt file or an .xlsx workbook (an analysis program's export as it comes, title "
           "and units rows and all; a SAF workbook), or a .json file; - for standard input")
        ->required();
    cmd.add_option("-c,--combination", o.combinations,
                   "A load combination NAME=EXPR, as ULS=1.35*G+1.5*Q (repeatable): work on the "
                   "combinations, for every member (only the cases they name are read)");
    cmd.add_option("--format", o.format,
                   "Format of CASES (default: by its extension; an xlsx workbook with the sheet "
                   "ResultInternalForce1D is SAF; CSV for standard input)")
        ->check(CLI::IsMember({"auto", "csv", "json", "xlsx", "saf"}));
    cmd.add_option(
        "--member", o.members,
        "Tables: a column naming the member (repeatable: --member Story --member Beam names it "
        "Story/Beam; default: \"member\" if there is one, an analysis program's storey and label)");
    cmd.add_option("--case", o.loadCase, "Tables: the column naming the load case (default: \"case\")");
    cmd.add_option("--x", o.x, "Tables: the column of the abscissa (default: \"x\")");
    cmd.add_option(
        "--step", o.step,
        "Tables: the column of each row's step type: Max and Min rows are the two bounds of one case, "
        "Mode and Step rows numbered cases CASE:N (default: \"Step Type\" if there is one)");
    cmd.add_option("--step-number", o.stepNumber,
                   "Tables: the column of the step number (default: \"Step Number\")");
    cmd.add_option(
        "--force", o.forces,
        "Tables: a column of an internal force (repeatable; default: an analysis program's P, V2, V3, T, "
        "M2, M3, else every other column of numbers); other columns are ignored");
    cmd.add_option(
        "--filter", o.filters,
        "Tables: keep the rows whose column COL holds VALUE (COL=VALUE, repeatable; several values of "
        "one column: any of them)");
    cmd.add_option("--delimiter", o.delimiter, "CSV: the field delimiter (default: told from the header)")
        ->check(CLI::IsMember({",", ";", "tab"}));
    cmd.add_option("--decimal", o.decimal, "CSV: the decimal separator (default: told from the numbers)")
        ->check(CLI::IsMember({".", ","}));
    cmd.add_option(
        "--table", o.table,
        "Tables: read the table of this title only (\"Element Forces - Beams\"; default: every table "
        "that holds the columns needed)");
    cmd.add_option("--sheet", o.sheet,
                   "xlsx: read this sheet only (default: every sheet that holds the columns needed)");
    cmd.add_option(
        "--units", o.units,
        "Convert every value and abscissa from the file's units to FORCE,LENGTH, as kN,m (moments in "
        "their product)");
    cmd.add_option(
        "--from-units", o.fromUnits,
        "The file's units FORCE,LENGTH where it has no units row (its moments: T, M2, M3, Mx, My, Mz "
        "and the --moment columns)");
    cmd.add_option("--moment", o.moments, "With --from-units: a column that holds a moment (repeatable)");
    cmd.add_option("--threads", o.threads, "Members in parallel on at most N threads (default: all cores)")
        ->check(CLI::Range(1u, 1024u));
    cmd.add_option("--x-label", o.xLabel,
                   "Label of the abscissa, with its unit: \"x [m]\" (default: x, with the file's unit)");
    cmd.add_option("--y-label", o.yLabel, "Label of the ordinate, with its unit: \"M [kNm]\" (one force)");
    cmd.add_option("--csv", o.csv, "Write the results as CSV to this file");
    cmd.add_option("--json", o.json, "Write the results as JSON to this file");
    cmd.add_flag("-q,--quiet", o.quiet, "No table on standard output, no note on standard error");
}

void Rethrow(const va::Error& e) {
    throw Failure(e.GetKind() == va::Error::Kind::Usage ? kUsageError : kDataError, e.what());
}

Session::Session(const CommonOptions& o) : options(o), progress(isatty(STDERR_FILENO) != 0) {
    Checked([&] {
        combinations = va::ParseCombinations(o.combinations);
        columns = va::ColumnRequest{
            o.members,  o.loadCase, o.x, o.step, o.stepNumber, o.forces, va::ParseFilters(o.filters),
            o.caseNames};
    });
    for (const auto& [option, path] : {std::pair{"--csv", &o.csv}, {"--json", &o.json}})
        if (!path->empty())
            CheckFolder(option, *path);
}

std::unique_ptr<va::Model> Session::ReadModel(const std::set<std::string>& cases) {
    namespace vf = vymath::formats;
    vf::ReadWords words{options.format, options.delimiter, options.decimal, options.sheet, options.table,
                        options.units,  options.fromUnits, options.moments, columns,       nullptr};
    vf::ReadOptions read = Checked([&] { return vf::OptionsOf(words); });
    read.table.note = [this](const std::string& text) { Note(text); };
    read.table.cases = cases;
    for (const va::Combination& c : combinations) // only the cases the combinations name
        for (const va::Term& t : c.terms)
            read.table.cases.insert(t.loadCase);
    read.progress = [this](std::size_t bytes) { progress.Advance(bytes); };
    progress.Stage("reading " + (options.input == "-" ? std::string("<stdin>") : options.input));
    auto model = Checked([&] { return vf::ReadModel(options.input, read); });
    if (!options.yLabel.empty() && model->Forces().size() > 1)
        UsageError("--y-label labels one force; " + model->Source() + " has " +
                   std::to_string(model->Forces().size()) + " forces, each labelled with its name and unit");
    return model;
}

void Session::Note(const std::string& text) {
    notes.push_back(text);
}

va::RunOptions Session::RunOptions(const va::Model& model) {
    return RunOptions(model.Size(), "members");
}

va::RunOptions Session::RunOptions(std::size_t count, const std::string& word) {
    progress.Stage("analysing " + Plural(count, word), count);
    va::RunOptions run;
    run.threads = options.threads;
    run.progress = [this](std::size_t done, std::size_t) { progress.Advance(done); };
    return run;
}

Labels Session::LabelsFor(const va::Model& model) const {
    const bool single = vymath::formats::SingleForm(model);
    const std::string& unit = model.GetUnits().x;
    return {!options.xLabel.empty() ? options.xLabel
            : unit.empty()          ? "x"
                                    : "x [" + unit + "]",
            !options.yLabel.empty() ? options.yLabel
            : single                ? ForceLabel(model, 0)
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

int Session::Finish(const std::function<std::string()>& makeTable) {
    const std::string table = options.quiet ? std::string() : makeTable();
    WriteFiles(files);
    progress.Stop();
    if (!options.quiet)
        for (const std::string& n : notes)
            std::fprintf(stderr, "vymath: note: %s\n", n.c_str());
    if (!options.quiet)
        std::fwrite(table.data(), 1, table.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        DataError("cannot write the standard output");
    return 0;
}

} // namespace vycli
