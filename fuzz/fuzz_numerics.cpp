// Decodes the input into polynomials to format and small systems for the numerical routines:
// formatting (both forms, any degree and coefficient count, any precision and variable), Neville
// interpolation, LU decomposition and back substitution, the cubic spline and the least-squares fit.
// Checks that every text ends with its NUL and that no routine reads or writes outside its arrays
// (the sanitizers see that).
#include "FuzzCommon.h"
#include "foundation/Access.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using fuzz::Check;

constexpr int kMaxN = 6;

void Formatting(FuzzedDataProvider& in) {
    CVyMathPolynom p(in.ConsumeIntegralInRange(-3, 9));
    const int count = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < count; ++i)
        p.SetCoeff(fuzz::Value(in));
    const wchar_t variable = static_cast<wchar_t>(in.ConsumeIntegral<int32_t>());
    const int prec = in.ConsumeIntegralInRange(-4, 40);
    std::ostringstream a, b;
    CVyMathPolynom caller;
    caller.FormatPolynomial2(a, p, variable, prec);
    caller.FormatPolynomial1(b, p, variable, prec);
    Check(!a.str().empty() && a.str().back() == '\0', "monomial form ends with its NUL");
    Check(!b.str().empty() && b.str().back() == '\0', "product form ends with its NUL");
}

void Interpolation(FuzzedDataProvider& in) {
    double xa[kMaxN], ya[kMaxN];
    for (int i = 0; i < kMaxN; ++i) {
        xa[i] = fuzz::Value(in);
        ya[i] = fuzz::Value(in);
    }
    double y = 0, dy = 0;
    CVyMathFunction1D f;
    f.PolynomInterpol(xa, ya, in.ConsumeIntegralInRange(-1, kMaxN), fuzz::Value(in), &y, &dy);
}

void LinearSystem(FuzzedDataProvider& in) {
    const int n = in.ConsumeIntegralInRange(0, kMaxN);
    std::vector<std::vector<double>> rows(static_cast<std::size_t>(kMaxN), std::vector<double>(kMaxN));
    std::vector<double*> a;
    for (auto& row : rows) {
        for (double& v : row)
            v = in.ConsumeBool() ? 0.0 : fuzz::Value(in);
        a.push_back(row.data());
    }
    std::vector<int> indx(kMaxN, 0);
    std::vector<double> b(kMaxN);
    for (double& v : b)
        v = fuzz::Value(in);
    vymath::detail::Access::LuDecomp(a.data(), n, indx.data());
    for (int i = 0; i < n; ++i)
        Check(indx[static_cast<std::size_t>(i)] >= 0 && indx[static_cast<std::size_t>(i)] < n,
              "pivot index in range");
    vymath::detail::Access::LuBackSubstitution(a.data(), n, indx.data(), b.data());
}

void SplineAndFit(FuzzedDataProvider& in) {
    const int n = in.ConsumeIntegralInRange(0, kMaxN);
    double x[kMaxN + 1], y[kMaxN + 1], y2[kMaxN + 1];
    double at = in.ConsumeFloatingPointInRange(-5.0, 5.0);
    for (int i = 0; i <= kMaxN; ++i) {
        at += in.ConsumeFloatingPointInRange(0.01, 3.0);
        x[i] = at;
        y[i] = fuzz::Value(in);
        y2[i] = 0.0;
    }
    vymath::detail::Access::Spline(x, y, n, fuzz::Value(in), fuzz::Value(in), y2);

    CVyMathFunction1D f(x[0], x[kMaxN], 0);
    for (int i = 1; i < kMaxN; ++i)
        f.Set(x[i], y[i]);
    if (in.ConsumeBool())
        f.Clear(in.ConsumeBool());
    const int degree = in.ConsumeIntegralInRange(-3, 7);
    try {
        const CVyMathPolynom p = f.ApproxPolynomiale(degree);
        Check(p.GetDegree() == degree, "the fit has the degree asked for");
    } catch (const std::invalid_argument&) {
        Check(degree < -1, "only a degree below -1 is refused");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            Formatting(in);
            break;
        case 1:
            Interpolation(in);
            break;
        case 2:
            LinearSystem(in);
            break;
        default:
            SplineAndFit(in);
            break;
        }
    }
    return 0;
}
