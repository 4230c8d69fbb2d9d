// Reading a moving load from JSON.
#include "MovingLoad.h"

#include "Json.h"
#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <cmath>
#include <limits>
#include <set>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using json::Json;
using text::Quoted;
using text::Shortest;

std::string Count(std::size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

class Reader : json::DocumentReader {
public:
    explicit Reader(const std::string& source) : DocumentReader(source) {}

    MovingLoad Read(const std::string& text) const {
        const Json doc = json::Parse(text, source);
        if (!doc.is_object())
            Fail("", "expected an object: a load model {\"loads\": [...], ...} or {\"alternatives\": [...]}");
        MovingLoad load;
        load.source = source;
        if (!doc.contains("alternatives")) {
            load.alternatives.push_back(Model(doc, ""));
            return load;
        }
        Keys(doc, "", {"alternatives", "_source"});
        Note(doc, "");
        const Json& list = doc.at("alternatives");
        if (!list.is_array() || list.empty())
            Fail("/alternatives", "expected a list of one load model at least");
        for (std::size_t k = 0; k < list.size(); ++k)
            load.alternatives.push_back(Model(list[k], "/alternatives/" + std::to_string(k)));
        return load;
    }

private:
    void Note(const Json& object, const std::string& pointer) const {
        if (object.contains("_source") && !object.at("_source").is_string())
            Fail(pointer + "/_source", "expected a string (a note on where the model comes from)");
    }

    // A finite number of 0 or more.
    double Amount(const Json& v, const std::string& pointer, const char* what) const {
        if (!v.is_number())
            Fail(pointer, std::string("expected ") + what + ": a number of 0 or more");
        const double d = v.get<double>();
        if (!std::isfinite(d) || d < 0.0)
            Fail(pointer, std::string(what) + " " + Shortest(d) + " is not a finite number of 0 or more");
        return d;
    }

    AxleSpacing Spacing(const Json& v, const std::string& pointer) const {
        if (v.is_number()) {
            const double s = Amount(v, pointer, "a spacing");
            return {s, s};
        }
        if (!v.is_array() || v.size() != 2)
            Fail(pointer, "expected a spacing: a number, or a range [min, max] (max null: at least min)");
        const double min = Amount(v[0], pointer + "/0", "the smallest spacing");
        if (v[1].is_null())
            return {min, std::numeric_limits<double>::infinity()};
        const double max = Amount(v[1], pointer + "/1", "the largest spacing");
        if (max < min)
            Fail(pointer, "the range [" + Shortest(min) + ", " + Shortest(max) +
                              "] is upside down: the smallest spacing comes first");
        return {min, max};
    }

    LoadModel Model(const Json& v, const std::string& pointer) const {
        if (!v.is_object())
            Fail(pointer, "expected a load model {\"loads\": [...], \"spacings\": [...], ...}");
        Keys(v, pointer, {"loads", "spacings", "factor", "lane", "lane_factor", "directions", "_source"});
        Note(v, pointer);
        LoadModel m;
        if (!v.contains("loads") || !v.at("loads").is_array())
            Fail(v.contains("loads") ? pointer + "/loads" : pointer,
                 "expected \"loads\": the axle loads in order (a list, empty for a lane load alone)");
        const Json& loads = v.at("loads");
        for (std::size_t k = 0; k < loads.size(); ++k)
            m.loads.push_back(Amount(loads[k], pointer + "/loads/" + std::to_string(k), "an axle load"));
        if (v.contains("spacings")) {
            const Json& spacings = v.at("spacings");
            if (!spacings.is_array())
                Fail(pointer + "/spacings", "expected a list of spacings, one fewer than the loads");
            for (std::size_t k = 0; k < spacings.size(); ++k)
                m.spacings.push_back(Spacing(spacings[k], pointer + "/spacings/" + std::to_string(k)));
        }
        const std::size_t expected = m.loads.empty() ? 0 : m.loads.size() - 1;
        if (m.spacings.size() != expected)
            Fail(pointer + (v.contains("spacings") ? "/spacings" : ""),
                 Count(m.loads.size(), "axle load") + (m.loads.size() == 1 ? " takes " : " take ") +
                     Count(expected, "spacing") + ", not " + std::to_string(m.spacings.size()));
        if (v.contains("factor"))
            m.factor = Amount(v.at("factor"), pointer + "/factor", "the factor");
        if (v.contains("lane"))
            m.lane = Amount(v.at("lane"), pointer + "/lane", "the lane load");
        if (v.contains("lane_factor"))
            m.laneFactor = Amount(v.at("lane_factor"), pointer + "/lane_factor", "the lane factor");
        if (v.contains("directions")) {
            const Json& d = v.at("directions");
            const std::string text = d.is_string() ? d.get<std::string>() : std::string();
            if (text == "both")
                m.directions = Travel::Both;
            else if (text == "forward")
                m.directions = Travel::Forward;
            else if (text == "backward")
                m.directions = Travel::Backward;
            else
                Fail(pointer + "/directions", "expected \"both\", \"forward\" or \"backward\"");
        }
        return m;
    }
};

} // namespace

MovingLoad ReadMovingLoad(const std::string& text, const std::string& source) {
    return Reader(source).Read(text);
}

} // namespace formats
} // namespace vymath
