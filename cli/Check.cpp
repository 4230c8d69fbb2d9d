// vymath check: every member's section checked along the member, the largest utilisation of the coincident
// force pair against the section's interaction curve in the load cases, the combinations or each design
// situation; its table, CSV, JSON, plots and report.
#include "Command.h"
#include "Failure.h"
#include "Html.h"
#include "Svg.h"
#include "Table.h"

#include "formats/Actions.h"
#include "formats/Capacity.h"
#include "formats/Results.h"
#include "formats/Source.h"

#include <set>

namespace vycli {

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;

struct CheckOptions {
    CommonOptions common;
    std::string capacity, method, actions, plots, html;
    std::size_t maxCombinations = 1000000;
};

int Run(const CheckOptions& o) {
    Session session(o.common);
    if (!o.actions.empty() && !o.common.combinations.empty())
        UsageError("--actions and -c/--combination exclude each other: the actions give the combinations");
    va::CheckMethod method = va::CheckMethod::Ray;
    if (!o.method.empty() && !vf::ParseCheckMethod(o.method, method))
        UsageError("--method: expected ray or at-first-force, found \"" + o.method + "\"");
    if (o.maxCombinations == 0)
        UsageError("--max-combinations: expected 1 or more");
    if (!o.html.empty())
        CheckFolder("--html", o.html);
    if (!o.plots.empty())
        MakeDirectory("--plots", o.plots);
    // The capacity first: a bad file stops the run before a large model is read.
    va::Capacity capacity = Checked([&] {
        vf::Source source(o.capacity, o.capacity);
        return vf::ReadCapacity(source.All(), o.capacity);
    });
    if (!o.method.empty())
        capacity.method = method;
    std::vector<va::SituationRules> situations;
    std::set<std::string> cases; // with actions, only theirs are read
    if (!o.actions.empty()) {
        const va::Actions actions = Checked([&] {
            vf::Source source(o.actions, o.actions);
            return vf::ReadActions(source.All(), o.actions);
        });
        situations = Checked([&] { return va::DesignRules(actions); });
        for (const va::Action& a : actions.actions)
            cases.insert(a.cases.begin(), a.cases.end());
    }
    const std::unique_ptr<va::Model> model = session.ReadModel(cases);
    if (!session.Combinations().empty())
        situations.push_back(va::CombinationRules(session.Combinations()));
    va::CheckOptions limits;
    limits.maxCombinations = o.maxCombinations;
    const va::CheckRun run = Checked(
        [&] { return va::AnalyseChecks(*model, capacity, situations, limits, session.RunOptions(*model)); });
    session.Writing();
    for (const std::string& note : run.notes)
        session.Note(note);
    session.AddCsvAndJson([&] { return vf::ToCsv(*model, capacity, run); },
                          [&] { return vf::ToJson(*model, capacity, run); });
    if (!o.plots.empty()) {
        const Labels labels = session.LabelsFor(*model);
        std::set<std::string> taken;
        for (std::size_t m = 0; m < model->Size(); ++m) {
            const va::Section& s = capacity.sections[run.members[m].section];
            session.Add("--plots", o.plots + "/" + FileName(model->MemberName(m), "check", taken),
                        CheckSvg(run.members[m].situations, s.curve.Vertices(), s.forces, labels,
                                 model->MemberName(m) + " (" + s.name + ")"));
        }
    }
    if (!o.html.empty())
        session.Add("--html", o.html,
                    HtmlReport(*model, capacity, run, session.LabelsFor(*model), model->Source()));
    return session.Finish([&] { return CheckTable(*model, capacity, run); });
}

} // namespace

Command AddCheckCommand(CLI::App& app) {
    auto o = std::make_shared<CheckOptions>();
    CLI::App* cmd = app.add_subcommand(
        "check",
        "Section checks along every member: the largest utilisation of the coincident pair of two forces "
        "against the member's interaction curve (a capacity file), over the load cases, the combinations "
        "(-c) or every design situation, where it lies and the case or combination that governs it");
    AddCommonOptions(*cmd, o->common);
    cmd->add_option("--capacity", o->capacity,
                    "The sections (a JSON file: each section's two forces and its closed interaction curve, "
                    "the members' sections, a default; see the README)")
        ->required();
    cmd->add_option("--method", o->method,
                    "ray (the ratio along the ray from the origin to the curve) or at-first-force (|M| over "
                    "the curve's M at the pair's N); overrides the capacity file's \"method\"");
    cmd->add_option("--max-combinations", o->maxCombinations,
                    "The most combinations a section whose curve is not convex may enumerate (default "
                    "1000000); more is an error");
    cmd->add_option("--plots", o->plots,
                    "Draw every member's checks to an SVG file in this folder: the utilisation along it, and "
                    "the curve with the attainable pairs where it is largest");
    cmd->add_option("--html", o->html,
                    "Write a report to this HTML file: the table, then every member's plots");
    cmd->add_option("--actions", o->actions,
                    "Check every design situation these actions allow (a JSON file)");
    return {cmd, [o] { return Run(*o); }};
}

} // namespace vycli
