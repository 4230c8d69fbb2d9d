// Point insertion and replacement of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "function1d/Search.h"
#include "function1d/Storage.h"

#include <cmath>

using vymath::detail::Tolerant;

using vymath::detail::DefinedAt;
using vymath::detail::IsFinite;
using vymath::detail::LocateInsertion;
using vymath::detail::ValidateValue;
using vymath::detail::View;

bool CVyMathFunction1D::Replace(double x, double y) {
    if (!ValidateValue(y))
        return false;
    if (!DefinedAt(*this, x))
        return false;
    const std::size_t i = vymath::detail::FirstWithin(View(*this), x, Xtolerance);
    if (i == points.size())
        return false;
    points.Set(i, {x, y});
    return true;
}

// ---- Insertion ------------------------------------------------------------------------------

std::size_t vymath::detail::LocateInsertion(const CVyMathFunction1D& f, double x, bool& found) {
    // The walk from the first point stops at the first point p that x goes before (InsertsBefore). On
    // sorted points with a finite x the test fails up to some point and holds from there on; points
    // added in increasing order go just before the last point or after it.
    const Access::PointArray& points = Access::Points(f);
    const double* xs = points.X();
    const std::size_t n = points.size();
    const double tol = Access::Xtolerance(f);
    std::size_t i = 0;
    if (points.Sorted() && IsFinite(x)) {
        const auto passes = [x, tol](double p) { return !InsertsBefore(x, p, tol); };
        if (n > 0 && passes(xs[n - 1]))
            i = n;
        else if (n > 1 && passes(xs[n - 2]))
            i = n - 1;
        else
            i = PartitionPoint(xs, 0, n, passes);
    } else {
        while (i < n && !InsertsBefore(x, xs[i], tol))
            ++i;
    }
    found = i < n && Tolerant::Equal(xs[i], x, tol);
    return i;
}

CVyMathFunction1D::InfoInsertPoint CVyMathFunction1D::Set(double x, double y) {
    if (!ValidateValue(y) || !IsFinite(x))
        return InsertRefused;
    if (!points.empty() && (Tolerant::Equal(x, points.front().x, Xtolerance) ||
                            Tolerant::Equal(x, points.back().x, Xtolerance))) {
        Replace(x, y);
        return InsertDone;
    }
    bool found;
    const std::size_t i = LocateInsertion(*this, x, found);
    if (found)
        return Tolerant::Equal(points.Y()[i], y, Ytolerance) ? InsertExists : InsertConflict;
    points.Insert(i, {x, y});
    return InsertDone;
}

CVyMathFunction1D::InfoInsertPoint CVyMathFunction1D::Set(double x, double yLeft, double yRight) {
    if (!ValidateValue(yLeft) || !ValidateValue(yRight))
        return InsertConflict;
    if (!IsFinite(x))
        return InsertRefused;
    if (Tolerant::Equal(yLeft, yRight, Ytolerance) && forceJumps == 0)
        return Set(x, yLeft);
    jumpAbscissas.push_back(x);
    const InfoInsertPoint r1 = Set(x - Xtolerance, yLeft);
    const InfoInsertPoint r2 = Set(x + Xtolerance, yRight);
    return r1 == r2 ? r1 : InsertConflict;
}

namespace {

// Inserts (x, y) at pos, or (x + offset, y) when `match` (the ordinate of a stored point with the
// abscissa x) is another ordinate; InsertExists when it is the same.
template <typename Points>
CVyMathFunction1D::InfoInsertPoint InsertUnique(Points& points, std::size_t pos, const double* match,
                                                double x, double y, double offset, double ytol) {
    if (match != nullptr) {
        if (Tolerant::Equal(*match, y, ytol))
            return CVyMathFunction1D::InsertExists;
        x += offset;
        if (!IsFinite(x))
            return CVyMathFunction1D::InsertRefused;
    }
    points.Insert(pos, {x, y});
    return CVyMathFunction1D::InsertDone;
}

} // namespace

CVyMathFunction1D::InfoInsertPoint CVyMathFunction1D::SetUniqueAbscissa(double x, double y, double offset) {
    if (!ValidateValue(y) || !IsFinite(x) || points.empty())
        return InsertRefused;
    const std::size_t i = vymath::detail::FirstWithin(View(*this), x, Xtolerance);
    const double* match = i < points.size() ? points.Y() + i : nullptr;
    return InsertUnique(points, points.size() - 1, match, x, y, offset, Ytolerance);
}

CVyMathFunction1D::InfoInsertPoint CVyMathFunction1D::SetUniqueAbscissaAtIndex(double x, double y,
                                                                               double offset, int index) {
    if (!ValidateValue(y) || !IsFinite(x))
        return InsertRefused;
    if (index < 0 || static_cast<std::size_t>(index) >= points.size())
        return InsertRefused;
    const std::size_t pos = static_cast<std::size_t>(index);
    const double* match = Tolerant::Equal(points.X()[pos], x, Xtolerance) ? points.Y() + pos : nullptr;
    return InsertUnique(points, pos, match, x, y, offset, Ytolerance);
}

CVyMathFunction1D::InfoInsertPoint CVyMathFunction1D::SetConstant(double x1, double x2, double y) {
    if (!ValidateValue(y))
        return InsertConflict;
    if (!IsFinite(x1) || !IsFinite(x2) || x2 < x1 || points.empty())
        return InsertRefused;
    const double firstX = points.front().x;
    // Before the curve: not on the first point and below it (also exactly Xtolerance below it).
    const auto before = [this, firstX](double x) {
        return !Tolerant::Equal(x, firstX, Xtolerance) &&
               (Tolerant::Smaller(x, firstX, Xtolerance) || x < firstX);
    };
    if (before(x1)) {
        // In front of the curve: (x1, y) first; (x2, y) only when it also lies before the curve.
        if (before(x2))
            points.Insert(0, {x1, y}, {x2, y});
        else
            points.Insert(0, {x1, y});
        return InsertDone;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i];
        if (Tolerant::Equal(x1, p.x, Xtolerance) || Tolerant::Equal(x2, p.x, Xtolerance))
            return Tolerant::GreaterEqual(p.y, y, Xtolerance) ? InsertExists : InsertConflict;
        // A point exactly Xtolerance beyond x1 or x2 still counts as beyond it, keeping the order.
        const bool beyond1 = Tolerant::Smaller(x1, p.x, Xtolerance) || x1 < p.x;
        const bool beyond2 = Tolerant::Smaller(x2, p.x, Xtolerance) || x2 < p.x;
        if (beyond1 && beyond2) {
            points.Insert(i, {x1, y}, {x2, y});
            return InsertDone;
        }
    }
    return InsertRefused;
}
