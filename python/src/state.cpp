// The full state of a Function1D for pickling, read and rebuilt through the public operations.
//
// Points, domain and tolerances have accessors. The jump abscissas and forceJumps have none; they are
// read back from the behaviour of a copy: IsDiscontinued(c) with the abscissa tolerance t answers
// whether some jump j has |c - j| < 1.01 t, and Set(x, y, y) records a jump only when jumps are forced.
#include "bindings.h"

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vymath_py {

namespace {

// Doubles in increasing order map to increasing keys (-0.0 and +0.0 share the key 0).
std::int64_t OrderKey(double d) {
    std::int64_t i;
    std::memcpy(&i, &d, sizeof i);
    return i < 0 ? -(i & std::numeric_limits<std::int64_t>::max()) : i;
}

double FromOrderKey(std::int64_t k) {
    const std::int64_t i = k < 0 ? (-k) | std::numeric_limits<std::int64_t>::min() : k;
    double d;
    std::memcpy(&d, &i, sizeof d);
    return d;
}

// Probes a private copy of a function for jumps near an abscissa.
class JumpProbe {
public:
    explicit JumpProbe(const Function& f) : copy(f) {}

    // Some jump j has |c - j| < 1.01 t (as IsDiscontinued computes it).
    bool Near(double c, double t) {
        copy.SetXtolerance(t);
        return copy.IsDiscontinued(c);
    }
    // A jump at c exactly: |c - j| < 1.01 * the smallest denormal holds for c == j only.
    bool At(double c) { return Near(c, std::numeric_limits<double>::denorm_min()); }

    // Appends the jumps with keys in [lo, hi], in increasing order. The probe around the middle c of
    // [a, b] with t = 2 max(b - c, c - a) covers the whole interval, so an empty answer prunes it.
    void Collect(std::int64_t lo, std::int64_t hi, std::vector<double>& out) {
        const double a = FromOrderKey(lo), b = FromOrderKey(hi);
        if (lo == hi) {
            if (At(a))
                out.push_back(a);
            return;
        }
        const double c = a / 2 + b / 2;
        const double r = std::max(b - c, c - a);
        if (!Near(c, 2 * r))
            return;
        const std::int64_t mid =
            lo +
            static_cast<std::int64_t>((static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo)) / 2);
        Collect(lo, mid, out);
        Collect(mid + 1, hi, out);
    }

    Function copy;
};

} // namespace

std::vector<double> JumpAbscissas(const Function& f) {
    JumpProbe probe(f);
    std::vector<double> jumps;
    probe.Collect(OrderKey(-DBL_MAX), OrderKey(DBL_MAX), jumps);
    return jumps;
}

bool ForcesJumps(const Function& f) {
    JumpProbe probe(f);
    double x = 0.0;
    while (probe.At(x))
        x += 1.0;
    probe.copy.SetYtolerance(1.0); // equal sides: a jump is recorded only when forced
    probe.copy.Set(x, 0.0, 0.0);
    return probe.At(x);
}

py::tuple FunctionState(const Function& f) {
    Function& g = const_cast<Function&>(f); // the tolerance getters are not const; they only read
    double a, b;
    f.GetFullRange(a, b);
    const std::vector<double> jumps = JumpAbscissas(f);
    py::array_t<double> jumpArray(static_cast<py::ssize_t>(jumps.size()));
    std::copy(jumps.begin(), jumps.end(), jumpArray.mutable_data());
    return py::make_tuple(1, PointsArray(StoredPoints(f)), py::make_tuple(a, b), g.GetXtolerance(),
                          g.GetYtolerance(), jumpArray, ForcesJumps(f));
}

Function FunctionFromState(const py::tuple& state) {
    if (state.size() != 7 || state[0].cast<int>() != 1)
        throw py::value_error("state: not a Function1D state of this version");
    const DoubleArray points = Reals("state points", state[1]);
    if (points.ndim() != 2 || points.shape(1) != 2)
        throw py::value_error("state points must have the shape (n, 2)");
    const auto domain = state[2].cast<std::pair<double, double>>();
    const double xtol = state[3].cast<double>(), ytol = state[4].cast<double>();
    const DoubleArray jumps = RealVector("state jumps", state[5]);
    const bool forced = state[6].cast<bool>();

    Function f(domain.first, domain.second, forced ? 1 : 0);
    // With Xtolerance 0 no two abscissas are ever equal, so nothing is replaced or refused as taken.
    f.SetXtolerance(0.0);
    for (py::ssize_t k = 0; k < jumps.size(); ++k)
        if (f.Set(jumps.data()[k], 0.0, 1.0) == Function::InsertRefused) // records the jump abscissa
            throw py::value_error("state jumps[" + std::to_string(k) + "] is not finite");
    f.Clear(true);
    const py::ssize_t n = points.shape(0);
    const double* p = points.data();
    // The last point first; each other one goes in just before it, in order.
    bool stored = n == 0 || f.Set(p[2 * (n - 1)], p[2 * (n - 1) + 1]) == Function::InsertDone;
    for (py::ssize_t k = 0; stored && k + 1 < n; ++k)
        stored = f.SetUniqueAbscissa(p[2 * k], p[2 * k + 1], 0.0) == Function::InsertDone;
    if (!stored)
        throw py::value_error("state points: a point is not finite or has a NaN ordinate");
    f.SetXtolerance(xtol);
    f.SetYtolerance(ytol);
    return f;
}

} // namespace vymath_py
