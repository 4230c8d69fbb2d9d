// Text formatting of CVyMathPolynom: monomial form, product form and one linear factor.
#include "vymath/CVyMathPolynom.h"

#include "vymath/CVyMath.h"

#include <cmath>
#include <cstddef>
#include <iomanip>

namespace {

// 10 to the power -prec, by repeated multiplication of 10.0 (stops once the power is infinite).
double ZeroTolerance(int prec) {
    const long long e = prec < 0 ? -static_cast<long long>(prec) : static_cast<long long>(prec);
    double power = 1.0;
    for (long long i = 0; i < e && !std::isinf(power); ++i)
        power = power * 10.0;
    return prec < 0 ? power : 1.0 / power;
}

// The variable as one narrow character: codes 0..255 as themselves, any other code as '?'.
char Narrow(wchar_t variable) {
    const long long code = static_cast<long long>(variable);
    if (code < 0 || code > 255)
        return '?';
    return static_cast<char>(static_cast<unsigned char>(code));
}

// The walk shared by both forms: sign, magnitude, then the power part written by `power(k)`.
// Powers beyond the stored coefficients count as null and write nothing.
template <typename PowerPart>
void FormatTerms(std::basic_ostream<char>& os, const std::vector<double>& c, int degree, int prec, double tol,
                 PowerPart power) {
    bool first = true;
    const long long last = static_cast<long long>(c.size()) - 1;
    for (long long k = 0; k <= degree && k <= last; ++k) {
        const double ck = c[static_cast<std::size_t>(k)];
        if (CVyMath::IsNull(ck, tol))
            continue;
        if (CVyMath::Signe(ck) > 0)
            os << (first ? "" : "+ ");
        else
            os << "- ";
        if (k == 0 || !CVyMath::Equal(ck, 1.0, tol))
            os << std::setprecision(prec) << std::fabs(ck) << " ";
        if (k >= 1)
            power(static_cast<int>(k));
        first = false;
    }
    os << std::ends;
}

} // namespace

void CVyMathPolynom::FormatPolynomial2(std::basic_ostream<char>& os, const CVyMathPolynom& p, wchar_t,
                                       int prec) const {
    FormatTerms(os, p.coefficients, p.degree, prec, ZeroTolerance(prec),
                [&os](int k) { os << "X^" << k << " "; });
}

void CVyMathPolynom::FormatPolynomial1(std::basic_ostream<char>& os, const CVyMathPolynom& p,
                                       wchar_t variable, int prec) const {
    const double tol = ZeroTolerance(prec);
    FormatTerms(os, p.coefficients, p.degree, prec, tol, [&](int k) {
        for (int i = 0; i < k; ++i)
            FormatMonomial(os, p.coefficients[static_cast<std::size_t>(i)], variable, prec, tol);
    });
}

void CVyMathPolynom::FormatMonomial(std::basic_ostream<char>& os, double r, wchar_t variable, int prec,
                                    double tol) const {
    const char v = Narrow(variable);
    if (CVyMath::IsNull(r, tol)) {
        os << v << " ";
        return;
    }
    const char sign = CVyMath::Signe(r) > 0 ? '-' : '+';
    os << "(" << v << " " << sign << " " << std::setprecision(prec) << std::fabs(r) << ") ";
}
