/// @file
/// Section checks along every member: the utilisation of the coincident force pairs of every combination
/// of a situation against the section's interaction curve, the largest along the member with where it
/// lies and the combination that governs it.
///
/// At one section (a station, each side of a jump) a situation's attainable force pairs are formed term by
/// term: a term's pairs are its alternatives' sums (a bounded case, Max and Min rows, enters with the four
/// corners of the box of its bounds, which holds every state between them), a combination picks one pair of
/// every term of one rule and adds them in term order. For a convex curve the utilisation is a convex
/// function (Ray) or a quasi-convex one (AtFirstForce), so its largest value over a rule's pairs lies at a
/// vertex of their convex hull, the Minkowski sum of the terms' hulls: a rule of T terms with K pairs in all
/// costs O(K log K + V (T + log n)) for V <= K hull vertices and a curve of n vertices, however many
/// combinations it has. Between two adjacent stations every case's diagrams are straight, so every
/// combination's pair moves on a segment, along which such a function is largest at an end: the stations
/// give the largest value along the member exactly. A curve that is not convex is checked by enumerating
/// every combination at every station, and along every stretch between stations at the places where a
/// pair's ray passes a vertex of the curve (Ray) or its first force reaches a vertex's (AtFirstForce), where
/// alone the utilisation of a moving pair can peak: O(C n) a station for C combinations, plus O(C n m) a
/// stretch for the m vertices the pairs pass, with a limit on C.
#ifndef VYMATH_ANALYSIS_CHECK_H
#define VYMATH_ANALYSIS_CHECK_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Analysis.h"
#include "vymath/analysis/Combination.h"
#include "vymath/analysis/Design.h"
#include "vymath/analysis/Export.h"
#include "vymath/analysis/Model.h"
#include "vymath/analysis/Rules.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vymath {
namespace analysis {

/// How the utilisation of a force pair (N, M), N the section's first force and M its second, is measured
/// against its interaction curve.
enum class CheckMethod {
    /// The ratio along the ray from the origin through (N, M) to the curve: |(N, M)| over the distance of
    /// the first point of the curve the ray meets (proportional loading). 0 at the origin.
    Ray,
    /// N held: |M| / M_Rd(N), M_Rd(N) the distance from (N, 0) to the first point of the curve met going
    /// from it towards M's sign. Infinite where (N, 0) is not strictly inside the curve (N at or beyond the
    /// curve's crossing of the N axis); 0 for M = 0 inside.
    AtFirstForce
};

/// A section's interaction curve made ready for checks: a closed polygon of (first force, second force)
/// vertices, simple (no edge meets another but its neighbours at their common vertex) and enclosing the
/// origin strictly. It may be convex or not; vertices on a straight edge are allowed. Immutable; copies
/// share their data and may be read by several threads at once.
class VYMATH_ANALYSIS_API SectionCurve {
public:
    /// The curve as stored (a closed curve: its points in storage order, the first repeated last; every
    /// coordinate finite). Throws Error (Data) saying what is wrong, without a place: "the curve is not
    /// closed: its last vertex (1, 2) is not its first (3, 4)", "the curve has fewer than 3 vertices", "two
    /// successive vertices of the curve coincide at (1, 2)", "the curve crosses itself: edges 2 and 5 meet"
    /// (edges numbered from 1, edge k from vertex k to k + 1), "the curve folds back on itself at vertex 3",
    /// "the curve does not enclose the origin", "the curve passes through the origin". O(n^2) for n vertices
    /// (every pair of edges tested); the tests are exact where the coordinates are small integers or halves.
    explicit SectionCurve(const CVyMathFunction1D& closed);

    /// The curve as given.
    const CVyMathFunction1D& Curve() const;
    /// Its vertices in the order given, without the closing repetition.
    const std::vector<CVyMathFunction1D::Point>& Vertices() const;
    /// Whether the polygon is convex: no vertex turns against its orientation (collinear vertices allowed).
    /// Decided on the doubles' cross products, so that a vertex within rounding of a straight edge may count
    /// either way.
    bool Convex() const;
    /// The utilisation of (first, second) by the method: O(log n) on a convex curve, O(n) otherwise.
    /// +infinity for AtFirstForce where (first, 0) is not strictly inside the curve.
    double Utilisation(CheckMethod method, double first, double second) const;

    struct Geometry; ///< the prepared polygon (internal)
    /// The prepared polygon, for the layer's own engines.
    const Geometry& Prepared() const { return *geometry; }

private:
    std::shared_ptr<const Geometry> geometry;
};

/// The library's closed curve holding exactly the points given, in their order (a closed curve repeats its
/// first point last): the bounds constructor on their abscissas, then Clear, Set and SetUniqueAbscissaAtIndex
/// (offset 0), so that no point is moved. Throws Error (Data) for a point that is not finite, and for a point
/// within the tolerance (1e-5) of the one it is inserted beside, which the curve cannot hold apart ("vertex 3
/// (1, 2) lies within 1e-5 of vertex 1"). O(n).
VYMATH_ANALYSIS_API CVyMathFunction1D ClosedCurve(const std::vector<CVyMathFunction1D::Point>& points);

/// A section: its name and the interaction curve of two of the model's forces.
struct Section {
    std::string name;                  ///< "C40"
    std::array<std::string, 2> forces; ///< the first force (N of CheckMethod) and the second (M)
    SectionCurve curve;                ///< the interaction curve of (first, second)
    std::string place; ///< where the input gives it, for messages: "capacity.json: /sections/C40"
};

/// The sections of a model's members, as a capacity file gives them.
struct Capacity {
    std::vector<Section> sections;                            ///< in the input's order
    std::vector<std::pair<std::string, std::size_t>> members; ///< a member's name and its section
    std::optional<std::size_t> fallback;                      ///< the section of every other member
    CheckMethod method = CheckMethod::Ray;                    ///< the method of the run
    std::string source;                                       ///< the input's name: "capacity.json"
    std::string membersPlace; ///< where the input assigns the members: "capacity.json: /members"
};

/// The side of a station a value is read on: at a jump of a diagram of the two forces (a jump's station has
/// two values), or not.
enum class CheckSide {
    None, ///< nothing jumps there
    Left, ///< the left side of a jump
    Right ///< the right side
};

/// The bound a bounded case (Max and Min rows) takes for each force at the governing pair: a corner of the
/// box of its bounds.
struct CaseBounds {
    std::string loadCase;        ///< the case's name
    std::array<Bound, 2> forces; ///< Bound::Max or Bound::Min for the first and the second force
};

/// The largest utilisation of a situation on a member, and what gives it.
struct CheckMax {
    bool found = false;               ///< false when the situation has no combination on the member
    double u = 0.0;                   ///< the utilisation; +infinity where the pair is outside (AtFirstForce)
    double x = 0.0;                   ///< where
    CheckSide side = CheckSide::None; ///< which side of a jump at x governs
    std::size_t rule = 0;             ///< the situation's rule that gives it
    DesignCombination combination;    ///< each load case's factor, summed over the terms (0s left out)
    std::vector<CaseBounds> bounds;   ///< the bound each bounded case of the combination takes
    std::array<double, 2> forces{};   ///< the force pair there
};

/// The largest utilisation of a situation at every station of a member (at a jump, each side), and on a
/// curve that is not convex also inside a stretch between stations where a pair peaks above both ends.
struct CheckAlong {
    std::vector<double> x;       ///< increasing (a jump's station twice)
    std::vector<double> u;       ///< +infinity where outside (AtFirstForce)
    std::vector<CheckSide> side; ///< one entry a value
};

/// One situation of one member's check.
struct SituationCheck {
    std::string name; ///< the situation's name
    CheckMax max;     ///< the largest utilisation along the member
    CheckAlong along; ///< the utilisation along it
    /// The convex hull of the situation's attainable force pairs at the governing section (every rule),
    /// counter-clockwise; for plots.
    std::vector<CVyMathFunction1D::Point> hull;
};

/// How a member's largest utilisations were found.
enum class CheckExactness {
    Hull,      ///< a convex curve: the vertices of the attainable pairs' hulls
    Enumerated ///< a curve that is not convex: every combination enumerated
};

/// One member's check: its section, the model's two forces, and every situation.
struct MemberCheck {
    std::size_t section = 0;                     ///< in Capacity::sections
    std::array<std::size_t, 2> forces{};         ///< the section's forces in Model::Forces()
    CheckExactness exact = CheckExactness::Hull; ///< how
    std::vector<SituationCheck> situations;      ///< in the run's order
};

/// A check run: every member of the model against its section.
struct CheckRun {
    CheckMethod method = CheckMethod::Ray; ///< the utilisation every member was checked by
    std::vector<std::string> situations;   ///< the situations' names, in order
    std::vector<MemberCheck> members;      ///< in model order
    /// What the run left aside or did otherwise, for the front-ends to tell: members of the capacity that
    /// the model lacks, sections checked by enumeration.
    std::vector<std::string> notes;
};

/// What a check run may cost.
struct CheckOptions {
    /// The most combinations a section of a curve that is not convex may enumerate (a bounded case's four
    /// corners count four); more is an Error.
    std::size_t maxCombinations = 1000000;
};

/// The load combinations as one situation, "combinations": each a rule (labelled with its name) of one term
/// per load case, that case at its factor alone.
VYMATH_ANALYSIS_API SituationRules CombinationRules(const std::vector<Combination>& combinations);

/// Checks every member of the model against its section (Capacity::members, else the fallback) in each
/// situation, by the capacity's method; no situation: each member's load cases, one situation "cases" in
/// which every case is a rule of its own at factor 1. The stations of a member are the abscissas of every
/// point of the diagrams of its section's two forces of the cases the situations name (each bound of a
/// bounded case), within their common domain; a station where one of them jumps has two sides.
///
/// Throws Error: Data for a section's force the model lacks ("<place>/forces/1: no force "M2" in
/// <source>; its forces: P, M3"), a member without a section and no fallback ("<membersPlace>: member "B7"
/// of <source> has no section, and there is no default"), a member lacking a case of a rule ("member
/// "B2": situation "ULS", rule "6.10": no load case "Q""), diagrams that cannot be built or have no common
/// domain, a pair of forces beyond the doubles, more than maxCombinations combinations at a section of a
/// curve that is not convex; Usage for a rule naming a case no member has. Members run in parallel as
/// AnalyseEnvelopes; the results are the same for any number of threads. Cost per member: the diagrams, then
/// per station and rule as the file's introduction says.
VYMATH_ANALYSIS_API CheckRun AnalyseChecks(const Model& model, const Capacity& capacity,
                                           const std::vector<SituationRules>& situations,
                                           const CheckOptions& checkOptions = {},
                                           const RunOptions& options = {});

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_CHECK_H
