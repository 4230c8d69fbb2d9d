// What the tool's commands share: the options every command takes (the input, its columns, the
// combinations, the outputs), reading the model, and writing the results: files whole or not at all, then
// the table on standard output. One file a command registers and runs it (Envelope.cpp, KeyFigures.cpp).
#ifndef VYMATH_CLI_COMMAND_H
#define VYMATH_CLI_COMMAND_H

#include "Output.h"
#include "Progress.h"
#include "Text.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Columns.h>

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vycli {

struct CommonOptions {
    std::string input;
    std::vector<std::string> combinations;
    std::string format = "auto";
    std::vector<std::string> members;
    std::string loadCase, x, step, stepNumber;
    std::vector<std::string> forces, filters, moments;
    std::string delimiter, decimal, table, sheet, units, fromUnits;
    std::string xLabel, yLabel;
    std::string csv, json;
    std::vector<std::string> caseNames; // the default names of the case column (empty: "case")
    unsigned threads = 0;
    bool quiet = false;
};

// A command: its subcommand of the app, and what runs it (the exit status) once it was parsed.
struct Command {
    CLI::App* app;
    std::function<int()> run;
};

// The options of CommonOptions on a subcommand.
void AddCommonOptions(CLI::App& cmd, CommonOptions& o);

// Where the design codes are looked for: beside the installed tool (share/vymath/codes), then the formats'
// own folders.
std::vector<std::string> CodeFolders();

// f(), an analysis::Error turned into the tool's failure: Usage exits with 2, Data with 1.
template <class F>
auto Checked(F f) -> decltype(f());

// One run of a command: its options checked, the model read, the results written.
class Session {
public:
    // Parses the combinations and filters and checks that the folders of --csv and --json exist (usage
    // errors, before any work).
    explicit Session(const CommonOptions& options);

    const std::vector<vymath::analysis::Combination>& Combinations() const { return combinations; }
    // Reads the input with its columns, showing progress; with `cases`, only the rows of those cases (a
    // note names the others).
    std::unique_ptr<vymath::analysis::Model> ReadModel(const std::set<std::string>& cases = {});
    // Tells something on standard error ("vymath: note: ..."), unless -q.
    void Note(const std::string& text);
    // Threads and progress for a run over the model's members.
    vymath::analysis::RunOptions RunOptions(const vymath::analysis::Model& model);
    // The same over `count` items of another kind, `word` their plural ("lines").
    vymath::analysis::RunOptions RunOptions(std::size_t count, const std::string& word);
    // The axis labels: --x-label, else "x" with the abscissas' unit; --y-label (one force only: a usage
    // error otherwise), else y for the single form and none for a model (each force names its own).
    Labels LabelsFor(const vymath::analysis::Model& model) const;
    // The run is done: what follows writes its results.
    void Writing();
    // Adds a file to write: the plots, the report; the --csv and --json texts of a run, made only where
    // asked for.
    void Add(const std::string& option, const std::string& path, std::string text);
    void AddCsvAndJson(const std::function<std::string()>& csv, const std::function<std::string()>& json);
    // Writes the files, then the table on standard output (unless -q: the table is not made then).
    int Finish(const std::function<std::string()>& table);

    const CommonOptions& options;

private:
    std::vector<vymath::analysis::Combination> combinations;
    vymath::analysis::ColumnRequest columns;
    std::vector<std::string> notes;
    Progress progress;
    std::vector<OutputFile> files;
};

// The folder, made with its parents where it is not there (a usage error naming the option otherwise).
void MakeDirectory(const std::string& option, const std::string& path);
// A plot's file name from member and force names: letters, digits, '.', '-' and '_' kept, others '_'; a
// name taken gets "-2", "-3", ...
std::string FileName(const std::string& member, const std::string& force, std::set<std::string>& taken);

// The commands.
Command AddCheckCommand(CLI::App& app);
Command AddCombinationsCommand(CLI::App& app);
Command AddEnvelopeCommand(CLI::App& app);
Command AddKeyFiguresCommand(CLI::App& app);
Command AddMovingCommand(CLI::App& app);

// --- implementation of Checked -------------------------------------------------------------------------
[[noreturn]] void Rethrow(const vymath::analysis::Error& e);

template <class F>
auto Checked(F f) -> decltype(f()) {
    try {
        return f();
    } catch (const vymath::analysis::Error& e) {
        Rethrow(e);
    }
}

} // namespace vycli

#endif // VYMATH_CLI_COMMAND_H
