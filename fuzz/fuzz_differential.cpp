// Differential fuzzing: the input is decoded once into functions and a sequence of operations, which
// run on the library and on the reference transcription (fuzz/reference). Every result (codes,
// doubles, point lists with their cursors, batch values) and, after each operation, the whole state of
// every function (points, jump abscissas, domain, tolerances) must agree bit for bit.
#include "FuzzCommon.h"
#include "foundation/Access.h"
#include "reference/RefFunction1D.h"
#include "reference/RefInternal.h"
#include "reference/RefSetFunction1D.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

using F = CVyMathFunction1D;
using R = RefFunction1D;

constexpr int kPool = 3;
constexpr std::size_t kMaxPoints = 2500;

// Everything an operation reads from the input, decoded once and given to both sides.
struct Args {
    int op = 0, a = 0, b = 0, c = 0, i = 0;
    double x = 0, y = 0, z = 0, t = 0;
    bool flag = false;
    std::vector<double> values;
};

// The outputs of an operation as bit patterns; two sides agree when their logs are equal.
struct Log {
    std::vector<std::uint64_t> v;
    void D(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        v.push_back(bits);
    }
    void I(long long n) { v.push_back(static_cast<std::uint64_t>(n)); }
    // The items of a point list and the position of its cursor.
    template <typename List>
    void L(const List& list) {
        List items(list), rest(list);
        double x, y;
        long long remaining = 0;
        while (rest.GetNext(x, y))
            ++remaining;
        items.ResetCursor();
        long long count = 0;
        while (items.GetNext(x, y)) {
            D(x);
            D(y);
            ++count;
        }
        I(count);
        I(remaining);
    }
};

// A list that already holds a point, with its cursor at the end: queries must append to it.
template <typename List>
List Prefilled(bool filled) {
    List list;
    if (filled)
        list.AddPoint({-7.25, 3.5});
    return list;
}

// The scenarios a function starts from; each stresses a rule the fast paths must keep.
template <typename Fn>
Fn Build(int scenario, const std::vector<double>& v, int count) {
    const auto at = [&v](std::size_t k) { return v[k % v.size()]; };
    switch (scenario) {
    case 0: { // bounds constructor and plain Sets
        Fn f(at(0), at(1), count % 2);
        for (int k = 0; k < count; ++k)
            f.Set(at(2 + 2 * k), at(3 + 2 * k));
        return f;
    }
    case 1: { // points closer together than Xtolerance, and exactly Xtolerance apart
        Fn f(0.0, 10.0, 0);
        const double tol = f.GetXtolerance();
        const double fractions[] = {0.0, 0.3, 0.7, 1.0, 1.5, 2.0, 2.0, 3.0};
        for (int k = 0; k < count; ++k) {
            const double base = 1.0 + (k / 8) * 0.5;
            f.SetUniqueAbscissaAtIndex(base + fractions[k % 8] * tol, at(k), 0.0,
                                       static_cast<int>(f.GetNumberElement()) - 1);
        }
        return f;
    }
    case 2: { // a closed curve (points out of abscissa order)
        Fn f(-5.0, 5.0, 0);
        f.Clear(true);
        f.Set(4.0, 0.0);
        const int n = 3 + count % 40;
        for (int k = 1; k <= n; ++k) {
            const double angle = 6.283185307179586 * k / n;
            f.SetUniqueAbscissa(4.0 * std::cos(angle) + at(k) * 1e-3, 3.0 * std::sin(angle), 1e-6);
        }
        if (count % 2 == 0)
            f.CloseCurve();
        return f;
    }
    case 3: { // open ends: sentinels at -DBL_MAX and +DBL_MAX
        Fn f;
        if (count % 3 == 1)
            f = Fn(-DBL_MAX, at(0), 0);
        for (int k = 0; k < count; ++k)
            f.Set(at(2 * k + 1), at(2 * k + 2));
        return f;
    }
    case 4: { // DBL_MAX and infinite ordinates
        Fn f(at(0), at(0) + 20.0, 0);
        const double big[] = {DBL_MAX, -DBL_MAX, ref::kInf, -ref::kInf, 1e308, -1e308};
        for (int k = 0; k < count; ++k)
            f.Set(at(0) + 0.5 + k * 0.37, k % 2 == 0 ? big[k % 6] : at(k));
        return f;
    }
    case 5: { // jumps
        Fn f(0.0, 30.0, count % 2);
        for (int k = 0; k < count; ++k) {
            const double x = 0.5 + k * 0.7 + at(k) * 1e-6;
            if (k % 3 == 0)
                f.Set(x, at(k), at(k + 1));
            else
                f.Set(x, at(k + 2));
        }
        return f;
    }
    case 6: { // NaN and infinite inputs everywhere
        Fn f(at(0), at(1), 0);
        const double odd[] = {ref::kNaN, ref::kInf, -ref::kInf, DBL_MAX, -DBL_MAX, 0.0};
        for (int k = 0; k < count; ++k) {
            f.Set(odd[k % 6], at(k));
            f.Set(at(k), odd[(k + 1) % 6]);
            f.Set(at(k + 1), odd[k % 6], at(k + 2));
        }
        f.SetDomain(odd[count % 6], at(2));
        return f;
    }
    default: { // many points: deep bisections and long cursor walks
        const int n = 100 + count * 37;
        Fn f(0.0, static_cast<double>(n), 0);
        for (int k = 1; k < n; ++k)
            f.SetUniqueAbscissaAtIndex(k + at(k) * 1e-3, at(k + 5) * 10.0, 0.0, k);
        return f;
    }
    }
}

template <typename Fn>
std::vector<typename Fn::Point> StoredPoints(const Fn& f);
template <>
std::vector<F::Point> StoredPoints<F>(const F& f) {
    const auto& pts = f.GetPoints();
    return {pts.begin(), pts.end()};
}
template <>
std::vector<R::Point> StoredPoints<R>(const R& f) {
    return f.points;
}

template <typename Fn>
void LogState(Fn& f, Log& log) {
    for (const auto& p : StoredPoints(f)) {
        log.D(p.x);
        log.D(p.y);
    }
    double a, b;
    f.GetFullRange(a, b);
    log.D(a);
    log.D(b);
    log.D(f.GetXtolerance());
    log.D(f.GetYtolerance());
    log.I(f.GetNumberElement());
}

void LogJumps(const F& f, Log& log) {
    for (double j : f.GetJumpAbscissas())
        log.D(j);
    log.I(f.GetForceJumps());
}
void LogJumps(const R& f, Log& log) {
    for (double j : f.jumpAbscissas)
        log.D(j);
    log.I(f.forceJumps);
}

// Queries at every stored abscissa and at tolerance steps beside it, where the search rules bite.
template <typename Fn>
std::vector<double> ProbeAbscissas(Fn& f, bool descending) {
    std::vector<double> xs;
    const double tol = f.GetXtolerance();
    const double steps[] = {-2.0, -1.0, -0.5, 0.0, 0.5, 1.0, 2.0};
    for (const auto& p : StoredPoints(f))
        for (double s : steps)
            xs.push_back(p.x + s * tol);
    if (descending)
        std::reverse(xs.begin(), xs.end());
    return xs;
}

template <typename Fn, typename Set>
struct World {
    std::vector<Fn> fs;
    Set set;

    void Step(const Args& A, Log& log) {
        Fn& f = fs[A.a];
        Fn& g = fs[A.b];
        using List = typename Fn::PointList;
        List l1 = Prefilled<List>(A.flag), l2 = Prefilled<List>(!A.flag);
        double o1 = 0.5, o2 = -0.5;
        switch (A.op) {
        case 0:
            log.I(f.Set(A.x, A.y));
            break;
        case 1:
            log.I(f.Set(A.x, A.y, A.z));
            break;
        case 2:
            log.I(f.SetConstant(A.x, A.z, A.y));
            break;
        case 3:
            log.I(f.SetUniqueAbscissa(A.x, A.y, A.z));
            break;
        case 4:
            log.I(f.SetUniqueAbscissaAtIndex(A.x, A.y, A.z, A.i));
            break;
        case 5:
            f.SetDomain(A.x, A.y);
            break;
        case 6:
            f.Clear(A.flag);
            break;
        case 7:
            log.I(f.Replace(A.x, A.y));
            log.I(f.Remove(A.z));
            break;
        case 8:
            f.SetXtolerance(A.t);
            break;
        case 9:
            f.SetYtolerance(A.t);
            break;
        case 10:
            f.ShiftOnX(A.x);
            break;
        case 11:
            if (A.flag)
                f.ScaleOnX(A.x);
            else
                f.Scale(A.x, A.y);
            break;
        case 12:
            f.ScaleOnY(A.x);
            f.RevertValues();
            break;
        case 13:
            f.CloseCurve();
            break;
        case 14:
            f.Merge(&g);
            break;
        case 15:
            f.Concat(&g);
            break;
        case 16:
            f += g;
            f += A.x;
            f *= A.y;
            break;
        case 17:
            f = A.flag ? f + g : f - g;
            break;
        case 18:
            log.I(f == g);
            log.I(f != g);
            break;
        case 19: {
            log.I(f.GetOrdinate(A.x, o1));
            log.D(o1);
            log.I(f.Find(A.x));
            int lo = 7, hi = 7;
            f.Find(A.x, lo, hi);
            log.I(lo);
            log.I(hi);
            log.I(f.IsDefined(A.x));
            log.I(f.IsOnCurve(A.x, A.y, A.t));
            log.I(f.IsDiscontinued(A.x));
            break;
        }
        case 20: { // batch evaluation, in the given order or sorted
            std::vector<double> xs = A.values;
            if (A.flag)
                std::sort(xs.begin(), xs.end());
            std::vector<double> ys(xs.size(), 3.25);
            log.I(static_cast<long long>(f.GetOrdinates(xs.data(), ys.data(), xs.size())));
            for (double y : ys)
                log.D(y);
            break;
        }
        case 21: { // every stored abscissa and its tolerance neighbours, one by one and in a batch
            const std::vector<double> xs = ProbeAbscissas(f, A.flag);
            std::vector<double> ys(xs.size());
            log.I(static_cast<long long>(f.GetOrdinates(xs.data(), ys.data(), xs.size())));
            for (std::size_t k = 0; k < xs.size(); ++k) {
                log.D(ys[k]);
                int lo, hi;
                f.Find(xs[k], lo, hi);
                log.I(lo);
                log.I(hi);
                double y = 0.25;
                log.I(f.GetOrdinate(xs[k], y));
                log.D(y);
                log.I(f.Find(xs[k]));
            }
            break;
        }
        case 22:
            log.I(f.IsConstant());
            log.I(f.IsLinear(A.x, A.y));
            log.I(f.IsLinear(DBL_MIN, DBL_MAX));
            log.I(f.IsSymetric(A.x, A.y));
            log.I(f.IsSymetric(DBL_MIN, DBL_MAX));
            break;
        case 23: {
            double slopes[2] = {1, 2};
            f.Slope(A.x, slopes);
            log.D(slopes[0]);
            log.D(slopes[1]);
            double tol = A.t;
            log.I(f.GetNearAbscissas(A.x, o1, o2, A.flag ? &tol : nullptr));
            log.D(o1);
            log.D(o2);
            break;
        }
        case 24:
            log.I(f.FindUniqueAbscissa(A.x, o1));
            log.D(o1);
            log.I(f.FindMultipleOrdinates(A.x, o1, o2));
            log.D(o1);
            log.D(o2);
            break;
        case 25:
            log.D(f.RootBissection(A.x, A.y, A.t));
            log.D(f.RootBissectionUniqueAbscisse(A.x, A.y, A.t));
            break;
        case 26:
            f.GetAllZero(l1, A.t);
            f.GetAllZeroInteractionCurves(l2, A.t);
            log.L(l1);
            log.L(l2);
            break;
        case 27:
            f.Extrema(l1);
            log.I(f.AngularPoint());
            f.OnlyExtrema(l1, l2);
            log.L(l1);
            log.L(l2);
            break;
        case 28:
            f.LocalMinMax(l1, l2);
            f.GlobalMinMax(l1, l2);
            f.ValuesGlobalMinMax(o1, o2);
            log.L(l1);
            log.L(l2);
            log.D(o1);
            log.D(o2);
            break;
        case 29:
            f.ExtremaInteractionCurves(l1);
            f.ValuesGlobalMinMaxInteractionCurves(o1, o2);
            log.L(l1);
            log.D(o1);
            log.D(o2);
            break;
        case 30:
            log.I(f.GetIntersectionAbscissas(A.flag ? &f : &g, l1));
            log.L(l1);
            break;
        case 31: {
            Fn upper(fs[A.c]), lower(A.flag ? fs[A.c] : Fn());
            f.EnvelopeMaxMin(upper, lower);
            LogState(upper, log);
            LogState(lower, log);
            break;
        }
        case 32:
            log.D(f.Qtrap(A.x, A.y));
            break;
        case 33:
            log.I(f.GetResultantAndMoment(o1, o2));
            log.D(o1);
            log.D(o2);
            log.I(f.GetExcentricityAndResultant(o1, o2));
            log.D(o1);
            log.D(o2);
            log.D(f.Excentricity());
            break;
        case 34: {
            const CVyMathPolynom p = f.ApproxPolynomiale((A.i + 5) % 5 - 1);
            std::ostringstream os;
            os.precision(17);
            os << f;
            log.I(static_cast<long long>(std::hash<std::string>()(os.str())));
            (void)p;
            break;
        }
        case 35:
            set.AddFunction(&f);
            break;
        case 36:
            set.RemoveFunction(&f);
            break;
        case 37: {
            Fn lower(fs[A.c]), upper;
            log.I(set.EnvelopMaxMin(lower, upper));
            LogState(lower, log);
            LogState(upper, log);
            break;
        }
        case 38: {
            Fn lower, upper;
            std::vector<int> lc{5}, uc;
            log.I(set.EnvelopMaxMin(lower, upper, lc, uc));
            LogState(lower, log);
            LogState(upper, log);
            for (int k : lc)
                log.I(k);
            for (int k : uc)
                log.I(k);
            break;
        }
        case 39: {
            Fn lower(fs[A.c]), upper(A.flag ? fs[A.c] : Fn());
            set.EnveloppeMaxMin(&f, &g, A.i % 3 == 0 ? nullptr : &lower, A.i % 3 == 1 ? nullptr : &upper);
            LogState(lower, log);
            LogState(upper, log);
            break;
        }
        case 40: {
            std::vector<const Fn*> members{&f, &g};
            if (A.i % 2)
                members.push_back(&fs[A.c]);
            std::vector<double> factors(members.size(), A.x);
            factors[0] = A.y;
            if (A.i % 5 == 4)
                factors.pop_back();
            Fn& out = A.flag ? fs[A.c] : f;
            log.I(Fn::Combine(members, factors, out));
            break;
        }
        case 42: { // outputs that are the inputs
            Fn* outs[4][2] = {{&f, nullptr}, {nullptr, &g}, {&g, &f}, {&f, &f}};
            const int k = (A.i + 4) % 4;
            set.EnveloppeMaxMin(&f, A.flag ? &f : &g, outs[k][0], outs[k][1]);
            break;
        }
        case 41: {
            Fn copy(f);
            f.Concat(&copy);
            f.Merge(&f);
            break;
        }
        default:
            break;
        }
    }
};

template <typename Fn, typename Set>
void LogWorld(World<Fn, Set>& w, Log& log) {
    for (Fn& f : w.fs) {
        LogState(f, log);
        LogJumps(f, log);
    }
    log.I(w.set.GetNumber());
}

Args Decode(FuzzedDataProvider& in) {
    Args A;
    A.op = in.ConsumeIntegralInRange(0, 43);
    A.a = in.ConsumeIntegralInRange(0, kPool - 1);
    A.b = in.ConsumeIntegralInRange(0, kPool - 1);
    A.c = in.ConsumeIntegralInRange(0, kPool - 1);
    A.i = in.ConsumeIntegralInRange(-2, 40);
    A.x = fuzz::Value(in);
    A.y = fuzz::Value(in);
    A.z = fuzz::Value(in);
    A.t = fuzz::Tolerance(in);
    A.flag = in.ConsumeBool();
    const int n = in.ConsumeIntegralInRange(0, 24);
    for (int k = 0; k < n; ++k)
        A.values.push_back(fuzz::Value(in));
    return A;
}

bool qtrapUsed = false;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    World<F, CVyMathSetFunction1D> lib;
    World<R, RefSetFunction1D> ref;
    for (int k = 0; k < kPool; ++k) {
        const int scenario = in.ConsumeIntegralInRange(0, 7);
        const int count = in.ConsumeIntegralInRange(0, 40);
        std::vector<double> v{1.0};
        for (int j = 0; j < 6; ++j)
            v.push_back(fuzz::Value(in));
        if (std::getenv("VYMATH_FUZZ_TRACE") != nullptr)
            std::fprintf(stderr, "function %d: scenario %d, count %d\n", k, scenario, count);
        lib.fs.push_back(Build<F>(scenario, v, count));
        ref.fs.push_back(Build<R>(scenario, v, count));
    }
    qtrapUsed = false;
    const bool trace = std::getenv("VYMATH_FUZZ_TRACE") != nullptr;
    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        Args A = Decode(in);
        if (A.op == 32) { // a non-converging integral costs 524,289 evaluations: one an input
            if (qtrapUsed)
                A.op = 19;
            qtrapUsed = true;
        }
        if (trace) {
            std::fprintf(stderr, "step %d op %d a=%d b=%d c=%d i=%d x=%.17g y=%.17g z=%.17g t=%g flag=%d\n",
                         step, A.op, A.a, A.b, A.c, A.i, A.x, A.y, A.z, A.t, A.flag);
            for (double v : A.values)
                std::fprintf(stderr, "  value %.17g\n", v);
            F& f = lib.fs[A.a];
            double lo, hi;
            f.GetFullRange(lo, hi);
            std::fprintf(stderr, "  f on [%.17g, %.17g] xtol %g:", lo, hi, f.GetXtolerance());
            for (const auto& p : StoredPoints(f))
                std::fprintf(stderr, " (%.17g, %.17g)", p.x, p.y);
            std::fprintf(stderr, "\n");
        }
        Log lo, ro;
        lib.Step(A, lo);
        ref.Step(A, ro);
        if (lo.v != ro.v) {
            std::fprintf(stderr, "op %d: outputs differ (%zu and %zu words)\n", A.op, lo.v.size(),
                         ro.v.size());
            for (std::size_t k = 0; k < std::min(lo.v.size(), ro.v.size()); ++k)
                if (lo.v[k] != ro.v[k]) {
                    std::fprintf(stderr, "  first difference at word %zu: %016llx vs %016llx\n", k,
                                 static_cast<unsigned long long>(lo.v[k]),
                                 static_cast<unsigned long long>(ro.v[k]));
                    break;
                }
            fuzz::Fail("library and reference give the same outputs");
        }
        Log ls, rs;
        LogWorld(lib, ls);
        LogWorld(ref, rs);
        fuzz::Check(ls.v == rs.v, "library and reference hold the same state");
        for (int k = 0; k < kPool; ++k)
            if (StoredPoints(lib.fs[k]).size() > kMaxPoints) {
                lib.fs[k].Clear(false);
                ref.fs[k].Clear(false);
            }
    }
    return 0;
}
