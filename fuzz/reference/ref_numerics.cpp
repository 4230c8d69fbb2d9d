// Reference: Interpolation and approximation numerics of RefFunction1D: least-squares polynomial, LU
// decomposition and substitution, Neville interpolation, cubic spline second derivatives.
#include "RefFunction1D.h"

#include "vymath/CVyMathPolynom.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace {

// Crout decomposition with implicit partial pivoting (see LuDecomp). False, with a and indx untouched,
// when a row is entirely 0.0 (nothing factorised); true once the decomposition has run.
bool CroutDecompose(double** a, int n, int* indx) {
    if (a == nullptr || indx == nullptr || n < 1)
        return false;
    for (int i = 0; i < n; ++i)
        if (a[i] == nullptr)
            return false;

    std::vector<double> vv(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        double big = 0.0;
        for (int j = 0; j < n; ++j) {
            const double t = std::fabs(a[i][j]);
            if (t > big)
                big = t;
        }
        if (big == 0.0)
            return false;
        vv[i] = 1.0 / big;
    }

    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            double sum = a[i][j];
            for (int k = 0; k < i; ++k)
                sum = sum - a[i][k] * a[k][j];
            a[i][j] = sum;
        }
        double big = 0.0;
        int imax = j; // stays on the diagonal when no candidate compares (NaN entries)
        for (int i = j; i < n; ++i) {
            double sum = a[i][j];
            for (int k = 0; k < j; ++k)
                sum = sum - a[i][k] * a[k][j];
            a[i][j] = sum;
            const double dum = vv[i] * std::fabs(sum);
            if (dum >= big) {
                big = dum;
                imax = i;
            }
        }
        if (imax != j) {
            for (int k = 0; k < n; ++k) {
                const double dum = a[imax][k];
                a[imax][k] = a[j][k];
                a[j][k] = dum;
            }
            vv[imax] = vv[j];
        }
        indx[j] = imax;
        if (a[j][j] == 0.0)
            a[j][j] = 1e-20;
        const double dum = 1.0 / a[j][j];
        for (int i = j + 1; i < n; ++i)
            a[i][j] = a[i][j] * dum;
    }
    return true;
}

} // namespace

CVyMathPolynom RefFunction1D::ApproxPolynomiale(int degree) {
    if (degree < -1)
        throw std::invalid_argument("ApproxPolynomiale: degree below -1");
    CVyMathPolynom result(degree);
    if (degree == -1)
        return result;

    const std::size_t N = static_cast<std::size_t>(degree) + 1;
    // The matrix first: an impossible size fails here, before any long loop.
    std::vector<double> matrix(N * N);
    std::vector<double*> rows(N);
    for (std::size_t i = 0; i < N; ++i)
        rows[i] = matrix.data() + i * N;
    std::vector<double> sums(2 * N - 1, 0.0);
    std::vector<double> b(N, 0.0);
    const int size = static_cast<int>(N); // N * N doubles fit in memory, so N fits in an int

    for (const Point& pt : points) {
        double p = 1.0;
        for (double& s : sums) {
            s = s + p;
            p = p * pt.x;
        }
    }
    for (const Point& pt : points) {
        double p = 1.0;
        for (double& bj : b) {
            bj = pt.y * p + bj;
            p = pt.x * p;
        }
    }
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = 0; j < N; ++j)
            rows[i][j] = sums[i + j];

    std::vector<int> indx(N, 0);
    if (CroutDecompose(rows.data(), size, indx.data())) {
        LuBackSubstitution(rows.data(), size, indx.data(), b.data());
    } else {
        // A zero row: the constant least-squares fit (mean ordinate), zero for the higher powers.
        const double mean = points.empty() ? 0.0 : b[0] / sums[0];
        b.assign(N, 0.0);
        b[0] = mean;
    }
    for (double c : b)
        result.SetCoeff(c);
    return result;
}

void RefFunction1D::PolynomInterpol(double* const xa, double* const ya, int n, double x, double* y,
                                    double* dy) {
    if (xa == nullptr || ya == nullptr || y == nullptr || dy == nullptr || n < 1)
        return;
    std::vector<double> c(ya, ya + n);
    std::vector<double> d(ya, ya + n);

    int ns = 0;
    double dif = std::fabs(x - xa[0]);
    for (int i = 0; i < n; ++i) {
        const double dift = std::fabs(x - xa[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
    }
    *y = ya[ns];
    ns = ns - 1;
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const double ho = xa[i] - x;
            const double hp = xa[i + m] - x;
            const double w = c[i + 1] - d[i];
            const double den = w / (ho - hp);
            d[i] = hp * den;
            c[i] = ho * den;
        }
        double correction;
        if (2 * (ns + 1) < n - m) {
            correction = c[ns + 1];
        } else {
            correction = d[ns];
            ns = ns - 1;
        }
        *dy = correction;
        *y = *y + correction;
    }
}

void RefFunction1D::LuDecomp(double** a, int n, int* indx) {
    CroutDecompose(a, n, indx);
}

void RefFunction1D::LuBackSubstitution(double** a, int n, int* indx, double* const b) {
    if (a == nullptr || indx == nullptr || b == nullptr || n < 1)
        return;
    for (int i = 0; i < n; ++i)
        if (a[i] == nullptr || indx[i] < 0 || indx[i] >= n)
            return;

    int ii = -1;
    for (int i = 0; i < n; ++i) {
        const int ip = indx[i];
        double sum = b[ip];
        b[ip] = b[i];
        if (ii >= 0) {
            for (int j = ii; j < i; ++j)
                sum = sum - a[i][j] * b[j];
        } else if (!(sum == 0.0)) {
            ii = i;
        }
        b[i] = sum;
    }
    for (int i = n - 1; i >= 0; --i) {
        double sum = b[i];
        for (int j = i + 1; j < n; ++j)
            sum = sum - a[i][j] * b[j];
        b[i] = sum / a[i][i];
    }
}

void RefFunction1D::Spline(double* const x, double* const y, int n, double yp1, double ypn,
                           double* const y2) {
    if (x == nullptr || y == nullptr || y2 == nullptr || n < 2)
        return;
    std::vector<double> u(static_cast<std::size_t>(n), 0.0); // entries 1 .. n-1

    if (yp1 > 9.9e+29) {
        y2[1] = 0.0;
        u[1] = 0.0;
    } else {
        y2[1] = -0.5;
        u[1] = ((y[2] - y[1]) / (x[2] - x[1]) - yp1) * (3.0 / (x[2] - x[1]));
    }
    for (int i = 2; i <= n - 1; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        u[i] = (6.0 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
    }
    double qn;
    double un;
    if (ypn > 9.9e+29) {
        qn = 0.0;
        un = 0.0;
    } else {
        qn = 0.5;
        un = (ypn - (y[n] - y[n - 1]) / (x[n] - x[n - 1])) * (3.0 / (x[n] - x[n - 1]));
    }
    y2[n] = (un - qn * u[n - 1]) / (qn * y2[n - 1] + 1.0);
    for (int k = n - 1; k >= 1; --k)
        y2[k] = y2[k] * y2[k + 1] + u[k];
}
