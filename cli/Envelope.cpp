// vymath envelope: the envelopes of every member's cases or combinations, or with --actions the design
// envelopes of every design situation; their table, CSV, JSON, plots and report.
#include "Command.h"
#include "Failure.h"
#include "Html.h"
#include "Output.h"
#include "Posix.h"
#include "Svg.h"
#include "Table.h"

#include "analysis/Text.h"
#include "formats/Actions.h"
#include "formats/Input.h"
#include "formats/Results.h"
#include "formats/Saf.h"
#include "formats/Source.h"

#include <algorithm>
#include <set>

namespace vycli {

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;
using vymath::text::Quoted;

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

struct EnvelopeOptions {
    CommonOptions common;
    std::string svg, plots, html, actions, saf, governing;
    bool fold = false;
};

// The plots: --svg for the one member and force, --plots for every member and force; plot(m, f, title,
// labels) draws one.
template <class Plot>
void AddPlots(Session& session, const EnvelopeOptions& o, const va::Model& model, const Labels& labels,
              Plot plot) {
    if (!o.svg.empty()) {
        Labels l = labels;
        if (l.y.empty())
            l.y = ForceLabel(model, 0);
        session.Add("--svg", o.svg, plot(0, 0, model.MemberName(0), l));
    }
    if (o.plots.empty())
        return;
    std::set<std::string> taken;
    for (std::size_t m = 0; m < model.Size(); ++m)
        for (std::size_t f = 0; f < model.Forces().size(); ++f) {
            const std::string& member = model.MemberName(m);
            const std::string& force = model.Forces()[f];
            Labels l = labels;
            if (l.y.empty())
                l.y = ForceLabel(model, f);
            session.Add("--plots",
                        o.plots + "/" + PlotFileName(member.empty() ? force : member + "_" + force, taken),
                        plot(m, f, member.empty() ? force : member + ", " + force, l));
        }
}

// The note where a case with Max and Min rows governs an extreme: no coincident value under it.
void NoteBounds(Session& session, bool any) {
    if (any)
        session.Note(
            "no coincident forces are given where a case with Max and Min rows (or a combination of one) "
            "governs: its bounds do not act together");
}

int Design(Session& session, const EnvelopeOptions& o, const va::Actions& actions, const va::Model& model) {
    const va::DesignRun run =
        Checked([&] { return va::AnalyseDesign(model, actions, session.RunOptions(model)); });
    session.Writing();
    bool bounded = false;
    for (const va::MemberDesign& m : run.members)
        for (const auto& force : m.forces)
            for (const va::SituationResult& s : force)
                for (const va::Extreme* e : {&s.max, &s.min})
                    if (e->found)
                        for (const auto& term :
                             s.situation.combinations[static_cast<std::size_t>(e->governing)].factors)
                            bounded =
                                bounded ||
                                m.bounded[static_cast<std::size_t>(
                                    std::find(m.cases.begin(), m.cases.end(), term.first) - m.cases.begin())];
    NoteBounds(session, bounded);
    const Labels labels = session.LabelsFor(model);
    session.AddCsvAndJson([&] { return vf::ToCsv(model, run); }, [&] { return vf::ToJson(model, run); });
    AddPlots(session, o, model, labels,
             [&](std::size_t m, std::size_t f, const std::string& title, const Labels& l) {
                 return DesignSvg(run.members[m].forces[f], l, title, run.code);
             });
    if (!o.html.empty())
        session.Add("--html", o.html, HtmlReport(model, run, labels, model.Source()));
    if (!o.saf.empty())
        session.Add("--saf", o.saf, Checked([&] {
                        return vf::SafOf(model, run, [&session](const std::string& n) { session.Note(n); });
                    }));
    if (!o.governing.empty())
        session.Add("--governing", o.governing,
                    EndsWith(o.governing, ".csv") ? vf::GoverningCsv(model, run)
                                                  : vf::GoverningJson(model, run));
    return session.Finish([&] { return DesignTable(model, run, labels); });
}

int Envelopes(Session& session, const EnvelopeOptions& o, const va::Model& model) {
    const va::EnvelopeRun run = Checked([&] {
        return va::AnalyseEnvelopes(model, session.Combinations(),
                                    o.fold ? va::EnvelopeMethod::Fold : va::EnvelopeMethod::Exact,
                                    session.RunOptions(model));
    });
    session.Writing();
    bool bounded = false;
    for (const va::MemberEnvelopes& m : run.members)
        for (const va::ForceEnvelope& f : m.forces)
            for (const va::Extreme* e : {&f.max, &f.min})
                bounded = bounded || (e->found && e->governing >= 0 &&
                                      m.bounded[static_cast<std::size_t>(e->governing)]);
    NoteBounds(session, bounded);
    const Labels labels = session.LabelsFor(model);
    session.AddCsvAndJson([&] { return vf::ToCsv(model, run); }, [&] { return vf::ToJson(model, run); });
    AddPlots(session, o, model, labels,
             [&](std::size_t m, std::size_t f, const std::string& title, const Labels& l) {
                 const auto diagrams =
                     Checked([&] { return va::MemberDiagrams(model, m, session.Combinations()); });
                 std::vector<Series> series;
                 for (const va::CaseDiagram& d : diagrams[f])
                     series.push_back(SeriesOf(d));
                 return EnvelopeSvg(run.members[m].diagrams, run.members[m].forces[f].envelope, series, l,
                                    DiagramWord(run.kind), title);
             });
    if (!o.html.empty())
        session.Add("--html", o.html, HtmlReport(model, run, labels, model.Source()));
    if (!o.saf.empty())
        session.Add("--saf", o.saf, Checked([&] {
                        return vf::SafOf(model, run, session.Combinations(),
                                         [&session](const std::string& n) { session.Note(n); });
                    }));
    return session.Finish([&] { return EnvelopeTable(model, run, labels); });
}

int Run(const EnvelopeOptions& o) {
    Session session(o.common);
    if (!o.actions.empty() && !o.common.combinations.empty())
        UsageError("--actions and -c/--combination exclude each other: the actions give the combinations");
    if (!o.governing.empty() && o.actions.empty())
        UsageError("--governing writes the combinations governing the design envelopes: it needs --actions");
    if (!o.governing.empty() && !EndsWith(o.governing, ".csv") && !EndsWith(o.governing, ".json"))
        UsageError("--governing: expected a file name ending in .csv or .json, found " + o.governing);
    if (!o.actions.empty() && o.fold)
        UsageError("--actions and --fold exclude each other: design envelopes are exact");
    if (!o.saf.empty() && o.fold)
        UsageError(
            "--saf and --fold exclude each other: a SAF row names the case governing its section, which the "
            "folded envelope does not know everywhere");
    for (const auto& [option, path] :
         {std::pair{"--svg", &o.svg}, {"--html", &o.html}, {"--saf", &o.saf}, {"--governing", &o.governing}})
        if (!path->empty())
            CheckFolder(option, *path);
    if (!o.plots.empty())
        MakeFolder("--plots", o.plots);
    // The actions first: a bad description stops the run before a large model is read.
    std::unique_ptr<va::Actions> actions;
    if (!o.actions.empty())
        actions = Checked([&] {
            vf::Source source(o.actions, o.actions);
            return std::make_unique<va::Actions>(vf::ReadActions(source.All(), o.actions, CodeFolders()));
        });
    std::set<std::string> cases; // with actions, only theirs are read
    if (actions)
        for (const std::string& c : va::CasesOf(*actions))
            cases.insert(c);
    const std::unique_ptr<va::Model> model = session.ReadModel(cases);
    if (!o.svg.empty() && (model->Size() != 1 || model->Forces().size() != 1))
        UsageError("--svg draws one member and one force; " + model->Source() + " has " +
                   std::to_string(model->Size()) + " members and " + std::to_string(model->Forces().size()) +
                   " forces: use --plots FOLDER");
    return actions ? Design(session, o, *actions, *model) : Envelopes(session, o, *model);
}

} // namespace

// The folder, made with its parents where it is not there.
void MakeDirectory(const std::string& option, const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path))
        UsageError(option + " " + Quoted(path) +
                   ": cannot make the folder: " + (error ? error.message() : "a file of that name is there"));
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

Command AddEnvelopeCommand(CLI::App& app) {
    auto o = std::make_shared<EnvelopeOptions>();
    CLI::App* cmd = app.add_subcommand(
        "envelope",
        "Exact lower and upper envelopes of the cases (or combinations, or with --actions the design "
        "envelopes of every situation of a design code) of every member and force, with the case (or "
        "combination) governing each stretch, the extremes and the coincident values of the other forces");
    AddCommonOptions(*cmd, o->common);
    cmd->add_flag("--fold", o->fold,
                  "The folded envelope (the set's EnvelopMaxMin: each member's points and crossings, folded "
                  "in one at a time) instead of the exact one");
    cmd->add_option("--actions", o->actions,
                    "Design envelopes of every situation these actions allow under their code (a JSON file: "
                    "the code, EN 1990 by default, and each action's name, type and load cases, every case "
                    "in one action; see the README), "
                    "instead of the envelopes of the cases; not with -c or --fold");
    cmd->add_option("--svg", o->svg,
                    "Draw the cases and the envelopes to this SVG file (one member, one force; with "
                    "--actions, one plot a situation)");
    cmd->add_option("--plots", o->plots, "Draw every member and force to an SVG file in this folder");
    cmd->add_option("--html", o->html,
                    "Write a report to this HTML file: the summary, sortable, and every envelope plot");
    cmd->add_option(
        "--saf", o->saf,
        "Write the envelopes (or design envelopes) as a SAF results workbook (.xlsx, sheet "
        "ResultInternalForce1D): per member, force and side a load combination \"max M3\", a row a "
        "section with the six forces there and the governing combination; in m, kN and kNm");
    cmd->add_option("--governing", o->governing,
                    "With --actions, write the combinations that govern each member's design envelopes, with "
                    "the extremes each gives and the coincident forces there (CSV or JSON by the extension)");
    return {cmd, [o] { return Run(*o); }};
}

} // namespace vycli
