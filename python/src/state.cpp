// The full state of a Function1D for pickling, read through the library's getters and rebuilt through
// its insertion operations, bit for bit: points in storage order, domain, tolerances, the jump
// abscissas as stored (order and repeats kept) and forceJumps.
#include "bindings.h"

#include <algorithm>

namespace vymath_py {

py::tuple FunctionState(const Function& f) {
    Function& g = const_cast<Function&>(f); // the tolerance getters are not const; they only read
    double a, b;
    f.GetFullRange(a, b);
    const std::vector<double>& jumps = f.GetJumpAbscissas();
    py::array_t<double> jumpArray(static_cast<py::ssize_t>(jumps.size()));
    std::copy(jumps.begin(), jumps.end(), jumpArray.mutable_data());
    return py::make_tuple(1, PointsArray(f.GetPoints()), py::make_tuple(a, b), g.GetXtolerance(),
                          g.GetYtolerance(), jumpArray, f.GetForceJumps() != 0);
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
    // Each two-sided Set appends its abscissa to the jump list: the list comes back in its order.
    for (py::ssize_t k = 0; k < jumps.size(); ++k)
        if (f.Set(jumps.data()[k], 0.0, 1.0) == Function::InsertRefused)
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
