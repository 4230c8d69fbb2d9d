// Reference: Load combinations of RefFunction1D on merged abscissas.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <algorithm>
#include <cmath>

using ref::detail::IsFinite;
using ref::detail::ValidateValue;

namespace {

// v with an overflow kept at +-DBL_MAX.
double Clamped(double v) {
    ValidateValue(v);
    return v;
}

// Sorted values, entries within tol of the last one kept dropped.
std::vector<double> SortedDistinct(std::vector<double> v, double tol) {
    std::sort(v.begin(), v.end());
    std::vector<double> out;
    out.reserve(v.size());
    for (double x : v)
        if (out.empty() || !(x - out.back() < tol))
            out.push_back(x);
    return out;
}

} // namespace

RefFunction1D::InfoCombine RefFunction1D::Combine(const std::vector<const RefFunction1D*>& members,
                                                  const std::vector<double>& factors, RefFunction1D& result) {
    if (members.empty())
        return CombineNoMembers;
    if (members.size() != factors.size())
        return CombineCountMismatch;
    for (const RefFunction1D* m : members)
        if (m == nullptr)
            return CombineNullMember;
    for (double c : factors)
        if (!IsFinite(c))
            return CombineBadFactor;

    double a = members.front()->xmin, b = members.front()->xmax;
    double xtol = members.front()->Xtolerance, ytol = members.front()->Ytolerance;
    for (const RefFunction1D* m : members) {
        if (m->points.empty())
            return CombineNoCommonDomain;
        a = std::max(a, m->xmin);
        b = std::min(b, m->xmax);
        xtol = std::min(xtol, m->Xtolerance);
        ytol = std::min(ytol, m->Ytolerance);
    }
    if (!ref::Greater(b, a, xtol))
        return CombineNoCommonDomain;
    const double w = xtol > 0.0 ? xtol : 0.0; // half width of the result's jump windows

    // Each member's jump abscissas, sorted, for the side rule and to recognise its jump points.
    std::vector<std::vector<double>> jumps(members.size());
    for (std::size_t k = 0; k < members.size(); ++k) {
        jumps[k] = members[k]->jumpAbscissas;
        std::sort(jumps[k].begin(), jumps[k].end());
    }
    // Member k's value at u; strictly inside one of its jump windows, the value of the window's near side.
    const auto memberValue = [&](std::size_t k, double u) {
        const RefFunction1D& m = *members[k];
        const std::vector<double>& js = jumps[k];
        const double t = m.Xtolerance;
        const auto past = std::partition_point(js.begin(), js.end(), [u, t](double j) { return j - t < u; });
        double at = u;
        if (past != js.begin()) {
            const double j = *(past - 1);
            if (u < j + t)
                at = u < j ? j - t : j + t;
        }
        double v = 0.0;
        if (!m.GetOrdinate(at, v) && !m.GetOrdinate(u, v))
            m.GetOrdinate(std::min(std::max(u, m.xmin), m.xmax), v);
        return v;
    };
    const auto sum = [&](double u) {
        double s = 0.0;
        for (std::size_t k = 0; k < members.size(); ++k)
            s = Clamped(s + Clamped(factors[k] * memberValue(k, u)));
        return s;
    };
    // u is one of member k's own jump points (within 1.01 Xtolerance of a jump abscissa).
    const auto atOwnJump = [&](std::size_t k, double u) {
        const std::vector<double>& js = jumps[k];
        const double t = members[k]->Xtolerance * 1.01;
        const auto pos = std::lower_bound(js.begin(), js.end(), u);
        return (pos != js.end() && ref::Equal(u, *pos, t)) ||
               (pos != js.begin() && ref::Equal(u, *(pos - 1), t));
    };

    std::vector<double> abscissas{a, b}, candidates;
    for (std::size_t k = 0; k < members.size(); ++k) {
        for (const Point& p : members[k]->points)
            if (p.x >= a && p.x <= b && !atOwnJump(k, p.x))
                abscissas.push_back(p.x);
        for (double j : members[k]->jumpAbscissas)
            if (ref::Greater(j, a, xtol + w) && ref::Smaller(j, b, xtol + w))
                candidates.push_back(j);
    }
    abscissas = SortedDistinct(std::move(abscissas), xtol);
    if (abscissas.back() != b) {
        if (abscissas.size() > 1 && b - abscissas.back() < xtol)
            abscissas.back() = b;
        else
            abscissas.push_back(b);
    }
    // Jumps whose sides differ; the others are plain abscissas.
    struct Jump {
        double x, left, right;
    };
    std::vector<Jump> realJumps;
    for (double j : SortedDistinct(std::move(candidates), 2 * w)) {
        const double left = sum(j - w), right = sum(j + w);
        if (ref::Equal(left, right, ytol))
            abscissas.insert(std::lower_bound(abscissas.begin(), abscissas.end(), j), j);
        else
            realJumps.push_back({j, left, right});
    }

    RefFunction1D combined;
    combined.points.clear();
    combined.xmin = a;
    combined.xmax = b;
    combined.Xtolerance = xtol;
    combined.Ytolerance = ytol;
    std::size_t next = 0; // the next jump
    for (double u : abscissas) {
        while (next < realJumps.size() && realJumps[next].x + 2 * w <= u) {
            const Jump& jp = realJumps[next++];
            combined.points.push_back({jp.x - w, jp.left});
            combined.points.push_back({jp.x + w, jp.right});
            combined.jumpAbscissas.push_back(jp.x);
        }
        if (next < realJumps.size() && std::fabs(u - realJumps[next].x) < 2 * w)
            continue; // counts as the jump's point, or lies inside its window
        if (!combined.points.empty() && u - combined.points.back().x < xtol)
            continue; // within the tolerance of the point before it
        combined.points.push_back({u, sum(u)});
    }
    for (; next < realJumps.size(); ++next) {
        const Jump& jp = realJumps[next];
        combined.points.push_back({jp.x - w, jp.left});
        combined.points.push_back({jp.x + w, jp.right});
        combined.jumpAbscissas.push_back(jp.x);
    }
    result = combined;
    return CombineDone;
}
