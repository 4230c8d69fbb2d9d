// vymath._core: the VyMath library for Python. The pure-Python package vymath re-exports it.
#include "bindings.h"

namespace vymath_py {

namespace {

// The Python classes of the library's errors; created once with the module, never released.
PyObject* baseError = nullptr;
PyObject* indexError = nullptr;
PyObject* determinantError = nullptr;
PyObject* noSolutionError = nullptr;
PyObject* dataError = nullptr;
PyObject* basisError = nullptr;

PyObject* NewError(py::module_& m, const char* name, py::handle bases, const char* doc) {
    const std::string qualified = std::string("vymath.") + name;
    PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, bases.ptr(), nullptr);
    if (type == nullptr)
        throw py::error_already_set();
    m.add_object(name, py::handle(type)); // add_object takes a reference of its own
    return type;
}

void Raise(PyObject* type, const CVyMathException& e) {
    const std::wstring& message = e.Message();
    py::object text = py::reinterpret_steal<py::object>(
        PyUnicode_FromWideChar(message.c_str(), static_cast<py::ssize_t>(message.size())));
    PyErr_SetObject(type, text.ptr());
}

} // namespace

void BindErrors(py::module_& m) {
    baseError = NewError(m, "VyMathError", PyExc_Exception, "An error reported by the VyMath library.");
    const py::handle base(baseError);
    indexError = NewError(m, "InvalidateIndexError", py::make_tuple(base, py::handle(PyExc_IndexError)),
                          "A matrix index outside 0..2 (CVyMathMat33::InvalidateIndex).");
    determinantError = NewError(m, "InvalidateDeterminantError", base,
                                "The inverse of a singular matrix (CVyMathMat33::InvalidateDeterminant).");
    noSolutionError = NewError(m, "NoSolutionError", base,
                               "No principal direction found (CVyMathTensorSym2D::NoSolution).");
    dataError = NewError(m, "InvalidateDataError", py::make_tuple(base, py::handle(PyExc_IndexError)),
                         "A tensor component index out of range (CVyMathTensorSym2D::InvalidateData).");
    basisError = NewError(m, "InvalidateBaseError", base,
                          "Two tensors in different bases (CVyMathTensorSym2D::InvalidateBase).");

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const CVyMathMat33::InvalidateIndex& e) {
            Raise(indexError, e);
        } catch (const CVyMathMat33::InvalidateDeterminant& e) {
            Raise(determinantError, e);
        } catch (const CVyMathTensorSym2D::NoSolution& e) {
            Raise(noSolutionError, e);
        } catch (const CVyMathTensorSym2D::InvalidateData& e) {
            Raise(dataError, e);
        } catch (const CVyMathTensorSym2D::InvalidateBase& e) {
            Raise(basisError, e);
        } catch (const CVyMathException& e) {
            Raise(baseError, e);
        }
    });
}

py::object VyMathError() {
    return py::reinterpret_borrow<py::object>(baseError);
}

} // namespace vymath_py

PYBIND11_MODULE(_core, m) {
    m.doc() = "The VyMath library: piecewise-linear functions, function sets, matrices, tensors and model "
              "analyses.";
    m.attr("__version__") = VYMATH_VERSION_TEXT;
    vymath_py::BindErrors(m);
    vymath_py::BindFunction(m);
    vymath_py::BindSet(m);
    vymath_py::BindFrame(m);
    vymath_py::BindModel(m);
    vymath_py::BindCheck(m);
    vymath_py::BindTensor(m);
    vymath_py::BindTable(m);
    vymath_py::BindMoving(m);
}
