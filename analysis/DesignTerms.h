// The algebra of the design envelopes: exact envelopes and sums of piecewise-linear terms, each term
// knowing which load cases (with their signs) it takes at an abscissa. It knows the actions' cases and how
// they act, not the code's factors (DesignRules.h). Not installed.
#ifndef VYMATH_ANALYSIS_DESIGNTERMS_H
#define VYMATH_ANALYSIS_DESIGNTERMS_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Actions.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vymath {
namespace analysis {
namespace terms {

using F = CVyMathFunction1D;

// An exact envelope of functions on one domain, with the governing function of every stretch.
struct Env {
    F f;
    std::vector<double> x;
    std::vector<int> label; // an index into the enveloped functions

    // The function governing the stretch that holds `at`.
    int LabelAt(double at) const;
};

// The lower or upper exact envelope of the functions (ties to the first).
std::shared_ptr<Env> Envelope(const std::vector<const F*>& functions, bool upper);

// The sum of the functions times their factors (CVyMathFunction1D::Combine).
F Sum(const std::vector<const F*>& parts, const std::vector<double>& factors);

// What a term takes at an abscissa: its load cases (indexes into the input's cases), each with a sign.
using Take = std::function<void(double, std::vector<std::pair<std::size_t, double>>&)>;

struct Term {
    F f;
    Take take;
};

// The load cases of one member's force as terms of actions.
class Terms {
public:
    // uppers[k] and lowers[k] are the bounds of case caseNames[k] (the same for a case that is not
    // bounded); all on one domain (else Error, Data).
    Terms(const std::vector<std::string>& caseNames, const std::vector<const F*>& uppers,
          const std::vector<const F*>& lowers);

    std::size_t Cases() const { return plain.size(); }
    std::size_t Index(const std::string& name) const { return caseIndex.at(name); }
    const F& Zero() const { return zero; }

    // The cases of an action summed, each times sign, each the bound that side takes for that sign.
    F Summed(const Action& a, bool upper, double sign) const;
    // A variable action's best arrangement on the side asked for, or its absence: max(0, .) or min(0, .).
    Term Unfavourable(const Action& a, bool upper) const;
    // An action that is always present, its cases times sign: its best arrangement on the side asked for
    // (exclusive: one case; free: a non-empty subset, the sum of the favourable cases or else the best one).
    Term Present(const Action& a, bool upper, double sign) const;
    // The seismic action at both signs.
    Term Seismic(const Action& a, bool upper) const;

private:
    // The bound of a case that a factor of this sign takes on this side.
    const F* Case(const std::string& name, bool upper, double sign) const {
        const std::size_t k = caseIndex.at(name);
        return (sign >= 0) == upper ? &plain[k] : &plainLower[k];
    }

    std::vector<F> plain;      // the diagrams (upper bounds) as plain polylines
    std::vector<F> plainLower; // the lower bounds
    std::map<std::string, std::size_t> caseIndex;
    F zero;
};

// The maximal groups of the variable actions (positions in `variables`) that may act together, not_with
// splitting them, sorted.
std::vector<std::vector<std::size_t>> CompatibleGroups(const Actions& actions,
                                                       const std::vector<std::size_t>& variables);

} // namespace terms
} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DESIGNTERMS_H
