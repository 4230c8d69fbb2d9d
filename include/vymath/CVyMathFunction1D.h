/// @file
/// The class CVyMathFunction1D and its free operators.
#ifndef VYMATH_CVYMATHFUNCTION1D_H
#define VYMATH_CVYMATHFUNCTION1D_H

#include "vymath/VyMathExport.h"

#include <cstddef>
#include <initializer_list>
#include <list>
#include <ostream>
#include <utility>
#include <vector>

class CVyMathPolynom;

namespace vymath {
namespace detail {
struct Access; // the library's one access point to private state (not installed)
} // namespace detail
} // namespace vymath

/// A function y = f(x) of one variable, stored as points sorted by increasing
/// abscissa and evaluated by linear interpolation between neighbouring points.
///
/// Each object carries its domain [xmin, xmax], an abscissa tolerance Xtolerance and an ordinate
/// tolerance Ytolerance (both 1e-5 by default) used by every comparison it makes, and the list of
/// abscissas at which it jumps. An end of the domain at -DBL_MAX or +DBL_MAX is open and normally
/// holds a sentinel point there: the default function is the zero function through (-DBL_MAX, 0)
/// and (+DBL_MAX, 0). A jump at j is stored as the points (j - Xtolerance, yLeft) and
/// (j + Xtolerance, yRight); the function is undefined strictly between them.
///
/// Ordinates are validated on insertion: a NaN is refused, +-inf is stored as +-DBL_MAX. Abscissas
/// that are NaN or infinite are refused by every insertion operation, so the point array stays
/// sorted. Costs, for n points: a search (evaluation, lookup, the place of an insertion) is O(log n) on
/// points in increasing abscissa order, which the function keeps track of without scanning, and O(n)
/// on a closed curve (points out of order), where the walks run as written; an insertion adds the move
/// of the points after it, so building in increasing order is O(1) a point. Every fast path gives
/// exactly the result of the tolerant walk or bisection it replaces. Storage: 16 bytes a point.
/// A function may be read by several threads at once; modification needs exclusive access.
class VYMATH_API CVyMathFunction1D {
public:
    /// A point of the curve: abscissa, then ordinate.
    struct Point {
        double x; ///< abscissa
        double y; ///< ordinate
    };

    /// An ordered list of points with a read cursor, filled by the query operations, which append
    /// to it and never clear it. Walk it with ResetCursor() and then GetNext() until it is false.
    class VYMATH_API PointList {
    public:
        /// Empty, with the cursor at the end.
        PointList();
        /// Copies keep the cursor at the same position in their own list.
        PointList(const PointList& other);
        /// Copies other's points; the cursor goes to the same position in this list. Returns this list.
        PointList& operator=(const PointList& other);
        /// Releases the points.
        virtual ~PointList();

        /// Appends p at the end; the cursor stays where it is.
        void AddPoint(const Point& p);
        /// Puts the cursor on the first point (at the end for an empty list).
        void ResetCursor();
        /// False at the end; otherwise copies the point under the cursor and advances it.
        bool GetNext(double& x, double& y);
        /// False for an empty list; otherwise copies the last point.
        bool GetLast(double& x, double& y);

    private:
        std::list<Point> points;
        std::list<Point>::iterator cursor;
    };

    /// Result of the insertion operations.
    enum InfoInsertPoint {
        /// Stored, or an end point replaced.
        InsertDone = 0,
        /// Nothing stored: the abscissa is taken with another ordinate (more cases: see each operation).
        InsertConflict = 1,
        /// Nothing stored: the same point is already there.
        InsertExists = 2,
        /// Nothing stored: NaN ordinate, bad abscissa or index, or no place found.
        InsertRefused = 3
    };

    /// Result of Combine: CombineDone, or why nothing was formed (the result is then unchanged).
    enum InfoCombine {
        /// The result holds the combination.
        CombineDone = 0,
        /// No function given.
        CombineNoMembers = 1,
        /// Members and factors of different counts.
        CombineCountMismatch = 2,
        /// A member pointer is null.
        CombineNullMember = 3,
        /// A factor is NaN or infinite.
        CombineBadFactor = 4,
        /// The domains do not overlap (by more than Xtolerance), or a member has no point.
        CombineNoCommonDomain = 5
    };

    /// Selector of GetListPoint: what becomes of an open end's sentinel point.
    enum InfoGetList {
        /// Copied as stored.
        ListAsStored = 0,
        /// Replaced by a point a tenth of the inner span beyond the outermost inner point.
        ListFiniteEnds = 1,
        /// Left out.
        ListOmitOpenEnds = 2
    };

    /// @name Construction and copying
    /// @{

    /// The zero function on the whole line: [(-DBL_MAX, 0), (+DBL_MAX, 0)], domain [-DBL_MAX, +DBL_MAX].
    /// forceJumps is 0 here and in every other constructor but the bounds constructor.
    CVyMathFunction1D();
    /// [(xmin, 0), (xmax, 0)] on the domain [xmin, xmax]; forceJumps as given. Infinite bounds are
    /// taken as +-DBL_MAX (open ends), a NaN bound as the open end on its side.
    CVyMathFunction1D(double xmin, double xmax, int forceJumps);
    /// n + 1 samples of p at x0, x0 + step, ... with step = |x1 - x0| / n (upwards from x0 even when
    /// x1 < x0); domain [x0, x1]. No points for n <= 0 or a non-finite x0 or x1; a NaN sample is
    /// skipped, an infinite one stored as +-DBL_MAX; sampling stops where the abscissa overflows.
    /// In every sampling constructor the domain bounds are stored as by the bounds constructor.
    CVyMathFunction1D(CVyMathPolynom& p, double x0, double x1, int n);
    /// As the polynomial sampling, with y = f(x). f must not be null (a null f gives no points).
    CVyMathFunction1D(double (*f)(double), double x0, double x1, int n);
    /// Up to n + 1 samples of g on [x0, x1]; the abscissa advances only after a sample that g could
    /// evaluate, so sampling in effect ends at the first abscissa where g has no value.
    CVyMathFunction1D(const CVyMathFunction1D& g, double x0, double x1, int n);
    /// g's domain [a, b] mapped onto [a, a + length] with GetNumberElement() + 1 samples of g; no points
    /// for a non-finite length.
    CVyMathFunction1D(const CVyMathFunction1D& g, double length);
    /// amplitude * sin(pulsation * x + phase) sampled from x = 0 (not from xmin) by step until x passes
    /// xmax; domain [xmin, xmax]. No points when step < 0 - 1e-5, step > xmax + 1e-5, xmax < -1e-5,
    /// or step is not positive (such a step would never reach xmax).
    CVyMathFunction1D(const double& amplitude, const double& pulsation, const double& phase, double xmin,
                      double xmax, double step);
    /// Copies points, domain, tolerances, jump abscissas and forceJumps.
    CVyMathFunction1D(const CVyMathFunction1D& other);
    /// Copies points, domain, tolerances, jump abscissas and forceJumps; returns this object.
    const CVyMathFunction1D& operator=(const CVyMathFunction1D& other);
    /// Releases the points and the jump list.
    virtual ~CVyMathFunction1D();

    /// @}

    /// @name Tolerances, range, lookup
    /// @{

    /// Sets the abscissa tolerance Xtolerance. Stored points are not revisited when a tolerance changes.
    /// The value is used as given (its sign is not checked), except that a NaN is ignored.
    void SetXtolerance(double t);
    /// Sets the ordinate tolerance Ytolerance, as SetXtolerance (a NaN ignored, points not revisited).
    void SetYtolerance(double t);
    /// The abscissa tolerance Xtolerance (1e-5 unless set).
    double GetXtolerance();
    /// The ordinate tolerance Ytolerance (1e-5 unless set).
    double GetYtolerance();
    /// The domain bounds.
    void GetFullRange(double& xmin, double& xmax) const;
    /// The stored points in storage order, open-end sentinels included: what GetListPoint appends with
    /// ListAsStored, as a vector. O(n).
    std::vector<Point> GetPoints() const;
    /// The jump abscissas as stored: in the order they were recorded, repeats kept, never sorted (a
    /// jump's points are j -+ Xtolerance at the time it was recorded). O(1), a reference to the stored list.
    const std::vector<double>& GetJumpAbscissas() const;
    /// forceJumps as the bounds constructor took it (0 from every other constructor); while it is not 0
    /// every two-sided Set records a jump, even with equal sides. Copies and assignment carry it.
    int GetForceJumps() const;
    /// Number of points, not counting the sentinels of open ends (the default function has 0).
    int GetNumberElement() const;
    /// True when some point's abscissa equals x within Xtolerance; false for an empty function.
    bool Find(double x);
    /// Bisection for the stored points bracketing x: hi = lo + 1 (x between them, or beyond an end),
    /// or hi = lo (x on point lo, within Xtolerance when met by the bisection; also for n = 1 and,
    /// for n = 2, x before the first point). O(log n) (sorted points: a halving search for the points
    /// passed, then their tolerance classes beside x settle the bisection's outcome). An empty
    /// function gives lo = hi = -1.
    void Find(double x, int& lo, int& hi) const;
    /// The value at x by linear interpolation of the bracketing points (end segments extended), with
    /// extended-precision intermediates so that a segment ending at a DBL_MAX sentinel gives finite
    /// values. False, y untouched, outside [xmin, xmax] (within Xtolerance), for a NaN x or for an
    /// empty function. Two stored points with the same abscissa bracketing x give the lower one's y;
    /// a value beyond the double range is given as +-DBL_MAX.
    bool GetOrdinate(double x, double& y) const;
    /// Batch GetOrdinate: y[i] gets GetOrdinate(x[i]) bit for bit, or a quiet NaN where it fails; returns
    /// the count of values found. Increasing x follow a cursor: O(n + m) for m queries on n points; any
    /// other order costs at most one bisection a query. A null x or y with n > 0 writes nothing, gives 0.
    std::size_t GetOrdinates(const double* x, double* y, std::size_t n) const;

    /// @}

    /// @name Insertion
    /// @{

    /// Inserts (x, y) at its sorted place (O(log n) search, O(1) just before or after the last point,
    /// plus the move of the points after it; O(n) search on points out of order). An x
    /// within Xtolerance of the first or last point replaces that point (InsertDone, whatever the replacement
    /// reports); an interior point within Xtolerance gives InsertExists (same y within Ytolerance) or
    /// InsertConflict. NaN y or non-finite x: InsertRefused.
    InfoInsertPoint Set(double x, double y);
    /// A jump at x: appends x to the jump abscissas, then Set(x - Xtolerance, yLeft) and
    /// Set(x + Xtolerance, yRight); their common code, or InsertConflict when they differ. Ordinates
    /// equal within Ytolerance (and forceJumps 0) store one point instead. A NaN ordinate gives
    /// InsertConflict; a non-finite x InsertRefused; neither records a jump.
    InfoInsertPoint Set(double x, double yLeft, double yRight);
    /// The flat stretch (x1, y), (x2, y) put in front of the first point beyond both x1 and x2 (points
    /// between x1 and x2 are not looked at). x1 or x2 on a stored point: InsertExists when that point's
    /// y passes GreaterEqual(p.y, y, Xtolerance), else InsertConflict; no point beyond both:
    /// InsertRefused. x1 before the curve (not within Xtolerance of the first point, and below it): (x1,
    /// y) goes to the front, followed by (x2, y) when x2 is before the curve too (else the stretch ends
    /// there). NaN y: InsertConflict; x2 < x1, a non-finite abscissa or an empty function: InsertRefused.
    InfoInsertPoint SetConstant(double x1, double x2, double y);
    /// Inserts just before the last point (no sorting: feed increasing x). An abscissa already taken
    /// with another ordinate is moved by offset; the same point gives InsertExists. Empty function,
    /// NaN y or non-finite abscissa: InsertRefused. O(log n) search (O(n) out of order), then an
    /// insertion near the end.
    InfoInsertPoint SetUniqueAbscissa(double x, double y, double offset);
    /// As SetUniqueAbscissa, just before the point at index, comparing with that point only.
    /// index outside 0..n-1: InsertRefused.
    InfoInsertPoint SetUniqueAbscissaAtIndex(double x, double y, double offset, int index);
    /// Moves the domain to [a, b]: narrowing cuts the curve and puts end points carrying its values at
    /// the new bounds; widening adds an end point with ordinate -DBL_MAX. On an empty function it only
    /// appends (a, -DBL_MAX), (b, +DBL_MAX). When a lies beyond every point, the two new end points carry
    /// the values the curve had at a and b. Infinite bounds are taken as +-DBL_MAX; a NaN bound or
    /// b < a changes nothing.
    void SetDomain(double a, double b);
    /// all: removes every point; otherwise keeps the first and the last (a one-point function then has
    /// two copies; an empty one stays empty). Domain, tolerances and jumps are kept.
    void Clear(bool all);
    /// Overwrites the first point within Xtolerance of x with (x, y). False for a NaN y, an x where the
    /// function is not defined, no such point, or an empty function.
    bool Replace(double x, double y);
    /// x lies within the stored points (Xtolerance) and not strictly inside a jump window.
    /// False for an empty function.
    bool IsDefined(double x);

    /// @}

    /// @name Editing and transformation
    /// @{

    /// Removes the first point within Xtolerance of x; false for an empty function, an x where the
    /// function is not defined, or no such point. Jump abscissas are kept.
    bool Remove(double x);
    /// Appends the points to list (never clears it). Open ends: ListAsStored copies the sentinel,
    /// ListFiniteEnds puts it a tenth of the inner span beyond the outermost inner point (n >= 3), else
    /// dropped.
    void GetListPoint(PointList& list, InfoGetList mode);
    /// Adds dx to the domain, every abscissa and every jump abscissa. Ignored on an empty function, for
    /// |dx| <= 1e-10 and for a NaN or infinite dx; an overflowing abscissa is kept at +-DBL_MAX.
    void ShiftOnX(double dx);
    /// Multiplies the domain, abscissas and jump abscissas by kx. kx 0, NaN or infinite: no change. A
    /// negative kx mirrors the function: points reversed and bounds swapped so that both stay increasing.
    void ScaleOnX(double kx);
    /// Multiplies every ordinate by ky; ky 0, NaN or infinite: no change. Overflow gives +-DBL_MAX.
    void ScaleOnY(double ky);
    /// ScaleOnX(kx) and ScaleOnY(ky), or no change at all when either factor is 0, NaN or infinite.
    void Scale(double kx, double ky);
    /// Reverses the sequence of ordinates over the unchanged abscissas (none or one point: no change).
    void RevertValues();
    /// Closes the polyline: appends the first point again and inserts (x0, 0) at each sign change,
    /// x0 by RootBissectionUniqueAbscisse (1e-5), kept only inside the domain, nonzero and with both
    /// segment ends on one side of x = 0.
    void CloseCurve();
    /// Inserts g's points (open-end sentinels omitted) after widening the domain to the union. A point
    /// conflicting with a stored one joins an existing jump's nearer side, or else makes a jump at x
    /// following the local trend. Where GetOrdinate fails at a stored abscissa, that point's ordinate serves.
    /// Plain insertions inside the curve are made in one pass: O((n + m) log n) without conflicts;
    /// each conflict costs a pass of O(n).
    void Merge(CVyMathFunction1D* g);
    /// Appends g after the last point: g itself is shifted by that abscissa (the caller's g stays
    /// shifted) and merged; differing end ordinates record a jump at the old end + Xtolerance. No change
    /// when g has no element or only an open-end sentinel; Concat(this) appends a copy of this function.
    void Concat(CVyMathFunction1D* g);
    /// Adds g's ordinates index by index, abscissas ignored. A shorter g leaves the points beyond its
    /// count unchanged. Sums overflowing give +-DBL_MAX. Returns this object.
    CVyMathFunction1D& operator+=(CVyMathFunction1D& g);
    /// Adds value to every ordinate and returns a copy (not a reference). A NaN value changes nothing;
    /// an infinite one gives +-DBL_MAX ordinates.
    CVyMathFunction1D operator+=(const double& value);
    /// Multiplies the ordinates by k; k 0, NaN or infinite changes nothing (no zero function).
    const CVyMathFunction1D& operator*=(const double& k);
    /// A copy with operator*=(k) applied; this object is unchanged.
    CVyMathFunction1D operator*(const double& k);
    /// Same domain and tolerances (exactly) and ListFiniteEnds point lists of the same length, equal
    /// pairwise within 1e-10. Jump abscissas are not compared. Symmetric.
    bool operator==(CVyMathFunction1D other);
    /// !operator==.
    bool operator!=(const CVyMathFunction1D& other);

    /// @}

    /// @name Shape queries
    /// @{

    /// GetOrdinate(x) equals y within tol (strictly); false for an empty function or x outside the domain.
    bool IsOnCurve(double x, double y, double tol);
    /// x is within 1.01 * Xtolerance of a jump abscissa, so the jump's own two points count as the jump.
    bool IsDiscontinued(double x);
    /// Every ordinate, the first included, equals the first within Ytolerance (not neighbour to
    /// neighbour). A single point is constant; an empty function is not.
    bool IsConstant(void);
    /// Successive segment slopes are exactly equal (no tolerance). (DBL_MIN, DBL_MAX) tests the whole
    /// function, other pairs the segments from x1's to x2's (x1 > x2 swapped). Empty: false; one point: true.
    bool IsLinear(double x1, double x2) const;
    /// Ordinates opposite within Ytolerance in pairs from both ends inwards (abscissas and the middle
    /// point ignored). (DBL_MIN, DBL_MAX): all points; other pairs: the points within [x1, x2]
    /// (Xtolerance; x1 > x2 swapped), true when there are fewer than two. Empty function: false.
    bool IsSymetric(double x1, double x2) const;
    /// slopes[0], slopes[1]: slopes of the segments ending at Find's two indices (on a point: both the
    /// arriving segment). No segment before x: the first segment's slope; fewer than two points: 0, 0.
    void Slope(double x, double* const slopes) const;
    /// The stored abscissas around x (tol, or Xtolerance when null); an x within tol of a point gives the
    /// segment ending there. x undefined and not at a jump (or NaN): false, both set to the last point
    /// when x >= xmax (tol), else to the first. Empty function: false, both 0.
    bool GetNearAbscissas(double x, double& xLeft, double& xRight, double* tol);
    /// The ordinate of the first stored point within Xtolerance of x (no interpolation); false outside
    /// the domain or when no point has that abscissa (y untouched).
    bool FindUniqueAbscissa(double x, double& y);
    /// The first two ordinates where a vertical line at x meets the polyline in storage order (vertices
    /// or strictly straddling segments): true with y1, y2; false otherwise, y1 written after one hit.
    bool FindMultipleOrdinates(double x, double& y1, double& y2);

    /// @}

    /// @name Roots and zeros
    /// @{

    /// Bisection for a root of f between x1 and x2, kept on the non-positive side, at most 40 halvings,
    /// stop at |dx| < xacc or f = 0 exactly. 0.0 on failure (no strict sign change, a zero end, a
    /// non-finite end, a null f, or 40 halvings not enough): indistinguishable from a root at 0.
    double RootBissection(double (*f)(double), double x1, double x2, double xacc);
    /// The same bisection on this function (GetOrdinate); 0.0 also when an end cannot be evaluated.
    double RootBissection(double x1, double x2, double xacc);
    /// Bisection along a closed curve's segment from stored abscissa x1 to x2, the value at each midpoint
    /// taken from FindMultipleOrdinates (second ordinate for x2 >= x1, first otherwise; the first until
    /// a second is found). 0.0 on failure, and when x1 is not a stored abscissa (nothing to orient on).
    double RootBissectionUniqueAbscisse(double x1, double x2, double xacc);
    /// Appends (never clears) stored points within Ytolerance of 0 (the first point not examined) and
    /// each strict sign change's crossing, by bisection, or the straight segment's crossing when the
    /// bisection gives up; zeros where the function is undefined are left out.
    void GetAllZero(PointList& zeros, double xacc);
    /// Appends the stored points within Ytolerance of 0 and inside the domain (Xtolerance), the first
    /// point not examined; no bisection, xacc unused.
    void GetAllZeroInteractionCurves(PointList& zeros, double xacc);

    /// @}

    /// @name Extrema
    /// @{

    /// The extrema operations append to the caller's lists. A vertex turns by the signs of its two
    /// segment slopes (Signe): a segment shorter than Xtolerance is flat, so a vertical step has
    /// plateau edges on both sides.
    /// Appends the first point, every peak, valley and plateau edge, and the last point. A constant
    /// function gives first, middle (wide arithmetic: (0, 0) for the default function), last.
    /// An empty function appends nothing.
    void Extrema(PointList& list) const;
    /// Appends the first and last points to both lists and each interior extremum to one of them (a flat
    /// top gives both edges as maxima, a shelf its first edge as maximum and its last as minimum).
    /// Repeated points are skipped. Nothing for an empty function or the default function.
    void LocalMinMax(PointList& minima, PointList& maxima) const;
    /// The local minima (maxima) within |v| * 1e-10 + 1e-10 of the global minimum (maximum) v, all ties.
    void GlobalMinMax(PointList& minima, PointList& maxima) const;
    /// The smallest and largest ordinates of the local extrema; left unchanged when there are none.
    void ValuesGlobalMinMax(double& vmin, double& vmax) const;
    /// Appends the first point, the lowest and highest candidate (first found, exact comparisons; in
    /// order of abscissa; each kept only when more than Ytolerance from result's first ordinate, from
    /// the last ordinate and from the other), then the last point. Walks both lists' cursors.
    /// Empty candidates: first and last point only. Empty function: nothing appended.
    void OnlyExtrema(PointList& candidates, PointList& result) const;
    /// For a closed curve: (xmin, f(xmin)), the last point at the smallest and at the largest ordinate
    /// (within Ytolerance), (xmax, f(xmax)). Empty function: nothing appended.
    void ExtremaInteractionCurves(PointList& list) const;
    /// The smallest and largest ordinates over all points; unchanged for an empty function.
    void ValuesGlobalMinMaxInteractionCurves(double& vmin, double& vmax);
    /// True unless Extrema gives exactly two points (a line or monotone polyline without flat part).
    /// A constant function gives true; an empty function false.
    bool AngularPoint(void);

    /// @}

    /// @name Intersections and envelope of two functions
    /// @{

    /// Appends, in increasing x, the crossings (x, other(x)) found between neighbouring abscissas of
    /// both functions (merged within 1e-10; other's open ends as ListFiniteEnds) where both are defined
    /// and the product of the differences is below -0.001 (close or touching crossings are missed).
    /// Returns 1 when result then holds any point, earlier ones included, else 0. Unsorted abscissas
    /// (a closed curve) are sorted first. A null other or a function without points appends nothing.
    /// O(n + m) for n and m points in order (one merge, then sweeps); O(n) an abscissa of an unsorted other.
    int GetIntersectionAbscissas(CVyMathFunction1D* other, PointList& result);
    /// Gives upper and lower this function's domain (SetDomain), then Sets its local maxima into upper
    /// and its local minima into lower (points refused by Set are dropped). Either may be this function.
    void EnvelopeMaxMin(CVyMathFunction1D& upper, CVyMathFunction1D& lower) const;

    /// The load combination sum_k factors[k] * members[k] on merged abscissas, into result (which may be
    /// one of the members). Domain: the intersection of the members' domains; tolerances: the smallest
    /// of theirs. Points at the union of the members' stored abscissas inside that domain and at its two
    /// bounds, abscissas within the result's Xtolerance of one another counted once, each ordinate the
    /// factored sum of the members' values there (summed in member order, +-DBL_MAX on overflow). A
    /// member's jump at j is a jump of the result (points j -+ Xtolerance, j in its jump abscissas) with
    /// the sums of the members' left and right values; within a member's jump window the member counts
    /// with the value of the window's near side. Equal sides (within Ytolerance) give one point, no jump.
    /// On a failure code the result is unchanged. O(P log P + P K) for P points of K members in all.
    static InfoCombine Combine(const std::vector<const CVyMathFunction1D*>& members,
                               const std::vector<double>& factors, CVyMathFunction1D& result);

    /// @}

    /// @name Integration, resultant and eccentricity
    /// @{

    /// The integral from a to b by trapezoidal refinement (levels 1..20, at least 6; stops when the
    /// change is below 1e-5 relative, or two levels are exactly 0); 0.0 without convergence. Up to
    /// 524,289 evaluations, each level a sweep (O(samples + n)). Limits beyond the domain are clipped
    /// to it (the function is 0 outside);
    /// a NaN limit or an empty function gives 0.0.
    double Qtrap(double a, double b) const;
    /// Evaluates nothing: 0.0 for every argument.
    double QtrapXFunc(double a, double b) const;
    /// Sum of the segment areas (0 when null within Xtolerance) and their moment about the domain's
    /// middle, lever arm = middle - segment middle. Returns 1 (0 with zero outputs on an exception).
    /// An open domain end makes the moment non-finite; a segment with zero ordinates has no area.
    int GetResultantAndMoment(double& resultant, double& moment);
    /// The abscissa (from x = 0) where the summed segment areas act, 0 when their sum is null within
    /// Xtolerance, and that sum (always reported). Returns 1 (0 with zero outputs on an exception).
    /// Meaningful for finite domains and points only (as the moment above).
    int GetExcentricityAndResultant(double& excentricity, double& resultant);
    /// Six times the first moment of the polyline about x = 0 (not divided by anything).
    double Excentricity() const;

    /// @}

    /// @name Interpolation and approximation numerics
    /// @{

    /// Least-squares polynomial of the given degree through every stored point (sentinels included:
    /// an open end gives a non-finite fit), by the normal equations on the monomial basis, solved by LU.
    /// Degree -1: no coefficients; below -1: std::invalid_argument. A normal matrix with a zero row (no
    /// points, or all at x = 0 with degree >= 1) gives the mean ordinate (0 without points), then zeros.
    CVyMathPolynom ApproxPolynomiale(int degree);
    /// Neville: *y = the value at x of the degree n-1 polynomial through (xa[i], ya[i]), i = 0..n-1,
    /// *dy = the last correction (error estimate; not written for n = 1). Equal abscissas give non-finite
    /// results. n < 1 or a null pointer: nothing written.
    void PolynomInterpol(double* const xa, double* const ya, int n, double x, double* y, double* dy);

    /// The text dump (declared below) reads the stored points.
    friend VYMATH_API std::basic_ostream<char>& operator<<(std::basic_ostream<char>& os,
                                                           CVyMathFunction1D& f);
    /// @}

private:
    friend struct vymath::detail::Access; // the library's internal helpers reach the state through it

    // Level n of the extended trapezoidal rule for f on [a, b] (2^(n-1) panels), computed from level 1.
    // 0.0 for n < 1 or n > 32.
    double Trapzd(const CVyMathFunction1D& f, double a, double b, int n) const;
    // Crout LU of the n x n matrix a (row pointers, 0-based) in place, implicit pivoting (ties to the
    // later row), indx[j] = row exchanged at column j; a zero pivot becomes 1e-20. A zero row, a null
    // pointer or n < 1: nothing changed, nothing reported. O(n^3).
    void LuDecomp(double** a, int n, int* indx);
    // Solves a X = b with LuDecomp's output; X replaces b. n < 1, a null pointer or an indx entry
    // outside 0..n-1: nothing changed.
    void LuBackSubstitution(double** a, int n, int* indx, double* const b);
    // Second derivatives y2[1..n] of the cubic spline through (x[i], y[i]), i = 1..n (1-based, element 0
    // unused); an end derivative above 9.9e+29 makes that end natural. n < 2 or a null pointer: nothing.
    void Spline(double* const x, double* const y, int n, double yp1, double ypn, double* const y2);

    // The curve as two parallel arrays, abscissas and ordinates (a search reads only the first), with
    // the count of irregular places: neighbours out of increasing abscissa order and non-finite
    // abscissas. Every change keeps the count current, so that the fast paths for sorted points cost no
    // scan. 16 bytes a point and one word; a copy is a plain copy. Reads give Points by value.
    class PointArray {
    public:
        class const_iterator {
        public:
            const_iterator(const PointArray* a, std::size_t i) : array(a), index(i) {}
            Point operator*() const { return (*array)[index]; }
            const_iterator& operator++() {
                ++index;
                return *this;
            }
            bool operator!=(const const_iterator& other) const { return index != other.index; }

        private:
            const PointArray* array;
            std::size_t index;
        };

        PointArray() = default;
        PointArray(std::initializer_list<Point> pts);
        std::size_t size() const { return xs.size(); }
        bool empty() const { return xs.empty(); }
        Point operator[](std::size_t i) const { return {xs[i], ys[i]}; }
        Point front() const { return {xs.front(), ys.front()}; }
        Point back() const { return {xs.back(), ys.back()}; }
        const_iterator begin() const { return {this, 0}; }
        const_iterator end() const { return {this, xs.size()}; }
        const double* X() const { return xs.data(); }
        const double* Y() const { return ys.data(); }
        // Finite abscissas in increasing order (equal neighbours allowed).
        bool Sorted() const { return irregular == 0; }

        void Insert(std::size_t pos, Point p);
        void Insert(std::size_t pos, Point p, Point q);
        void Erase(std::size_t pos);
        void Erase(std::size_t first, std::size_t last);
        // Inserts each point before the point at its index (of this array as it is), in the order
        // given; indices must not decrease. One pass.
        void InsertBefore(const std::vector<std::pair<std::size_t, Point>>& insertions);
        void Set(std::size_t i, Point p);
        void SetY(std::size_t i, double y) { ys[i] = y; }
        void PushBack(Point p);
        void PopBack();
        void Clear();
        void Assign(const std::vector<Point>& pts);
        void Reserve(std::size_t n);
        void Swap(PointArray& other);
        // Applies f to every abscissa (ordinate); Reverse reverses the point order.
        template <typename Fn>
        void TransformX(Fn f);
        template <typename Fn>
        void TransformY(Fn f);
        void Reverse();
        std::vector<Point> ToVector() const;

    private:
        void Recount();
        std::vector<double> xs, ys;
        std::size_t irregular = 0;
    };

    PointArray points;
    double xmin;
    double xmax;
    double Xtolerance;
    double Ytolerance;
    std::vector<double> jumpAbscissas;
    int forceJumps;
};

/// a with b's ordinates added index by index (abscissas not compared).
VYMATH_API CVyMathFunction1D operator+(CVyMathFunction1D& a, CVyMathFunction1D& b);
/// b minus a, on a's abscissas: the second operand minus the first.
VYMATH_API CVyMathFunction1D operator-(CVyMathFunction1D& a, CVyMathFunction1D& b);
/// Writes the stored points as an indented, bracketed list, one per line, each newline a std::endl
/// (a flush); "\ttheVector is empty." for no points. Sets no flag or precision on the stream.
VYMATH_API std::basic_ostream<char>& operator<<(std::basic_ostream<char>& os, CVyMathFunction1D& f);

#endif // VYMATH_CVYMATHFUNCTION1D_H
