// The rules of EN 1990 that the design envelopes follow: which situations there are, and the factor each
// rule gives an action in each. The envelope algebra (DesignTerms.h) knows none of this. Not installed.
#ifndef VYMATH_ANALYSIS_DESIGNRULES_H
#define VYMATH_ANALYSIS_DESIGNRULES_H

#include "vymath/analysis/Actions.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {
namespace rules {

// The combination expressions of the design situations.
enum class Expression {
    Uls610,         // (6.10)
    Uls610a,        // (6.10a)
    Uls610b,        // (6.10b)
    Characteristic, // (6.14b)
    Frequent,       // (6.15b)
    QuasiPermanent, // (6.16b)
    Accidental,     // (6.11b)
    Seismic         // (6.12b)
};

// A design situation: its name and its expressions (two enveloped together for 6.10a/b), and the
// accidental or seismic action it is about (npos for none).
struct Situation {
    std::string name;
    std::vector<Expression> expressions;
    std::size_t special;
};

// The situations the actions allow, in order: ULS and the three SLS when there is a permanent, prestress
// or variable action; one accidental situation per accidental action; seismic ones.
std::vector<Situation> SituationsOf(const Actions& actions);

bool Ultimate(Expression e);

// A permanent action's factors where unfavourable (sup) and favourable (inf).
struct PermanentFactors {
    double sup, inf;
};
PermanentFactors Permanent(Expression e, const DesignFactors& g);

// Prestress.
double Prestress(Expression e, const DesignFactors& g);

// A variable action's factor as the leading action, and as an accompanying one.
double Leading(Expression e, const Action& a, const Actions& actions);
double Accompanying(Expression e, const Action& a, const DesignFactors& g);

// Whether one variable action leads (every expression but the seismic one, where all accompany).
bool HasLeading(Expression e);

} // namespace rules
} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DESIGNRULES_H
