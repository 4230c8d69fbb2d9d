/// @file
/// A model's results as a table: one row a member and force (and design situation), with its extremes,
/// where they are, what governs them and the coincident values of the other forces; and the same rows as
/// named columns, the one flat form that files and data frames are written from.
#ifndef VYMATH_ANALYSIS_SUMMARY_H
#define VYMATH_ANALYSIS_SUMMARY_H

#include "vymath/analysis/Analysis.h"
#include "vymath/analysis/Export.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// The value of another force at an extreme, on both sides of its abscissa.
struct Coincident {
    std::size_t force; ///< the force's position in Model::Forces()
    double left;       ///< NaN where what governs has no value
    double right;      ///< the same right of the abscissa
};

/// An extreme of a summary row.
struct SummaryExtreme {
    bool found = false; ///< false when the envelope has no point but placeholders (x, y are then 0)
    double x = 0.0;     ///< where
    double y = 0.0;     ///< the value
    /// What governs: the case or combination (in a design row, the combination's text); empty where none
    /// is known (a fold).
    std::string governing;
    std::vector<Coincident> coincident; ///< every other force, in model order
};

/// One member and one force of an envelope run.
struct SummaryRow {
    std::size_t member; ///< position in the model
    std::size_t force;  ///< position in Model::Forces()
    SummaryExtreme max; ///< the largest value of the upper envelope
    SummaryExtreme min; ///< the smallest value of the lower envelope
};

/// One member, force and design situation of a design run.
struct DesignSummaryRow : SummaryRow {
    std::size_t situation = 0; ///< position in MemberDesign::forces[force]
    std::string name;          ///< the situation's name
};

/// The rows of an envelope run: members in model (input) order, then forces in model order. O(rows x
/// forces).
VYMATH_ANALYSIS_API std::vector<SummaryRow> Summarise(const Model& model, const EnvelopeRun& run);
/// The rows of a design run: members, then forces, then the situations in their order.
VYMATH_ANALYSIS_API std::vector<DesignSummaryRow> Summarise(const Model& model, const DesignRun& run);

/// A column of a flat table: its name and one value a row, texts or numbers.
struct Column {
    std::string name;               ///< as SummaryColumns names it
    bool text = false;              ///< texts, else numbers
    std::vector<std::string> texts; ///< one a row, for a text column; "" is no value where `optional`
    std::vector<double> numbers;    ///< one a row, for a number column; NaN is no value
    bool optional = false;          ///< a text column whose "" means no value (a governing case)
};

/// The column names of a summary as a flat table: member, force, max, max_x, max_case, min, min_x,
/// min_case, then max_F_left and max_F_right for each force F of the model, then min_F_left and
/// min_F_right for each (no value in the rows of F itself). With design, situation after force, and
/// max_combination, min_combination for max_case, min_case.
VYMATH_ANALYSIS_API std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces,
                                                            bool design = false);

/// The rows as the columns of SummaryColumns: an extreme that was not found has no value (NaN, and
/// no governing case). O(rows x forces).
VYMATH_ANALYSIS_API std::vector<Column> Tabulate(const Model& model, const std::vector<SummaryRow>& rows);
/// The same with the situation column.
VYMATH_ANALYSIS_API std::vector<Column> Tabulate(const Model& model,
                                                 const std::vector<DesignSummaryRow>& rows);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_SUMMARY_H
