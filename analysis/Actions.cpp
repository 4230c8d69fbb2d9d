// Checking an actions description against a model's load cases.
#include "vymath/analysis/Actions.h"

#include "vymath/analysis/Error.h"

#include "Text.h"

#include <set>

namespace vymath {
namespace analysis {

using text::Quoted;

std::vector<std::string> CasesOf(const Actions& actions) {
    std::vector<std::string> out;
    for (const Action& a : actions.actions) {
        out.insert(out.end(), a.cases.begin(), a.cases.end());
        out.insert(out.end(), a.casesInf.begin(), a.casesInf.end());
    }
    return out;
}

void CheckActions(const Actions& actions, const std::vector<std::string>& loadCases) {
    const std::set<std::string> input(loadCases.begin(), loadCases.end());
    std::set<std::string> claimed;
    for (const Action& a : actions.actions)
        for (const auto* list : {&a.cases, &a.casesInf})
            for (std::size_t c = 0; c < list->size(); ++c) {
                const std::string& name = (*list)[c];
                if (input.count(name) == 0)
                    throw Error(
                        Error::Kind::Data,
                        a.place +
                            (!a.casePsi.empty() ? "/categories/" + name
                             : a.components     ? "/components/" + std::to_string(c)
                             : !a.casesInf.empty()
                                 ? (list == &a.cases ? "/cases/sup/" : "/cases/inf/") + std::to_string(c)
                                 : "/cases/" + std::to_string(c)) +
                            ": load case " + Quoted(name) + " is not in the input");
                claimed.insert(name);
            }
    for (const std::string& c : loadCases)
        if (claimed.count(c) == 0)
            throw Error(Error::Kind::Data,
                        actions.source + ": load case " + Quoted(c) +
                            " of the input belongs to no action: every case belongs to one");
}

} // namespace analysis
} // namespace vymath
