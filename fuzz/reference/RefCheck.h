// Reference: section checks by brute force, the test oracle of the checks along members. Every combination
// of every rule enumerated at a section, each pair's utilisation by casting its ray (or its vertical line
// through (N, 0)) against every edge of the polygon.
#ifndef VYMATH_FUZZ_REFCHECK_H
#define VYMATH_FUZZ_REFCHECK_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Rules.h"

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ref {

using Point = CVyMathFunction1D::Point;

// The ray's ratio: |p| over the distance of the nearest point where the ray from the origin through p meets
// an edge of the closed polygon (vertices without the closing repetition); 0 for p at the origin. An edge
// counts as met where the ray passes within `slack` of its length beyond its ends (a negative slack: only
// well inside them), so that a ray through a vertex within rounding is bracketed by two calls.
double RayRatio(const std::vector<Point>& polygon, Point p, double slack = 1e-12);
// N held: +infinity unless (p.x, 0) lies strictly inside the polygon; else |p.y| over the distance from
// (p.x, 0) to the nearest point of an edge met going from it towards p.y's sign (0 for p.y = 0).
double HeldRatio(const std::vector<Point>& polygon, Point p);

// A load case's values at a section: each force's upper and lower bound (equal when it is not bounded).
struct CaseAt {
    double nHi, nLo, mHi, mLo;
};

// One combination of a situation at a section: its rule, every term's alternative and the corner of that
// alternative's box (0 to 3: bit 0 the first force's upper end, bit 1 the second's; 0 where no case of the
// alternative is bounded), and its pair: each alternative's cases summed in order (0.0 first), each its
// factor times a bound, the least or the greatest by the corner, then the terms added in order (0.0 first).
struct Combination {
    std::size_t rule;
    std::vector<std::size_t> alternative;
    std::vector<int> corner;
    Point pair;
};

// Every combination of the situation, with the cases' values and which cases are bounded.
std::vector<Combination> Combinations(const vymath::analysis::SituationRules& situation,
                                      const std::map<std::string, CaseAt>& values,
                                      const std::set<std::string>& bounded);

// The pair of one combination with other values (the same rule, alternatives and corners).
Point PairOf(const vymath::analysis::SituationRules& situation, const Combination& c,
             const std::map<std::string, CaseAt>& values, const std::set<std::string>& bounded);

} // namespace ref

#endif // VYMATH_FUZZ_REFCHECK_H
