// Load combinations of CVyMathFunction1D on merged abscissas.
#include "vymath/CVyMathFunction1D.h"

#include "vymath/CVyMath.h"

#include "function1d/Search.h"

#include <algorithm>
#include <cmath>

using vymath::detail::Tolerant;

using vymath::detail::Clamped;
using vymath::detail::IsFinite;

namespace {

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

CVyMathFunction1D::InfoCombine
CVyMathFunction1D::Combine(const std::vector<const CVyMathFunction1D*>& members,
                           const std::vector<double>& factors, CVyMathFunction1D& result) {
    if (members.empty())
        return CombineNoMembers;
    if (members.size() != factors.size())
        return CombineCountMismatch;
    for (const CVyMathFunction1D* m : members)
        if (m == nullptr)
            return CombineNullMember;
    for (double c : factors)
        if (!IsFinite(c))
            return CombineBadFactor;

    double a = members.front()->xmin, b = members.front()->xmax;
    double xtol = members.front()->Xtolerance, ytol = members.front()->Ytolerance;
    for (const CVyMathFunction1D* m : members) {
        if (m->points.empty())
            return CombineNoCommonDomain;
        a = std::max(a, m->xmin);
        b = std::min(b, m->xmax);
        xtol = std::min(xtol, m->Xtolerance);
        ytol = std::min(ytol, m->Ytolerance);
    }
    if (!Tolerant::Greater(b, a, xtol))
        return CombineNoCommonDomain;
    const double w = xtol > 0.0 ? xtol : 0.0; // half width of the result's jump windows

    // Each member's jump abscissas, sorted, for the side rule and to recognise its jump points.
    std::vector<std::vector<double>> jumps(members.size());
    for (std::size_t k = 0; k < members.size(); ++k) {
        jumps[k] = members[k]->jumpAbscissas;
        std::sort(jumps[k].begin(), jumps[k].end());
    }
    // Member k's value at u; strictly inside one of its jump windows, the value of the window's near side.
    // The abscissas come in increasing order: each member is read by a sweep.
    std::vector<vymath::detail::Sweep> sweeps;
    for (const CVyMathFunction1D* m : members)
        sweeps.emplace_back(vymath::detail::View(*m));
    const auto memberValue = [&](std::size_t k, double u) {
        const CVyMathFunction1D& m = *members[k];
        const std::vector<double>& js = jumps[k];
        const double t = m.Xtolerance;
        double at = u;
        if (const double* j = vymath::detail::WindowAround(js, t, u))
            at = u < *j ? *j - t : *j + t;
        double v = 0.0;
        if (!sweeps[k].At(at, v) && !m.GetOrdinate(u, v))
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
        return (pos != js.end() && Tolerant::Equal(u, *pos, t)) ||
               (pos != js.begin() && Tolerant::Equal(u, *(pos - 1), t));
    };

    std::vector<double> abscissas{a, b}, candidates;
    for (std::size_t k = 0; k < members.size(); ++k) {
        for (const Point& p : members[k]->points)
            if (p.x >= a && p.x <= b && !atOwnJump(k, p.x))
                abscissas.push_back(p.x);
        for (double j : members[k]->jumpAbscissas)
            if (Tolerant::Greater(j, a, xtol + w) && Tolerant::Smaller(j, b, xtol + w))
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
        if (Tolerant::Equal(left, right, ytol))
            abscissas.insert(std::lower_bound(abscissas.begin(), abscissas.end(), j), j);
        else
            realJumps.push_back({j, left, right});
    }

    CVyMathFunction1D combined;
    combined.points.Clear();
    combined.xmin = a;
    combined.xmax = b;
    combined.Xtolerance = xtol;
    combined.Ytolerance = ytol;
    // The points in order: the jumps' sides with their values, the other abscissas (kept) with the sum
    // to come, which is then formed member by member over all of them at once (batch evaluation), each
    // in the same order of members as one at a time.
    std::vector<Point> out;
    std::vector<std::size_t> summed; // indices in out of the points that take a sum
    std::vector<double> us;
    double lastX = 0.0;
    std::size_t next = 0; // the next jump
    const auto pushJump = [&](const Jump& jp) {
        out.push_back({jp.x - w, jp.left});
        out.push_back({jp.x + w, jp.right});
        combined.jumpAbscissas.push_back(jp.x);
        lastX = jp.x + w;
    };
    for (double u : abscissas) {
        while (next < realJumps.size() && realJumps[next].x + 2 * w <= u)
            pushJump(realJumps[next++]);
        if (next < realJumps.size() && std::fabs(u - realJumps[next].x) < 2 * w)
            continue; // counts as the jump's point, or lies inside its window
        if (!out.empty() && u - lastX < xtol)
            continue; // within the tolerance of the point before it
        summed.push_back(out.size());
        us.push_back(u);
        out.push_back({u, 0.0});
        lastX = u;
    }
    for (; next < realJumps.size(); ++next)
        pushJump(realJumps[next]);
    std::vector<double> sums(us.size(), 0.0), at(us.size()), v(us.size());
    for (std::size_t k = 0; k < members.size(); ++k) {
        const CVyMathFunction1D& m = *members[k];
        const std::vector<double>& js = jumps[k];
        const double t = m.Xtolerance;
        for (std::size_t i = 0; i < us.size(); ++i) {
            const double* j = vymath::detail::WindowAround(js, t, us[i]);
            at[i] = j == nullptr ? us[i] : us[i] < *j ? *j - t : *j + t;
        }
        m.GetOrdinates(at.data(), v.data(), at.size()); // a NaN where it fails: a value found is never one
        for (std::size_t i = 0; i < us.size(); ++i) {
            double value = v[i];
            if (vymath::detail::IsNaN(value)) {
                value = 0.0;
                if (!m.GetOrdinate(us[i], value))
                    m.GetOrdinate(std::min(std::max(us[i], m.xmin), m.xmax), value);
            }
            sums[i] = Clamped(sums[i] + Clamped(factors[k] * value));
        }
    }
    for (std::size_t i = 0; i < us.size(); ++i)
        out[summed[i]].y = sums[i];
    for (const Point& p : out)
        combined.points.PushBack(p);
    result = combined;
    return CombineDone;
}
