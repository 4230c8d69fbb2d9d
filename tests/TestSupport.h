// Helpers shared by the unit tests.
#ifndef VYMATH_TESTS_TESTSUPPORT_H
#define VYMATH_TESTS_TESTSUPPORT_H

#include "foundation/Access.h"
#include "vymath/vymath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

using F = CVyMathFunction1D;
using P = std::pair<double, double>;
using V = std::vector<P>;
using Nums = std::vector<double>;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Points as (x, y) pairs, for compact expectations.
inline std::vector<std::pair<double, double>> Pairs(const std::vector<CVyMathFunction1D::Point>& pts) {
    std::vector<std::pair<double, double>> out;
    for (const auto& p : pts)
        out.emplace_back(p.x, p.y);
    return out;
}

inline std::vector<std::pair<double, double>> PointsOf(const CVyMathFunction1D& f) {
    return Pairs(f.GetPoints());
}

// The items of a point list, walked on a copy.
inline std::vector<std::pair<double, double>> ItemsOf(const CVyMathFunction1D::PointList& l) {
    CVyMathFunction1D::PointList walk(l);
    std::vector<std::pair<double, double>> out;
    double x, y;
    walk.ResetCursor();
    while (walk.GetNext(x, y))
        out.emplace_back(x, y);
    return out;
}

// A function on [xmin, xmax] holding exactly the given points (unsorted or repeated alike).
inline CVyMathFunction1D MakeFunction(std::vector<CVyMathFunction1D::Point> pts, double xmin, double xmax) {
    CVyMathFunction1D f(xmin, xmax, 0);
    vymath::detail::Access::SetPoints(f, pts);
    return f;
}

// A result named for the rule it checks, with the value it must have (a NaN matches a NaN).
template <class T>
struct Result {
    const char* name;
    T got, want;
};
template <class T>
struct Same { // want takes got's type instead of deducing one
    using type = T;
};
template <class T>
Result<T> Row(const char* name, T got, typename Same<T>::type want) {
    return {name, got, want};
}
template <class T>
void ExpectRows(std::initializer_list<Result<T>> rows) {
    for (const Result<T>& r : rows) {
        SCOPED_TRACE(r.name);
        if constexpr (std::is_floating_point_v<T>)
            if (std::isnan(r.want)) {
                EXPECT_TRUE(std::isnan(r.got));
                continue;
            }
        EXPECT_EQ(r.got, r.want);
    }
}

// ExpectRows with the line of the table in the trace of a failure.
#define EXPECT_ROWS(...)                                                                                     \
    do {                                                                                                     \
        SCOPED_TRACE("table");                                                                               \
        ExpectRows(__VA_ARGS__);                                                                             \
    } while (0)

inline P Range(const F& f) {
    P r;
    f.GetFullRange(r.first, r.second);
    return r;
}

// The value at x, NaN where GetOrdinate fails.
inline double At(const F& f, double x) {
    double y;
    return f.GetOrdinate(x, y) ? y : kNaN;
}

// Points within tol of the wanted ones, coordinate by coordinate.
inline void ExpectNear(const V& got, const V& want, double tol) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_NEAR(got[k].first, want[k].first, tol) << "point " << k;
        EXPECT_NEAR(got[k].second, want[k].second, tol) << "point " << k;
    }
}

inline void ExpectNear(const Nums& got, const Nums& want, double tol) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k)
        EXPECT_NEAR(got[k], want[k], tol) << "position " << k;
}

// A function holding exactly these points, on the domain of their first and last abscissas.
inline F Poly(std::vector<F::Point> p) {
    return MakeFunction(p, p.front().x, p.back().x);
}

// A matrix from its rows.
inline CVyMathMat33 Rows(const double (&r0)[3], const double (&r1)[3], const double (&r2)[3]) {
    const double c0[3] = {r0[0], r1[0], r2[0]}, c1[3] = {r0[1], r1[1], r2[1]}, c2[3] = {r0[2], r1[2], r2[2]};
    return CVyMathMat33(c0, c1, c2);
}

// A tensor from its packed components, in the given basis (identity when none).
inline CVyMathTensorSym2D Tensor(double t00, double t01, double t11, double t02, double t12, double t22,
                                 CVyMathMat33 basis = CVyMathMat33()) {
    const double c[6] = {t00, t01, t11, t02, t12, t22};
    return CVyMathTensorSym2D(c, &basis);
}

// The six packed components of a tensor.
inline Nums Components(CVyMathTensorSym2D t) {
    return {t.GetComponent(0), t.GetComponent(1), t.GetComponent(2),
            t.GetComponent(3), t.GetComponent(4), t.GetComponent(5)};
}

// A string buffer that counts flushes.
struct SyncCounter : std::stringbuf {
    int syncs = 0;
    int sync() override { return ++syncs, std::stringbuf::sync(); }
};

#endif // VYMATH_TESTS_TESTSUPPORT_H
