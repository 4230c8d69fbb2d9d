// Argument conversion and numpy results of the vymath._core extension.
#include "bindings.h"

#include <cmath>

namespace vymath_py {

DoubleArray Reals(const char* name, py::handle value) {
    py::object reals = py::module_::import("vymath._args").attr("reals");
    return reals(name, value).cast<DoubleArray>();
}

DoubleArray RealVector(const char* name, py::handle value) {
    DoubleArray a = Reals(name, value);
    if (a.ndim() != 1)
        throw py::value_error(std::string(name) + " must be one-dimensional, got shape " +
                              py::str(a.attr("shape")).cast<std::string>());
    return a;
}

void RequireFinite(const char* name, double v) {
    if (!std::isfinite(v))
        throw py::value_error(std::string(name) + " must be finite, got " +
                              py::repr(py::float_(v)).cast<std::string>());
}

void RequireNumber(const char* name, double v) {
    if (std::isnan(v))
        throw py::value_error(std::string(name) + " is NaN");
}

py::array_t<double> PointsArray(const std::vector<Point>& points) {
    py::array_t<double> a({static_cast<py::ssize_t>(points.size()), py::ssize_t{2}});
    double* out = a.mutable_data();
    for (const Point& p : points) {
        *out++ = p.x;
        *out++ = p.y;
    }
    return a;
}

py::array_t<double> PointsArray(const Function::PointList& list) {
    Function::PointList walk(list);
    std::vector<Point> points;
    double x, y;
    walk.ResetCursor();
    while (walk.GetNext(x, y))
        points.push_back({x, y});
    return PointsArray(points);
}

py::array_t<int> IntArray(const std::vector<int>& values) {
    py::array_t<int> a(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), a.mutable_data());
    return a;
}

Function& AsFunction(const std::string& name, py::handle f) {
    if (!py::isinstance<Function>(f))
        throw py::type_error(name + " must be a vymath.Function1D, got " +
                             py::str(py::type::handle_of(f).attr("__name__")).cast<std::string>());
    return f.cast<Function&>();
}

std::vector<Function*> AsFunctions(py::handle functions) {
    std::vector<Function*> out;
    std::size_t i = 0;
    for (py::handle f : py::iter(functions))
        out.push_back(&AsFunction("functions[" + std::to_string(i++) + "]", f));
    return out;
}

} // namespace vymath_py
