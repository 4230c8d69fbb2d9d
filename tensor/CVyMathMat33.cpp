#include "vymath/CVyMathMat33.h"

#include "vymath/CVyMath.h"

#include "foundation/VyMathInternal.h"
#include "tensor/TensorInternal.h"

namespace {

constexpr double kMatTolerance = 1e-10;

// Storage position of element (i, j): column by column.
constexpr int At(int i, int j) {
    return i + 3 * j;
}

} // namespace

VYMATH_DEFINE_ERROR(CVyMathMat33, InvalidateIndex, L"CVyMathMat33::operator(i,j) => out of range")
VYMATH_DEFINE_ERROR(CVyMathMat33, InvalidateDeterminant, L"Determinant of matrix is nul")

CVyMathMat33::CVyMathMat33() {
    SetMatrixID();
}

CVyMathMat33::CVyMathMat33(bool identity) {
    if (identity)
        SetMatrixID();
    else
        SetNull();
}

CVyMathMat33::CVyMathMat33(const CVyMathMat33& other) {
    for (int k = 0; k < 9; ++k)
        elements[k] = other.elements[k];
}

CVyMathMat33::CVyMathMat33(const double (&c0)[3], const double (&c1)[3], const double (&c2)[3]) {
    for (int i = 0; i < 3; ++i) {
        elements[At(i, 0)] = c0[i];
        elements[At(i, 1)] = c1[i];
        elements[At(i, 2)] = c2[i];
    }
}

CVyMathMat33::CVyMathMat33(const double (&a)[3], const double (&b)[3]) {
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            elements[At(i, j)] = a[i] * b[j];
}

CVyMathMat33::~CVyMathMat33() = default;

CVyMathMat33* CVyMathMat33::Clone() const {
    return new CVyMathMat33(*this);
}

CVyMathMat33* CVyMathMat33::CloneSame() const {
    return Clone();
}

CVyMathMat33& CVyMathMat33::operator=(const CVyMathMat33& other) {
    for (int k = 0; k < 9; ++k)
        elements[k] = other.elements[k];
    return *this;
}

void CVyMathMat33::SetNull() {
    for (double& e : elements)
        e = 0.0;
}

void CVyMathMat33::SetMatrixID() {
    SetNull();
    for (int i = 0; i < 3; ++i)
        elements[At(i, i)] = 1.0;
}

void CVyMathMat33::SetMat(double* const values) {
    if (values == nullptr)
        return;
    for (int k = 0; k < 9; ++k)
        elements[k] = values[k];
}

void vymath::detail::CheckIndex(int i, int j) {
    if (i < 0 || i > 2 || j < 0 || j > 2)
        throw CVyMathMat33::InvalidateIndex();
}

double CVyMathMat33::GetMat(int i, int j) const {
    vymath::detail::CheckIndex(i, j);
    return elements[At(i, j)];
}

double& CVyMathMat33::operator()(int i, int j) {
    vymath::detail::CheckIndex(i, j);
    return elements[At(i, j)];
}

void CVyMathMat33::Dump() {}

CVyMathMat33& CVyMathMat33::operator*=(double s) {
    for (double& e : elements)
        e *= s;
    return *this;
}

CVyMathMat33& CVyMathMat33::operator/=(double s) {
    for (double& e : elements)
        e /= s;
    return *this;
}

CVyMathMat33& CVyMathMat33::operator*=(const CVyMathMat33& b) {
    const CVyMathMat33 product = *this * b;
    return *this = product;
}

CVyMathMat33& CVyMathMat33::operator+=(const CVyMathMat33& b) {
    for (int k = 0; k < 9; ++k)
        elements[k] += b.elements[k];
    return *this;
}

CVyMathMat33& CVyMathMat33::operator-=(const CVyMathMat33& b) {
    for (int k = 0; k < 9; ++k)
        elements[k] -= b.elements[k];
    return *this;
}

bool CVyMathMat33::operator==(const CVyMathMat33& other) {
    for (int k = 0; k < 9; ++k)
        if (!CVyMath::Equal(elements[k], other.elements[k], kMatTolerance))
            return false;
    return true;
}

bool CVyMathMat33::operator!=(const CVyMathMat33& other) {
    return !(*this == other);
}

bool CVyMathMat33::IsMatID() const {
    CVyMathMat33 id;
    return id == *this;
}

CVyMathMat33 CVyMathMat33::GetTranspose() const {
    CVyMathMat33 t(false);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            t.elements[At(i, j)] = elements[At(j, i)];
    return t;
}

CVyMathMat33 CVyMathMat33::GetInverse() const {
    const double a00 = elements[At(0, 0)], a01 = elements[At(0, 1)], a02 = elements[At(0, 2)];
    const double a10 = elements[At(1, 0)], a11 = elements[At(1, 1)], a12 = elements[At(1, 2)];
    const double a20 = elements[At(2, 0)], a21 = elements[At(2, 1)], a22 = elements[At(2, 2)];

    const double det = a10 * a21 * a02 - a20 * a11 * a02 + a01 * a20 * a12 - a00 * a21 * a12 -
                       a10 * a01 * a22 + a00 * a11 * a22;
    if (CVyMath::Equal(det, 0.0, kMatTolerance))
        throw InvalidateDeterminant();

    CVyMathMat33 inv(false);
    inv.elements[At(0, 0)] = (a22 * a11 - a12 * a21) / det;
    inv.elements[At(0, 1)] = (a21 * a02 - a22 * a01) / det;
    inv.elements[At(0, 2)] = (a12 * a01 - a02 * a11) / det;
    inv.elements[At(1, 0)] = (a12 * a20 - a10 * a22) / det;
    inv.elements[At(1, 1)] = (a00 * a22 - a20 * a02) / det;
    inv.elements[At(1, 2)] = (a10 * a02 - a00 * a12) / det;
    inv.elements[At(2, 0)] = (a10 * a21 - a20 * a11) / det;
    inv.elements[At(2, 1)] = (a01 * a20 - a00 * a21) / det;
    inv.elements[At(2, 2)] = (a00 * a11 - a10 * a01) / det;
    return inv;
}

CVyMathMat33 operator*(const CVyMathMat33& a, const CVyMathMat33& b) {
    // The indices are in range: the elements are read directly, not through the checked accessors.
    CVyMathMat33 r(false);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += a.elements[At(i, k)] * b.elements[At(k, j)];
            r.elements[At(i, j)] = sum;
        }
    return r;
}

CVyMathMat33 operator*(const CVyMathMat33& m, double s) {
    CVyMathMat33 r(m);
    r *= s;
    return r;
}

CVyMathMat33 operator+(const CVyMathMat33& a, const CVyMathMat33& b) {
    CVyMathMat33 r(a);
    r += b;
    return r;
}

CVyMathMat33 operator-(const CVyMathMat33& a, const CVyMathMat33& b) {
    CVyMathMat33 r(a);
    r -= b;
    return r;
}
