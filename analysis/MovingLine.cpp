// The influence line as knots: its vertices, mirror, sign, lane areas and the effect of a placed load.
#include "MovingPieces.h"

#include "Text.h"
#include "vymath/analysis/Error.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace vymath {
namespace analysis {
namespace moving {

using text::Shortest;

// ---- The line ----

// The line's vertices as knots: a jump's two points make one knot at the jump, read by Diagram::Sides;
// the ends close the line to 0 outside.
void LineKnots(const Diagram& d, Knots& out) {
    const std::vector<CVyMathFunction1D::Point> points = d.f.GetPoints();
    if (points.size() < 2)
        throw Error(Error::Kind::Data, "an influence line needs two points at least");
    if (!(points.front().x > -DBL_MAX && points.back().x < DBL_MAX))
        throw Error(Error::Kind::Data, "an influence line needs finite ends");
    const double t = const_cast<CVyMathFunction1D&>(d.f).GetXtolerance(); // a getter that is not const
    out.clear();
    std::size_t j = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = points[i].x, y = points[i].y;
        while (j < d.jumps.size() && d.jumps[j] + t < x)
            ++j;
        if (j < d.jumps.size() && d.jumps[j] - t <= x) {
            const double at = d.jumps[j];
            double left = y, right = y;
            d.Sides(at, left, right);
            out.push_back({at, left, left == right ? left : kNaN, right});
            while (i + 1 < points.size() && points[i + 1].x <= at + t)
                ++i;
            ++j;
            continue;
        }
        out.push_back({x, y, y, y});
    }
    if (out.size() < 2)
        throw Error(Error::Kind::Data, "an influence line needs two vertices at least");
    out.front().l = 0.0;
    out.front().m = out.front().r;
    out.back().m = out.back().l;
    out.back().r = 0.0;
}

// The line travelled backward: x -> -x, the sides exchanged.
void Mirror(const Knots& in, Knots& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Knot& k = in[in.size() - 1 - i];
        out[i] = {-k.x, k.r, k.m, k.l};
    }
}

void Negate(const Knots& in, Knots& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        out[i] = {in[i].x, -in[i].l, -in[i].m, -in[i].r};
}

// The integral of the line's positive part (sign +1) or negative part (sign -1, a negative result), and
// the stretches where it is so, exact between the zeros.
double LaneArea(const Knots& k, double sign, std::vector<std::pair<double, double>>* stretches) {
    double area = 0.0;
    for (std::size_t i = 0; i + 1 < k.size(); ++i) {
        const double x0 = k[i].x, x1 = k[i + 1].x, a = sign * k[i].r, b = sign * k[i + 1].l;
        double from = x0, to = x1;
        if (a > 0.0 && b > 0.0) {
            area += (x1 - x0) * (a + b) / 2;
        } else if (a > 0.0) {
            to = x0 + (x1 - x0) * (a / (a - b));
            area += (to - x0) * a / 2;
        } else if (b > 0.0) {
            from = x0 + (x1 - x0) * (a / (a - b));
            area += (x1 - from) * b / 2;
        } else {
            continue;
        }
        if (stretches) {
            if (!stretches->empty() && stretches->back().second == from)
                stretches->back().second = to;
            else
                stretches->emplace_back(from, to);
        }
    }
    return sign * area;
}

// The knot within tol of x, or npos.
std::size_t KnotAt(const Knots& k, double x, double tol) {
    const auto it =
        std::lower_bound(k.begin(), k.end(), x - tol, [](const Knot& a, double v) { return a.x < v; });
    return it != k.end() && it->x <= x + tol ? static_cast<std::size_t>(it - k.begin()) : k.size();
}

// The line's value at x read from the side asked: on a knot (within tol) its limit or value (a jump's
// mean for None), elsewhere by interpolation, 0 beyond the ends.
double Read(const Knots& k, double x, Side side, double tol) {
    const std::size_t i = KnotAt(k, x, tol);
    if (i < k.size()) {
        const Knot& v = k[i];
        return side == Side::Left ? v.l : side == Side::Right ? v.r : v.m == v.m ? v.m : (v.l + v.r) / 2;
    }
    if (!(x > k.front().x && x < k.back().x))
        return 0.0;
    const auto it = std::lower_bound(k.begin(), k.end(), x, [](const Knot& a, double v) { return a.x < v; });
    return Between(k.data(), k.size(), static_cast<std::size_t>(it - k.begin()), x);
}

// How close to a vertex an axle stands on it: the rounding of positions summed from spacings.
double Tolerance(const Knots& k, const std::vector<double>& spacings) {
    double extent = std::fabs(k.front().x) + std::fabs(k.back().x);
    for (double s : spacings)
        extent += std::fabs(s);
    return 64 * DBL_EPSILON * extent;
}

// The axles' abscissas of a placement: forward p - c_k, backward p + c_k, c_k summed in order.
void Abscissas(const MovingPlacement& at, std::size_t axles, std::vector<double>& out) {
    out.resize(axles);
    double c = 0.0;
    for (std::size_t k = 0; k < axles; ++k) {
        if (k > 0)
            c += at.spacings[k - 1];
        out[k] = at.direction == Direction::Forward ? at.position - c : at.position + c;
    }
}

double Effect(const Knots& line, const LoadModel& model, const MovingPlacement& at, double laneArea,
              std::vector<double>& xs) {
    double vehicle = 0.0;
    if (!model.loads.empty() && at.position == at.position) {
        const double tol = Tolerance(line, at.spacings);
        Abscissas(at, model.loads.size(), xs);
        for (std::size_t k = 0; k < xs.size(); ++k) {
            const Side side = at.sides.empty() ? at.side : at.sides[k];
            vehicle += model.factor * model.loads[k] * Read(line, xs[k], side, tol);
        }
    }
    return vehicle + model.lane * model.laneFactor * laneArea;
}

void CheckModel(const LoadModel& m, std::size_t index) {
    const auto fail = [index](const std::string& what) {
        throw Error(Error::Kind::Usage, "load model " + std::to_string(index) + ": " + what);
    };
    const auto amount = [](double v) { return std::isfinite(v) && v >= 0.0; };
    for (double p : m.loads)
        if (!amount(p))
            fail("the axle load " + Shortest(p) + " is not a finite number of 0 or more");
    if (m.spacings.size() + (m.loads.empty() ? 0 : 1) != m.loads.size())
        fail(std::to_string(m.loads.size()) + " axles with " + std::to_string(m.spacings.size()) +
             " spacings: a train of n axles has n - 1");
    for (const AxleSpacing& s : m.spacings)
        if (!amount(s.min) || !(s.max >= s.min))
            fail("the spacing [" + Shortest(s.min) + ", " + Shortest(s.max) +
                 "] is not a range of 0 or more");
    if (!amount(m.factor) || !amount(m.lane) || !amount(m.laneFactor))
        fail("factor, lane and lane_factor are finite numbers of 0 or more");
}

} // namespace moving
} // namespace analysis
} // namespace vymath
