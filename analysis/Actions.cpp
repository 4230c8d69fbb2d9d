// Checking an actions description against a model's load cases.
#include "vymath/analysis/Actions.h"

#include "vymath/analysis/Error.h"

#include "Text.h"

#include <set>

namespace vymath {
namespace analysis {

using text::Quoted;

void CheckActions(const Actions& actions, const std::vector<std::string>& loadCases) {
    const std::set<std::string> input(loadCases.begin(), loadCases.end());
    std::set<std::string> claimed;
    for (const Action& a : actions.actions)
        for (std::size_t c = 0; c < a.cases.size(); ++c) {
            if (input.count(a.cases[c]) == 0)
                throw Error(Error::Kind::Data, a.place + "/cases/" + std::to_string(c) + ": load case " +
                                                   Quoted(a.cases[c]) + " is not in the input");
            claimed.insert(a.cases[c]);
        }
    for (const std::string& c : loadCases)
        if (claimed.count(c) == 0)
            throw Error(Error::Kind::Data,
                        actions.source + ": load case " + Quoted(c) +
                            " of the input belongs to no action: every case belongs to one");
}

} // namespace analysis
} // namespace vymath
