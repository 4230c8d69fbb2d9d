// The results of section checks as JSON and CSV.
#include "Capacity.h"
#include "Csv.h"
#include "Json.h"
#include "Results.h"

#include <cmath>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using json::AppendArray;
using json::AppendNumber;
using json::AppendString;

const char* SideName(CheckSide side) {
    return side == CheckSide::Left ? "left" : side == CheckSide::Right ? "right" : nullptr;
}

const char* BoundName(Bound b) {
    return b == Bound::Max ? "max" : "min";
}

void AppendMax(std::string& out, const CheckMax& m, const std::string& indent) {
    if (!m.found) {
        out += "null";
        return;
    }
    out += "{\n" + indent + "  \"u\": ";
    AppendNumber(out, m.u);
    if (std::isinf(m.u))
        out += ",\n" + indent + "  \"outside\": true";
    out += ",\n" + indent + "  \"x\": ";
    AppendNumber(out, m.x);
    out += ",\n" + indent + "  \"side\": ";
    const char* side = SideName(m.side);
    if (side)
        AppendString(out, side);
    else
        out += "null";
    out += ",\n" + indent + "  \"combination\": ";
    AppendString(out, m.combination.Text());
    out += ",\n" + indent + "  \"factors\": {";
    for (std::size_t k = 0; k < m.combination.factors.size(); ++k) {
        out += k ? ", " : "";
        AppendString(out, m.combination.factors[k].first);
        out += ": ";
        AppendNumber(out, m.combination.factors[k].second);
    }
    out += '}';
    if (!m.bounds.empty()) {
        out += ",\n" + indent + "  \"bounds\": {";
        for (std::size_t k = 0; k < m.bounds.size(); ++k) {
            out += k ? ", " : "";
            AppendString(out, m.bounds[k].loadCase);
            out += ": [";
            AppendString(out, BoundName(m.bounds[k].forces[0]));
            out += ", ";
            AppendString(out, BoundName(m.bounds[k].forces[1]));
            out += ']';
        }
        out += '}';
    }
    out += ",\n" + indent + "  \"forces\": [";
    AppendNumber(out, m.forces[0]);
    out += ", ";
    AppendNumber(out, m.forces[1]);
    out += "]\n" + indent + "}";
}

} // namespace

std::string ToJson(const Model& model, const Capacity& capacity, const CheckRun& run) {
    std::string out = "{\n  \"model\": {";
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const MemberCheck& c = run.members[m];
        const Section& s = capacity.sections[c.section];
        out += m ? ",\n    " : "\n    ";
        AppendString(out, model.MemberName(m));
        out += ": {\n      \"section\": ";
        AppendString(out, s.name);
        out += ",\n      \"forces\": [";
        AppendString(out, s.forces[0]);
        out += ", ";
        AppendString(out, s.forces[1]);
        out += "],\n      \"method\": ";
        AppendString(out, CheckMethodName(run.method));
        out += ",\n      \"exact\": ";
        AppendString(out, c.exact == CheckExactness::Hull ? "hull" : "enumerated");
        out += ",\n      \"situations\": {";
        for (std::size_t k = 0; k < c.situations.size(); ++k) {
            const SituationCheck& sc = c.situations[k];
            out += k ? ",\n        " : "\n        ";
            AppendString(out, sc.name);
            out += ": {\n          \"max\": ";
            AppendMax(out, sc.max, "          ");
            out += ",\n          \"along\": {\"x\": ";
            AppendArray(out, sc.along.x, AppendNumber);
            out += ", \"u\": ";
            AppendArray(out, sc.along.u, AppendNumber);
            out += ", \"side\": ";
            AppendArray(out, sc.along.side, [](std::string& o, CheckSide side) {
                const char* name = SideName(side);
                if (name)
                    AppendString(o, name);
                else
                    o += "null";
            });
            out += "}\n        }";
        }
        out += c.situations.empty() ? "}\n    }" : "\n      }\n    }";
    }
    out += run.members.empty() ? "}\n}\n" : "\n  }\n}\n";
    return out;
}

std::string ToCsv(const Model& model, const Capacity& capacity, const CheckRun& run) {
    std::string out =
        "member,section,situation,method,exact,u,x,side,combination,first_force,first,second_force,"
        "second\n";
    const auto number = [](double v) {
        std::string s;
        AppendNumber(s, v);
        return std::isinf(v) ? std::string("inf") : s;
    };
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const MemberCheck& c = run.members[m];
        const Section& s = capacity.sections[c.section];
        for (const SituationCheck& sc : c.situations) {
            out += CsvField(model.MemberName(m)) + ',' + CsvField(s.name) + ',' + CsvField(sc.name) + ',' +
                   CheckMethodName(run.method) + ',' +
                   (c.exact == CheckExactness::Hull ? "hull" : "enumerated");
            if (!sc.max.found) {
                out += ",,,,," + CsvField(s.forces[0]) + ",," + CsvField(s.forces[1]) + ",\n";
                continue;
            }
            const char* side = SideName(sc.max.side);
            out += ',' + number(sc.max.u) + ',' + number(sc.max.x) + ',' + (side ? side : "") + ',' +
                   CsvField(sc.max.combination.Text()) + ',' + CsvField(s.forces[0]) + ',' +
                   number(sc.max.forces[0]) + ',' + CsvField(s.forces[1]) + ',' + number(sc.max.forces[1]) +
                   '\n';
        }
    }
    return out;
}

} // namespace formats
} // namespace vymath
