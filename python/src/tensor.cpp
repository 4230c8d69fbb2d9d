// vymath.Mat33, vymath.Basis and vymath.TensorSym2D, to and from numpy arrays.
#include "bindings.h"

using namespace pybind11::literals;

namespace vymath_py {

namespace {

using Mat = CVyMathMat33;
using Tensor = CVyMathTensorSym2D;

// A (3, 3) array-like or a Mat33 as a matrix; ValueError naming `name` for another shape.
Mat MatrixFrom(const char* name, py::handle value) {
    if (py::isinstance<Mat>(value))
        return value.cast<const Mat&>();
    const DoubleArray a = Reals(name, value);
    if (a.ndim() != 2 || a.shape(0) != 3 || a.shape(1) != 3)
        throw py::value_error(std::string(name) + " must have the shape (3, 3), got " +
                              py::str(a.attr("shape")).cast<std::string>());
    Mat m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m(i, j) = a.data()[3 * i + j];
    return m;
}

py::array_t<double> ArrayOf(const Mat& m, py::object dtype) {
    py::array_t<double> a({3, 3});
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            a.mutable_data()[3 * i + j] = m.GetMat(i, j);
    if (!dtype.is_none())
        return a.attr("astype")(dtype);
    return a;
}

// The packed components T00, T01, T11, T02, T12, T22 from six values or a symmetric (3, 3) array.
std::vector<double> PackedComponents(py::handle value) {
    const DoubleArray a = Reals("values", value);
    const double* v = a.data();
    if (a.ndim() == 1 && a.shape(0) == 6)
        return std::vector<double>(v, v + 6);
    if (a.ndim() != 2 || a.shape(0) != 3 || a.shape(1) != 3)
        throw py::value_error("values must have the shape (6,) or (3, 3), got " +
                              py::str(a.attr("shape")).cast<std::string>());
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            if (!(v[3 * i + j] == v[3 * j + i]))
                throw py::value_error("values[" + std::to_string(i) + ", " + std::to_string(j) +
                                      "] differs from values[" + std::to_string(j) + ", " +
                                      std::to_string(i) + "]: a symmetric tensor needs a symmetric matrix");
    return {v[0], v[1], v[4], v[2], v[5], v[8]};
}

Tensor MakeTensor(py::handle values, py::handle basis) {
    Tensor t;
    if (!values.is_none())
        t.SetComponents(PackedComponents(values).data());
    if (!basis.is_none()) {
        const Mat b = MatrixFrom("basis", basis);
        t.SetBasis(&b);
    }
    return t;
}

py::array_t<double> Vector(const double (&v)[3]) {
    py::array_t<double> a(3);
    std::copy(v, v + 3, a.mutable_data());
    return a;
}

template <typename Class>
void BindMatrixValues(Class& cls) {
    cls.def(
           "__array__", [](const Mat& m, py::object dtype) { return ArrayOf(m, dtype); },
           "dtype"_a = py::none(), "The matrix as a (3, 3) array.")
        .def(
            "__getitem__", [](const Mat& m, std::pair<int, int> ij) { return m.GetMat(ij.first, ij.second); },
            "ij"_a, "Element [i, j]; InvalidateIndexError outside 0..2.")
        .def(
            "__setitem__", [](Mat& m, std::pair<int, int> ij, double v) { m(ij.first, ij.second) = v; },
            "ij"_a, "value"_a, "Sets element [i, j]; InvalidateIndexError outside 0..2.")
        .def("__repr__", [](const Mat& m) {
            return py::str("{}({})").format(py::type::handle_of(py::cast(&m)).attr("__name__"),
                                            ArrayOf(m, py::none()).attr("tolist")());
        });
}

} // namespace

void BindTensor(py::module_& m) {
    py::class_<Mat> mat(m, "Mat33", R"(A 3x3 matrix (CVyMathMat33); element [i, j] is row i, column j.

Mat33(values=None): the identity, or the (3, 3) array-like values. numpy.asarray(m) gives the matrix.)");
    mat.def(py::init(
                [](py::handle values) { return values.is_none() ? Mat() : MatrixFrom("values", values); }),
            "values"_a = py::none(), "The identity, or the (3, 3) array-like values.")
        .def("inverse", &Mat::GetInverse, "The inverse; InvalidateDeterminantError when |det| < 1e-10.")
        .def("transpose", &Mat::GetTranspose, "The transpose.")
        .def("is_identity", &Mat::IsMatID, "Equal to the identity within 1e-10 per element.")
        .def("__matmul__", [](const Mat& a, const Mat& b) { return a * b; })
        .def("__add__", [](const Mat& a, const Mat& b) { return a + b; })
        .def("__sub__", [](const Mat& a, const Mat& b) { return a - b; })
        .def("__mul__", [](const Mat& a, double s) { return a * s; })
        .def("__rmul__", [](const Mat& a, double s) { return a * s; })
        .def("__eq__", [](Mat& a, const Mat& b) { return a == b; })
        .def("__ne__", [](Mat& a, const Mat& b) { return a != b; })
        .def(
            "copy", [](const Mat& a) { return Mat(a); }, "A copy.");
    mat.attr("__hash__") = py::none();
    BindMatrixValues(mat);

    py::class_<CVyMathBasis, Mat> basis(m, "Basis", "A Mat33 used as a basis (CVyMathBasis).");
    basis.def(py::init([](py::handle values) {
                  CVyMathBasis b;
                  if (!values.is_none())
                      static_cast<Mat&>(b) = MatrixFrom("values", values);
                  return b;
              }),
              "values"_a = py::none(), "The identity, or the (3, 3) array-like values.");

    py::class_<Tensor> tensor(m, "TensorSym2D", R"(A symmetric second-order tensor (CVyMathTensorSym2D).

TensorSym2D(values=None, basis=None): the unit tensor, or the components as six packed values
(T00, T01, T11, T02, T12, T22) or a symmetric (3, 3) array-like, in basis (a Mat33 or a (3, 3)
array-like; the identity by default). numpy.asarray(t) gives the full 3x3 matrix. The principal
values are those of the in-plane part (T00, T01, T11); the third is always 0.)");
    tensor
        .def(py::init(&MakeTensor), "values"_a = py::none(), "basis"_a = py::none(),
             "The unit tensor, or the given components, in basis (the identity by default).")
        .def_property_readonly(
            "components",
            [](Tensor& t) {
                py::array_t<double> a(6);
                for (int k = 0; k < 6; ++k)
                    a.mutable_data()[k] = t.GetComponent(k);
                return a;
            },
            "The six packed components T00, T01, T11, T02, T12, T22.")
        .def_property_readonly(
            "basis", [](const Tensor& t) { return Mat(t.GetBasis()); },
            "A copy of the basis the components are expressed in, as a Mat33.")
        .def(
            "__array__", [](const Tensor& t, py::object dtype) { return ArrayOf(t.ConvertToMat(), dtype); },
            "dtype"_a = py::none(), "The full symmetric (3, 3) matrix.")
        .def(
            "__getitem__", [](const Tensor& t, std::pair<int, int> ij) { return t(ij.first, ij.second); },
            "ij"_a, "Tij for either order of i and j; InvalidateDataError outside 0..2.")
        .def(
            "principal_stresses",
            [](const Tensor& t) {
                const Tensor p = t.GetPrincipalStress();
                return Vector({p(0, 0), p(1, 1), p(2, 2)});
            },
            "(s1, s2, 0): s1 >= s2 the principal values of the in-plane part.")
        .def(
            "principal_directions",
            [](const Tensor& t) {
                double d[3][3] = {};
                t.GetPrincipalDirection(d[0], d[1], d[2]);
                py::array_t<double> a({3, 3});
                std::copy(&d[0][0], &d[0][0] + 9, a.mutable_data());
                return a;
            },
            "The rows d1, d2, d3: d1, d2 in the plane at principal_angle(), d3 (0, 0, 0) for a plane tensor; "
            "NoSolutionError when the in-plane part is singular and the tensor is not plane.")
        .def("principal_angle", &Tensor::PrincipalAngleTensor,
             "Angle in radians of the larger principal stress.")
        .def(
            "invariants",
            [](const Tensor& t) {
                return py::make_tuple(t.FirstInvariant(), t.SecondInvariant(), t.ThirstInvariant());
            },
            "(I1, I2, I3): trace, second invariant, determinant.")
        .def("determinant", &Tensor::Determinant, "The determinant of the full matrix (I3).")
        .def(
            "rotated",
            [](const Tensor& t, double theta) {
                Tensor r(t);
                r.Rotation_Tensor(theta);
                return r;
            },
            "theta"_a, "A copy turned by theta radians about the third axis (same basis).")
        .def(
            "transformed",
            [](const Tensor& t, py::handle p) {
                Tensor out;
                t.GetTransformTensor(MatrixFrom("p", p), out);
                return out;
            },
            "p"_a, "P T P^-1 with basis P; InvalidateDeterminantError for a singular P.")
        .def("deviatoric", &Tensor::DeviatoricStressTensor,
             "T - (I1/3) I; InvalidateBaseError unless the basis is the identity.")
        .def("is_plane", &Tensor::IsPlane, "T02, T12 and T22 each within 1e-10 of 0.")
        .def("is_spherical", &Tensor::IsSpherical,
             "Both in-plane principal values within 1e-10 of each other and of 0.")
        .def("is_degenerate", &Tensor::IsDegenerate, "The determinant within 1e-10 of 0.")
        .def("__add__", [](const Tensor& a, const Tensor& b) { return a + b; })
        .def("__sub__", [](const Tensor& a, const Tensor& b) { return a - b; })
        .def("__mul__", [](Tensor& a, double s) { return a * s; })
        .def("__rmul__", [](Tensor& a, double s) { return a * s; })
        .def("__eq__", [](Tensor& a, const Tensor& b) { return a == b; })
        .def("__ne__", [](Tensor& a, const Tensor& b) { return a != b; })
        .def(
            "copy", [](const Tensor& t) { return Tensor(t); }, "A copy, with a copy of the basis.")
        .def("__repr__", [](const Tensor& t) {
            return py::str("TensorSym2D({})").format(ArrayOf(t.ConvertToMat(), py::none()).attr("tolist")());
        });
    tensor.attr("__hash__") = py::none();
}

} // namespace vymath_py
