// Envelopes of a function set.
#include "vymath/CVyMathSetFunction1D.h"

#include "vymath/CVyMath.h"

#include "foundation/Access.h"
#include "function1d/Queries.h"
#include "function1d/Search.h"
#include "function1d/Storage.h"

#include <algorithm>
#include <cfloat>
#include <vector>

using vymath::detail::Access;
using vymath::detail::Tolerant;

using vymath::detail::IsNaN;

namespace {

using Point = CVyMathFunction1D::Point;

constexpr double kEnvelopeXTolerance = 1e-9;

// The abscissas of a point list, sorted, NaNs left out, exact duplicates dropped (the first kept).
std::vector<double> DistinctAbscissas(const std::vector<Point>& list) {
    std::vector<double> xs;
    xs.reserve(list.size());
    for (const Point& p : list)
        if (!IsNaN(p.x))
            xs.push_back(p.x);
    if (!std::is_sorted(xs.begin(), xs.end()))
        std::stable_sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

// The ordered set of the abscissas of lists[0], lists[1], ... inserted in that order: the union of
// the distinct values in increasing order, where equal values (0.0 and -0.0 alike) count once as the
// first inserted.
std::vector<double> OrderedUnion(const std::vector<std::vector<double>>& lists) {
    std::vector<std::size_t> at(lists.size(), 0);
    std::vector<double> out;
    for (;;) {
        const double* least = nullptr;
        for (std::size_t k = 0; k < lists.size(); ++k)
            if (at[k] < lists[k].size() && (least == nullptr || lists[k][at[k]] < *least))
                least = &lists[k][at[k]];
        if (least == nullptr)
            return out;
        const double m = *least;
        bool first = true;
        for (std::size_t k = 0; k < lists.size(); ++k) {
            if (at[k] < lists[k].size() && lists[k][at[k]] == m) {
                if (first)
                    out.push_back(lists[k][at[k]]);
                first = false;
                ++at[k];
            }
        }
    }
}

// A work function: the two end points of [a, b] at ordinate 0, abscissa tolerance 1e-9.
CVyMathFunction1D WorkFunction(double a, double b) {
    CVyMathFunction1D w;
    w.SetDomain(a, b);
    w.SetXtolerance(kEnvelopeXTolerance);
    return w;
}

} // namespace

void CVyMathSetFunction1D::EnveloppeMaxMin(CVyMathFunction1D* f1, CVyMathFunction1D* f2,
                                           CVyMathFunction1D* lower, CVyMathFunction1D* upper) const {
    if (f1 == nullptr || f2 == nullptr)
        return;
    // An output may be one of the functions: then every value is read as the function stands after the
    // points set before it, as the walk is written. Otherwise the values come from the crossing walk,
    // which evaluates both functions at most of the abscissas, or from sweeps.
    const bool aliased = lower == f1 || lower == f2 || upper == f1 || upper == f2;
    vymath::detail::CrossingSamples walk;
    const std::vector<double> abscissas =
        OrderedUnion({DistinctAbscissas(vymath::detail::ListPoints(*f1, CVyMathFunction1D::ListFiniteEnds)),
                      DistinctAbscissas(vymath::detail::ListPoints(*f2, CVyMathFunction1D::ListFiniteEnds)),
                      DistinctAbscissas(vymath::detail::Crossings(*f1, *f2, &walk))});
    if (aliased)
        walk.x.clear();
    else
        for (CVyMathFunction1D* out : {lower, upper})
            if (out != nullptr)
                Access::Points(*out).Reserve(Access::Points(*out).size() + abscissas.size());
    // The abscissas the walk did not sample, both functions at each of them at once (batch evaluation).
    std::vector<double> rest, restValues[2];
    if (!aliased) {
        std::size_t w = 0;
        for (double x : abscissas) {
            while (w < walk.x.size() && walk.x[w] < x)
                ++w;
            if (!(w < walk.x.size() && vymath::detail::SameBits(walk.x[w], x)))
                rest.push_back(x);
        }
        for (int k = 0; k < 2; ++k) {
            restValues[k].resize(rest.size());
            vymath::detail::EvaluateAll(vymath::detail::View(*(k == 0 ? f1 : f2)), rest.data(),
                                        restValues[k].data(), rest.size());
        }
    }
    std::size_t w = 0, r = 0;
    for (double x : abscissas) {
        double lo = DBL_MAX;
        double hi = -DBL_MAX;
        // Each function's value at x, a NaN where it has none (a NaN moves neither bound).
        double values[2] = {CVyMath::dfNAN, CVyMath::dfNAN};
        while (w < walk.x.size() && walk.x[w] < x)
            ++w;
        if (w < walk.x.size() && vymath::detail::SameBits(walk.x[w], x)) {
            values[0] = walk.f[w];
            values[1] = walk.g[w];
        } else if (aliased) {
            f1->GetOrdinate(x, values[0]);
            f2->GetOrdinate(x, values[1]);
        } else { // a NaN where it fails, as the value left unset
            values[0] = restValues[0][r];
            values[1] = restValues[1][r++];
        }
        for (double y : values) {
            if (Tolerant::Greater(y, hi, 1e-10))
                hi = y;
            if (Tolerant::Smaller(y, lo, 1e-10))
                lo = y;
        }
        if (lower != nullptr)
            lower->Set(x, lo);
        if (upper != nullptr)
            upper->Set(x, hi);
    }
}

bool CVyMathSetFunction1D::EnvelopMaxMin(CVyMathFunction1D& lower, CVyMathFunction1D& upper) const {
    if (functions.empty())
        return false;
    for (CVyMathFunction1D* out : {&lower, &upper}) {
        out->SetDomain(rangeMin, rangeMax);
        out->SetXtolerance(kEnvelopeXTolerance);
    }
    int k = 0;
    for (CVyMathFunction1D* e : functions) {
        if (k == 0) {
            lower = *e;
            ++k;
            continue;
        }
        CVyMathFunction1D w1 = WorkFunction(rangeMin, rangeMax);
        CVyMathFunction1D w2 = WorkFunction(rangeMin, rangeMax);
        if (k == 1) {
            upper = *e;
            EnveloppeMaxMin(&lower, &upper, &w1, &w2);
            lower = w1;
            upper = w2;
        } else {
            EnveloppeMaxMin(&lower, e, &w1, nullptr);
            lower = w1;
            EnveloppeMaxMin(e, &upper, nullptr, &w2);
            upper = w2;
        }
        ++k;
    }
    return true;
}

double CVyMathSetFunction1D::FindMinimalStep() const {
    bool any = false;
    double step = 0.0;
    for (CVyMathFunction1D* m : functions) {
        const int n = m->GetNumberElement();
        if (n < 2)
            continue;
        double a, b;
        m->GetFullRange(a, b);
        const double candidate = (b - a) / (n - 1);
        step = any ? Tolerant::Min(step, candidate) : candidate;
        any = true;
    }
    return step;
}

bool CVyMathSetFunction1D::EnvelopMaxMin(CVyMathFunction1D& lower, CVyMathFunction1D& upper,
                                         std::vector<int>& lowerCase, std::vector<int>& upperCase) const {
    if (!EnvelopMaxMin(lower, upper))
        return false;
    const auto governing = [this](const CVyMathFunction1D& envelope, std::vector<int>& cases) {
        std::vector<vymath::detail::Sweep> members;
        for (const CVyMathFunction1D* m : functions)
            members.emplace_back(vymath::detail::View(*m));
        const Access::PointArray& points = Access::Points(envelope);
        const std::size_t n = points.size();
        cases.assign(n, -1);
        for (std::size_t i = 0; i < n; ++i) {
            const double x = points.X()[i], y = points.Y()[i];
            for (std::size_t k = 0; k < members.size(); ++k) {
                double v;
                if (members[k].At(x, v) && Tolerant::Equal(v, y, 1e-10)) {
                    cases[i] = static_cast<int>(k);
                    break;
                }
            }
        }
    };
    governing(lower, lowerCase);
    governing(upper, upperCase);
    return true;
}
