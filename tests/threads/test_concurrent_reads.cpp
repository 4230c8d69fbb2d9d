// Several threads read shared functions and a shared set at once: evaluation, batch evaluation,
// crossings, envelopes (the fold and the exact ones) and combinations. Each thread's results must equal the
// serial run's; under ThreadSanitizer (preset "tsan") the test also proves the reads free of data races.
#include "vymath/vymath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace {

using F = CVyMathFunction1D;

F Case(int k) {
    F f(0.0, 50.0, 0);
    for (int i = 1; i < 500; ++i) {
        const double x = i * 0.1 + 0.01 * k;
        f.Set(x, std::sin(0.2 * x + k) * (k + 1));
    }
    f.Set(25.0 + k, 3.0, -3.0); // a jump
    return f;
}

// Everything one thread computes, flattened.
std::vector<double> Work(F& a, F& b, const CVyMathSetFunction1D& set, const std::vector<const F*>& members) {
    std::vector<double> out;
    std::vector<double> xs;
    for (int i = 0; i < 2000; ++i)
        xs.push_back(i * 0.025);
    for (double x : xs) {
        double y = 0.0;
        out.push_back(a.GetOrdinate(x, y) ? y : -1.0);
    }
    std::vector<double> ys(xs.size());
    out.push_back(static_cast<double>(b.GetOrdinates(xs.data(), ys.data(), xs.size())));
    out.insert(out.end(), ys.begin(), ys.end());
    F::PointList crossings;
    out.push_back(a.GetIntersectionAbscissas(&b, crossings));
    double x, y;
    crossings.ResetCursor();
    while (crossings.GetNext(x, y))
        out.insert(out.end(), {x, y});
    F lower, upper;
    std::vector<int> lc, uc;
    set.EnvelopMaxMin(lower, upper, lc, uc);
    for (const auto& p : lower.GetPoints())
        out.insert(out.end(), {p.x, p.y});
    out.insert(out.end(), uc.begin(), uc.end());
    set.ExactEnvelopes(lower, upper, lc, uc);
    for (const auto& p : upper.GetPoints())
        out.insert(out.end(), {p.x, p.y});
    out.insert(out.end(), lc.begin(), lc.end());
    F combined;
    out.push_back(F::Combine(members, std::vector<double>(members.size(), 1.5), combined));
    for (const auto& p : combined.GetPoints())
        out.insert(out.end(), {p.x, p.y});
    out.push_back(a.Qtrap(0.0, 50.0));
    return out;
}

TEST(ConcurrentReads, ThreadsGetTheSerialResults) {
    std::vector<F> cases;
    for (int k = 0; k < 4; ++k)
        cases.push_back(Case(k));
    CVyMathSetFunction1D set;
    std::vector<const F*> members;
    for (F& f : cases) {
        set.AddFunction(&f);
        members.push_back(&f);
    }
    const std::vector<double> serial = Work(cases[0], cases[1], set, members);
    std::vector<std::vector<double>> results(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < results.size(); ++t)
        threads.emplace_back([&, t] { results[t] = Work(cases[0], cases[1], set, members); });
    for (std::thread& th : threads)
        th.join();
    for (const auto& r : results)
        EXPECT_EQ(r, serial);
}

} // namespace
