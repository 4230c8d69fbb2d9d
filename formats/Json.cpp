// JSON in and out.
#include "Json.h"

#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <set>

namespace vymath {
namespace formats {
namespace json {

namespace {

using analysis::Error;

// Follows the parser to the value it reads, as a path: a number beyond the range of doubles stops the
// parser without a place, and an object's key given twice would silently keep the last value.
class Place {
public:
    bool operator()(int, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
            frames.push_back({false, 0, {}, {}});
            break;
        case Json::parse_event_t::array_start:
            frames.push_back({true, 0, {}, {}});
            break;
        case Json::parse_event_t::key:
            frames.back().key = parsed.get<std::string>();
            if (!frames.back().keys.insert(frames.back().key).second && twice.empty())
                twice = Path();
            break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end:
            frames.pop_back();
            Next();
            break;
        case Json::parse_event_t::value:
            Next();
            break;
        }
        return true;
    }

    // Where the parser is: the value it reads, or the last it read.
    std::vector<std::string> Path() const {
        std::vector<std::string> path;
        for (const Frame& f : frames)
            path.push_back(f.array ? std::to_string(f.index) : f.key);
        return path;
    }

    std::vector<std::string> twice; // the path of the first key given twice in its object

private:
    struct Frame {
        bool array;
        std::size_t index;
        std::string key;
        std::set<std::string> keys;
    };

    void Next() {
        if (!frames.empty() && frames.back().array)
            ++frames.back().index;
    }

    std::vector<Frame> frames;
};

std::string PointerOf(const std::vector<std::string>& path) {
    std::string p;
    for (const std::string& s : path)
        p += Segment(s);
    return p;
}

[[noreturn]] void Fail(const std::string& message) {
    throw Error(Error::Kind::Data, message);
}

} // namespace

void DocumentReader::Fail(const std::string& pointer, const std::string& what) const {
    throw Error(Error::Kind::Data, source + ": " + (pointer.empty() ? "" : pointer + ": ") + what);
}

void DocumentReader::Keys(const Json& object, const std::string& pointer,
                          std::initializer_list<std::string_view> allowed) const {
    for (const auto& item : object.items())
        if (std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end())
            Fail(pointer + Segment(item.key()), "unknown key " + text::Quoted(item.key()));
}

std::string Segment(std::string_view key) {
    std::string p = "/";
    for (char c : key)
        p += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
    return p;
}

Json Parse(const std::string& text, const std::string& source, const Noun& noun) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        Fail(source + ": the file is empty");
    Place place;
    Json doc;
    try {
        doc = Json::parse(text, std::ref(place));
    } catch (const Json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 7: syntax error ..."
        static const std::regex where(R"(at line (\d+), column (\d+): (.*))");
        std::smatch m;
        const std::string what = e.what();
        if (std::regex_search(what, m, where))
            Fail(source + ":" + m[1].str() + ":" + m[2].str() + ": " + m[3].str());
        Fail(source + ": " + what);
    } catch (const Json::exception& e) { // a number beyond the range of doubles
        const std::string what = e.what();
        const std::size_t open = what.find('\''), close = what.rfind('\'');
        Fail(source + ": " + PointerOf(place.Path()) + ": " +
             (open < close
                  ? text::Quoted(what.substr(open + 1, close - open - 1)) + " is out of the range of doubles"
                  : what));
    }
    if (!place.twice.empty())
        Fail(source + ": " + PointerOf(place.twice) + ": the " + (noun ? noun(place.twice) : "key") +
             " is given twice");
    return doc;
}

void AppendString(std::string& out, std::string_view s) {
    out += Json(std::string(s)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void AppendNumber(std::string& out, double v) {
    if (std::isfinite(v))
        text::AppendShortest(out, v);
    else
        out += "null";
}

} // namespace json
} // namespace formats
} // namespace vymath
