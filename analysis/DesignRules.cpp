// The rules of EN 1990: its situations, its partial and psi factors.
#include "DesignRules.h"

#include <map>

namespace vymath {
namespace analysis {

namespace {

struct Psi {
    double psi0, psi1, psi2;
};

// EN 1990 Table A1.1, imposed loads on buildings by category (EN 1991-1-1).
const std::map<std::string, Psi> kImposed = {
    {"A", {0.7, 0.5, 0.3}}, {"B", {0.7, 0.5, 0.3}}, {"C", {0.7, 0.7, 0.6}}, {"D", {0.7, 0.7, 0.6}},
    {"E", {1.0, 0.9, 0.8}}, {"F", {0.7, 0.7, 0.6}}, {"G", {0.7, 0.5, 0.3}}, {"H", {0.0, 0.0, 0.0}},
};
const Psi kSnowHigh{0.7, 0.5, 0.2}; // above 1000 m, and in Finland, Iceland, Norway, Sweden
const Psi kSnowLow{0.5, 0.2, 0.0};
const Psi kWind{0.6, 0.2, 0.0};
const Psi kTemperature{0.6, 0.5, 0.0}; // not fire

} // namespace

bool TablePsi(const std::string& kind, const std::string& category, double psi[3]) {
    const Psi* p = nullptr;
    if (kind == "imposed") {
        const auto it = kImposed.find(category);
        p = it == kImposed.end() ? nullptr : &it->second;
    } else if (kind == "snow") {
        p = category == "high" ? &kSnowHigh : category == "low" ? &kSnowLow : nullptr;
    } else if (kind == "wind") {
        p = &kWind;
    } else if (kind == "temperature") {
        p = &kTemperature;
    }
    if (p == nullptr)
        return false;
    psi[0] = p->psi0;
    psi[1] = p->psi1;
    psi[2] = p->psi2;
    return true;
}

namespace rules {

std::vector<Situation> SituationsOf(const Actions& actions) {
    std::vector<Situation> out;
    bool everyday = false;
    std::vector<std::size_t> accidental, seismic;
    for (std::size_t i = 0; i < actions.actions.size(); ++i) {
        const ActionType t = actions.actions[i].type;
        everyday =
            everyday || t == ActionType::Permanent || t == ActionType::Prestress || t == ActionType::Variable;
        if (t == ActionType::Accidental)
            accidental.push_back(i);
        if (t == ActionType::Seismic)
            seismic.push_back(i);
    }
    const std::size_t none = static_cast<std::size_t>(-1);
    if (everyday) {
        out.push_back({"ULS",
                       actions.uls610ab ? std::vector{Expression::Uls610a, Expression::Uls610b}
                                        : std::vector{Expression::Uls610},
                       none});
        out.push_back({"SLS characteristic", {Expression::Characteristic}, none});
        out.push_back({"SLS frequent", {Expression::Frequent}, none});
        out.push_back({"SLS quasi-permanent", {Expression::QuasiPermanent}, none});
    }
    for (std::size_t i : accidental)
        out.push_back({"accidental " + actions.actions[i].name, {Expression::Accidental}, i});
    for (std::size_t i : seismic)
        out.push_back({seismic.size() == 1 ? "seismic" : "seismic " + actions.actions[i].name,
                       {Expression::Seismic},
                       i});
    return out;
}

bool Ultimate(Expression e) {
    return e == Expression::Uls610 || e == Expression::Uls610a || e == Expression::Uls610b;
}

PermanentFactors Permanent(Expression e, const DesignFactors& g) {
    if (!Ultimate(e))
        return {1.0, 1.0};
    return {e == Expression::Uls610b ? g.xi * g.gammaGsup : g.gammaGsup, g.gammaGinf};
}

double Prestress(Expression e, const DesignFactors& g) {
    return Ultimate(e) ? g.gammaP : 1.0;
}

double Leading(Expression e, const Action& a, const Actions& actions) {
    const DesignFactors& g = actions.factors;
    switch (e) {
    case Expression::Uls610:
    case Expression::Uls610b:
        return g.gammaQ;
    case Expression::Uls610a:
        return g.gammaQ * a.psi0;
    case Expression::Characteristic:
        return 1.0;
    case Expression::Frequent:
        return a.psi1;
    case Expression::Accidental:
        return actions.accidentalPsi1 ? a.psi1 : a.psi2;
    default:
        return a.psi2;
    }
}

double Accompanying(Expression e, const Action& a, const DesignFactors& g) {
    if (Ultimate(e))
        return g.gammaQ * a.psi0;
    return e == Expression::Characteristic ? a.psi0 : a.psi2;
}

bool HasLeading(Expression e) {
    return e != Expression::Seismic;
}

} // namespace rules
} // namespace analysis
} // namespace vymath
