// Invariants, principal values and directions, shape tests, the Jacobi solver and the text output
// of CVyMathTensorSym2D.
#include "vymath/CVyMathTensorSym2D.h"

#include "vymath/CVyMath.h"

#include "tensor/TensorInternal.h"

#include <cmath>
#include <vector>

using namespace vymath::detail;

namespace {

constexpr int kJacobiMaxSweeps = 50;

// Rotates the pair (x, y) of a Jacobi step, both new values from the old ones.
inline void Rotate(double& x, double& y, double s, double tau) {
    const double g = x;
    const double h = y;
    x = g - s * (h + g * tau);
    y = h + s * (g - h * tau);
}

} // namespace

double CVyMathTensorSym2D::FirstInvariant() const {
    return components[T11] + components[T00] + components[T22];
}

double CVyMathTensorSym2D::SecondInvariant() const {
    const double* t = components;
    return t[T00] * t[T22] + t[T11] * t[T00] + t[T11] * t[T22] - t[T01] * t[T01] - t[T02] * t[T02] -
           t[T12] * t[T12];
}

double CVyMathTensorSym2D::ThirstInvariant() const {
    const double* t = components;
    return 2.0 * t[T01] * t[T12] * t[T02] + t[T00] * t[T11] * t[T22] - t[T00] * (t[T12] * t[T12]) -
           t[T11] * (t[T02] * t[T02]) - t[T22] * (t[T01] * t[T01]);
}

double CVyMathTensorSym2D::Determinant() const {
    return ThirstInvariant();
}

bool CVyMathTensorSym2D::IsDegenerate() const {
    return CVyMath::Equal(Determinant(), 0.0, kTensorTolerance);
}

bool CVyMathTensorSym2D::IsPlane() const {
    return CVyMath::Equal(components[T02], 0.0, kTensorTolerance) &&
           CVyMath::Equal(components[T12], 0.0, kTensorTolerance) &&
           CVyMath::Equal(components[T22], 0.0, kTensorTolerance);
}

double CVyMathTensorSym2D::HydrostaticConstraint() const {
    return FirstInvariant() / 3.0;
}

double CVyMathTensorSym2D::ShearingStressOctaedric() const {
    const double i1 = FirstInvariant();
    return std::sqrt(2.0 * (i1 * i1 / 3.0 - SecondInvariant()) / 3.0);
}

double CVyMathTensorSym2D::PrincipalAngleTensor() const {
    const double t01 = components[T01];
    const double d = components[T00] - components[T11];
    const double a = d + std::sqrt(d * d + t01 * 4.0 * t01);
    if (std::fabs(a) < 1e-5)
        return 0.0;
    return std::atan(2.0 * t01 / a);
}

CVyMathTensorSym2D CVyMathTensorSym2D::GetPrincipalStress() const {
    const double t00 = components[T00], t11 = components[T11];
    const double root = std::sqrt(CVyMath::Sqr(components[T01]) * 4.0 + CVyMath::Sqr(t00 - t11));
    const double values[6] = {(t00 + t11 + root) * 0.5, 0.0, (t00 + t11 - root) * 0.5, 0.0, 0.0, 0.0};
    CVyMathTensorSym2D p;
    p.SetComponents(values);
    return p;
}

void CVyMathTensorSym2D::GetEigenVector(double lambda, double* const v) const {
    const double t00 = components[T00], t01 = components[T01], t11 = components[T11];
    const double t02 = components[T02], t12 = components[T12];
    const double det = (t11 - lambda) * (t00 - lambda) - t01 * t01;
    if (CVyMath::Equal(det, 0.0, kTensorTolerance))
        throw NoSolution();
    const double x = (t12 * t01 - (t11 - lambda) * t02) / det;
    const double y = (t02 * t01 - (t00 - lambda) * t12) / det;
    const double norm = std::sqrt(x * x + y * y + 1.0);
    v[0] = x / norm;
    v[1] = y / norm;
    v[2] = 1.0 / norm;
}

void CVyMathTensorSym2D::GetPrincipalDirection(double (&d1)[3], double (&d2)[3], double (&d3)[3]) const {
    d3[0] = d3[1] = d3[2] = 0.0;
    // σ1 and σ2 are exact roots of the in-plane minor, so the two-row solve cannot give their
    // directions: both branches use the in-plane principal axes.
    const double theta = PrincipalAngleTensor();
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    d1[0] = c;
    d1[1] = s;
    d1[2] = 0.0;
    d2[0] = -s;
    d2[1] = c;
    d2[2] = 0.0;
    if (!IsPlane())
        GetEigenVector(0.0, d3); // the third principal value is 0
}

CVyMathTensorSym2D CVyMathTensorSym2D::DeviatoricStressTensor() const {
    CVyMathTensorSym2D deviator(*this);
    CVyMathTensorSym2D spherical;
    spherical *= HydrostaticConstraint();
    deviator -= spherical;
    return deviator;
}

bool CVyMathTensorSym2D::IsSpherical() const {
    const CVyMathTensorSym2D p = GetPrincipalStress();
    return CVyMath::Equal(p(0, 0), p(1, 1), kTensorTolerance) &&
           CVyMath::Equal(p(0, 0), p(2, 2), kTensorTolerance);
}

bool CVyMathTensorSym2D::IsRevolution(const double (&axis)[3]) const {
    const CVyMathTensorSym2D p = GetPrincipalStress();
    // A NaN axis component compares unequal to 0.0 and so counts as set.
    if (!(axis[0] == 0.0) && CVyMath::Equal(p(1, 1), p(2, 2), kTensorTolerance))
        return true;
    if (!(axis[1] == 0.0) && CVyMath::Equal(p(0, 0), p(2, 2), kTensorTolerance))
        return true;
    if (!(axis[2] == 0.0) && CVyMath::Equal(p(0, 0), p(1, 1), kTensorTolerance))
        return true;
    return false;
}

void CVyMathTensorSym2D::Jacobi(double** a, int n, double* const d, double** v, int* nrot) {
    if (n < 1) {
        if (nrot != nullptr)
            *nrot = 0;
        return;
    }
    if (a == nullptr || d == nullptr || v == nullptr || nrot == nullptr)
        throw NoSolution();
    for (int p = 1; p <= n; ++p)
        if (a[p] == nullptr || v[p] == nullptr)
            throw NoSolution();

    std::vector<double> b(static_cast<std::size_t>(n) + 1);
    std::vector<double> z(static_cast<std::size_t>(n) + 1);
    for (int p = 1; p <= n; ++p) {
        for (int q = 1; q <= n; ++q)
            v[p][q] = 0.0;
        v[p][p] = 1.0;
    }
    for (int p = 1; p <= n; ++p) {
        b[p] = d[p] = a[p][p];
        z[p] = 0.0;
    }
    *nrot = 0;

    for (int i = 1; i <= kJacobiMaxSweeps; ++i) {
        double sm = 0.0;
        for (int p = 1; p <= n - 1; ++p)
            for (int q = p + 1; q <= n; ++q)
                sm += std::fabs(a[p][q]);
        if (sm == 0.0)
            return;
        const double tresh = i < 4 ? 0.2 * sm / (static_cast<double>(n) * n) : 0.0;
        for (int p = 1; p <= n - 1; ++p) {
            for (int q = p + 1; q <= n; ++q) {
                const double g = 100.0 * std::fabs(a[p][q]);
                if (i > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) &&
                    std::fabs(d[q]) + g == std::fabs(d[q])) {
                    a[p][q] = 0.0;
                } else if (std::fabs(a[p][q]) > tresh) {
                    double h = d[q] - d[p];
                    double t;
                    if (std::fabs(h) + g == std::fabs(h)) {
                        t = a[p][q] / h;
                    } else {
                        const double theta = 0.5 * h / a[p][q];
                        t = 1.0 / (std::fabs(theta) + std::sqrt(1.0 + theta * theta));
                        if (theta < 0.0)
                            t = -t;
                    }
                    const double c = 1.0 / std::sqrt(1.0 + t * t);
                    const double s = t * c;
                    const double tau = s / (1.0 + c);
                    h = t * a[p][q];
                    z[p] -= h;
                    z[q] += h;
                    d[p] -= h;
                    d[q] += h;
                    a[p][q] = 0.0;
                    for (int j = 1; j <= p - 1; ++j)
                        Rotate(a[j][p], a[j][q], s, tau);
                    for (int j = p + 1; j <= q - 1; ++j)
                        Rotate(a[p][j], a[j][q], s, tau);
                    for (int j = q + 1; j <= n; ++j)
                        Rotate(a[p][j], a[q][j], s, tau);
                    for (int j = 1; j <= n; ++j)
                        Rotate(v[j][p], v[j][q], s, tau);
                    ++*nrot;
                }
            }
        }
        for (int p = 1; p <= n; ++p) {
            b[p] += z[p];
            d[p] = b[p];
            z[p] = 0.0;
        }
    }
    throw NoSolution();
}

std::ostream& operator<<(std::ostream& os, CVyMathTensorSym2D& t) {
    os << std::endl;
    os << "\tTenseur=  ["
       << " " << t(0, 0) << " " << t(0, 1) << " " << t(0, 2) << " ]" << std::endl;
    os << "\t\t  [ " << t(1, 0) << " " << t(1, 1) << " " << t(1, 2) << " ]" << std::endl;
    os << "\t\t  [ " << t(2, 0) << " " << t(2, 1) << " " << t(2, 2) << " ]" << std::endl;
    return os;
}
