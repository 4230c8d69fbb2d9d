/// @file
/// A structural model as the analysis programs export it: rows of member, load case, abscissa and one
/// value per internal force.
#ifndef VYMATH_ANALYSIS_MODEL_H
#define VYMATH_ANALYSIS_MODEL_H

#include "vymath/analysis/Diagram.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vymath {
namespace analysis {

/// The rows of a model, kept compactly (a row costs its values and about 20 bytes) and grouped by
/// member as they come. Members are numbered in order of first appearance, and so are the load cases
/// of each member. Building a member's diagrams is done on demand, one member at a time, so that a
/// large model is never held twice.
class Model {
public:
    /// An empty model with the internal forces named in column order (at least one).
    explicit Model(std::vector<std::string> forces);

    /// Appends a row: member and load case names, the abscissa, values[f] for each force f (a NaN where
    /// the row has no value for that force), and the row's origin for messages. Amortised O(1).
    void Add(std::string_view member, std::string_view loadCase, double x, const double* values,
             std::size_t origin);

    /// The force names, in column order.
    const std::vector<std::string>& Forces() const { return forces; }
    /// The number of members.
    std::size_t Size() const { return members.size(); }
    /// The number of rows added.
    std::size_t Rows() const { return rows; }
    /// Member m's name ("" for the one member of an input without a member column).
    const std::string& MemberName(std::size_t m) const { return members[m].name; }
    /// Member m's load cases in order of first appearance.
    const std::vector<std::string>& Cases(std::size_t m) const { return members[m].cases; }
    /// The position of a member by name, or Size() when there is none.
    std::size_t Find(std::string_view member) const;

    /// The label of member m's case c and force f in messages: `case "G"`, preceded by `member "B1", `
    /// for a named member and followed by `, force "My"` when the model has several forces (and f is not
    /// npos).
    std::string Label(std::size_t m, std::size_t c, std::size_t f = std::string::npos) const;

    /// Member m's diagrams of force f, one per case in Cases(m) order, built by BuildDiagram. A case
    /// whose rows lack a value for the force is an Error (Data) at the first such row. O(r log r) for
    /// the member's r rows.
    std::vector<Diagram> Diagrams(std::size_t m, std::size_t f, const Locator& where) const;

private:
    struct Member {
        std::string name;
        std::vector<std::string> cases;
        std::unordered_map<std::string, std::uint32_t> caseIndex;
        std::vector<std::uint32_t> caseOf; // one entry a row
        std::vector<double> x;
        std::vector<double> values; // row-major, forces.size() a row
        std::vector<std::size_t> origin;
    };

    std::vector<std::string> forces;
    std::vector<Member> members;
    std::unordered_map<std::string, std::size_t> memberIndex;
    std::size_t last = 0; // the member of the previous row: exports come grouped by member
    std::size_t rows = 0;
};

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_MODEL_H
