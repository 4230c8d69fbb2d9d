/// @file
/// The class CVyMathSetFunction1D.
#ifndef VYMATH_CVYMATHSETFUNCTION1D_H
#define VYMATH_CVYMATHSETFUNCTION1D_H

#include "vymath/VyMathExport.h"

#include "vymath/CVyMathFunction1D.h"

#include <list>
#include <vector>

namespace vymath {
namespace detail {
struct Access; // the library's one access point to private state (not installed)
} // namespace detail
} // namespace vymath

/// An ordered set of functions (for instance the diagrams of several load
/// cases), walked with a cursor, searched by value or by a point, and enveloped.
///
/// The set keeps pointers in insertion order and does not own them: the caller keeps every member
/// alive while it is in the set. Membership is by value (CVyMathFunction1D::operator==): a function
/// equal to a member is not added again, even as another object. The recorded range is the union of
/// the members' domains, widened beyond each new member's own Xtolerance only; removing members never
/// shrinks it. The cursor is either on a member or at the end (past the last member, which is also the
/// position before the first). Members changed by their owner after being added are not re-examined.
/// Null function pointers are refused without effect by every operation that takes one.
/// Costs: lookups by value are O(members x points); walking is O(1) a step; GetElem is O(position).
class VYMATH_API CVyMathSetFunction1D {
public:
    /// An empty set: cursor at the end, range [0, 0].
    CVyMathSetFunction1D();
    /// An empty set, then operator= with other (members re-added, range recomputed from their domains).
    CVyMathSetFunction1D(const CVyMathSetFunction1D& other);
    /// Releases the list; the functions are not deleted.
    virtual ~CVyMathSetFunction1D();
    /// Takes other's range, then adds each of other's members (value duplicates skipped, range widened);
    /// the cursor goes to the first member. A non-empty set is not emptied first: its members stay.
    const CVyMathSetFunction1D& operator=(const CVyMathSetFunction1D& other);
    /// Same member pointers in the same order and exactly the same range as other (a copy of the
    /// right-hand set, whose range is recomputed from its members' current domains).
    bool operator==(CVyMathSetFunction1D other);

    /// Appends f unless a member equals it in value (then the cursor goes to that member). A cursor on
    /// a member moves one member forward; at the end it stays there. Widens the range.
    void AddFunction(CVyMathFunction1D* f);
    /// Removes the first member equal to f in value (the object is not deleted); the cursor goes to the
    /// member that followed it, or to the end. The range is not changed.
    void RemoveFunction(CVyMathFunction1D* f);
    /// Takes out every member (none is deleted); cursor to the end; the range is kept.
    void RemoveAllFunctions();
    /// True when some member equals f in value.
    bool FindFunction(CVyMathFunction1D* f) const;
    /// Cursor on the first member equal to f in value, or at the end when there is none.
    void SetCurrentFunction(CVyMathFunction1D* f);

    /// The first member with the cursor on it; null for an empty set.
    CVyMathFunction1D* GetFirstElem();
    /// One member forward: the member now under the cursor, or null when the end is reached. From the
    /// end the cursor moves onto the last member, which is returned.
    CVyMathFunction1D* GetNextFunction();
    /// One member back: that member, or null (cursor to the end) from the first member; null, cursor
    /// unchanged, from the end.
    CVyMathFunction1D* GetPreviousFunction();
    /// The member under the cursor; null at the end.
    CVyMathFunction1D* GetCurrentFunction();
    /// The member at the 0-based insertion position; null outside 0..GetNumber()-1. Cursor unchanged.
    CVyMathFunction1D* GetElem(int position) const;
    /// The number of members.
    int GetNumber() const;
    /// The first member whose value at x equals y within 1e-10. Each member tried is written to *out
    /// first, so on false *out holds the last member tried (untouched for an empty set). A null out
    /// is allowed: the search runs without writing.
    bool GetFunction(const double& x, const double& y, CVyMathFunction1D** out) const;
    /// The recorded range: rangeMin, rangeMax.
    void GetFullRange(double& rangeMin, double& rangeMax);
    /// The largest member Xtolerance (a later one counts when above by more than 1e-10); 1e-5 if empty.
    double GetXtolerance();
    /// The largest member Ytolerance, as GetXtolerance; 1e-5 for an empty set.
    double GetYtolerance();

    /// Sets into lower the lower and into upper the upper envelope of f1 and f2 at every abscissa of
    /// their finite point lists and crossings (exact duplicates merged). A null lower or upper is
    /// skipped; a null f1 or f2 does nothing. The outputs are not cleared: points go in with Set, and
    /// where neither function is defined lower gets +DBL_MAX and upper -DBL_MAX. Members play no part.
    /// Linear in the points of f1 and f2 and their crossings (sorted merges, sweeps, insertions at the end).
    void EnveloppeMaxMin(CVyMathFunction1D* f1, CVyMathFunction1D* f2, CVyMathFunction1D* lower,
                         CVyMathFunction1D* upper) const;
    /// lower and upper become the envelopes of all members, folded one member at a time, on the set's
    /// range with the abscissa tolerance 1e-9. False (outputs untouched) for an empty set. With one
    /// member lower is a copy of it and upper only gets the range and tolerance.
    /// Each fold step is linear in the points it handles: O(K P) for K members and envelopes of P points.
    bool EnvelopMaxMin(CVyMathFunction1D& lower, CVyMathFunction1D& upper) const;
    /// EnvelopMaxMin(lower, upper) with the governing member of every point: lowerCase[i] (upperCase[i])
    /// is the position (as GetElem counts) of the first member whose value at the i-th stored point of
    /// lower (upper) lies within 1e-10 of that point's ordinate, -1 where none does. The vectors are
    /// replaced, one entry a stored point (sentinels included); false (nothing touched) for an empty set.
    /// The envelopes are those of EnvelopMaxMin bit for bit. lower and upper must not be members.
    /// O(P K) beyond the envelope itself, for P envelope points and K members.
    bool EnvelopMaxMin(CVyMathFunction1D& lower, CVyMathFunction1D& upper, std::vector<int>& lowerCase,
                       std::vector<int>& upperCase) const;

    /// The exact lower and upper envelopes of the members, with the governing member of every stretch.
    ///
    /// Members are the polylines through their stored points, defined from their first to their last
    /// stored point; on a segment the value is GetOrdinate's two-point Lagrange form with extended
    /// intermediates, without its snapping to a point within Xtolerance, and a stored ordinate at its own
    /// vertex. A jump is the steep piece between its two points. Open-end sentinels are vertices like any
    /// other: such a member runs to +-DBL_MAX, as GetOrdinate evaluates it. A member without points takes no
    /// part; the members' Xtolerance and Ytolerance play no part.
    ///
    /// Result: true, with lower and upper replaced as a whole by functions on the set's range [rangeMin,
    /// rangeMax] with the abscissa tolerance 1e-9 (ordinate tolerance 1e-5, no jump abscissas). False,
    /// nothing touched, for an empty set, a member whose points are not sorted (a closed curve) and a range
    /// with rangeMin > rangeMax. The outputs are written once both are computed, so aliasing is harmless.
    ///
    /// Between points the outputs are the least and the greatest member, with every crossing placed
    /// whatever the magnitude of the values. Points lie only where needed: the range's two ends, the
    /// vertices of the governing member, the crossings where the governing member changes, and steps where
    /// /// a member's domain starts or ends. A step is a steep piece 2e-9 wide (wider where that rounds to
    /// less) beside the abscissa x where the domain ends: the member that attains x keeps its point at x.
    /// Where no member is defined the outputs step to +DBL_MAX (lower) and -DBL_MAX (upper), with case -1.
    /// Points keep twice the tolerance, 2e-9, between them (GetOrdinate takes a point exactly one tolerance
    /// above another as lying before it), so points closer than the tolerance count once, and without
    /// losing a steep feature: where a point would fall closer than 2e-9 after the previous one, the
    /// previous one moves back to 2e-9 before it along the stretch that leads there (it is dropped where
    /// that stretch is a step or shorter, and the point before is tried); after the range's first point,
    /// which stays, the new point moves forward along its own line. So a feature narrower than 2e-9 becomes
    /// a step 2e-9 wide. A range narrower than 2e-9 gives one point.
    ///
    /// lowerCase[i] (upperCase[i]) is the position, as GetElem counts, of the member governing the stretch
    /// from point i to point i + 1; for the last point, of the member that attains it; -1 where no member
    /// is defined. Point i's ordinate is that member's own value at x[i]. The vectors are replaced.
    ///
    /// Ties: two values are tied when they differ by at most 1e-10 max(1, |y1|, |y2|). Two members compare
    /// on the stretch where both are straight (the overlap of a segment of each): tied at both of its ends,
    /// the member with the smaller position wins it all; tied at one end, the other end decides; else the
    /// signs at the ends decide, and opposite signs place the crossing of the two segments there. The
    /// governing member is the winner of a fixed balanced tournament over the positions 0..K-1 (split at
    /// the middle, lo + (hi - lo) / 2), so near-collinear members give no spurious crossings and the result
    /// does not depend on the order of the members but for ties. At a step the members defined at x
    /// compare by their values at x, in position order.
    ///
    /// Cost O(P log K) for K members of P points in all, plus the crossings found; memory O(P). Members on
    /// the same stations are compared by their stored ordinates, without evaluation.
    bool ExactEnvelopes(CVyMathFunction1D& lower, CVyMathFunction1D& upper, std::vector<int>& lowerCase,
                        std::vector<int>& upperCase) const;

private:
    friend struct vymath::detail::Access;

    // The smallest mean point spacing (b - a) / (n - 1) among the members, folded with CVyMath::Min;
    // members with fewer than two elements give no candidate; 0.0 when no member gives one.
    double FindMinimalStep() const;

    using List = std::list<CVyMathFunction1D*>;

    List functions;
    List::iterator current;
    double rangeMin;
    double rangeMax;
};

#endif // VYMATH_CVYMATHSETFUNCTION1D_H
