/// @file
/// A model's results as a table: one row a member and force, with its extremes, where they are, the
/// governing case and the coincident values of the other forces.
#ifndef VYMATH_ANALYSIS_SUMMARY_H
#define VYMATH_ANALYSIS_SUMMARY_H

#include "vymath/analysis/Analysis.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// The value of another force at an extreme, on both sides of its abscissa.
struct Coincident {
    std::size_t force; ///< the force's position in Model::Forces()
    double left;       ///< NaN where the governing diagram has no value
    double right;      ///< the same right of the abscissa
};

/// An extreme of a summary row.
struct SummaryExtreme {
    bool found = false;   ///< false when the envelope has no point but placeholders (x, y are then 0)
    double x = 0.0;       ///< where
    double y = 0.0;       ///< the value
    std::string loadCase; ///< the governing case or combination; empty where none is known (a fold)
    std::vector<Coincident> coincident; ///< every other force, in model order
};

/// One member and one force (and, of design results, one situation).
struct SummaryRow {
    std::size_t member; ///< position in the model
    std::size_t force;  ///< position in Model::Forces()
    SummaryExtreme max; ///< the largest value of the upper envelope
    SummaryExtreme min; ///< the smallest value of the lower envelope
    /// Of design results, the situation's position in ForceResult::design; npos otherwise.
    std::size_t situation = std::string::npos;
};

/// The rows of a model's results: members in model (input) order, then forces in model order, then, of
/// design results (Options::actions), situations in their order, the case of an extreme being then its
/// governing combination as DesignCombination::Text gives it. results must come from Analyse with
/// envelopes on or with actions. O(rows x forces).
std::vector<SummaryRow> Summarise(const Model& model, const std::vector<MemberResult>& results);

/// The column names of a summary as a flat table: member, force (then situation, for design results),
/// max, max_x, max_case, min, min_x, min_case, then max_F_left and max_F_right for each force F of the
/// model, then min_F_left and min_F_right for each (without a value in the rows of F itself).
std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces, bool situations = false);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_SUMMARY_H
