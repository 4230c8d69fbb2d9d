// The layouts of analysis programs' tables.
#include "Layouts.h"

#include "analysis/Text.h"

#include <cctype>

namespace vymath {
namespace formats {

namespace {

using text::Folded;

// The header's name of the first column folded to one of `names`, or "".
std::string Column(const std::vector<std::string>& header, std::initializer_list<const char*> names) {
    for (const char* name : names)
        for (const std::string& h : header)
            if (Folded(h) == name)
                return h;
    return "";
}

} // namespace

analysis::ColumnRequest Recognised(const std::vector<std::string>& header,
                                   const analysis::ColumnRequest& request) {
    const std::string outputCase = Column(header, {"outputcase"}), station = Column(header, {"station"});
    if (outputCase.empty() || station.empty())
        return request;
    analysis::ColumnRequest r = request;
    if (r.members.empty()) {
        const std::string story = Column(header, {"story"});
        const std::string label = Column(header, {"beam", "column", "brace", "frame"});
        for (const std::string& c : {story, label})
            if (!c.empty())
                r.members.push_back(c);
    }
    if (r.loadCase.empty())
        r.loadCase = outputCase;
    if (r.x.empty())
        r.x = station;
    if (r.forces.empty())
        for (const char* force : {"p", "v2", "v3", "t", "m2", "m3"}) {
            const std::string c = Column(header, {force});
            if (!c.empty())
                r.forces.push_back(c);
        }
    return r;
}

bool IsMoment(const std::string& column) {
    const std::string f = Folded(column);
    return f == "t" || f == "m2" || f == "m3" || f == "mx" || f == "my" || f == "mz";
}

} // namespace formats
} // namespace vymath
