// Reading an actions description from JSON, with its code and national annex.
#include "Actions.h"

#include "Json.h"
#include "Source.h"
#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using text::Choices;
using text::Quoted;
using text::Shortest;

const char* RoleWord(ActionType t) {
    switch (t) {
    case ActionType::Permanent:
        return "permanent";
    case ActionType::Prestress:
        return "prestress";
    case ActionType::Variable:
        return "variable";
    case ActionType::Accidental:
        return "accidental";
    case ActionType::Seismic:
        return "seismic";
    default:
        return "companion";
    }
}

class Reader : json::DocumentReader {
public:
    Reader(const std::string& source, const std::vector<std::string>& folders)
        : DocumentReader(source), folders(folders) {}

    Actions Read(const std::string& text) {
        json::Json doc = json::Parse(text, source);
        Actions a;
        a.source = source;
        if (!doc.is_object())
            Fail("", "expected an object {\"actions\": [...], ...}");
        const std::string folder = std::filesystem::path(source).parent_path().string();
        const std::string name = doc.contains("code") ? Text(doc["code"], "/code") : "EN1990";
        try {
            a.code = LoadCode(name, folders, folder);
        } catch (const Error& e) {
            const std::string what = e.what();
            if (what.rfind("unknown code", 0) == 0)
                Fail("/code", what);
            throw;
        }
        const Code& code = *a.code;
        std::set<std::string> keys{"code", "annex", "actions"};
        if (!code.fileFactors.empty())
            keys.insert("factors");
        for (const CodeOption& o : code.options)
            keys.insert(o.name);
        KeysIn(doc, "", keys);
        a.values = code.values;
        for (const CodeOption& o : code.options)
            a.options[o.name] = o.defaults;
        psi = code.psi;
        if (doc.contains("annex")) {
            if (!code.annex)
                Fail("/annex", "the code " + code.name + " takes no national annex");
            Annex(Text(doc["annex"], "/annex"), folder, a);
        }
        if (doc.contains("factors"))
            Factors(doc["factors"], a);
        for (const CodeOption& o : code.options)
            if (doc.contains(o.name)) {
                a.options[o.name] = Option(o, doc[o.name], "/" + o.name, source);
                a.given.insert(o.name);
            }
        for (const CodeOption& o : code.options)
            if (o.boolean && a.options[o.name].front() == "true")
                for (const auto& set : o.sets)
                    a.values[set.first] = set.second;
        if (!doc.contains("actions") || !doc["actions"].is_array() || doc["actions"].empty())
            Fail(doc.contains("actions") ? "/actions" : "",
                 "expected \"actions\": a list of one action at least");
        for (std::size_t k = 0; k < doc["actions"].size(); ++k)
            a.actions.push_back(OneAction(doc["actions"][k], "/actions/" + std::to_string(k), a));
        Relations(a);
        return a;
    }

private:
    // Keys() for a set known only at run time (a code's options and factors).
    void KeysIn(const json::Json& object, const std::string& pointer,
                const std::set<std::string>& allowed) const {
        for (const auto& item : object.items())
            if (allowed.count(item.key()) == 0)
                Fail(pointer + json::Segment(item.key()), "unknown key " + Quoted(item.key()));
    }

    std::string Text(const json::Json& v, const std::string& pointer) const {
        if (!v.is_string() || v.get<std::string>().empty())
            Fail(pointer, "expected a non-empty string");
        return v.get<std::string>();
    }

    double Number(const json::Json& v, const std::string& pointer) const {
        if (!v.is_number())
            Fail(pointer, "expected a number");
        return v.get<double>();
    }

    // A value of the code at `pointer` of `file`: finite, within its range.
    double Value(const Code& code, const std::string& name, const json::Json& v, const std::string& pointer,
                 const std::string& file) const {
        const auto fail = [&](const std::string& what) {
            throw Error(Error::Kind::Data, file + ": " + pointer + ": " + what);
        };
        if (!v.is_number())
            fail("expected a number");
        const double x = v.get<double>();
        const auto range =
            code.ranges.count(name) ? code.ranges.at(name) : std::pair<double, double>{0.0, HUGE_VAL};
        if (!std::isfinite(x) || x < range.first || x > range.second)
            fail(range.second == HUGE_VAL && range.first == 0.0
                     ? "the factor " + Shortest(x) + " is not a finite number of 0 or more"
                     : "the value " + Shortest(x) + " is outside " + RangeText(range));
        return x;
    }

    std::vector<std::string> Option(const CodeOption& o, const json::Json& v, const std::string& pointer,
                                    const std::string& file) const {
        const auto fail = [&](const std::string& where, const std::string& what) {
            throw Error(Error::Kind::Data, file + ": " + where + ": " + what);
        };
        if (o.boolean) {
            if (!v.is_boolean())
                fail(pointer, "expected true or false");
            return {v.get<bool>() ? "true" : "false"};
        }
        const auto known = [&](const std::string& c) {
            return std::find(o.choices.begin(), o.choices.end(), c) != o.choices.end();
        };
        if (o.list) {
            if (!v.is_array() || v.empty())
                fail(pointer, "expected a list of " + Choices(o.choices, true));
            std::vector<std::string> out;
            for (std::size_t k = 0; k < v.size(); ++k) {
                const std::string p = pointer + "/" + std::to_string(k);
                if (!v[k].is_string())
                    fail(p, "expected a text");
                const std::string c = v[k].get<std::string>();
                if (!known(c))
                    fail(p, "unknown choice " + Quoted(c) + " (" + Choices(o.choices, false) + ")");
                if (std::find(out.begin(), out.end(), c) != out.end())
                    fail(p, Quoted(c) + " is given twice");
                out.push_back(c);
            }
            return out;
        }
        if (!v.is_string() || !known(v.get<std::string>()))
            fail(pointer, "expected " + Choices(o.choices, true) + ", found " +
                              (v.is_string() ? Quoted(v.get<std::string>()) : v.dump()));
        return {v.get<std::string>()};
    }

    void Factors(const json::Json& f, Actions& a) const {
        if (!f.is_object())
            Fail("/factors", "expected an object of factors");
        KeysIn(f, "/factors", {a.code->fileFactors.begin(), a.code->fileFactors.end()});
        for (const std::string& name : a.code->fileFactors)
            if (f.contains(name))
                a.values[name] = Value(*a.code, name, f[name], "/factors/" + name, source);
    }

    // A national annex: psi entries (or every entry of a type), gamma values, other values and options.
    void Annex(const std::string& name, const std::string& folder, Actions& a) {
        const std::string path = std::filesystem::path(name).is_absolute() || folder.empty()
                                     ? name
                                     : (std::filesystem::path(folder) / name).string();
        Source in(path, path);
        const json::Json doc = json::Parse(in.All(), path);
        const Code& code = *a.code;
        const auto fail = [&](const std::string& pointer, const std::string& what) {
            throw Error(Error::Kind::Data, path + ": " + (pointer.empty() ? "" : pointer + ": ") + what);
        };
        if (!doc.is_object())
            fail("", "expected an object {\"psi\": {...}, \"gamma\": {...}, ...}");
        for (const auto& item : doc.items()) {
            const std::string p = json::Segment(item.key());
            const json::Json& v = item.value();
            if (item.key() == "psi") {
                if (!v.is_object())
                    fail(p, "expected an object {ENTRY: [psi0, psi1, psi2]}");
                for (const auto& e : v.items()) {
                    const std::string ep = p + json::Segment(e.key());
                    std::vector<std::string> entries;
                    if (psi.count(e.key())) {
                        entries.push_back(e.key());
                    } else if (const LoadType* t = code.Type(e.key())) {
                        entries = t->categories;
                        for (const std::string* s : {&t->psi, &t->overAltitude, &t->upToAltitude})
                            if (!s->empty() && *s != "given")
                                entries.push_back(*s);
                        for (const auto& c : t->countries)
                            entries.push_back(c.second);
                    }
                    if (entries.empty())
                        fail(ep, "unknown psi entry " + Quoted(e.key()));
                    const Psi value = ReadPsi(e.value(), ep, path);
                    for (const std::string& entry : entries)
                        psi[entry] = value;
                }
            } else if (item.key() == "gamma") {
                if (!v.is_object())
                    fail(p, "expected an object of partial factors");
                for (const auto& g : v.items()) {
                    const std::string value = "gamma_" + g.key();
                    if (code.values.count(value) == 0)
                        fail(p + json::Segment(g.key()), "unknown partial factor " + Quoted(g.key()));
                    a.values[value] = Value(code, value, g.value(), p + json::Segment(g.key()), path);
                }
            } else if (code.values.count(item.key())) {
                a.values[item.key()] = Value(code, item.key(), v, p, path);
            } else if (const CodeOption* o = code.Option(item.key())) {
                a.options[o->name] = Option(*o, v, p, path);
            } else {
                fail(p, "unknown key " + Quoted(item.key()));
            }
        }
    }

    Psi Entry(const std::string& name) const { return psi.at(name); }

    static void SetPsi(Action& a, const Psi& p) {
        a.psi0 = p.psi0;
        a.psi1 = p.psi1;
        a.psi2 = p.psi2;
    }

    std::vector<std::string> CaseList(const json::Json& v, const std::string& pointer) const {
        if (!v.is_array() || v.empty())
            Fail(pointer, "expected a list of one load case at least");
        std::vector<std::string> out;
        for (std::size_t k = 0; k < v.size(); ++k)
            out.push_back(Text(v[k], pointer + "/" + std::to_string(k)));
        return out;
    }

    Action OneAction(const json::Json& v, const std::string& pointer, const Actions& all) const {
        const Code& code = *all.code;
        if (!v.is_object())
            Fail(pointer, "expected an object {\"name\": ..., \"type\": ..., \"cases\": [...]}");
        Action a;
        a.place = source + ": " + pointer;
        if (!v.contains("name"))
            Fail(pointer, "the action has no \"name\"");
        a.name = Text(v["name"], pointer + "/name");
        if (!v.contains("type"))
            Fail(pointer, "the action has no \"type\"");
        a.kind = Text(v["type"], pointer + "/type");
        const std::string& t = a.kind;
        const LoadType* type = code.Type(t);
        if (type == nullptr) {
            std::vector<std::string> names;
            for (const LoadType& known : code.types)
                names.push_back(known.name);
            Fail(pointer + "/type", "unknown type " + Quoted(t) + " (" + Choices(names, false) + ")");
        }
        a.type = type->role;
        const bool variable = a.type == ActionType::Variable;
        const bool psiKinds = variable && !code.psi.empty();
        std::set<std::string> allowed{"name", "type", "cases", "acting"};
        const auto allow = [&](const char* key, bool applies) {
            if (applies)
                allowed.insert(key);
        };
        allow("category", !type->categories.empty());
        allow("categories", !type->categories.empty());
        allow("altitude_over_1000m", !type->overAltitude.empty());
        allow("country", !type->overAltitude.empty());
        allow("psi", psiKinds);
        allow("not_with", variable);
        allow("replaces", a.type == ActionType::Accidental);
        allow("components", a.type == ActionType::Seismic && !type->componentRules.empty());
        allow("rule", a.type == ActionType::Seismic && !type->componentRules.empty());
        allow("of", a.type == ActionType::Companion);
        allow("factor", a.type == ActionType::Companion);
        for (const auto& value : code.actionValues)
            allow(value.first.c_str(), code.actionValueRoles.at(value.first) == a.type);
        for (const CodeOption& o : code.options)
            allow(o.perAction.c_str(), !o.perAction.empty() && a.type == ActionType::Accidental);
        allowed.erase("");
        for (const auto& item : v.items())
            if (allowed.count(item.key()) == 0) {
                static const std::set<std::string> known{"category", "categories", "altitude_over_1000m",
                                                         "country",  "psi",        "not_with",
                                                         "replaces", "components", "rule",
                                                         "of",       "factor",     "leading_psi",
                                                         "gamma",    "gamma_sup",  "gamma_inf"};
                if (known.count(item.key()))
                    Fail(pointer + "/" + item.key(),
                         Quoted(item.key()) + " does not apply to a " + t + " action");
                Fail(pointer + json::Segment(item.key()), "unknown key " + Quoted(item.key()));
            }

        // psi: the type's entry, the category's, the site's, or given.
        if (!type->categories.empty()) {
            std::string list = Choices(type->categories, false);
            if (v.contains("categories")) {
                if (v.contains("cases") || v.contains("category") || v.contains("psi"))
                    Fail(pointer + "/categories",
                         "\"categories\" stands in place of \"cases\", \"category\" and \"psi\"");
                const json::Json& c = v["categories"];
                if (!c.is_object() || c.empty())
                    Fail(pointer + "/categories", "expected {CASE: CATEGORY, ...}");
                for (const auto& item : c.items()) {
                    const std::string p = pointer + "/categories" + json::Segment(item.key());
                    const std::string cat = Text(item.value(), p);
                    if (std::find(type->categories.begin(), type->categories.end(), cat) ==
                        type->categories.end())
                        Fail(p, "unknown category " + Quoted(cat) + " (" + list + ")");
                    a.cases.push_back(item.key());
                    a.casePsi.push_back(Entry(cat));
                }
                // The action's own psi: the least of its cases', for what reads one psi per action.
                Psi least = a.casePsi.front();
                for (const Psi& p : a.casePsi)
                    least = {std::min(least.psi0, p.psi0), std::min(least.psi1, p.psi1),
                             std::min(least.psi2, p.psi2)};
                SetPsi(a, least);
            } else {
                if (!v.contains("category"))
                    Fail(pointer, "an " + t + " action needs a \"category\" (" + list + ")");
                const std::string c = Text(v["category"], pointer + "/category");
                if (std::find(type->categories.begin(), type->categories.end(), c) == type->categories.end())
                    Fail(pointer + "/category", "unknown category " + Quoted(c) + " (" + list + ")");
                SetPsi(a, Entry(c));
            }
        } else if (!type->overAltitude.empty()) {
            bool high = false;
            if (v.contains("altitude_over_1000m")) {
                if (!v["altitude_over_1000m"].is_boolean())
                    Fail(pointer + "/altitude_over_1000m", "expected true or false");
                high = v["altitude_over_1000m"].get<bool>();
            }
            std::string entry = high ? type->overAltitude : type->upToAltitude;
            if (v.contains("country")) {
                const std::string c = Text(v["country"], pointer + "/country");
                const auto own = type->countries.find(c);
                if (own != type->countries.end()) {
                    entry = own->second;
                } else if (std::find(type->otherCountries.begin(), type->otherCountries.end(), c) ==
                           type->otherCountries.end()) {
                    std::vector<std::string> codes(type->otherCountries);
                    for (const auto& k : type->countries)
                        codes.push_back(k.first);
                    std::sort(codes.begin(), codes.end());
                    Fail(pointer + "/country",
                         "unknown country " + Quoted(c) + " (" + Choices(codes, false) + ")");
                }
            }
            SetPsi(a, Entry(entry));
        } else if (type->psi == "given" && !v.contains("psi")) {
            Fail(pointer, "a " + t + " action of no named kind needs \"psi\": [psi0, psi1, psi2]");
        } else if (!type->psi.empty() && type->psi != "given") {
            SetPsi(a, Entry(type->psi));
        }
        if (v.contains("psi"))
            SetPsi(a, ReadPsi(v["psi"], pointer + "/psi", source));

        for (const auto& value : code.actionValues)
            if (v.contains(value.first))
                a.values[value.first] =
                    Value(code, value.second, v[value.first], pointer + "/" + value.first, source);
        for (const CodeOption& o : code.options)
            if (!o.perAction.empty() && v.contains(o.perAction))
                a.options[o.name] = Option(o, v[o.perAction], pointer + "/" + o.perAction, source).front();

        // The cases.
        if (a.type == ActionType::Companion && v.contains("of")) {
            if (v.contains("cases"))
                Fail(pointer + "/of", "\"of\" stands in place of \"cases\"");
            a.of = Text(v["of"], pointer + "/of");
            if (!v.contains("factor"))
                Fail(pointer, "an action \"of\" another needs its \"factor\"");
            a.ofFactor = Number(v["factor"], pointer + "/factor");
            if (!std::isfinite(a.ofFactor))
                Fail(pointer + "/factor", "expected a finite number");
        } else if (v.contains("factor")) {
            Fail(pointer + "/factor", "\"factor\" goes with \"of\"");
        } else if (v.contains("components")) {
            if (v.contains("cases") || v.contains("acting"))
                Fail(pointer + "/components", "\"components\" stands in place of \"cases\" and \"acting\"");
            a.cases = CaseList(v["components"], pointer + "/components");
            if (a.cases.size() < 2 || a.cases.size() > 3)
                Fail(pointer + "/components",
                     "expected two or three components, found " + std::to_string(a.cases.size()));
            a.components = true;
            std::string rule = type->componentRules.begin()->first;
            if (v.contains("rule"))
                rule = Text(v["rule"], pointer + "/rule");
            const auto r = type->componentRules.find(rule);
            if (r == type->componentRules.end()) {
                std::vector<std::string> rules;
                for (const auto& known : type->componentRules)
                    rules.push_back(known.first);
                Fail(pointer + "/rule", "unknown rule " + Quoted(rule) + " (" + Choices(rules, true) + ")");
            }
            a.componentFactor = r->second;
        } else if (v.contains("rule")) {
            Fail(pointer + "/rule", "\"rule\" goes with \"components\"");
        } else if (a.cases.empty()) {
            if (v.contains("cases") && v["cases"].is_object() && a.type == ActionType::Permanent) {
                const json::Json& c = v["cases"];
                Keys(c, pointer + "/cases", {"sup", "inf"});
                if (!c.contains("sup") || !c.contains("inf"))
                    Fail(pointer + "/cases", "expected {\"sup\": [...], \"inf\": [...]}");
                a.cases = CaseList(c["sup"], pointer + "/cases/sup");
                a.casesInf = CaseList(c["inf"], pointer + "/cases/inf");
            } else if (!v.contains("cases") || !v["cases"].is_array() || v["cases"].empty()) {
                Fail(pointer, "expected \"cases\": a list of one load case at least");
            } else {
                a.cases = CaseList(v["cases"], pointer + "/cases");
            }
        }
        if (v.contains("acting")) {
            const std::string acting = Text(v["acting"], pointer + "/acting");
            const bool permanent = a.type == ActionType::Permanent;
            if (acting == "together")
                a.acting = Acting::Together;
            else if (acting == "free" && !permanent)
                a.acting = Acting::Free;
            else if (acting == "exclusive")
                a.acting = Acting::Exclusive;
            else if (acting == "reversible" && permanent)
                a.acting = Acting::Reversible;
            else
                Fail(pointer + "/acting",
                     permanent
                         ? "expected \"together\", \"exclusive\" or \"reversible\", found " + Quoted(acting)
                         : "expected \"together\", \"free\" or \"exclusive\", found " + Quoted(acting));
            if (a.acting != Acting::Together &&
                (a.type == ActionType::Prestress || a.type == ActionType::Companion || !a.casesInf.empty()))
                Fail(pointer + "/acting", a.casesInf.empty() ? "a " + t + " action acts together"
                                                             : "a pair of sup and inf cases acts together");
        }
        for (const char* key : {"not_with", "replaces"})
            if (v.contains(key)) {
                const json::Json& n = v[key];
                if (!n.is_array())
                    Fail(pointer + "/" + key, "expected a list of action names");
                for (std::size_t k = 0; k < n.size(); ++k)
                    (key[0] == 'n' ? a.notWith : a.replaces)
                        .push_back(Text(n[k], pointer + "/" + key + "/" + std::to_string(k)));
            }
        return a;
    }

    // Names unique, every case claimed once, the names of other actions there and of the right role.
    void Relations(const Actions& a) const {
        std::map<std::string, std::size_t> byName;
        std::map<std::string, std::string> claimed;
        for (std::size_t k = 0; k < a.actions.size(); ++k) {
            const Action& act = a.actions[k];
            const std::string pointer = "/actions/" + std::to_string(k);
            if (!byName.emplace(act.name, k).second)
                Fail(pointer + "/name", "the action " + Quoted(act.name) + " is given twice");
            for (const auto* list : {&act.cases, &act.casesInf})
                for (std::size_t c = 0; c < list->size(); ++c) {
                    const std::string& name = (*list)[c];
                    const std::string where =
                        pointer +
                        (!act.casePsi.empty() ? "/categories" + json::Segment(name)
                         : act.components     ? "/components/" + std::to_string(c)
                         : !act.casesInf.empty()
                             ? (list == &act.cases ? "/cases/sup/" : "/cases/inf/") + std::to_string(c)
                             : "/cases/" + std::to_string(c));
                    const auto it = claimed.find(name);
                    if (it != claimed.end())
                        Fail(where, "load case " + Quoted(name) + " is claimed by action " +
                                        Quoted(it->second) + " and by " + Quoted(act.name) +
                                        ": it belongs to one action");
                    claimed.emplace(name, act.name);
                }
        }
        const auto named = [&](std::size_t k, const std::string& key, std::size_t n, const std::string& other,
                               ActionType role) {
            const std::string pointer = "/actions/" + std::to_string(k) + "/" + key +
                                        (key == "of" ? std::string() : "/" + std::to_string(n));
            const auto it = byName.find(other);
            if (it == byName.end())
                Fail(pointer, "no action " + Quoted(other));
            if (a.actions[it->second].type != role)
                Fail(pointer, key + " names " + std::string(RoleWord(role)) + " actions; " + Quoted(other) +
                                  " is " + a.actions[it->second].kind);
            if (it->second == k)
                Fail(pointer, "an action cannot name itself");
            return it->second;
        };
        for (std::size_t k = 0; k < a.actions.size(); ++k) {
            const Action& act = a.actions[k];
            for (std::size_t n = 0; n < act.notWith.size(); ++n) {
                const auto it = byName.find(act.notWith[n]);
                const std::string pointer =
                    "/actions/" + std::to_string(k) + "/not_with/" + std::to_string(n);
                if (it == byName.end())
                    Fail(pointer, "no action " + Quoted(act.notWith[n]));
                if (a.actions[it->second].type != ActionType::Variable)
                    Fail(pointer, "not_with links variable actions; " + Quoted(act.notWith[n]) + " is " +
                                      a.actions[it->second].kind);
                if (it->second == k)
                    Fail(pointer, "an action cannot exclude itself");
            }
            for (std::size_t n = 0; n < act.replaces.size(); ++n)
                named(k, "replaces", n, act.replaces[n], ActionType::Variable);
            if (!act.of.empty()) {
                const Action& of = a.actions[named(k, "of", 0, act.of, ActionType::Permanent)];
                if (of.acting != Acting::Together || !of.casesInf.empty())
                    Fail("/actions/" + std::to_string(k) + "/of",
                         "the action " + Quoted(of.name) + " acts together, with one set of cases");
            }
            if (act.type == ActionType::Companion) {
                const std::string& with = a.code->Type(act.kind)->companionOf;
                std::vector<std::size_t> partners;
                for (std::size_t j = 0; j < a.actions.size(); ++j)
                    if (a.actions[j].kind == with)
                        partners.push_back(j);
                if (partners.size() != 1)
                    Fail("/actions/" + std::to_string(k), "a " + act.kind + " action acts with the " + with +
                                                              " action: there must be one, found " +
                                                              std::to_string(partners.size()));
                if (a.actions[partners[0]].acting == Acting::Free)
                    Fail("/actions/" + std::to_string(partners[0]) + "/acting",
                         "an " + with + " action with a " + act.kind + " action acts together or exclusive");
            }
        }
    }

    const std::vector<std::string>& folders;
    std::map<std::string, Psi> psi; // the code's entries with the annex's
};

} // namespace

Actions ReadActions(const std::string& text, const std::string& source,
                    const std::vector<std::string>& codeFolders) {
    return Reader(source, codeFolders).Read(text);
}

} // namespace formats
} // namespace vymath
