// vymath combinations: every distinct combination of each design situation an actions file forms under its
// code, as text and JSON, for a re-analysis that needs them one by one.
#include "Command.h"
#include "Failure.h"

#include "formats/Actions.h"
#include "formats/Results.h"
#include "formats/Source.h"

#include <vymath/analysis/Design.h>

#include <cstdio>

namespace vycli {

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;

struct CombinationsOptions {
    std::string actions, json;
    std::size_t limit = 1000;
    bool quiet = false;
};

int Run(const CombinationsOptions& o) {
    if (o.limit == 0)
        UsageError("--limit: expected 1 or more");
    if (!o.json.empty())
        CheckFolder("--json", o.json);
    const va::Actions actions = Checked([&] {
        vf::Source source(o.actions, o.actions);
        return vf::ReadActions(source.All(), o.actions, CodeFolders());
    });
    std::vector<vf::SituationCombinations> all;
    Checked([&] {
        for (const va::SituationRules& s : va::DesignRules(actions)) {
            vf::SituationCombinations c;
            c.name = s.name;
            c.combinations = va::DistinctCombinations(s, o.limit, c.count);
            all.push_back(std::move(c));
        }
        return 0;
    });
    if (!o.json.empty())
        WriteFiles({{"--json", o.json, vf::ToJson(all, actions.code->ruleWord)}});
    if (o.quiet)
        return 0;
    std::string out;
    for (const vf::SituationCombinations& s : all) {
        out += s.name + "\n";
        for (const va::DesignCombination& c : s.combinations)
            out += "  " + c.Label() + ": " + c.Text() + "\n";
        if (s.count > s.combinations.size())
            out += s.name + ": " + std::to_string(s.count) + " distinct combinations\n";
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

} // namespace

Command AddCombinationsCommand(CLI::App& app) {
    auto o = std::make_shared<CombinationsOptions>();
    CLI::App* cmd = app.add_subcommand(
        "combinations", "Every distinct combination of each design situation of an actions file, one by one");
    cmd->add_option("--actions", o->actions, "The actions file (JSON): its code, actions and load cases")
        ->required();
    cmd->add_option("--limit", o->limit, "At most this many combinations a situation (default 1000)");
    cmd->add_option("--json", o->json, "Write the combinations as JSON");
    cmd->add_flag("-q,--quiet", o->quiet, "Nothing on standard output");
    return {cmd, [o] { return Run(*o); }};
}

} // namespace vycli
