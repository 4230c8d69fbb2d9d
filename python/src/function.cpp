// vymath.Function1D: CVyMathFunction1D with numpy arguments and results.
#include "bindings.h"

#include <algorithm>
#include <cmath>

using namespace pybind11::literals;

namespace vymath_py {

namespace {

using Codes = Function::InfoInsertPoint;

std::string Item(const char* name, py::ssize_t i) {
    return std::string(name) + "[" + std::to_string(i) + "]";
}

std::string Text(double v) {
    return py::repr(py::float_(v)).cast<std::string>();
}

// ---- construction from points -------------------------------------------------------------

// Checks x, y and the domain for the construction from points; ValueError naming the first bad item.
void CheckPoints(const DoubleArray& xs, const DoubleArray& ys, double a, double b, double tol) {
    const py::ssize_t n = xs.size();
    const double* x = xs.data();
    const double* y = ys.data();
    if (ys.size() != n)
        throw py::value_error("x and y differ in length: " + std::to_string(n) + " and " +
                              std::to_string(ys.size()));
    if (n < 2)
        throw py::value_error("x and y need at least two points");
    for (py::ssize_t i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]))
            throw py::value_error(Item("x", i) + " must be finite, got " + Text(x[i]));
        if (i > 0 && x[i] < x[i - 1])
            throw py::value_error(Item("x", i) + " = " + Text(x[i]) + " is below " + Item("x", i - 1) +
                                  " = " + Text(x[i - 1]) + ": abscissas must be non-decreasing");
        if (std::isnan(y[i]))
            throw py::value_error(Item("y", i) + " is NaN");
    }
    if (std::isnan(a) || std::isnan(b) || b < a)
        throw py::value_error("domain must be (xmin, xmax) with xmin <= xmax, got (" + Text(a) + ", " +
                              Text(b) + ")");
    if (x[0] < a || x[n - 1] > b)
        throw py::value_error("domain (" + Text(a) + ", " + Text(b) + ") does not hold " +
                              (x[0] < a ? Item("x", 0) : Item("x", n - 1)));
    // The abscissas as the library will store them, a jump's two at x -+ tol, with the bounds that
    // stay as points of their own: two closer than tol would be merged or refused.
    struct Abscissa {
        double x;
        py::ssize_t index;
    };
    std::vector<Abscissa> stored;
    if (!(std::fabs(x[0] - a) < tol))
        stored.push_back({a, 0});
    for (py::ssize_t i = 0; i < n; ++i) {
        if (i + 1 < n && x[i + 1] == x[i]) {
            if (i == 0 || i + 2 == n)
                throw py::value_error(Item("x", i) + ": a jump needs a point on each side");
            if (i + 2 < n && x[i + 2] == x[i])
                throw py::value_error(Item("x", i + 2) + ": three equal abscissas (a jump takes two)");
            stored.push_back({x[i] - tol, i});
            stored.push_back({x[i] + tol, i + 1});
            ++i;
        } else {
            stored.push_back({x[i], i});
        }
    }
    if (!(std::fabs(x[n - 1] - b) < tol))
        stored.push_back({b, n - 1});
    for (std::size_t k = 1; k < stored.size(); ++k)
        if (stored[k].x - stored[k - 1].x < tol)
            throw py::value_error(Item("x", stored[k].index) + ": closer than the abscissa tolerance " +
                                  Text(tol) + " to the point before it (a jump's points lie at x -+ " +
                                  Text(tol) + ")");
}

Function FromPoints(py::handle xValues, py::handle yValues, py::handle domain) {
    const DoubleArray xs = RealVector("x", xValues);
    const DoubleArray ys = RealVector("y", yValues);
    double a = xs.size() > 0 ? xs.data()[0] : 0.0;
    double b = xs.size() > 0 ? xs.data()[xs.size() - 1] : 0.0;
    if (!domain.is_none()) {
        const DoubleArray d = RealVector("domain", domain);
        if (d.size() != 2)
            throw py::value_error("domain must be (xmin, xmax)");
        a = d.data()[0];
        b = d.data()[1];
    }
    const double tol = Function().GetXtolerance();
    CheckPoints(xs, ys, a, b, tol);
    Function f(a, b, 0);
    const double* x = xs.data();
    const double* y = ys.data();
    for (py::ssize_t i = 0; i < xs.size(); ++i) {
        const bool jump = i + 1 < xs.size() && x[i + 1] == x[i];
        const Codes code = jump ? f.Set(x[i], y[i], y[i + 1]) : f.Set(x[i], y[i]);
        if (code != Function::InsertDone)
            throw py::value_error(Item("x", i) + ": point not stored (" +
                                  py::str(py::cast(code)).cast<std::string>() + ")");
        i += jump ? 1 : 0;
    }
    return f;
}

// ---- sampling -------------------------------------------------------------------------------

// The callable sampled by the library through Sample(); set for the duration of one construction.
thread_local py::handle* sampled = nullptr;

double Sample(double x) {
    py::object v = (*sampled)(x);
    const double d = PyFloat_AsDouble(v.ptr());
    if (d == -1.0 && PyErr_Occurred())
        throw py::error_already_set();
    return d;
}

void CheckSampling(double x0, double x1, int n) {
    RequireFinite("x0", x0);
    RequireFinite("x1", x1);
    if (n < 1)
        throw py::value_error("n must be at least 1, got " + std::to_string(n));
}

Function FromCallable(py::object func, double x0, double x1, int n) {
    if (!PyCallable_Check(func.ptr()))
        throw py::type_error("func must be callable");
    CheckSampling(x0, x1, n);
    py::handle* previous = sampled;
    sampled = &func;
    struct Restore {
        py::handle* previous;
        ~Restore() { sampled = previous; }
    } restore{previous};
    return Function(&Sample, x0, x1, n);
}

Function FromPolynomial(py::object p, double x0, double x1, int n) {
    if (py::hasattr(p, "convert")) // a numpy.polynomial series, in powers of x
        p = p.attr("convert")("kind"_a = py::module_::import("numpy.polynomial").attr("Polynomial"))
                .attr("coef");
    const DoubleArray c = RealVector("p", p);
    CheckSampling(x0, x1, n);
    std::vector<double> coefficients(c.data(), c.data() + c.size());
    CVyMathPolynom poly(static_cast<int>(coefficients.size()) - 1);
    poly.SetCoeff(coefficients.data(), static_cast<int>(coefficients.size()));
    return Function(poly, x0, x1, n);
}

// ---- least-squares polynomial ---------------------------------------------------------------

py::object Fit(Function& f, int degree) {
    if (degree < 0)
        throw py::value_error("degree must be at least 0, got " + std::to_string(degree));
    const CVyMathPolynom fit = f.ApproxPolynomiale(degree);
    const std::vector<double>& c = fit.GetCoefficients();
    py::array_t<double> coef(static_cast<py::ssize_t>(c.size()));
    std::copy(c.begin(), c.end(), coef.mutable_data());
    return py::module_::import("numpy.polynomial").attr("Polynomial")(coef);
}

// ---- queries --------------------------------------------------------------------------------

py::array_t<double> Evaluate(const Function& f, py::handle xValues) {
    const DoubleArray x = Reals("x", xValues);
    py::array_t<double> y(std::vector<py::ssize_t>(x.shape(), x.shape() + x.ndim()));
    const std::size_t n = static_cast<std::size_t>(x.size());
    if (n < kReleaseThreshold) {
        f.GetOrdinates(x.data(), y.mutable_data(), n);
    } else {
        const Function copy(f); // other threads may change f while the GIL is released
        const double* in = x.data();
        double* out = y.mutable_data();
        py::gil_scoped_release release;
        copy.GetOrdinates(in, out, n);
    }
    return y;
}

py::array_t<double> Crossings(const Function& f, const Function& g) {
    Function mine(f), other(g);
    Function::PointList crossings;
    {
        py::gil_scoped_release release;
        mine.GetIntersectionAbscissas(&other, crossings);
    }
    return PointsArray(crossings);
}

template <typename Query>
py::array_t<double> ListOf(Query query) {
    Function::PointList list;
    query(list);
    return PointsArray(list);
}

template <typename Query>
py::tuple ListsOf(Query query) {
    Function::PointList minima, maxima;
    query(minima, maxima);
    return py::make_tuple(PointsArray(minima), PointsArray(maxima));
}

std::pair<double, double> Limits(const Function& f, py::object a, py::object b) {
    double xmin, xmax;
    f.GetFullRange(xmin, xmax);
    return {a.is_none() ? xmin : a.cast<double>(), b.is_none() ? xmax : b.cast<double>()};
}

// The two outputs of a library operation that returns 0 when it failed (VyMathError then).
py::tuple Pair(Function& f, int (Function::*op)(double&, double&), const char* what) {
    double first, second;
    if ((f.*op)(first, second) == 0) {
        PyErr_SetString(VyMathError().ptr(), what);
        throw py::error_already_set();
    }
    return py::make_tuple(first, second);
}

// f == other (equal is true) or f != other by the library's operator==; NotImplemented for another type.
py::object Compare(Function& f, py::handle other, bool equal) {
    if (!py::isinstance<Function>(other))
        return py::reinterpret_borrow<py::object>(Py_NotImplemented);
    return py::bool_((f == other.cast<Function&>()) == equal);
}

} // namespace

void BindFunction(py::module_& m) {
    py::enum_<Codes>(m, "InsertResult", "Result code of an insertion (CVyMathFunction1D::InfoInsertPoint).")
        .value("DONE", Function::InsertDone, "stored, or an end point replaced")
        .value("CONFLICT", Function::InsertConflict,
               "nothing stored: the abscissa is taken with another ordinate")
        .value("EXISTS", Function::InsertExists, "nothing stored: the same point is already there")
        .value("REFUSED", Function::InsertRefused, "nothing stored: no place found");

    py::class_<Function> cls(m, "Function1D", R"(A piecewise-linear function y = f(x) of the VyMath library.

Function1D(x, y, domain=None) builds it from points sorted by abscissa: two equal consecutive
abscissas make a jump (left value first), stored as the points x -+ x_tolerance. The domain defaults
to the points' extent; a wider one keeps its bounds as points with ordinate 0. Abscissas must be
finite, non-decreasing and at least x_tolerance apart (the two of a jump excepted); a NaN ordinate is
refused and an infinite one is stored as +-DBL_MAX, as the library does.)");
    cls.def(
           py::init(&FromPoints), "x"_a, "y"_a, "domain"_a = py::none(),
           "The function through the points (x[i], y[i]); ValueError or TypeError naming the first bad item.")
        .def_static(
            "from_bounds",
            [](double xmin, double xmax, bool forceJumps) {
                return Function(xmin, xmax, forceJumps ? 1 : 0);
            },
            "xmin"_a, "xmax"_a, "force_jumps"_a = false,
            "The zero function through (xmin, 0) and (xmax, 0); infinite bounds are open ends at +-DBL_MAX. "
            "With force_jumps every two-sided insertion records a jump, even with equal sides.")
        .def_static("sample", &FromCallable, "func"_a, "x0"_a, "x1"_a, "n"_a,
                    "n + 1 samples of func(x) from x0 upwards by |x1 - x0| / n; a NaN sample is skipped.")
        .def_static("from_polynomial", &FromPolynomial, "p"_a, "x0"_a, "x1"_a, "n"_a,
                    "n + 1 samples of a polynomial (a numpy.polynomial series, or coefficients constant "
                    "term first) from x0 upwards by |x1 - x0| / n.")

        .def(
            "__call__",
            [](const Function& f, double x) {
                double y;
                return f.GetOrdinate(x, y) ? y : std::nan("");
            },
            "x"_a, "The value at x by linear interpolation; NaN where the function has no value.")
        .def("__call__", &Evaluate, "x"_a,
             "The value at x (a float) or at each element of an array (an array of the same shape); NaN "
             "where the function has no value.")
        .def_property_readonly(
            "points", [](const Function& f) { return PointsArray(f.GetPoints()); },
            "The stored points as an (n, 2) array, open-end sentinels included.")
        .def_property_readonly(
            "domain",
            [](const Function& f) {
                double a, b;
                f.GetFullRange(a, b);
                return py::make_tuple(a, b);
            },
            "(xmin, xmax), the domain bounds; an open end is at +-DBL_MAX.")
        .def_property_readonly(
            "jumps",
            [](const Function& f) {
                const std::vector<double>& j = f.GetJumpAbscissas();
                py::array_t<double> out(static_cast<py::ssize_t>(j.size()));
                std::copy(j.begin(), j.end(), out.mutable_data());
                return out;
            },
            "The abscissas at which the function jumps, as recorded: in order of recording, repeats kept.")
        .def("__len__", &Function::GetNumberElement, "The number of points, open-end sentinels not counted.")
        .def_property(
            "x_tolerance", &Function::GetXtolerance,
            [](Function& f, double t) {
                RequireNumber("x_tolerance", t);
                f.SetXtolerance(t);
            },
            "The abscissa tolerance of every comparison (1e-5 by default); stored points are not "
            "revisited when it changes.")
        .def_property(
            "y_tolerance", &Function::GetYtolerance,
            [](Function& f, double t) {
                RequireNumber("y_tolerance", t);
                f.SetYtolerance(t);
            },
            "The ordinate tolerance of every comparison (1e-5 by default).")
        .def("is_defined", &Function::IsDefined, "x"_a,
             "x lies within the stored points (x_tolerance) and not strictly inside a jump.")

        .def(
            "zeros", [](Function& f, double xacc) { return ListOf([&](auto& l) { f.GetAllZero(l, xacc); }); },
            "xacc"_a = 1e-5, "Stored points within y_tolerance of 0 and each sign change's crossing, (k, 2).")
        .def(
            "extrema", [](const Function& f) { return ListOf([&](auto& l) { f.Extrema(l); }); },
            "The first point, every peak, valley and plateau edge, and the last point, (k, 2).")
        .def(
            "local_extrema",
            [](const Function& f) { return ListsOf([&](auto& lo, auto& hi) { f.LocalMinMax(lo, hi); }); },
            "(minima, maxima): the local extrema, ends included.")
        .def(
            "global_extrema",
            [](const Function& f) { return ListsOf([&](auto& lo, auto& hi) { f.GlobalMinMax(lo, hi); }); },
            "(minima, maxima): the local extrema at the global minimum and maximum, all ties.")
        .def(
            "value_range",
            [](const Function& f) -> py::object {
                double lo = std::nan(""), hi = std::nan("");
                f.ValuesGlobalMinMax(lo, hi);
                if (std::isnan(lo))
                    return py::none();
                return py::make_tuple(lo, hi);
            },
            "(vmin, vmax) over the local extrema, or None when there are none.")
        .def("crossings", &Crossings, "other"_a,
             "The crossings (x, other(x)) with another function, in increasing x, (k, 2).")
        .def(
            "integral",
            [](const Function& f, py::object a, py::object b) {
                const auto [lo, hi] = Limits(f, a, b);
                return f.Qtrap(lo, hi);
            },
            "a"_a = py::none(), "b"_a = py::none(),
            "The integral from a to b (default: the domain) by trapezoidal refinement; 0.0 without "
            "convergence.")
        .def(
            "resultant_and_moment",
            [](Function& f) {
                return Pair(f, &Function::GetResultantAndMoment, "resultant_and_moment failed");
            },
            "(resultant, moment about the domain's middle) of the segment areas.")
        .def(
            "excentricity_and_resultant",
            [](Function& f) {
                return Pair(f, &Function::GetExcentricityAndResultant, "excentricity_and_resultant failed");
            },
            "(abscissa where the segment areas act, their sum).")
        .def("excentricity", &Function::Excentricity,
             "Six times the first moment of the polyline about x = 0.")
        .def("fit", &Fit, "degree"_a,
             "The least-squares polynomial through the stored points, as a numpy.polynomial.Polynomial.")

        .def(
            "insert",
            [](Function& f, double x, double y, py::object yRight) {
                RequireFinite("x", x);
                RequireNumber("y", y);
                if (yRight.is_none())
                    return f.Set(x, y);
                const double yr = yRight.cast<double>();
                RequireNumber("y_right", yr);
                return f.Set(x, y, yr);
            },
            "x"_a, "y"_a, "y_right"_a = py::none(),
            "Inserts (x, y), or a jump at x from y to y_right; returns the InsertResult.")
        .def(
            "remove",
            [](Function& f, double x) {
                RequireFinite("x", x);
                return f.Remove(x);
            },
            "x"_a, "Removes the first point within x_tolerance of x; False when there is none.")
        .def(
            "shift",
            [](Function& f, double dx) {
                RequireFinite("dx", dx);
                f.ShiftOnX(dx);
            },
            "dx"_a, "Adds dx to the domain, the abscissas and the jumps (|dx| <= 1e-10 changes nothing).")
        .def(
            "scale",
            [](Function& f, double kx, double ky) {
                RequireFinite("kx", kx);
                RequireFinite("ky", ky);
                f.Scale(kx, ky);
            },
            "kx"_a = 1.0, "ky"_a = 1.0,
            "Multiplies the abscissas by kx and the ordinates by ky; a zero factor changes nothing at all.")
        .def(
            "merge", [](Function& f, const Function& g) { f.Merge(const_cast<Function*>(&g)); }, "g"_a,
            "Inserts g's points; a conflicting point makes a jump.")
        .def(
            "concat",
            [](Function& f, const Function& g) {
                Function appended(g); // the library shifts its argument: g stays as it is
                f.Concat(&appended);
            },
            "g"_a, "Appends g after the last point.")

        .def(
            "copy", [](const Function& f) { return Function(f); },
            "A copy with the full state: points, domain, tolerances, jumps.")
        .def(
            "__copy__", [](const Function& f) { return Function(f); }, "A copy (as copy()).")
        .def(
            "__deepcopy__", [](const Function& f, py::handle) { return Function(f); }, "memo"_a,
            "A copy (as copy()).")
        .def(
            "__eq__", [](Function& f, py::handle other) { return Compare(f, other, true); }, "other"_a,
            "The library's equality: same domain and tolerances, points equal within 1e-10 (jumps not "
            "compared).")
        .def(
            "__ne__", [](Function& f, py::handle other) { return Compare(f, other, false); }, "other"_a,
            "not (self == other).")
        .def("__repr__",
             [](const Function& f) {
                 double a, b;
                 f.GetFullRange(a, b);
                 return "Function1D(" + std::to_string(f.GetNumberElement()) + " points on [" + Text(a) +
                        ", " + Text(b) + "])";
             })
        .def(py::pickle(&FunctionState, &FunctionFromState));
    cls.attr("__hash__") = py::none();
}

} // namespace vymath_py
