/// @file
/// Load combinations: NAME=EXPR texts, and the combined diagram of a member.
#ifndef VYMATH_ANALYSIS_COMBINATION_H
#define VYMATH_ANALYSIS_COMBINATION_H

#include "vymath/analysis/Diagram.h"

#include "vymath/analysis/Export.h"

#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// One factored load case of a combination.
struct Term {
    double factor;        ///< any finite double
    std::string loadCase; ///< the name of a load case
};

/// A named sum of factored load cases.
struct Combination {
    std::string name;        ///< as written before '='
    std::vector<Term> terms; ///< in order
};

/// Parses "NAME=EXPR", EXPR a sum of factored cases: "ULS=1.35*G + 1.5*Q1 - 0.5*W". A case name is a
/// run of characters other than spaces, quotes and + - *, or any text in double quotes ("Q span 1"); a
/// term without a factor has the factor 1. Throws Error (Usage) naming the text and the column at fault.
VYMATH_ANALYSIS_API Combination ParseCombination(const std::string& text);

/// ParseCombination of each text; a name given twice is also an Error (Usage).
VYMATH_ANALYSIS_API std::vector<Combination> ParseCombinations(const std::vector<std::string>& texts);

/// The combination's diagram from its cases' diagrams (cases[k] for c.terms[k]): the library's Combine
/// on merged abscissas, with a jump wherever one of the cases jumps. Throws Error (Data) "`label`: its
/// cases have no common domain". O(P log P + P K) for K cases of P points in all.
VYMATH_ANALYSIS_API Diagram FormCombination(const std::string& label, const Combination& c,
                                            const std::vector<const Diagram*>& cases);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_COMBINATION_H
