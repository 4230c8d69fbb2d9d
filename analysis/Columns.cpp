// Column roles in a header.
#include "vymath/analysis/Columns.h"

#include "vymath/analysis/Error.h"

#include "Text.h"

#include <algorithm>
#include <cctype>

namespace vymath {
namespace analysis {

using text::Folded;
using text::Quoted;
using text::Shortest;

namespace {

bool SameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return std::tolower(static_cast<unsigned char>(p)) ==
                      std::tolower(static_cast<unsigned char>(q));
           });
}

class Resolver {
public:
    Resolver(const std::vector<std::string>& header, Layout& layout) : header(header), layout(layout) {
        for (std::size_t k = 0; k < header.size(); ++k)
            joined += (k ? "," : "") + header[k];
    }

    // The column a caller names (exact), or the default (any case; -1 when absent). A filter's column takes
    // no role: a role may take it too.
    int Place(const std::string& asked, const char* fallback, const char* role, bool filter = false) {
        const bool named = !asked.empty();
        const int c = Find(named ? asked : fallback, named);
        if (c < 0 && named)
            throw Error(Error::Kind::Usage,
                        "no column " + Quoted(asked) + " (" + role + ") in the header " + Quoted(joined));
        if (filter) {
            if (c >= 0)
                filtered.push_back(c);
            return c;
        }
        if (c >= 0 && std::find(used.begin(), used.end(), c) != used.end())
            throw Error(Error::Kind::Usage,
                        "the column " + Quoted(header[static_cast<std::size_t>(c)]) + " is given two roles");
        if (c >= 0)
            used.push_back(c);
        return c;
    }

    // The default step columns: named as `folded` whatever their case, spaces and underscores.
    int PlaceFolded(const std::string& asked, const char* folded, const char* role) {
        if (!asked.empty())
            return Place(asked, "", role);
        for (std::size_t k = 0; k < header.size(); ++k)
            if (Folded(header[k]) == folded &&
                std::find(used.begin(), used.end(), static_cast<int>(k)) == used.end()) {
                used.push_back(static_cast<int>(k));
                return static_cast<int>(k);
            }
        return -1;
    }

    [[noreturn]] void NotAHeader(const std::string& loadCase) const {
        throw Error(Error::Kind::Data, "expected the header \"" + loadCase + ",x,y\" or \"member," +
                                           loadCase + ",x,FORCE,...\", found " + Quoted(joined));
    }

    void Forces(const std::vector<std::string>& asked) {
        if (!asked.empty()) {
            for (const std::string& name : asked)
                layout.forces.push_back(Place(name, "", "force"));
        } else {
            for (std::size_t k = 0; k < header.size(); ++k)
                if (std::find(used.begin(), used.end(), static_cast<int>(k)) == used.end() &&
                    std::find(filtered.begin(), filtered.end(), static_cast<int>(k)) == filtered.end()) {
                    Find(header[k], true); // a force named twice is an error
                    layout.forces.push_back(static_cast<int>(k));
                }
        }
        if (layout.forces.empty())
            throw Error(Error::Kind::Data, "no force column in the header " + Quoted(joined) +
                                               ": expected at least one after case and x");
        for (int c : layout.forces)
            layout.forceNames.push_back(header[static_cast<std::size_t>(c)]);
    }

private:
    int Find(const std::string& name, bool exact) const {
        int found = -1;
        for (std::size_t k = 0; k < header.size(); ++k)
            if (exact ? header[k] == name : SameLetters(header[k], name)) {
                if (found >= 0)
                    throw Error(Error::Kind::Data, "the column " + Quoted(header[k]) +
                                                       " appears twice in the header " + Quoted(joined));
                found = static_cast<int>(k);
            }
        return found;
    }

    const std::vector<std::string>& header;
    Layout& layout;
    std::string joined;
    std::vector<int> used, filtered;
};

} // namespace

std::string Layout::Role(std::size_t c) const {
    const int k = static_cast<int>(c);
    if (std::find(members.begin(), members.end(), k) != members.end())
        return "member";
    if (k == step)
        return "step";
    if (k == stepNumber)
        return "step number";
    if (k == loadCase)
        return "case";
    if (k == x)
        return "x";
    return c < columnNames.size() ? text::Escaped(columnNames[c]) : "column " + std::to_string(c + 1);
}

std::vector<Filter> ParseFilters(const std::vector<std::string>& texts) {
    std::vector<Filter> out;
    for (const std::string& text : texts) {
        const std::size_t eq = text.find('=');
        if (eq == std::string::npos || eq == 0)
            throw Error(Error::Kind::Usage,
                        "filter " + Quoted(text) + ": expected COLUMN=VALUE, as in StepType=Max");
        const std::string column = text.substr(0, eq);
        auto it = std::find_if(out.begin(), out.end(), [&](const Filter& f) { return f.column == column; });
        if (it == out.end())
            it = out.insert(out.end(), Filter{column, {}});
        it->values.push_back(text.substr(eq + 1));
    }
    return out;
}

Layout ResolveColumns(const std::vector<std::string>& header, const ColumnRequest& request) {
    Layout layout;
    layout.columnNames = header;
    Resolver r(header, layout);
    for (const Filter& f : request.filters)
        layout.filters.emplace_back(r.Place(f.column, "", "filter", true), f.values);
    if (request.members.empty()) {
        const int member = r.Place("", "member", "member");
        if (member >= 0)
            layout.members.push_back(member);
    }
    for (const std::string& name : request.members)
        layout.members.push_back(r.Place(name, "", "member"));
    const std::vector<std::string> caseNames =
        request.caseNames.empty() ? std::vector<std::string>{"case"} : request.caseNames;
    layout.loadCase = -1;
    for (std::size_t k = 0; k < caseNames.size() && layout.loadCase < 0; ++k)
        if (k == 0 || request.loadCase.empty())
            layout.loadCase = r.Place(request.loadCase, caseNames[k].c_str(), "case");
    layout.x = r.Place(request.x, "x", "x");
    if (layout.loadCase < 0 || layout.x < 0)
        r.NotAHeader(caseNames.front());
    layout.step = r.PlaceFolded(request.step, "steptype", "step");
    layout.stepNumber = r.PlaceFolded(request.stepNumber, "stepnumber", "step number");
    r.Forces(request.forces);
    return layout;
}

} // namespace analysis
} // namespace vymath
