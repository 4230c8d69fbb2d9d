// vymath moving: the extreme effects of a moving load on influence lines; their table, CSV, JSON, plots
// and the results as a bounded case for `vymath envelope`.
#include "Command.h"
#include "Failure.h"
#include "Html.h"
#include "Output.h"
#include "Svg.h"
#include "Table.h"

#include "analysis/Text.h"
#include "formats/Input.h"
#include "formats/Moving.h"
#include "formats/MovingLoad.h"

#include <filesystem>
#include <set>

namespace vycli {

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;
using vymath::text::Quoted;

struct MovingOptions {
    CommonOptions common;
    std::string load, sectionX, svg, plots, html;
    std::vector<std::string> writeCase; // NAME FILE
};

// Where the shipped loads are: beside the installed tool (share/vymath/loads), else the build's source tree.
std::vector<std::string> LoadFolders() {
    std::vector<std::string> folders;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        folders.push_back((self.parent_path().parent_path() / VYMATH_LOADS_INSTALLED).string());
#ifdef VYMATH_LOADS_DIR
    folders.push_back(VYMATH_LOADS_DIR);
#endif
    return folders;
}

int Run(const MovingOptions& o) {
    CommonOptions common = o.common;
    if (!common.units.empty() || !common.fromUnits.empty())
        UsageError("moving reads the lines as they stand, in m and as the effect of a 1 kN load (the loads' "
                   "units): --units and --from-units do not apply");
    if (!o.writeCase.empty() && o.sectionX.empty())
        UsageError("--write-case writes the extremes at each line's section: it needs --section-x");
    if (!o.sectionX.empty() && !common.forces.empty())
        common.forces.push_back(o.sectionX); // read beside the lines' values
    common.caseNames = {"line", "section"};
    Session session(common);
    for (const auto& [option, path] : {std::pair{"--svg", &o.svg}, {"--html", &o.html}})
        if (!path->empty())
            CheckFolder(option, *path);
    if (!o.writeCase.empty())
        CheckFolder("--write-case", o.writeCase[1]);
    if (!o.plots.empty())
        MakeFolder("--plots", o.plots);
    // The load first: a bad one stops the run before the lines are read.
    const va::MovingLoad load = Checked([&] {
        std::string source;
        const std::string text = vf::LoadText(o.load, LoadFolders(), source);
        return vf::ReadMovingLoad(text, source);
    });
    const std::unique_ptr<va::Model> model = session.ReadModel();
    const vf::MovingLines lines = Checked([&] { return vf::LinesOf(*model, o.sectionX, "--section-x"); });
    if (!o.svg.empty() && lines.lines.size() != 1)
        UsageError("--svg draws one line; " + model->Source() + " has " + std::to_string(lines.lines.size()) +
                   " lines: use --plots FOLDER");
    std::vector<const va::Diagram*> diagrams;
    for (const va::Diagram& d : lines.lines)
        diagrams.push_back(&d);
    const std::vector<va::MovingResult> results = Checked(
        [&] { return va::AnalyseMoving(diagrams, load, session.RunOptions(diagrams.size(), "lines")); });
    session.Writing();
    session.AddCsvAndJson([&] { return vf::MovingCsv(lines, results); },
                          [&] { return vf::MovingJson(lines, results, load); });
    if (!o.writeCase.empty())
        session.Add("--write-case", o.writeCase[1],
                    Checked([&] { return vf::MovingCase(lines, results, o.writeCase[0]); }));
    const Labels labels = session.LabelsFor(*model);
    std::set<std::string> taken;
    for (std::size_t k = 0; k < lines.lines.size(); ++k) {
        if (o.svg.empty() && o.plots.empty())
            break;
        Labels l = labels;
        if (l.y.empty() || lines.forceNames.size() > 1)
            l.y = lines.forceNames[lines.forces[k]];
        const std::string svg = MovingSvg(lines.lines[k], results[k], load, l, lines.names[k]);
        if (!o.svg.empty())
            session.Add("--svg", o.svg, svg);
        else
            session.Add("--plots", o.plots + "/" + PlotFileName(lines.names[k], taken), svg);
    }
    if (!o.html.empty())
        session.Add("--html", o.html, MovingReport(lines, results, load, [&](std::size_t k) {
                        Labels l = labels;
                        if (l.y.empty() || lines.forceNames.size() > 1)
                            l.y = lines.forceNames[lines.forces[k]];
                        const std::string svg =
                            MovingSvg(lines.lines[k], results[k], load, l, lines.names[k]);
                        return svg.substr(svg.find("<svg")); // without the XML declaration
                    }));
    return session.Finish([&] { return MovingTable(lines, results, load); });
}

} // namespace

Command AddMovingCommand(CLI::App& app) {
    auto o = std::make_shared<MovingOptions>();
    CLI::App* cmd = app.add_subcommand(
        "moving",
        "The exact largest and smallest effect of a moving load (axles, their spacings fixed or in a range, "
        "a lane load) on influence lines, with the vehicle's position, direction and spacings");
    AddCommonOptions(*cmd, o->common);
    cmd->remove_option(cmd->get_option("-c")); // each line is one effect
    cmd->get_option("--threads")->description("Lines in parallel on at most N threads (default: all cores)");
    cmd->get_option("CASES")->description(
        "The influence lines: a table in long form, line,x,y (x where a unit load stands, y its effect; two "
        "rows at one x a jump) or member,section,x,FORCE (a line a member and section), as the envelope "
        "command reads its cases (.csv, .xlsx, .json); - for standard input");
    cmd->add_option("--load", o->load,
                    "The load: a shipped one by name (lm1-lane1, lm1-lane2, lm1-lane3, hl93, hl93-negative) "
                    "or a .json file (see the README)")
        ->required();
    cmd->add_option("--section-x", o->sectionX,
                    "The column of each line's section abscissa along its member (one value a line): the "
                    "results also form the envelope along the member");
    cmd->add_option("--svg", o->svg, "Draw the line with the vehicle at its governing positions (one line)");
    cmd->add_option("--plots", o->plots, "Draw every line to an SVG file in this folder");
    cmd->add_option("--html", o->html, "Write a report to this HTML file: a row a line, its plot on a click");
    cmd->add_option("--write-case", o->writeCase,
                    "NAME FILE: write the extremes as the bounded case NAME (Max and Min rows at each "
                    "section, needs --section-x) to this CSV file, which `vymath envelope` reads beside "
                    "the static cases")
        ->expected(2);
    return {cmd, [o] { return Run(*o); }};
}

} // namespace vycli
