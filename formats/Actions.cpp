// Reading an actions description from JSON.
#include "Actions.h"

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
using text::Shortest;

class Reader : json::DocumentReader {
public:
    explicit Reader(const std::string& source) : DocumentReader(source) {}

    Actions Read(const std::string& text) {
        json::Json doc = json::Parse(text, source);
        Actions a;
        a.source = source;
        if (!doc.is_object())
            Fail("", "expected an object {\"actions\": [...], ...}");
        Keys(doc, "", {"uls", "accidental_leading_psi", "factors", "actions"});
        if (doc.contains("uls")) {
            const std::string uls = Text(doc["uls"], "/uls");
            if (uls != "6.10" && uls != "6.10a/b")
                Fail("/uls", "expected \"6.10\" or \"6.10a/b\", found " + Quoted(uls));
            a.uls610ab = uls == "6.10a/b";
        }
        if (doc.contains("accidental_leading_psi")) {
            const std::string psi = Text(doc["accidental_leading_psi"], "/accidental_leading_psi");
            if (psi != "psi1" && psi != "psi2")
                Fail("/accidental_leading_psi", "expected \"psi1\" or \"psi2\", found " + Quoted(psi));
            a.accidentalPsi1 = psi == "psi1";
        }
        if (doc.contains("factors"))
            Factors(doc["factors"], a.factors);
        if (!doc.contains("actions") || !doc["actions"].is_array() || doc["actions"].empty())
            Fail(doc.contains("actions") ? "/actions" : "",
                 "expected \"actions\": a list of one action at least");
        for (std::size_t k = 0; k < doc["actions"].size(); ++k)
            a.actions.push_back(OneAction(doc["actions"][k], "/actions/" + std::to_string(k)));
        Relations(doc["actions"], a);
        return a;
    }

private:
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

    void Factors(const json::Json& f, DesignFactors& out) const {
        if (!f.is_object())
            Fail("/factors", "expected an object of factors");
        Keys(f, "/factors", {"gamma_G_sup", "gamma_G_inf", "gamma_Q", "xi", "gamma_P"});
        const std::pair<const char*, double*> fields[] = {{"gamma_G_sup", &out.gammaGsup},
                                                          {"gamma_G_inf", &out.gammaGinf},
                                                          {"gamma_Q", &out.gammaQ},
                                                          {"xi", &out.xi},
                                                          {"gamma_P", &out.gammaP}};
        for (const auto& field : fields) {
            if (!f.contains(field.first))
                continue;
            const std::string pointer = std::string("/factors/") + field.first;
            const double v = Number(f[field.first], pointer);
            if (!std::isfinite(v) || v < 0.0)
                Fail(pointer, "the factor " + Shortest(v) + " is not a finite number of 0 or more");
            *field.second = v;
        }
    }

    static void SetPsi(Action& a, const double psi[3]) {
        a.psi0 = psi[0];
        a.psi1 = psi[1];
        a.psi2 = psi[2];
    }

    Action OneAction(const json::Json& v, const std::string& pointer) const {
        if (!v.is_object())
            Fail(pointer, "expected an object {\"name\": ..., \"type\": ..., \"cases\": [...]}");
        Keys(v, pointer,
             {"name", "type", "category", "altitude_over_1000m", "country", "cases", "acting", "not_with",
              "psi"});
        Action a;
        a.place = source + ": " + pointer;
        if (!v.contains("name"))
            Fail(pointer, "the action has no \"name\"");
        a.name = Text(v["name"], pointer + "/name");
        if (!v.contains("type"))
            Fail(pointer, "the action has no \"type\"");
        a.kind = Text(v["type"], pointer + "/type");
        const std::string& t = a.kind;
        if (t == "permanent") {
            a.type = ActionType::Permanent;
        } else if (t == "prestress") {
            a.type = ActionType::Prestress;
        } else if (t == "accidental") {
            a.type = ActionType::Accidental;
        } else if (t == "seismic") {
            a.type = ActionType::Seismic;
        } else if (t == "imposed" || t == "snow" || t == "wind" || t == "temperature" || t == "variable") {
            a.type = ActionType::Variable;
        } else {
            Fail(pointer + "/type", "unknown type " + Quoted(t) +
                                        " (permanent, prestress, imposed, snow, wind, temperature, variable, "
                                        "accidental or seismic)");
        }
        const auto only = [&](const char* key, bool allowed) {
            if (v.contains(key) && !allowed)
                Fail(pointer + "/" + key, Quoted(key) + " does not apply to a " + t + " action");
        };
        only("category", t == "imposed");
        only("altitude_over_1000m", t == "snow");
        only("country", t == "snow");
        only("psi", a.type == ActionType::Variable);
        only("not_with", a.type == ActionType::Variable);
        double psi[3];
        if (t == "imposed") {
            if (!v.contains("category"))
                Fail(pointer, "an imposed action needs a \"category\" (A to H)");
            const std::string c = Text(v["category"], pointer + "/category");
            if (!TablePsi(t, c, psi))
                Fail(pointer + "/category", "unknown category " + Quoted(c) + " (A to H)");
            SetPsi(a, psi);
        } else if (t == "snow") {
            bool high = false;
            if (v.contains("altitude_over_1000m")) {
                if (!v["altitude_over_1000m"].is_boolean())
                    Fail(pointer + "/altitude_over_1000m", "expected true or false");
                high = v["altitude_over_1000m"].get<bool>();
            }
            if (v.contains("country")) {
                const std::string c = Text(v["country"], pointer + "/country");
                high = high || c == "FI" || c == "IS" || c == "NO" || c == "SE";
            }
            TablePsi(t, high ? "high" : "low", psi);
            SetPsi(a, psi);
        } else if (t == "wind" || t == "temperature") {
            TablePsi(t, "", psi);
            SetPsi(a, psi);
        } else if (t == "variable" && !v.contains("psi")) {
            Fail(pointer, "a variable action of no named kind needs \"psi\": [psi0, psi1, psi2]");
        }
        if (v.contains("psi")) {
            const json::Json& p = v["psi"];
            if (!p.is_array() || p.size() != 3)
                Fail(pointer + "/psi", "expected [psi0, psi1, psi2]");
            double psi[3];
            for (std::size_t k = 0; k < 3; ++k) {
                psi[k] = Number(p[k], pointer + "/psi/" + std::to_string(k));
                if (!(psi[k] >= 0.0 && psi[k] <= 1.0))
                    Fail(pointer + "/psi/" + std::to_string(k),
                         "psi " + Shortest(psi[k]) + " is outside [0, 1]");
            }
            // A combination value is never below the frequent one, nor that below the quasi-permanent one
            // (EN 1990 4.1.3): the leading action's factor is then never below its accompanying one.
            if (psi[0] < psi[1] || psi[1] < psi[2])
                Fail(pointer + "/psi", "psi0 >= psi1 >= psi2 is expected, found [" + Shortest(psi[0]) + ", " +
                                           Shortest(psi[1]) + ", " + Shortest(psi[2]) + "]");
            SetPsi(a, psi);
        }
        if (!v.contains("cases") || !v["cases"].is_array() || v["cases"].empty())
            Fail(pointer, "expected \"cases\": a list of one load case at least");
        for (std::size_t k = 0; k < v["cases"].size(); ++k)
            a.cases.push_back(Text(v["cases"][k], pointer + "/cases/" + std::to_string(k)));
        if (v.contains("acting")) {
            const std::string acting = Text(v["acting"], pointer + "/acting");
            if (acting == "together")
                a.acting = Acting::Together;
            else if (acting == "free")
                a.acting = Acting::Free;
            else if (acting == "exclusive")
                a.acting = Acting::Exclusive;
            else
                Fail(pointer + "/acting",
                     "expected \"together\", \"free\" or \"exclusive\", found " + Quoted(acting));
            if (a.acting != Acting::Together &&
                (a.type == ActionType::Permanent || a.type == ActionType::Prestress))
                Fail(pointer + "/acting", "a " + t + " action acts together");
        }
        if (v.contains("not_with")) {
            const json::Json& n = v["not_with"];
            if (!n.is_array())
                Fail(pointer + "/not_with", "expected a list of action names");
            for (std::size_t k = 0; k < n.size(); ++k)
                a.notWith.push_back(Text(n[k], pointer + "/not_with/" + std::to_string(k)));
        }
        return a;
    }

    // Names unique, every case claimed once, not_with between variable actions.
    void Relations(const json::Json& list, const Actions& a) const {
        std::map<std::string, std::size_t> byName;
        std::map<std::string, std::string> claimed;
        for (std::size_t k = 0; k < a.actions.size(); ++k) {
            const std::string pointer = "/actions/" + std::to_string(k);
            if (!byName.emplace(a.actions[k].name, k).second)
                Fail(pointer + "/name", "the action " + Quoted(a.actions[k].name) + " is given twice");
            for (std::size_t c = 0; c < a.actions[k].cases.size(); ++c) {
                const std::string& name = a.actions[k].cases[c];
                const auto it = claimed.find(name);
                if (it != claimed.end())
                    Fail(pointer + "/cases/" + std::to_string(c),
                         "load case " + Quoted(name) + " is claimed by action " + Quoted(it->second) +
                             " and by " + Quoted(a.actions[k].name) + ": it belongs to one action");
                claimed.emplace(name, a.actions[k].name);
            }
        }
        for (std::size_t k = 0; k < a.actions.size(); ++k)
            for (std::size_t n = 0; n < a.actions[k].notWith.size(); ++n) {
                const std::string& other = a.actions[k].notWith[n];
                const auto it = byName.find(other);
                const std::string pointer =
                    "/actions/" + std::to_string(k) + "/not_with/" + std::to_string(n);
                if (it == byName.end())
                    Fail(pointer, "no action " + Quoted(other));
                if (a.actions[it->second].type != ActionType::Variable)
                    Fail(pointer, "not_with links variable actions; " + Quoted(other) + " is " +
                                      a.actions[it->second].kind);
                if (it->second == k)
                    Fail(pointer, "an action cannot exclude itself");
            }
        (void)list;
    }
};

} // namespace

Actions ReadActions(const std::string& text, const std::string& source) {
    return Reader(source).Read(text);
}

} // namespace formats
} // namespace vymath
