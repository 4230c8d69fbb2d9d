// Reading design codes from JSON.
#include "Codes.h"

#include "Json.h"
#include "Source.h"
#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <limits>
#include <set>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using text::Choices;
using text::Quoted;
using text::Shortest;

const std::pair<const char*, ActionType> kRoles[] = {
    {"permanent", ActionType::Permanent}, {"prestress", ActionType::Prestress},
    {"variable", ActionType::Variable},   {"accidental", ActionType::Accidental},
    {"seismic", ActionType::Seismic},     {"companion", ActionType::Companion}};

class Reader : json::DocumentReader {
public:
    explicit Reader(const std::string& source) : DocumentReader(source) {}

    Code Read(const std::string& text) {
        const json::Json doc = json::Parse(text, source);
        Code c;
        c.source = source;
        Object(doc, "",
               {"code", "title", "rule_word", "annex", "psi", "values", "action_values", "file_factors",
                "options", "types", "situations"});
        c.name = Text(Required(doc, "", "code"), "/code");
        c.title = doc.contains("title") ? Text(doc["title"], "/title") : c.name;
        c.ruleWord = doc.contains("rule_word") ? Text(doc["rule_word"], "/rule_word") : "rule";
        if (doc.contains("annex"))
            c.annex = Bool(doc["annex"], "/annex");
        if (doc.contains("psi"))
            PsiTable(doc["psi"], c);
        if (doc.contains("values"))
            Values(doc["values"], c);
        if (doc.contains("action_values"))
            ActionValues(doc["action_values"], c);
        if (doc.contains("file_factors")) {
            const json::Json& f = doc["file_factors"];
            if (!f.is_array())
                Fail("/file_factors", "expected a list of value names");
            for (std::size_t k = 0; k < f.size(); ++k) {
                const std::string p = "/file_factors/" + std::to_string(k);
                c.fileFactors.push_back(Text(f[k], p));
                if (c.values.count(c.fileFactors.back()) == 0)
                    Fail(p, "no value " + Quoted(c.fileFactors.back()));
            }
        }
        if (doc.contains("options"))
            Options(doc["options"], c);
        Types(Required(doc, "", "types"), c);
        const json::Json& s = Required(doc, "", "situations");
        if (!s.is_array() || s.empty())
            Fail("/situations", "expected a list of one situation at least");
        for (std::size_t k = 0; k < s.size(); ++k)
            c.situations.push_back(Situation(s[k], "/situations/" + std::to_string(k), c));
        return c;
    }

private:
    // An object of named entries, each checked by its reader; "_source" a text.
    void Map(const json::Json& v, const std::string& pointer) const {
        if (!v.is_object())
            Fail(pointer, "expected an object");
        if (v.contains("_source"))
            Text(v["_source"], pointer + json::Segment("_source"));
    }

    // An object whose keys are among `allowed` or "_source" (a text).
    void Object(const json::Json& v, const std::string& pointer, const std::set<std::string>& allowed) const {
        if (!v.is_object())
            Fail(pointer, "expected an object");
        for (const auto& item : v.items()) {
            if (item.key() == "_source")
                Text(item.value(), pointer + json::Segment("_source"));
            else if (allowed.count(item.key()) == 0)
                Fail(pointer + json::Segment(item.key()), "unknown key " + Quoted(item.key()));
        }
    }

    const json::Json& Required(const json::Json& v, const std::string& pointer, const char* key) const {
        if (!v.contains(key))
            Fail(pointer, "expected the key " + Quoted(key));
        return v[key];
    }

    std::string Text(const json::Json& v, const std::string& pointer) const {
        if (!v.is_string() || v.get<std::string>().empty())
            Fail(pointer, "expected a non-empty string");
        return v.get<std::string>();
    }

    bool Bool(const json::Json& v, const std::string& pointer) const {
        if (!v.is_boolean())
            Fail(pointer, "expected true or false");
        return v.get<bool>();
    }

    double Number(const json::Json& v, const std::string& pointer) const {
        if (!v.is_number() || !std::isfinite(v.get<double>()))
            Fail(pointer, "expected a finite number");
        return v.get<double>();
    }

    std::vector<std::string> Texts(const json::Json& v, const std::string& pointer) const {
        if (!v.is_array())
            Fail(pointer, "expected a list of texts");
        std::vector<std::string> out;
        for (std::size_t k = 0; k < v.size(); ++k)
            out.push_back(Text(v[k], pointer + "/" + std::to_string(k)));
        return out;
    }

    void PsiTable(const json::Json& t, Code& c) const {
        Map(t, "/psi");
        for (const auto& item : t.items()) {
            if (item.key() == "_source")
                continue;
            const std::string p = "/psi" + json::Segment(item.key());
            Object(item.value(), p, {"psi"});
            c.psi[item.key()] = ReadPsi(Required(item.value(), p, "psi"), p + "/psi", source);
        }
    }

    void Values(const json::Json& t, Code& c) const {
        Map(t, "/values");
        for (const auto& item : t.items()) {
            if (item.key() == "_source")
                continue;
            const std::string p = "/values" + json::Segment(item.key());
            Object(item.value(), p, {"value", "range"});
            std::pair<double, double> range{0.0, std::numeric_limits<double>::infinity()};
            if (item.value().contains("range")) {
                const json::Json& r = item.value()["range"];
                if (!r.is_array() || r.size() != 2)
                    Fail(p + "/range", "expected [lowest, highest]");
                range = {Number(r[0], p + "/range/0"), Number(r[1], p + "/range/1")};
                c.ranges[item.key()] = range;
            }
            const double v = Number(Required(item.value(), p, "value"), p + "/value");
            if (!(v >= range.first && v <= range.second))
                Fail(p + "/value", "the value " + Shortest(v) + " is outside " + RangeText(range));
            c.values[item.key()] = v;
        }
    }

    void ActionValues(const json::Json& t, Code& c) const {
        Map(t, "/action_values");
        for (const auto& item : t.items()) {
            if (item.key() == "_source")
                continue;
            const std::string p = "/action_values" + json::Segment(item.key());
            Object(item.value(), p, {"default", "role"});
            const std::string def = Text(Required(item.value(), p, "default"), p + "/default");
            if (c.values.count(def) == 0)
                Fail(p + "/default", "no value " + Quoted(def));
            c.actionValues[item.key()] = def;
            c.actionValueRoles[item.key()] = Role(Required(item.value(), p, "role"), p + "/role");
        }
    }

    ActionType Role(const json::Json& v, const std::string& pointer) const {
        const std::string r = Text(v, pointer);
        for (const auto& known : kRoles)
            if (r == known.first)
                return known.second;
        Fail(pointer, "unknown role " + Quoted(r) +
                          " (permanent, prestress, variable, accidental, seismic or companion)");
    }

    void Options(const json::Json& t, Code& c) const {
        Map(t, "/options");
        for (const auto& item : t.items()) {
            if (item.key() == "_source")
                continue;
            const std::string p = "/options" + json::Segment(item.key());
            const json::Json& o = item.value();
            Object(o, p, {"choices", "list", "boolean", "default", "sets", "per_action"});
            CodeOption opt;
            opt.name = item.key();
            if (o.contains("choices")) {
                opt.choices = Texts(o["choices"], p + "/choices");
                opt.defaults = {Text(Required(o, p, "default"), p + "/default")};
            } else if (o.contains("list")) {
                opt.list = true;
                opt.choices = Texts(o["list"], p + "/list");
                opt.defaults = Texts(Required(o, p, "default"), p + "/default");
            } else if (o.contains("boolean")) {
                opt.boolean = true;
                opt.choices = {"false", "true"};
                opt.defaults = {Bool(Required(o, p, "default"), p + "/default") ? "true" : "false"};
                if (o.contains("sets")) {
                    Map(o["sets"], p + "/sets");
                    for (const auto& s : o["sets"].items())
                        if (s.key() != "_source") {
                            if (c.values.count(s.key()) == 0)
                                Fail(p + "/sets" + json::Segment(s.key()), "no value " + Quoted(s.key()));
                            opt.sets[s.key()] = Number(s.value(), p + "/sets" + json::Segment(s.key()));
                        }
                }
            } else {
                Fail(p, "expected \"choices\", \"list\" or \"boolean\"");
            }
            for (const std::string& d : opt.defaults)
                if (std::find(opt.choices.begin(), opt.choices.end(), d) == opt.choices.end())
                    Fail(p + "/default", "the default " + Quoted(d) + " is not one of the choices");
            if (o.contains("per_action"))
                opt.perAction = Text(o["per_action"], p + "/per_action");
            c.options.push_back(opt);
        }
    }

    void Types(const json::Json& t, Code& c) const {
        Map(t, "/types");
        for (const auto& item : t.items()) {
            if (item.key() == "_source")
                continue;
            const std::string p = "/types" + json::Segment(item.key());
            const json::Json& v = item.value();
            Object(v, p,
                   {"role", "both_signs", "psi", "categories", "site", "component_rules", "companion_of"});
            LoadType type;
            type.name = item.key();
            type.role = Role(Required(v, p, "role"), p + "/role");
            if (v.contains("both_signs"))
                type.bothSigns = Bool(v["both_signs"], p + "/both_signs");
            const auto entry = [&](const std::string& e, const std::string& pointer) {
                if (c.psi.count(e) == 0)
                    Fail(pointer, "no psi entry " + Quoted(e));
                return e;
            };
            if (v.contains("psi")) {
                type.psi = Text(v["psi"], p + "/psi");
                if (type.psi != "given")
                    entry(type.psi, p + "/psi");
            }
            if (v.contains("categories")) {
                type.categories = Texts(v["categories"], p + "/categories");
                for (std::size_t k = 0; k < type.categories.size(); ++k)
                    entry(type.categories[k], p + "/categories/" + std::to_string(k));
            }
            if (v.contains("site")) {
                const std::string s = p + "/site";
                Object(v["site"], s, {"countries", "other_countries", "over_1000m", "up_to_1000m"});
                type.overAltitude = entry(Text(Required(v["site"], s, "over_1000m"), s + "/over_1000m"), s);
                type.upToAltitude = entry(Text(Required(v["site"], s, "up_to_1000m"), s + "/up_to_1000m"), s);
                if (v["site"].contains("countries")) {
                    Map(v["site"]["countries"], s + "/countries");
                    for (const auto& country : v["site"]["countries"].items())
                        if (country.key() != "_source")
                            type.countries[country.key()] = entry(
                                Text(country.value(), s + "/countries" + json::Segment(country.key())), s);
                }
                if (v["site"].contains("other_countries"))
                    type.otherCountries = Texts(v["site"]["other_countries"], s + "/other_countries");
            }
            if (v.contains("component_rules")) {
                Map(v["component_rules"], p + "/component_rules");
                for (const auto& r : v["component_rules"].items()) {
                    if (r.key() == "_source")
                        continue;
                    const std::string rp = p + "/component_rules" + json::Segment(r.key());
                    Object(r.value(), rp, {"others"});
                    type.componentRules[r.key()] = Number(Required(r.value(), rp, "others"), rp + "/others");
                }
            }
            if (v.contains("companion_of"))
                type.companionOf = Text(v["companion_of"], p + "/companion_of");
            if ((type.role == ActionType::Companion) != !type.companionOf.empty())
                Fail(p, "a companion type, and only one, names the type it acts with (\"companion_of\")");
            c.types.push_back(type);
        }
        for (std::size_t k = 0; k < c.types.size(); ++k)
            if (!c.types[k].companionOf.empty() && c.Type(c.types[k].companionOf) == nullptr)
                Fail("/types" + json::Segment(c.types[k].name) + "/companion_of",
                     "no type " + Quoted(c.types[k].companionOf));
    }

    // A factor: a number, or a product of numbers and names.
    Factor FactorOf(const json::Json& v, const std::string& pointer, const Code& c) const {
        Factor f;
        if (v.is_number()) {
            f.items.push_back({"", Number(v, pointer)});
            f.text = Shortest(f.items.back().number);
            return f;
        }
        f.text = Text(v, pointer);
        std::size_t start = 0;
        for (;;) {
            const std::size_t star = f.text.find('*', start);
            std::string item =
                f.text.substr(start, star == std::string::npos ? std::string::npos : star - start);
            item.erase(0, item.find_first_not_of(' '));
            item.erase(item.find_last_not_of(' ') + 1);
            double number = 0.0;
            if (text::ParseDouble(item, number) == text::ParseStatus::Ok) {
                f.items.push_back({"", number});
            } else {
                const bool name = !item.empty() &&
                                  (std::isalpha(static_cast<unsigned char>(item[0])) || item[0] == '_') &&
                                  std::all_of(item.begin(), item.end(), [](char ch) {
                                      return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
                                  });
                if (!name)
                    Fail(pointer, "expected a product of numbers and value names, found " + Quoted(f.text));
                if (!KnownName(item, c))
                    Fail(pointer, "unknown value " + Quoted(item) + " in " + Quoted(f.text));
                f.items.push_back({item, 0.0});
            }
            if (star == std::string::npos)
                break;
            start = star + 1;
        }
        return f;
    }

    static bool KnownName(const std::string& name, const Code& c) {
        if (name == "psi0" || name == "psi1" || name == "psi2")
            return true;
        if (c.values.count(name) || c.actionValues.count(name))
            return true;
        const CodeOption* o = c.Option(name);
        if (o == nullptr || o->list || o->boolean)
            return false;
        for (const std::string& choice : o->choices)
            if (!KnownName(choice, c) || c.Option(choice) != nullptr)
                return false;
        return true;
    }

    std::vector<std::pair<std::string, std::string>> When(const json::Json& v, const std::string& pointer,
                                                          const Code& c) const {
        Map(v, pointer);
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& item : v.items()) {
            if (item.key() == "_source")
                continue;
            const std::string p = pointer + json::Segment(item.key());
            const CodeOption* o = c.Option(item.key());
            if (o == nullptr)
                Fail(p, "no option " + Quoted(item.key()));
            const std::string choice =
                o->boolean ? (Bool(item.value(), p) ? "true" : "false") : Text(item.value(), p);
            if (std::find(o->choices.begin(), o->choices.end(), choice) == o->choices.end())
                Fail(p, Quoted(choice) + " is not a choice of " + Quoted(item.key()));
            out.push_back({item.key(), choice});
        }
        return out;
    }

    TermTemplate Term(const json::Json& v, const std::string& p, const Code& c, bool member) const {
        Object(v, p, {"role", "type", "factor", "sup", "inf", "leading", "one_of", "with"});
        TermTemplate t;
        t.place = source + ": " + p;
        if (v.contains("one_of")) {
            if (member || v.size() != 1 + (v.contains("_source") ? 1u : 0u))
                Fail(p, "\"one_of\" stands alone in its term, in a rule's terms");
            const json::Json& list = v["one_of"];
            if (!list.is_array() || list.size() < 2)
                Fail(p + "/one_of", "expected a list of two terms at least");
            for (std::size_t k = 0; k < list.size(); ++k) {
                t.oneOf.push_back(Term(list[k], p + "/one_of/" + std::to_string(k), c, true));
                if (t.oneOf.back().role != ActionType::Variable)
                    Fail(p + "/one_of/" + std::to_string(k), "a choice is between variable actions");
            }
            return t;
        }
        if (v.contains("role") == v.contains("type"))
            Fail(p, "expected \"role\" or \"type\", one of them");
        if (v.contains("role")) {
            t.role = Role(v["role"], p + "/role");
        } else {
            t.type = Text(v["type"], p + "/type");
            const LoadType* type = c.Type(t.type);
            if (type == nullptr)
                Fail(p + "/type", "no type " + Quoted(t.type));
            t.role = type->role;
        }
        if (t.role == ActionType::Companion && !member)
            Fail(p, "a companion acts \"with\" the term of its type");
        for (const char* key : {"factor", "sup", "inf", "leading"})
            if (v.contains(key)) {
                Factor f = FactorOf(v[key], p + "/" + key, c);
                (key[0] == 'f' ? t.factor : key[0] == 's' ? t.sup : key[0] == 'i' ? t.inf : t.leading) = f;
            }
        const bool permanent = t.role == ActionType::Permanent;
        const bool pair = t.sup.Given() && t.inf.Given() && !t.factor.Given();
        const bool one = t.factor.Given() && !t.sup.Given() && !t.inf.Given();
        if (!(one || (permanent && pair)))
            Fail(p, permanent ? "a permanent term gives \"factor\", or \"sup\" and \"inf\""
                              : "the term gives \"factor\" (\"sup\" and \"inf\" are for permanent terms)");
        if (t.leading.Given() && (t.role != ActionType::Variable || member))
            Fail(p + "/leading", "\"leading\" is for a term of the variable actions");
        if (v.contains("with")) {
            if (t.role != ActionType::Variable)
                Fail(p + "/with", "a companion acts with variable actions");
            t.with.push_back(Term(v["with"], p + "/with", c, true));
            const LoadType* companion = c.Type(t.with.back().type);
            if (companion == nullptr || companion->role != ActionType::Companion ||
                companion->companionOf != t.type)
                Fail(p + "/with", "expected a companion type of " + Quoted(t.type));
        }
        return t;
    }

    SituationTemplate Situation(const json::Json& v, const std::string& p, const Code& c) const {
        Object(v, p, {"name", "default_name", "single_name", "for_each", "when", "requires", "rules"});
        SituationTemplate s;
        s.name = Text(Required(v, p, "name"), p + "/name");
        if (v.contains("default_name"))
            s.defaultName = Text(v["default_name"], p + "/default_name");
        if (v.contains("single_name"))
            s.singleName = Text(v["single_name"], p + "/single_name");
        if (v.contains("for_each")) {
            s.forEach = true;
            s.forEachRole = Role(v["for_each"], p + "/for_each");
            if (s.forEachRole != ActionType::Accidental && s.forEachRole != ActionType::Seismic)
                Fail(p + "/for_each", "a situation is formed for each accidental or seismic action");
            if (s.name.find("{action}") == std::string::npos)
                Fail(p + "/name", "the name of a situation for each action holds \"{action}\"");
        }
        if (v.contains("when"))
            s.when = When(v["when"], p + "/when", c);
        if (v.contains("requires")) {
            const json::Json& r = v["requires"];
            if (!r.is_array())
                Fail(p + "/requires", "expected a list of roles");
            for (std::size_t k = 0; k < r.size(); ++k)
                s.requiredRoles.push_back(Role(r[k], p + "/requires/" + std::to_string(k)));
        }
        const json::Json& rules = Required(v, p, "rules");
        if (!rules.is_array() || rules.empty())
            Fail(p + "/rules", "expected a list of one rule at least");
        for (std::size_t k = 0; k < rules.size(); ++k) {
            const std::string rp = p + "/rules/" + std::to_string(k);
            Object(rules[k], rp, {"label", "when", "terms"});
            RuleTemplate r;
            r.place = source + ": " + rp;
            r.label = Text(Required(rules[k], rp, "label"), rp + "/label");
            if (rules[k].contains("when"))
                r.when = When(rules[k]["when"], rp + "/when", c);
            const json::Json& terms = Required(rules[k], rp, "terms");
            if (!terms.is_array())
                Fail(rp + "/terms", "expected a list of terms");
            for (std::size_t t = 0; t < terms.size(); ++t) {
                const std::string tp = rp + "/terms/" + std::to_string(t);
                r.terms.push_back(Term(terms[t], tp, c, false));
                const ActionType role = r.terms.back().role;
                if ((role == ActionType::Accidental || role == ActionType::Seismic) &&
                    !(s.forEach && s.forEachRole == role) && r.terms.back().oneOf.empty())
                    Fail(tp, "the accidental or seismic action enters its own situation only (\"for_each\")");
            }
            s.rules.push_back(r);
        }
        return s;
    }
};

std::string ReadFile(const std::string& path) {
    Source in(path, path);
    return in.All();
}

} // namespace

std::string RangeText(const std::pair<double, double>& range) {
    return "[" + Shortest(range.first) + ", " +
           (std::isinf(range.second) ? std::string("inf") : Shortest(range.second)) + "]";
}

Psi ReadPsi(const json::Json& v, const std::string& pointer, const std::string& source) {
    const auto fail = [&](const std::string& where, const std::string& what) {
        throw Error(Error::Kind::Data, source + ": " + where + ": " + what);
    };
    if (!v.is_array() || v.size() != 3)
        fail(pointer, "expected [psi0, psi1, psi2]");
    double psi[3];
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string p = pointer + "/" + std::to_string(k);
        if (!v[k].is_number())
            fail(p, "expected a number");
        psi[k] = v[k].get<double>();
        if (!(psi[k] >= 0.0 && psi[k] <= 1.0))
            fail(p, "psi " + Shortest(psi[k]) + " is outside [0, 1]");
    }
    // The frequent value is never below the quasi-permanent one: the leading action's factor in the frequent
    // and accidental combinations is then never below its accompanying one.
    if (psi[1] < psi[2])
        fail(pointer, "psi1 >= psi2 is expected, found [" + Shortest(psi[0]) + ", " + Shortest(psi[1]) +
                          ", " + Shortest(psi[2]) + "]");
    return {psi[0], psi[1], psi[2]};
}

std::vector<std::string> DefaultCodeFolders() {
    return {VYMATH_INSTALL_CODES_DIR, VYMATH_SOURCE_CODES_DIR};
}

Code ReadCode(const std::string& text, const std::string& source) {
    return Reader(source).Read(text);
}

std::vector<std::string> CodeNames(const std::vector<std::string>& folders) {
    std::set<std::string> names;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            if (it->path().extension() == ".json")
                names.insert(it->path().stem().string());
    }
    return {names.begin(), names.end()};
}

std::shared_ptr<const Code> LoadCode(const std::string& name, const std::vector<std::string>& folders,
                                     const std::string& base) {
    namespace fs = std::filesystem;
    std::string path;
    if (name.find('/') != std::string::npos || fs::path(name).extension() == ".json") {
        path = fs::path(name).is_absolute() || base.empty() ? name : (fs::path(base) / name).string();
    } else {
        for (const std::string& folder : folders) {
            const fs::path candidate = fs::path(folder) / (name + ".json");
            std::error_code error;
            if (fs::is_regular_file(candidate, error)) {
                path = candidate.string();
                break;
            }
        }
        if (path.empty())
            throw Error(Error::Kind::Data,
                        "unknown code " + Quoted(name) + " (" + Choices(CodeNames(folders), false) + ")");
    }
    auto code = std::make_shared<Code>(ReadCode(ReadFile(path), path));
    if (path.size() > 5 && fs::path(path).stem() != code->name && name.find('/') == std::string::npos &&
        fs::path(name).extension() != ".json")
        throw Error(Error::Kind::Data,
                    path + ": /code: the file of code " + Quoted(name) + " names " + Quoted(code->name));
    return code;
}

} // namespace formats
} // namespace vymath
