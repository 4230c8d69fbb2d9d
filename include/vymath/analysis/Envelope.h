/// @file
/// The lower and upper envelopes of diagrams, with the governing diagram of every stretch.
#ifndef VYMATH_ANALYSIS_ENVELOPE_H
#define VYMATH_ANALYSIS_ENVELOPE_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Export.h"

#include <cstddef>
#include <vector>

namespace vymath {
namespace analysis {

/// How envelopes are formed: Exact (CVyMathSetFunction1D::ExactEnvelopes, the default) or Fold (the
/// set's EnvelopMaxMin with the governing member of each point).
enum class EnvelopeMethod { Exact, Fold };

/// An envelope's stored points, each with what governs there: governing[i] indexes the enveloped diagrams
/// (or, in a design situation, its combinations). With Exact envelopes and design envelopes it is the one
/// governing the stretch from point i (at the last point, the stretch that ends there); with Fold, the
/// first diagram through point i within 1e-10. -1 where none: no diagram is defined there (the ordinate is
/// then the library's +-DBL_MAX) or, with Fold, where the fold interpolated between earlier points.
struct VYMATH_ANALYSIS_API EnvelopeLine {
    std::vector<double> x;      ///< the abscissas, increasing
    std::vector<double> y;      ///< the ordinates
    std::vector<int> governing; ///< what governs each point, as above
    /// No diagram is defined at point i: its ordinate is the library's +-DBL_MAX.
    bool Placeholder(std::size_t i) const;
    /// Point i is the left side of a jump shown at its abscissa: the next point stands at the same x, and
    /// the zero-width stretch between them names nothing (governing -1).
    bool JumpLeft(std::size_t i) const { return governing[i] < 0 && i + 1 < x.size() && x[i + 1] == x[i]; }
    /// What governs point i for an extreme there: its stretch's, or at the left of a jump (JumpLeft) the
    /// stretch ending there.
    int GoverningOf(std::size_t i) const { return JumpLeft(i) && i > 0 ? governing[i - 1] : governing[i]; }
    /// The index of the largest ordinate but placeholders, the first on ties; -1 if none.
    int IndexOfMax() const;
    /// The index of the smallest ordinate but placeholders, the first on ties; -1 if none.
    int IndexOfMin() const;
};

/// Both envelopes.
struct Envelope {
    EnvelopeLine lower; ///< the least of the diagrams
    EnvelopeLine upper; ///< the greatest of the diagrams
};

/// Both envelopes as functions, with the governing diagram of each stored point as EnvelopeLine::governing.
struct EnvelopeFunctions {
    CVyMathFunction1D lower;         ///< the least of the diagrams
    CVyMathFunction1D upper;         ///< the greatest of the diagrams
    std::vector<int> lowerGoverning; ///< one entry a stored point of lower
    std::vector<int> upperGoverning; ///< one entry a stored point of upper
};

/// The envelopes of the diagrams as functions (EnvelopeOf gives their points): what a front-end that
/// hands out functions returns. The same rules, cost and errors as EnvelopeOf; no diagram gives two
/// functions without points.
VYMATH_ANALYSIS_API EnvelopeFunctions
EnvelopeFunctionsOf(const std::vector<const CVyMathFunction1D*>& diagrams, EnvelopeMethod method);

/// The lines of both envelopes of the functions (the stored points, each with its governing index).
VYMATH_ANALYSIS_API Envelope LinesOf(const EnvelopeFunctions& functions);

/// The envelopes of the diagrams; governing indexes refer to `diagrams`. A diagram equal in value to an
/// earlier one (the set keeps one of them) never governs. A single diagram (or diagrams all equal) is
/// both envelopes, with either method. Exact: O(P log K) for K diagrams of P points; Fold: O(K P).
/// Adding the diagrams to the set compares each with the earlier ones by value: O(K^2) comparisons.
/// Throws Error (Data) for Exact when a diagram's points are not in increasing order (a closed curve).
VYMATH_ANALYSIS_API Envelope EnvelopeOf(const std::vector<const CVyMathFunction1D*>& diagrams,
                                        EnvelopeMethod method);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ENVELOPE_H
