/// @file
/// A structural model as the analysis programs export it: rows of member, load case, abscissa and one
/// value per internal force, checked as they come, whatever reader they come from.
#ifndef VYMATH_ANALYSIS_MODEL_H
#define VYMATH_ANALYSIS_MODEL_H

#include "vymath/analysis/Diagram.h"
#include "vymath/analysis/Error.h"
#include "vymath/analysis/Export.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vymath {
namespace analysis {

/// The step of a row: none (a linear case's row, or an analysis program's "Single Value"), or one of the
/// two bounds of a bounded case (its "Max" and "Min" rows).
enum class Bound : std::uint8_t {
    None, ///< the case's only value
    Max,  ///< the upper bound of a bounded case
    Min   ///< the lower bound
};

/// The rows of a model, kept compactly (a row costs its values and about 20 bytes) and grouped by
/// member as they come. Members are numbered in order of first appearance, and so are the load cases
/// of each member. Building a member's diagrams is done on demand, one member at a time, so that a
/// large model is never held twice.
///
/// Every reader (CSV, JSON, a DataFrame's columns, ...) turns its input into rows and adds them here;
/// the checks and their messages are the model's, the places in them the reader's (Places).
class VYMATH_ANALYSIS_API Model {
public:
    /// An empty model with the internal forces named in column order (at least one; a name given twice
    /// is an std::invalid_argument, as no reader lets one through). named: the input names its members
    /// (a member column); else it has one member, named "".
    Model(std::vector<std::string> forces, Places places = Places(), bool named = true);

    /// Appends a row: member and load case names, the abscissa, values[f] for each force f (a NaN where
    /// the row has no value for that force), and the row's origin for messages. Checks, throwing Error
    /// (Data) with the place Places::field gives: a member name (in a named model) or a case name that is
    /// empty ("<field> is empty") or not UTF-8 ("<field> is not UTF-8 text"), an abscissa that is not
    /// finite or a value that is infinite ("<field> inf is not a finite number"). A name is checked where
    /// it first appears. Amortised O(1).
    void Add(std::string_view member, std::string_view loadCase, double x, const double* values,
             std::size_t origin) {
        Add(member, loadCase, Bound::None, x, values, origin);
    }
    /// The same with the row's step: a case's rows are all Bound::None (a case) or all Max and Min (a bounded
    /// case), else an Error (Data) at the row ("<row>: member "B1", case "ENV": a Max row among rows without
    /// a step type").
    void Add(std::string_view member, std::string_view loadCase, Bound bound, double x, const double* values,
             std::size_t origin);

    /// The force names, in column order.
    const std::vector<std::string>& Forces() const { return forces; }
    /// The number of members.
    std::size_t Size() const { return members.size(); }
    /// The number of rows added.
    std::size_t Rows() const { return rows; }
    /// Whether the input names its members; a model without names has one member, named "".
    bool Named() const { return named; }
    /// Member m's name ("" for the one member of an input without a member column).
    const std::string& MemberName(std::size_t m) const { return members[m].name; }
    /// Member m's load cases in order of first appearance.
    const std::vector<std::string>& Cases(std::size_t m) const { return members[m].cases; }
    /// Whether case c of member m is bounded (Max and Min rows).
    bool Bounded(std::size_t m, std::size_t c) const { return members[m].bounded[c] != 0; }
    /// Member m's rows as they were added, `count` of them: each one's case (a position in Cases(m)), step,
    /// abscissa and values (Forces().size() a row, NaN where the row has none). Valid until the next Add.
    struct RowView {
        std::size_t count;          ///< rows
        const std::uint32_t* cases; ///< each row's case, a position in Cases(m)
        const Bound* bounds;        ///< each row's step
        const double* x;            ///< each row's abscissa
        const double* values;       ///< count x Forces().size(), row by row
    };
    /// Member m's rows (RowView). O(1).
    RowView MemberRows(std::size_t m) const {
        const Member& r = members[m];
        return {r.x.size(), r.caseOf.data(), r.bound.data(), r.x.data(), r.values.data()};
    }
    /// Every load case of the model, in order of first appearance. O(members x cases).
    std::vector<std::string> AllCases() const;
    /// The position of a member by name, or Size() when there is none.
    std::size_t Find(std::string_view member) const;

    /// The units of the abscissas and of each force, as the input gives them: "" where it gives none.
    struct Units {
        std::string x;                   ///< of the abscissas: "m"
        std::vector<std::string> forces; ///< of each force in Forces() order: "kN", "kN-m"; empty for none
        /// Whether any unit is known.
        bool Any() const;
    };
    /// Sets the units (forces: one a force, or none).
    void SetUnits(Units units);
    /// The units.
    const Units& GetUnits() const { return units; }

    /// How the input names its places, as given.
    const Places& GetPlaces() const { return places; }
    /// Where row `origin` stands: Places::row, or "row <origin>".
    std::string Where(std::size_t origin) const;
    /// The input's name in messages (Places::source).
    const std::string& Source() const { return places.source; }

    /// The label of member m's case c and force f in messages: `case "G"`, preceded by `member "B1", `
    /// for a named member and followed by `, force "My"` when the model has several forces (and f is not
    /// npos).
    std::string Label(std::size_t m, std::size_t c, std::size_t f = std::string::npos) const;

    /// Member m's diagrams of force f, one per case in Cases(m) order, built by BuildDiagram; a bounded
    /// case's Max rows and Min rows each a diagram. Errors (Data) at the row: a case whose rows lack a value
    /// for the force; a bounded case's Max row without a Min row at its abscissa, or a Min row without its
    /// Max ("<row>: member "B1", case "ENV": a Max row at x = 2 without its Min row"). O(r log r) for the
    /// member's r rows.
    std::vector<CaseDiagram> Diagrams(std::size_t m, std::size_t f) const;

private:
    struct Member {
        std::string name;
        std::vector<std::string> cases;
        std::vector<std::uint8_t> bounded; // one entry a case: Max and Min rows
        std::unordered_map<std::string, std::uint32_t> caseIndex;
        std::vector<std::uint32_t> caseOf; // one entry a row
        std::vector<Bound> bound;          // one entry a row
        std::vector<double> x;
        std::vector<double> values; // row-major, forces.size() a row
        std::vector<std::size_t> origin;
    };

    [[noreturn]] void Fail(std::size_t origin, const Field& field, const std::string& what) const;
    void CheckPairs(std::size_t m, std::size_t c, const std::vector<std::size_t>& rows) const;
    void CheckName(std::string_view name, std::size_t origin, Field::Role role) const;

    std::vector<std::string> forces;
    Units units;
    Places places;
    bool named;
    std::vector<Member> members;
    std::unordered_map<std::string, std::size_t> memberIndex;
    std::size_t last = 0; // the member of the previous row: exports come grouped by member
    std::size_t rows = 0;
};

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_MODEL_H
