// vymath inspect: the key figures of every member's cases or combinations; their table, CSV and JSON.
#include "Command.h"
#include "Table.h"

#include "formats/Results.h"

namespace vycli {

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;

int Run(const CommonOptions& o) {
    Session session(o);
    const std::unique_ptr<va::Model> model = session.ReadModel();
    const va::KeyFigureRun run = Checked(
        [&] { return va::AnalyseKeyFigures(*model, session.Combinations(), session.RunOptions(*model)); });
    session.Writing();
    session.AddCsvAndJson([&] { return vf::ToCsv(*model, run); }, [&] { return vf::ToJson(*model, run); });
    const Labels labels = session.LabelsFor(*model);
    return session.Finish([&] { return KeyFigureTable(*model, run, labels); });
}

} // namespace

Command AddKeyFiguresCommand(CLI::App& app) {
    auto o = std::make_shared<CommonOptions>();
    CLI::App* cmd = app.add_subcommand(
        "inspect",
        "Domain, points, extrema, zeros, resultant, moment and excentricity of each case (or combination)");
    AddCommonOptions(*cmd, *o);
    return {cmd, [o] { return Run(*o); }};
}

} // namespace vycli
