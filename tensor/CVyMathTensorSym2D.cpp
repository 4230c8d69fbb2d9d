#include "vymath/CVyMathTensorSym2D.h"

#include "vymath/CVyMath.h"

#include "foundation/Access.h"
#include "foundation/VyMathInternal.h"
#include "tensor/TensorInternal.h"

#include <cmath>

using namespace vymath::detail;

namespace {

const double kUnit[6] = {1.0, 0.0, 1.0, 0.0, 0.0, 1.0};

} // namespace

VYMATH_DEFINE_ERROR(CVyMathTensorSym2D, NoSolution, L"Determinant is null")
VYMATH_DEFINE_ERROR(CVyMathTensorSym2D, InvalidateData, L"GetComponent : index out of range")
VYMATH_DEFINE_ERROR(CVyMathTensorSym2D, InvalidateBase, L"Bases are differents")

CVyMathTensorSym2D::CVyMathTensorSym2D() : basis(std::make_unique<CVyMathMat33>()) {
    SetUnit();
}

CVyMathTensorSym2D::CVyMathTensorSym2D(const CVyMathTensorSym2D& other)
    : basis(std::make_unique<CVyMathMat33>(*other.basis)) {
    SetComponents(other.components);
}

CVyMathTensorSym2D::CVyMathTensorSym2D(const double* const components, CVyMathMat33* basis)
    : basis(std::make_unique<CVyMathMat33>()) {
    SetUnit();
    SetComponents(components);
    SetBasis(basis);
}

CVyMathTensorSym2D::~CVyMathTensorSym2D() = default;

CVyMathTensorSym2D& CVyMathTensorSym2D::operator=(const CVyMathTensorSym2D& other) {
    SetComponents(other.components);
    SetBasis(other.basis.get());
    return *this;
}

void CVyMathTensorSym2D::SetComponents(const double* const values) {
    if (values == nullptr)
        return;
    for (int k = 0; k < 6; ++k)
        components[k] = values[k];
}

double CVyMathTensorSym2D::GetComponent(int position) {
    if (position < 0 || position > 5)
        throw InvalidateData();
    return components[position];
}

double CVyMathTensorSym2D::operator()(int i, int j) const {
    if (i < 0 || i > 2 || j < 0 || j > 2)
        throw InvalidateData();
    return i <= j ? components[PackedPosition(i, j)] : components[PackedPosition(j, i)];
}

void CVyMathTensorSym2D::SetBasis(const CVyMathMat33* newBasis) {
    // The copy is made before the old basis goes, so newBasis may be the owned basis itself.
    std::unique_ptr<CVyMathMat33> fresh =
        newBasis ? std::make_unique<CVyMathMat33>(*newBasis) : std::make_unique<CVyMathMat33>();
    basis = std::move(fresh);
}

const CVyMathMat33& CVyMathTensorSym2D::GetBasis() const {
    return *basis;
}

void CVyMathTensorSym2D::SetNull() {
    for (double& c : components)
        c = 0.0;
}

void CVyMathTensorSym2D::SetUnit() {
    SetComponents(kUnit);
}

CVyMathMat33 CVyMathTensorSym2D::ConvertToMat() const {
    CVyMathMat33 m(false);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m(i, j) = (*this)(i, j);
    return m;
}

CVyMathTensorSym2D CVyMathTensorSym2D::TransposeTensor() const {
    return *this;
}

bool CVyMathTensorSym2D::operator==(const CVyMathTensorSym2D& other) {
    if (*basis != *other.basis)
        return false;
    for (int k = 0; k < 6; ++k)
        if (!CVyMath::Equal(components[k], other.components[k], kTensorTolerance))
            return false;
    return true;
}

bool CVyMathTensorSym2D::operator!=(const CVyMathTensorSym2D& other) {
    return !(*this == other);
}

bool CVyMathTensorSym2D::IsUnit() const {
    CVyMathTensorSym2D unit;
    return unit == *this;
}

bool CVyMathTensorSym2D::IsInverse(CVyMathTensorSym2D& u) const {
    if (!(*this * u).IsMatID())
        return false;
    return (u * *this).IsMatID();
}

void vymath::detail::CheckBasis(const CVyMathTensorSym2D& a, const CVyMathTensorSym2D& b) {
    if (Access::Basis(a) != Access::Basis(b))
        throw CVyMathTensorSym2D::InvalidateBase();
}

CVyMathTensorSym2D& CVyMathTensorSym2D::operator+=(CVyMathTensorSym2D& other) {
    CheckBasis(*this, other);
    for (int k = 0; k < 6; ++k)
        components[k] += other.components[k];
    return *this;
}

CVyMathTensorSym2D& CVyMathTensorSym2D::operator-=(CVyMathTensorSym2D& other) {
    CheckBasis(*this, other);
    for (int k = 0; k < 6; ++k)
        components[k] -= other.components[k];
    return *this;
}

CVyMathTensorSym2D& CVyMathTensorSym2D::operator*=(const double& s) {
    const double factor = s; // s may refer to a component
    for (double& c : components)
        c *= factor;
    return *this;
}

CVyMathTensorSym2D CVyMathTensorSym2D::operator*(const double& s) {
    CVyMathTensorSym2D r(*this);
    r *= s;
    return r;
}

CVyMathMat33 CVyMathTensorSym2D::operator*(const CVyMathTensorSym2D& other) const {
    if (basis != other.basis)
        CheckBasis(*this, other);
    return ConvertToMat() * other.ConvertToMat();
}

CVyMathMat33 CVyMathTensorSym2D::operator*(const CVyMathMat33& m) const {
    return ConvertToMat() * m;
}

CVyMathTensorSym2D operator+(const CVyMathTensorSym2D& a, const CVyMathTensorSym2D& b) {
    CVyMathTensorSym2D sum(a);
    CVyMathTensorSym2D right(b);
    sum += right; // checks the bases
    const CVyMathMat33 identity;
    sum.SetBasis(&identity);
    return sum;
}

CVyMathTensorSym2D operator-(const CVyMathTensorSym2D& a, const CVyMathTensorSym2D& b) {
    CVyMathTensorSym2D difference(a);
    CVyMathTensorSym2D right(b);
    difference -= right; // checks the bases
    const CVyMathMat33 identity;
    difference.SetBasis(&identity);
    return difference;
}

void CVyMathTensorSym2D::GetTransformTensor(const CVyMathMat33& p, CVyMathTensorSym2D& out) const {
    const CVyMathMat33 inverse = p.GetInverse(); // throws before out is touched
    const CVyMathMat33 b = p * ConvertToMat() * inverse;
    const double values[6] = {b.GetMat(0, 0), b.GetMat(0, 1), b.GetMat(1, 1),
                              b.GetMat(0, 2), b.GetMat(1, 2), b.GetMat(2, 2)};
    std::unique_ptr<CVyMathMat33> newBasis = std::make_unique<CVyMathMat33>(p);
    out.SetComponents(values);
    out.basis = std::move(newBasis);
}

CVyMathTensorSym2D& CVyMathTensorSym2D::Rotation_Tensor(const double& theta) {
    const double sn = std::sin(theta);
    const double cs = std::cos(theta);
    const double r = std::sqrt(sn * sn + cs * cs);
    const double c = cs / r;
    const double s = sn / r;
    const double t00 = components[T00], t01 = components[T01], t11 = components[T11];
    const double t02 = components[T02], t12 = components[T12];

    const double n00 = c * c * t00 + 2.0 * c * s * t01 + s * s * t11;
    const double n01 = (c * c - s * s) * t01 + c * s * (t11 - t00);
    const double n11 = s * s * t00 - 2.0 * c * s * t01 + c * c * t11;
    const double n02 = c * t02 + s * t12;
    const double n12 = c * t12 - s * t02;

    components[T00] = n00;
    components[T01] = n01;
    components[T11] = n11;
    components[T02] = n02;
    components[T12] = n12;
    return *this;
}

CVyMathTensorSym2D& CVyMathTensorSym2D::InertiaTensor(double m, double x, double y, double z) {
    basis->SetMatrixID();
    const double xx = x * x, yy = y * y, zz = z * z;
    const double xy = x * y, xz = x * z, yz = y * z;
    components[T00] = (yy + zz) * m;
    components[T01] = -xy * m;
    components[T11] = (xx + zz) * m;
    components[T02] = -xz * m;
    components[T12] = -yz * m;
    components[T22] = (xx + yy) * m;
    return *this;
}
