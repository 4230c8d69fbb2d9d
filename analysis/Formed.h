// A member's diagrams as the runs use them: its cases of every force and, with combinations, the
// combinations formed of them; each a case's diagram or the two bounds of a bounded one. Not installed.
#ifndef VYMATH_ANALYSIS_FORMED_H
#define VYMATH_ANALYSIS_FORMED_H

#include "vymath/analysis/Combination.h"
#include "vymath/analysis/Model.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace vymath {
namespace analysis {

struct Formed {
    std::vector<std::vector<CaseDiagram>> cases;                    // [force][case]
    std::vector<std::vector<CaseDiagram>> combined;                 // [force][combination]
    std::vector<std::vector<std::pair<std::size_t, double>>> terms; // each combination's (case, factor)

    // What is enveloped: the cases, or the combinations.
    const std::vector<CaseDiagram>& Of(std::size_t f) const {
        return combined.empty() ? cases[f] : combined[f];
    }
    // Whether any of them is bounded (the same for every force).
    bool AnyBounded() const;
    // The bounds of every diagram of force f on one side: the upper ones, or the lower.
    std::vector<const Diagram*> Bounds(std::size_t f, bool upper) const;

    // Diagram d of force f on one side either side of x: its own values, but at a case's jump a
    // combination's values are its cases' sides summed (its stored jump holds the other cases read at the
    // jump's window ends). False outside the domain.
    bool Sides(std::size_t d, double x, std::size_t f, bool upper, double& left, double& right) const;
    // The slopes of its input lines either side of x: a combination's, its cases' summed.
    bool Slopes(std::size_t d, double x, std::size_t f, bool upper, double& left, double& right) const;
};

// Member m's diagrams, with the combinations formed of its cases (each side of a bounded one from the bound
// its factor's sign takes there). Errors as Model::Diagrams, and "member "B2": combination "ULS": no case
// "Q"" (Data).
Formed Form(const Model& model, std::size_t m, const std::vector<Combination>& combinations);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_FORMED_H
