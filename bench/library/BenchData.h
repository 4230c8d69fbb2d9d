// The data the benchmarks run on, made the same way for VyMath and for the peers. When the environment
// variable VYMATH_BENCH_DATA names a folder, each data set is also written there as raw float64 files
// (x then y), so that the numpy peer (bench/numpy_peer.py) times the same numbers.
#ifndef VYMATH_BENCH_BENCHDATA_H
#define VYMATH_BENCH_BENCHDATA_H

#include <vymath/vymath.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace bench {

struct Curve {
    std::vector<double> x, y;
};

inline void Dump(const std::string& name, const std::vector<double>& v) {
    const char* dir = std::getenv("VYMATH_BENCH_DATA");
    if (dir == nullptr)
        return;
    const std::string path = std::string(dir) + "/" + name + ".f64";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(v.data(), sizeof(double), v.size(), f);
        std::fclose(f);
    }
}

// A diagram of n points with uneven spacing on about [0, n].
inline Curve DiagramPoints(std::size_t n) {
    Curve c;
    double x = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        c.x.push_back(x);
        c.y.push_back(100.0 * std::sin(0.002 * static_cast<double>(i)) +
                      5.0 * std::cos(0.7 * static_cast<double>(i)));
        x += 1.0 + 0.5 * std::sin(1.3 * static_cast<double>(i));
    }
    Dump("diagram_" + std::to_string(n) + "_x", c.x);
    Dump("diagram_" + std::to_string(n) + "_y", c.y);
    return c;
}

// The function through the points: bounds constructor, then the points in increasing order.
inline CVyMathFunction1D Function(const Curve& c) {
    CVyMathFunction1D f(c.x.front(), c.x.back(), 0);
    for (std::size_t i = 0; i < c.x.size(); ++i)
        f.Set(c.x[i], c.y[i]);
    return f;
}

// m queries uniform over [lo, hi], in random order or sorted.
inline std::vector<double> Queries(std::size_t m, double lo, double hi, bool sorted,
                                   const std::string& name) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> u(lo, hi);
    std::vector<double> q(m);
    for (double& v : q)
        v = u(rng);
    if (sorted)
        std::sort(q.begin(), q.end());
    Dump(name, q);
    return q;
}

// The kinds of load cases LoadCases makes.
enum class Cases {
    Shared, // every case at the same N stations plus one point of its own (a concentrated load)
    Own,    // each case at abscissas of its own (shifted stations), smooth moment diagrams
    Cross,  // each case at stations of its own with random ordinates (time-history steps, many load
            // positions): the cases cross in almost every segment
};

inline const char* Name(Cases kind) {
    return kind == Cases::Shared ? "shared" : kind == Cases::Own ? "own" : "cross";
}

// K load cases of N points on [0, 100], of the given kind.
inline std::vector<Curve> LoadCases(int K, int N, Cases kind) {
    std::vector<Curve> cases;
    const double L = 100.0;
    const bool shared = kind == Cases::Shared;
    for (int k = 0; k < K; ++k) {
        Curve c;
        const double shift = shared ? 0.0 : (L / N) * (k + 1) / (K + 1);
        const double load = L * (k + 0.5) / K;
        const double amp = 10.0 + 7.0 * std::sin(1.7 * k);
        for (int i = 0; i <= N; ++i)
            c.x.push_back(i == 0 || i == N ? L * i / N : L * i / N + shift);
        if (shared) {
            const auto at = std::lower_bound(c.x.begin(), c.x.end(), load);
            if (std::fabs(*at - load) > 1e-6 && std::fabs(*(at - 1) - load) > 1e-6)
                c.x.insert(at, load);
        }
        c.y.assign(c.x.size(), 0.0);
        std::mt19937_64 rng(1000 + static_cast<unsigned>(k));
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            const double x = c.x[i];
            if (kind == Cases::Cross) {
                c.y[i] = amp * 100.0 * u(rng);
                continue;
            }
            const double moment = x <= load ? x * (L - load) / L : load * (L - x) / L; // point load
            c.y[i] = amp * moment + 0.02 * k * x * (L - x) * std::cos(0.3 * k);
        }
        const std::string tag = "cases_" + std::string(Name(kind)) + "_" + std::to_string(K) + "_" +
                                std::to_string(N) + "_" + std::to_string(k);
        Dump(tag + "_x", c.x);
        Dump(tag + "_y", c.y);
        cases.push_back(c);
    }
    return cases;
}

} // namespace bench

#endif // VYMATH_BENCH_BENCHDATA_H
