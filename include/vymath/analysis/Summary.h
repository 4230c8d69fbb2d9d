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
    bool found = false; ///< false when the envelope has no point but placeholders (x, y are then 0)
    double x = 0.0;     ///< where
    double y = 0.0;     ///< the value
    /// The governing case or combination (in a design row, the combination's text); empty where none is
    /// known (a fold).
    std::string loadCase;
    std::vector<Coincident> coincident; ///< every other force, in model order
};

/// One member and one force, or, with design envelopes, one member, force and design situation.
struct SummaryRow {
    std::size_t member; ///< position in the model
    std::size_t force;  ///< position in Model::Forces()
    SummaryExtreme max; ///< the largest value of the upper envelope
    SummaryExtreme min; ///< the smallest value of the lower envelope
    int situation = -1; ///< the design situation (ForceResult::design); -1 without actions
};

/// The rows of a model's results: members in model (input) order, then forces in model order, then,
/// with design envelopes (Options::actions), the situations in their order. results must come from
/// Analyse with envelopes on, or with actions. O(rows x forces).
std::vector<SummaryRow> Summarise(const Model& model, const std::vector<MemberResult>& results);

/// The column names of a summary as a flat table: member, force, max, max_x, max_case, min, min_x,
/// min_case, then max_F_left and max_F_right for each force F of the model, then min_F_left and
/// min_F_right for each (without a value in the rows of F itself). With design, situation after force,
/// and max_combination, min_combination for max_case, min_case.
std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces, bool design = false);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_SUMMARY_H
