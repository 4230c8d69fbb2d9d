// Shared declarations of the vymath._core extension.
#ifndef VYMATH_PYTHON_BINDINGS_H
#define VYMATH_PYTHON_BINDINGS_H

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <vymath/analysis/Combination.h>
#include <vymath/analysis/Envelope.h>
#include <vymath/vymath.h>

#include <cstddef>
#include <string>
#include <vector>

namespace py = pybind11;

namespace vymath_py {

using Function = CVyMathFunction1D;
using Point = CVyMathFunction1D::Point;
// A float64 array in C order; pybind11 converts other numeric arrays into one.
using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Batch operations on fewer values than this keep the GIL: releasing it costs more than they take.
constexpr std::size_t kReleaseThreshold = 2048;

// ---- arrays.cpp ------------------------------------------------------------------------------

// value as a float64 array through vymath._args.reals: TypeError naming `name` and the first element
// that is not a real number.
DoubleArray Reals(const char* name, py::handle value);
// As Reals, and one-dimensional (ValueError naming `name` otherwise).
DoubleArray RealVector(const char* name, py::handle value);
// ValueError "<name> must be finite, got <v>" for a NaN or an infinity.
void RequireFinite(const char* name, double v);
// ValueError "<name> is NaN".
void RequireNumber(const char* name, double v);
// The points of a list as an (n, 2) float64 array (the list is walked on a copy).
py::array_t<double> PointsArray(const Function::PointList& list);
py::array_t<double> PointsArray(const std::vector<Point>& points);
py::array_t<int> IntArray(const std::vector<int>& values);
// f's Python object, f as a Function1D, or TypeError naming `name`.
Function& AsFunction(const std::string& name, py::handle f);
// functions as Function1D objects, TypeError naming the first item that is not one.
std::vector<Function*> AsFunctions(py::handle functions);

// ---- state.cpp -------------------------------------------------------------------------------

// The pickled state of f and the function it describes, bit-identical points included.
py::tuple FunctionState(const Function& f);
Function FunctionFromState(const py::tuple& state);

// ---- set.cpp ---------------------------------------------------------------------------------

// "exact" or "fold"; ValueError naming the argument otherwise.
vymath::analysis::EnvelopeMethod MethodOf(const std::string& method);

// ---- model.cpp -------------------------------------------------------------------------------

// Combinations: "NAME=EXPR" texts, (name, EXPR) pairs, or (name, [(case, factor), ...]).
std::vector<vymath::analysis::Combination> ParseCombinations(const py::list& items);

// ---- the parts of the module -----------------------------------------------------------------

void BindErrors(py::module_& m);
// The base class vymath.VyMathError.
py::object VyMathError();
void BindFunction(py::module_& m);
void BindSet(py::module_& m);
void BindFrame(py::module_& m);
void BindModel(py::module_& m);
void BindCheck(py::module_& m);
void BindTensor(py::module_& m);
void BindTable(py::module_& m);
void BindMoving(py::module_& m);

} // namespace vymath_py

#endif // VYMATH_PYTHON_BINDINGS_H
