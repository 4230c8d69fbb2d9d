// The algebra of the design envelopes: exact envelopes and sums of piecewise-linear terms, each term knowing
// which load cases (with their factors) it takes at an abscissa. It knows arrangements of cases, not a
// code's rules (DesignPlan.h). Not installed.
#ifndef VYMATH_ANALYSIS_DESIGNTERMS_H
#define VYMATH_ANALYSIS_DESIGNTERMS_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Actions.h"
#include "vymath/analysis/Rules.h"

#include "DesignPlan.h"

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

// What a term takes at an abscissa: its load cases (indexes into the input's cases), each with its factor.
using Taken = std::vector<std::pair<std::size_t, double>>;
using Take = std::function<void(double, Taken&)>;

struct Term {
    F f;
    Take take;
};

// The load cases of one member's force, and the terms formed of them.
class Terms {
public:
    // uppers[k] and lowers[k] are the bounds of case caseNames[k] (the same for a case that is not
    // bounded); all on one domain (else Error, Data).
    Terms(const std::vector<std::string>& caseNames, const std::vector<const F*>& uppers,
          const std::vector<const F*>& lowers);

    std::size_t Cases() const { return plain.size(); }
    std::size_t Index(const std::string& name) const;
    const F& Zero() const { return zero; }

    // The bound of a case that a factor of this sign takes on this side.
    const F* Case(const std::string& name, bool upper, double sign) const {
        const std::size_t k = Index(name);
        return (sign >= 0) == upper ? &plain[k] : &plainLower[k];
    }

    // The cases each times its factor, each the bound that side takes for that factor.
    F Arranged(const std::vector<CaseFactor>& cases, bool upper) const;

    // A permanent action: its cases summed, at sup or inf, the worse.
    Term Permanent(const std::vector<std::string>& cases, double sup, double inf, bool upper) const;
    // Prestress: its cases at their factor.
    Term Prestress(const std::vector<std::string>& cases, double factor, bool upper) const;
    // An action that is present, its cases times factor (both signs: the worse sign): its worst arrangement
    // on the side asked for (exclusive: one case; free: a non-empty subset).
    Term Present(const std::vector<std::string>& cases, Acting acting, double factor, bool bothSigns,
                 bool upper) const;
    // Parts summed, each the worst of its arrangements; with `absent`, each part may also be absent (0), the
    // worst arrangement formed first where `nested` (else a single arrangement against 0).
    Term Parts(const std::vector<std::vector<plan::Arrangement>>& parts, bool absent, bool nested,
               bool summed, bool upper) const;

private:
    Term PresentOnce(const std::vector<std::string>& cases, Acting acting, double factor, bool upper) const;
    const F* ArrangementFunction(const plan::Arrangement& a, bool upper,
                                 std::vector<std::unique_ptr<F>>& owned) const;

    std::vector<F> plain;      // the diagrams (upper bounds) as plain polylines
    std::vector<F> plainLower; // the lower bounds
    std::map<std::string, std::size_t> caseIndex;
    F zero;
};

} // namespace terms
} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DESIGNTERMS_H
