// Differential fuzzing of the exact envelopes: members decoded in one of several scenarios, then
// ExactEnvelopes against the brute-force reference (result, points bit for bit, cases, domain,
// tolerances), the points' spacing, and the envelope against the true extreme of the members at every
// point the fold stores with a governing member, away from the members' vertices (within 1e-9 of the
// values' scale, and of what the steepest member there changes over two spacings of the output: a feature
// narrower than the spacing becomes a step of it).
#include "FuzzCommon.h"
#include "foundation/Access.h"
#include "reference/RefExactEnvelope.h"
#include "reference/RefInternal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using F = CVyMathFunction1D;
using Pt = CVyMathFunction1D::Point;

enum Scenario {
    kOwn,
    kShared,
    kPartial,
    kJumps,
    kCoincident,
    kParallel,
    kMagnitude,
    kOpenEnds,
    kOdd,
    kCount
};

struct Member {
    std::vector<Pt> points;
    double xmin, xmax;
};

double Abscissa(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 40) * 0.25
                            : in.ConsumeFloatingPointInRange(0.0, 10.0);
}

// An ordinate as the library stores one: never a NaN, an infinity as +-DBL_MAX.
double Ordinate(FuzzedDataProvider& in, double scale) {
    double y;
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        y = in.ConsumeIntegralInRange(-10, 10) * 0.5 * scale;
        break;
    case 1:
        y = fuzz::Value(in) * scale;
        break;
    default:
        y = in.ConsumeFloatingPointInRange(-100.0, 100.0) * scale;
        break;
    }
    return ref::detail::ValidateValue(y) ? y : 0.0;
}

std::vector<double> Stations(FuzzedDataProvider& in, double from, double to) {
    std::vector<double> xs{from, to};
    const int n = in.ConsumeIntegralInRange(0, 14);
    for (int i = 0; i < n; ++i)
        xs.push_back(from + (to - from) * Abscissa(in) / 10.0);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

Member OnStations(FuzzedDataProvider& in, const std::vector<double>& xs, double scale) {
    Member m{{}, xs.front(), xs.back()};
    for (double x : xs)
        m.points.push_back({x, Ordinate(in, scale)});
    return m;
}

std::vector<Member> Decode(FuzzedDataProvider& in, int scenario) {
    const int count = in.ConsumeIntegralInRange(1, 7);
    std::vector<Member> members;
    const std::vector<double> shared = Stations(in, 0.0, 10.0);
    const double scale = scenario == kMagnitude ? (in.ConsumeBool() ? 1e-6 : 1e6) : 1.0;
    for (int k = 0; k < count; ++k) {
        switch (scenario) {
        case kShared:
            members.push_back(OnStations(in, shared, 1.0));
            break;
        case kPartial: {
            double a = Abscissa(in), b = Abscissa(in);
            if (a > b)
                std::swap(a, b);
            members.push_back(OnStations(in, a < b ? Stations(in, a, b) : std::vector<double>{a}, 1.0));
            break;
        }
        case kJumps: {
            Member m = OnStations(in, Stations(in, 0.0, 10.0), 1.0);
            const int jumps = in.ConsumeIntegralInRange(1, 3);
            for (int j = 0; j < jumps; ++j) {
                const double x = 0.5 + in.ConsumeIntegralInRange(0, 18) * 0.5;
                const double w =
                    in.ConsumeBool() ? 1e-5 : 0.0; // a stored jump, or two points at one abscissa
                std::vector<Pt>& p = m.points;
                p.erase(std::remove_if(p.begin(), p.end(),
                                       [&](const Pt& q) { return q.x >= x - w && q.x <= x + w; }),
                        p.end());
                const auto at =
                    std::lower_bound(p.begin(), p.end(), x, [](const Pt& q, double v) { return q.x < v; });
                p.insert(p.insert(at, Pt{x + w, Ordinate(in, 1.0)}), Pt{x - w, Ordinate(in, 1.0)});
            }
            m.xmin = m.points.front().x;
            m.xmax = m.points.back().x;
            members.push_back(m);
            break;
        }
        case kCoincident: { // the first member, moved by tiny amounts on all or some points
            if (members.empty()) {
                members.push_back(OnStations(in, shared, 1.0));
                break;
            }
            Member m = members.front();
            static const double moves[] = {0.0, 1e-12, -1e-12, 1e-10, -1e-10, 2e-10, 1e-3, -1e-3};
            const double move = in.PickValueInArray(moves);
            const bool all = in.ConsumeBool();
            for (Pt& p : m.points)
                if (all || in.ConsumeBool()) {
                    p.y += move * std::max(1.0, std::fabs(p.y));
                    ref::detail::ValidateValue(p.y);
                }
            members.push_back(m);
            break;
        }
        case kParallel: { // lines crossing at small angles
            const double base = Ordinate(in, 1.0), slope = in.ConsumeIntegralInRange(-4, 4) * 0.5;
            const double tilt =
                std::ldexp(1.0, -in.ConsumeIntegralInRange(10, 50)) * (in.ConsumeBool() ? 1 : -1);
            const double at = Abscissa(in);
            Member m{{}, 0.0, 10.0};
            for (double x : in.ConsumeBool() ? shared : Stations(in, 0.0, 10.0))
                m.points.push_back({x, base + slope * x + tilt * (x - at)});
            members.push_back(m);
            break;
        }
        case kOpenEnds: {
            Member m = OnStations(in, Stations(in, 0.0, 10.0), 1.0);
            if (in.ConsumeBool()) {
                m.points.insert(m.points.begin(), Pt{-DBL_MAX, Ordinate(in, 1.0)});
                m.xmin = -DBL_MAX;
            }
            if (in.ConsumeBool()) {
                m.points.push_back({DBL_MAX, Ordinate(in, 1.0)});
                m.xmax = DBL_MAX;
            }
            members.push_back(m);
            break;
        }
        case kOdd: { // one point, no point, points at one abscissa, a domain off the points, out of order
            Member m = OnStations(in, Stations(in, 0.0, 10.0), 1.0);
            switch (in.ConsumeIntegralInRange(0, 5)) {
            case 0:
                m.points.resize(1);
                break;
            case 1:
                m.points.clear();
                break;
            case 2:
                for (Pt& p : m.points)
                    p.x = m.points.front().x;
                break;
            case 3:
                m.xmin -= 1.0;
                m.xmax += in.ConsumeBool() ? 1.0 : -0.5;
                break;
            case 4:
                if (m.points.size() > 2)
                    std::swap(m.points[0], m.points[1]);
                break;
            default:
                break;
            }
            members.push_back(m);
            break;
        }
        default:
            members.push_back(OnStations(in, Stations(in, 0.0, 10.0), scale));
            break;
        }
    }
    return members;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The extreme of the members defined at x (first to last point), false where none is; scale: the largest
// magnitude of the ends of their segments there (what the crossings' rounding is relative to); steep: the
// steepest of those segments (a feature narrower than the output's spacing becomes a step of it).
bool Extreme(const std::vector<ref::Polyline>& members, double x, bool upper, double& best, double& scale,
             double& steep) {
    bool any = false;
    scale = 0.0;
    steep = 0.0;
    for (const ref::Polyline& p : members) {
        for (std::size_t i = 0; i + 1 < p.x.size(); ++i) {
            if (!(p.x[i] <= x && x <= p.x[i + 1]) || !(p.x[i] < p.x[i + 1]))
                continue;
            const double v = ref::detail::LagrangeLine(p.x[i], p.y[i], p.x[i + 1], p.y[i + 1], x);
            scale = std::max({scale, std::fabs(p.y[i]), std::fabs(p.y[i + 1])});
            steep = std::max(steep, std::fabs((p.y[i + 1] - p.y[i]) / (p.x[i + 1] - p.x[i])));
            if (!any || (upper ? v > best : v < best))
                best = v;
            any = true;
        }
    }
    return any;
}

// The output at x by the line through its two points around x, and the largest magnitude of the two.
double Between(const std::vector<Pt>& out, double x, double& magnitude) {
    std::size_t i = 0;
    while (i + 2 < out.size() && out[i + 1].x <= x)
        ++i;
    magnitude = std::max(std::fabs(out[i].y), std::fabs(out[i + 1].y));
    return ref::detail::LagrangeLine(out[i].x, out[i].y, out[i + 1].x, out[i + 1].y, x);
}

void Check(bool ok, const char* what) {
    fuzz::Check(ok, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int scenario = in.ConsumeIntegralInRange(0, static_cast<int>(kCount) - 1);
    const std::vector<Member> decoded = Decode(in, scenario);

    std::vector<std::unique_ptr<F>> functions;
    CVyMathSetFunction1D set;
    for (std::size_t k = 0; k < decoded.size(); ++k) {
        functions.push_back(std::make_unique<F>(decoded[k].xmin, decoded[k].xmax, 0));
        vymath::detail::Access::SetPoints(*functions.back(), decoded[k].points);
        functions.back()->SetYtolerance(1e-5 * static_cast<double>(k + 1)); // coincident members stay apart
        set.AddFunction(functions.back().get());
    }
    std::vector<ref::Polyline> members;
    for (int k = 0; k < set.GetNumber(); ++k) {
        ref::Polyline p;
        for (const Pt& q : set.GetElem(k)->GetPoints()) {
            p.x.push_back(q.x);
            p.y.push_back(q.y);
        }
        members.push_back(p);
    }
    double lo, hi;
    set.GetFullRange(lo, hi);
    if (std::getenv("VYMATH_FUZZ_TRACE") != nullptr) {
        std::fprintf(stderr, "scenario %d, range [%.17g, %.17g]\n", scenario, lo, hi);
        for (std::size_t k = 0; k < members.size(); ++k)
            for (std::size_t i = 0; i < members[k].x.size(); ++i)
                std::fprintf(stderr, "member %zu: %.17g %.17g\n", k, members[k].x[i], members[k].y[i]);
    }

    F lower(-3.0, 3.0, 1), upper(-3.0, 3.0, 1);
    lower.Set(1.0, 2.0, 5.0);
    std::vector<int> lowerCase{7}, upperCase{7, 7};
    const bool ok = set.ExactEnvelopes(lower, upper, lowerCase, upperCase);
    std::vector<double> xs[2], ys[2];
    std::vector<int> cases[2];
    const bool refOk = ref::ExactEnvelope(members, lo, hi, false, xs[0], ys[0], cases[0]) &&
                       ref::ExactEnvelope(members, lo, hi, true, xs[1], ys[1], cases[1]);
    Check(ok == refOk, "result differs from the reference");
    if (!ok) {
        Check(lower.GetPoints().size() == 4 && lowerCase.size() == 1 && upperCase.size() == 2,
              "outputs touched on failure");
        return 0;
    }
    const F* outputs[2] = {&lower, &upper};
    const std::vector<int>* got[2] = {&lowerCase, &upperCase};
    for (int k = 0; k < 2; ++k) {
        const std::vector<Pt> pts = outputs[k]->GetPoints();
        if (std::getenv("VYMATH_FUZZ_TRACE") != nullptr)
            for (std::size_t i = 0; i < pts.size(); ++i)
                std::fprintf(stderr, "%s %zu: %.17g %.17g %d | ref %.17g %.17g %d\n", k ? "upper" : "lower",
                             i, pts[i].x, pts[i].y, (*got[k])[i], i < xs[k].size() ? xs[k][i] : 0.0,
                             i < ys[k].size() ? ys[k][i] : 0.0, i < cases[k].size() ? cases[k][i] : -9);
        Check(pts.size() == xs[k].size() && got[k]->size() == pts.size(),
              "point count differs from the reference");
        for (std::size_t i = 0; i < pts.size(); ++i) {
            Check(SameBits(pts[i].x, xs[k][i]) && SameBits(pts[i].y, ys[k][i]),
                  "point differs from the reference");
            Check((*got[k])[i] == cases[k][i], "case differs from the reference");
            Check(i == 0 || pts[i].x - pts[i - 1].x >= 2e-9, "points closer than twice the tolerance");
        }
        double a, b;
        const_cast<F*>(outputs[k])->GetFullRange(a, b);
        Check(a == lo && b == hi && const_cast<F*>(outputs[k])->GetXtolerance() == 1e-9 &&
                  outputs[k]->GetJumpAbscissas().empty(),
              "output domain, tolerance or jumps");
    }

    // Against the fold, where every member is defined on its domain exactly (no open end, no odd member):
    // at each point the fold stores with a governing member, away from every vertex, the envelope is the
    // members' extreme, and the fold's value does not pass it.
    if (scenario == kOpenEnds || scenario == kOdd || lower.GetNumberElement() < 2)
        return 0;
    F foldLower, foldUpper;
    std::vector<int> foldLowerCase, foldUpperCase;
    set.EnvelopMaxMin(foldLower, foldUpper, foldLowerCase, foldUpperCase);
    const F* folds[2] = {&foldLower, &foldUpper};
    const std::vector<int>* foldCases[2] = {&foldLowerCase, &foldUpperCase};
    for (int k = 0; k < 2; ++k) {
        const std::vector<Pt> fold = folds[k]->GetPoints();
        const std::vector<Pt> exact = outputs[k]->GetPoints();
        for (std::size_t i = 0; i < fold.size(); ++i) {
            const double x = fold[i].x;
            bool nearVertex = !(lo < x && x < hi);
            for (const ref::Polyline& p : members)
                for (double v : p.x)
                    nearVertex =
                        nearVertex || std::fabs(x - v) <= 1.5e-5; // Xtolerance, with room for rounding
            double extreme, scale, steep;
            if ((*foldCases[k])[i] < 0 || nearVertex || !Extreme(members, x, k == 1, extreme, scale, steep))
                continue;
            double magnitude;
            const double mine = Between(exact, x, magnitude);
            const double tol = 1e-9 * std::max({1.0, scale, magnitude}) + 4e-9 * steep;
            if (std::getenv("VYMATH_FUZZ_TRACE") != nullptr)
                std::fprintf(stderr, "fold %d at %.17g: fold %.17g (member %d), exact %.17g, extreme %.17g\n",
                             k, x, fold[i].y, (*foldCases[k])[i], mine, extreme);
            Check(std::fabs(mine - extreme) <= tol, "envelope off the members' extreme");
            Check(k == 1 ? fold[i].y <= extreme + tol : fold[i].y >= extreme - tol,
                  "fold beyond the extreme");
        }
    }
    return 0;
}
