// Reading a capacity file from JSON.
#include "Capacity.h"

#include "Json.h"
#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <cmath>
#include <map>
#include <set>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using text::Quoted;

class Reader : json::DocumentReader {
public:
    using DocumentReader::DocumentReader;

    Capacity Read(const std::string& text) {
        json::Json doc = json::Parse(text, source, [](const std::vector<std::string>& path) {
            return path.size() == 2 && path[0] == "sections"  ? std::string("section")
                   : path.size() == 2 && path[0] == "members" ? std::string("member")
                                                              : std::string("key");
        });
        Capacity c;
        c.source = source;
        c.membersPlace = source + ": /members";
        if (!doc.is_object())
            Fail("", "expected an object {\"sections\": {...}, \"members\": {...}, \"default\": ...}");
        Keys(doc, "", {"sections", "members", "default", "method"});
        if (!doc.contains("sections") || !doc["sections"].is_object() || doc["sections"].empty())
            Fail(doc.contains("sections") ? "/sections" : "",
                 "expected \"sections\": an object of one section at least");
        std::map<std::string, std::size_t> index;
        for (const auto& item : doc["sections"].items()) {
            index.emplace(item.key(), c.sections.size());
            c.sections.push_back(OneSection(item.key(), item.value()));
        }
        const auto sectionOf = [&](const json::Json& v, const std::string& pointer) {
            if (!v.is_string())
                Fail(pointer, "expected a section's name");
            const auto it = index.find(v.get<std::string>());
            if (it == index.end())
                Fail(pointer, "no section " + Quoted(v.get<std::string>()));
            return it->second;
        };
        if (doc.contains("members")) {
            if (!doc["members"].is_object())
                Fail("/members", "expected an object {MEMBER: SECTION, ...}");
            for (const auto& item : doc["members"].items())
                c.members.push_back(
                    {item.key(), sectionOf(item.value(), "/members" + json::Segment(item.key()))});
        }
        if (doc.contains("default"))
            c.fallback = sectionOf(doc["default"], "/default");
        if (doc.contains("method")) {
            const json::Json& m = doc["method"];
            if (!m.is_string() || !ParseCheckMethod(m.get<std::string>(), c.method))
                Fail("/method", "expected \"ray\" or \"at-first-force\"");
        }
        return c;
    }

private:
    Section OneSection(const std::string& name, const json::Json& v) const {
        const std::string pointer = "/sections" + json::Segment(name);
        if (!v.is_object())
            Fail(pointer,
                 "expected an object {\"forces\": [FIRST, SECOND], \"curve\": [[first, second], ...]}");
        Keys(v, pointer, {"forces", "curve"});
        if (!v.contains("forces") || !v["forces"].is_array() || v["forces"].size() != 2 ||
            !v["forces"][0].is_string() || !v["forces"][1].is_string() ||
            v["forces"][0].get<std::string>().empty() || v["forces"][1].get<std::string>().empty())
            Fail(v.contains("forces") ? pointer + "/forces" : pointer,
                 "expected \"forces\": the names of two of the model's forces");
        const std::string first = v["forces"][0].get<std::string>(),
                          second = v["forces"][1].get<std::string>();
        if (first == second)
            Fail(pointer + "/forces", "the section's two forces are both " + Quoted(first));
        if (!v.contains("curve") || !v["curve"].is_array())
            Fail(v.contains("curve") ? pointer + "/curve" : pointer,
                 "expected \"curve\": a closed list of [" + first + ", " + second + "] points");
        std::vector<CVyMathFunction1D::Point> points;
        const json::Json& curve = v["curve"];
        for (std::size_t k = 0; k < curve.size(); ++k) {
            const json::Json& p = curve[k];
            const std::string at = pointer + "/curve/" + std::to_string(k);
            if (!p.is_array() || p.size() != 2 || !p[0].is_number() || !p[1].is_number())
                Fail(at, "expected a point [" + first + ", " + second + "]");
            points.push_back({p[0].get<double>(), p[1].get<double>()});
        }
        try {
            return {name, {first, second}, SectionCurve(ClosedCurve(points)), source + ": " + pointer};
        } catch (const Error& e) {
            Fail(pointer + "/curve", "section " + Quoted(name) + ": " + e.what());
        }
    }
};

} // namespace

Capacity ReadCapacity(const std::string& text, const std::string& source) {
    return Reader(source).Read(text);
}

bool ParseCheckMethod(const std::string& name, CheckMethod& method) {
    if (name == "ray")
        method = CheckMethod::Ray;
    else if (name == "at-first-force")
        method = CheckMethod::AtFirstForce;
    else
        return false;
    return true;
}

const char* CheckMethodName(CheckMethod method) {
    return method == CheckMethod::Ray ? "ray" : "at-first-force";
}

} // namespace formats
} // namespace vymath
