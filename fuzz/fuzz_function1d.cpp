// Decodes the input into a sequence of operations on two functions and checks, after each one,
// that no stored value is a NaN or an infinity, that failures changed nothing, that evaluation of
// a sorted function stays between neighbouring ordinates and that copies compare equal.
#include "FuzzCommon.h"
#include "foundation/Access.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

using F = CVyMathFunction1D;
using fuzz::Check;

constexpr std::size_t kMaxPoints = 400;

int qtrapBudget = 0; // integrations left in the current input

double Square(double x) {
    return x * x - 2.0;
}

F Construct(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 6)) {
    case 0:
        return F();
    case 1:
        return F(fuzz::Value(in), fuzz::Value(in), in.ConsumeIntegralInRange(0, 1));
    case 2: {
        CVyMathPolynom p(2);
        for (int i = 0; i < 3; ++i)
            p.SetCoeff(fuzz::Value(in));
        return F(p, fuzz::Value(in), fuzz::Value(in), in.ConsumeIntegralInRange(-2, 30));
    }
    case 3:
        return F(&Square, fuzz::Value(in), fuzz::Value(in), in.ConsumeIntegralInRange(-2, 30));
    case 4: {
        F g(fuzz::Value(in), fuzz::Value(in), 0);
        g.Set(fuzz::Value(in), fuzz::Value(in));
        return F(g, fuzz::Value(in), fuzz::Value(in), in.ConsumeIntegralInRange(-2, 30));
    }
    case 5: {
        F g(fuzz::Value(in), fuzz::Value(in), 0);
        g.Set(fuzz::Value(in), fuzz::Value(in));
        return F(g, fuzz::Value(in));
    }
    default: {
        const double xmax = in.ConsumeFloatingPointInRange(-5.0, 50.0);
        double step = fuzz::Value(in);
        if (step > 0.0 && step < 0.1) // keep the sample count small
            step = 0.1;
        return F(fuzz::Value(in), fuzz::Value(in), fuzz::Value(in), fuzz::Value(in), xmax, step);
    }
    }
}

// v with an overflow kept at +-DBL_MAX.
double Clamp(double v) {
    return v > DBL_MAX ? DBL_MAX : (v < -DBL_MAX ? -DBL_MAX : v);
}

bool Sorted(const std::vector<F::Point>& pts) {
    return std::is_sorted(pts.begin(), pts.end(),
                          [](const F::Point& a, const F::Point& b) { return a.x < b.x; });
}

void CheckStored(const F& f) {
    for (const F::Point& p : f.GetPoints()) {
        Check(std::isfinite(p.y), "stored ordinate is finite");
        Check(std::isfinite(p.x), "stored abscissa is finite");
    }
    double a, b;
    f.GetFullRange(a, b);
    Check(!std::isnan(a) && !std::isnan(b), "domain bounds are numbers");
}

// On a sorted function whose points are well apart, a value between two points lies between their
// ordinates.
void CheckInterpolation(F& f, FuzzedDataProvider& in) {
    const auto& pts = f.GetPoints();
    if (pts.size() < 2 || !Sorted(pts))
        return;
    const double tol = f.GetXtolerance();
    if (!(tol > 0.0) || !(tol < 1.0))
        return;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i)
        if (!(pts[i + 1].x - pts[i].x > 4 * tol) || !std::isfinite(pts[i + 1].x - pts[i].x))
            return;
    const std::size_t i = in.ConsumeIntegralInRange<std::size_t>(0, pts.size() - 2);
    const double t = in.ConsumeProbability<double>();
    const double x = pts[i].x + t * (pts[i + 1].x - pts[i].x);
    if (x < pts[i].x || x > pts[i + 1].x)
        return; // rounding of the span put x into another segment
    double y;
    if (!f.GetOrdinate(x, y))
        return;
    const double lo = std::min(pts[i].y, pts[i + 1].y), hi = std::max(pts[i].y, pts[i + 1].y);
    const double slack = 1e-9 * std::max(1.0, std::max(std::fabs(lo), std::fabs(hi)));
    if (!(y >= lo - slack && y <= hi + slack))
        std::fprintf(stderr, "x=%.17g in [%.17g, %.17g] gives %.17g, ordinates %.17g %.17g\n", x, pts[i].x,
                     pts[i + 1].x, y, pts[i].y, pts[i + 1].y);
    Check(y >= lo - slack && y <= hi + slack, "interpolated value between neighbouring ordinates");
}

void CheckUnchanged(const std::vector<F::Point>& before, const F& f, const char* what) {
    const auto& after = f.GetPoints();
    bool same = before.size() == after.size();
    for (std::size_t i = 0; same && i < before.size(); ++i)
        same = before[i].x == after[i].x && before[i].y == after[i].y;
    Check(same, what);
}

// Reads a result list back; no reported point has a NaN abscissa.
void Walk(F::PointList& list) {
    double x, y;
    list.ResetCursor();
    while (list.GetNext(x, y))
        Check(!std::isnan(x), "reported abscissa is a number");
}

void Trim(F& f) {
    if (f.GetPoints().size() > kMaxPoints)
        f.Clear(false);
}

void Step(F& f, F& g, FuzzedDataProvider& in) {
    const std::vector<F::Point> before = f.GetPoints();
    const double x = fuzz::Value(in), y = fuzz::Value(in);
    double out1 = 0, out2 = 0;
    F::PointList l1, l2;
    const int op = in.ConsumeIntegralInRange(0, 56);
    if (std::getenv("VYMATH_FUZZ_TRACE") != nullptr) {
        std::ostringstream os;
        os.precision(17);
        double a, b;
        f.GetFullRange(a, b);
        os << "op " << op << " x=" << x << " y=" << y << " f on [" << a << ", " << b << "] xtol "
           << f.GetXtolerance() << ":";
        for (const F::Point& p : f.GetPoints())
            os << " (" << p.x << ", " << p.y << ")";
        g.GetFullRange(a, b);
        os << " | g on [" << a << ", " << b << "] xtol " << g.GetXtolerance() << ":";
        for (const F::Point& p : g.GetPoints())
            os << " (" << p.x << ", " << p.y << ")";
        std::fprintf(stderr, "%s\n", os.str().c_str());
    }
    switch (op) {
    case 0:
        if (f.Set(x, y) != F::InsertDone)
            CheckUnchanged(before, f, "refused Set changes nothing");
        break;
    case 1:
        f.Set(x, y, fuzz::Value(in));
        break;
    case 2:
        if (f.SetConstant(x, fuzz::Value(in), y) != F::InsertDone)
            CheckUnchanged(before, f, "refused SetConstant changes nothing");
        break;
    case 3:
        if (f.SetUniqueAbscissa(x, y, fuzz::Value(in)) != F::InsertDone)
            CheckUnchanged(before, f, "refused SetUniqueAbscissa changes nothing");
        break;
    case 4:
        if (f.SetUniqueAbscissaAtIndex(x, y, fuzz::Value(in), in.ConsumeIntegralInRange(-2, 12)) !=
            F::InsertDone)
            CheckUnchanged(before, f, "refused SetUniqueAbscissaAtIndex changes nothing");
        break;
    case 5:
        f.SetDomain(x, y);
        break;
    case 6:
        f.Clear(in.ConsumeBool());
        break;
    case 7:
        if (!f.Replace(x, y))
            CheckUnchanged(before, f, "failed Replace changes nothing");
        break;
    case 8:
        if (!f.Remove(x))
            CheckUnchanged(before, f, "failed Remove changes nothing");
        break;
    case 9:
        f.SetXtolerance(fuzz::Tolerance(in));
        break;
    case 10:
        f.SetYtolerance(fuzz::Tolerance(in));
        break;
    case 11:
        f.ShiftOnX(x);
        break;
    case 12:
        f.ScaleOnX(x);
        break;
    case 13:
        f.ScaleOnY(x);
        break;
    case 14:
        f.Scale(x, y);
        break;
    case 15:
        f.RevertValues();
        break;
    case 16:
        f.CloseCurve();
        break;
    case 17:
        f.Merge(&g);
        break;
    case 18:
        f.Concat(&g);
        break;
    case 19:
        f += g;
        break;
    case 20:
        f += x;
        break;
    case 21:
        f *= x;
        break;
    case 22:
        f = f * x;
        break;
    case 23:
        f = f + g;
        break;
    case 24:
        f = f - g;
        break;
    case 25:
        Check((f == g) == !(f != g), "== and != disagree");
        break;
    case 26:
        f.GetOrdinate(x, out1);
        f.Find(x);
        f.IsDefined(x);
        f.IsOnCurve(x, y, fuzz::Tolerance(in));
        f.IsDiscontinued(x);
        break;
    case 27:
        f.IsConstant();
        f.IsLinear(x, y);
        f.IsLinear(DBL_MIN, DBL_MAX);
        f.IsSymetric(x, y);
        f.IsSymetric(DBL_MIN, DBL_MAX);
        break;
    case 28: {
        double slopes[2];
        f.Slope(x, slopes);
        break;
    }
    case 29: {
        double tol = fuzz::Tolerance(in);
        f.GetNearAbscissas(x, out1, out2, in.ConsumeBool() ? &tol : nullptr);
        break;
    }
    case 30:
        f.FindUniqueAbscissa(x, out1);
        f.FindMultipleOrdinates(x, out1, out2);
        break;
    case 31:
        f.RootBissection(&Square, x, y, fuzz::Tolerance(in));
        f.RootBissection(x, y, fuzz::Tolerance(in));
        break;
    case 32:
        f.RootBissectionUniqueAbscisse(x, y, fuzz::Tolerance(in));
        break;
    case 33:
        f.GetAllZero(l1, fuzz::Tolerance(in));
        f.GetAllZeroInteractionCurves(l1, fuzz::Tolerance(in));
        Walk(l1);
        break;
    case 34:
        f.Extrema(l1);
        f.AngularPoint();
        f.OnlyExtrema(l1, l2);
        break;
    case 35:
        f.LocalMinMax(l1, l2);
        f.GlobalMinMax(l1, l2);
        f.ValuesGlobalMinMax(out1, out2);
        break;
    case 36:
        f.OnlyExtrema(l1, l2); // empty candidates
        l1.AddPoint({x, y});
        f.OnlyExtrema(l1, l2);
        break;
    case 37:
        f.ExtremaInteractionCurves(l1);
        f.ValuesGlobalMinMaxInteractionCurves(out1, out2);
        break;
    case 38:
        f.GetIntersectionAbscissas(&g, l1);
        Walk(l1);
        break;
    case 39: {
        F upper(g), lower(f);
        f.EnvelopeMaxMin(upper, lower);
        CheckStored(upper);
        CheckStored(lower);
        break;
    }
    case 40:
        // A non-converging integral costs 524,289 evaluations: one a run keeps the input fast.
        if (f.GetPoints().size() < 50 && qtrapBudget-- > 0)
            f.Qtrap(x, y);
        f.QtrapXFunc(x, y);
        break;
    case 41:
        f.GetResultantAndMoment(out1, out2);
        f.GetExcentricityAndResultant(out1, out2);
        f.Excentricity();
        break;
    case 42: {
        const int degree = in.ConsumeIntegralInRange(-3, 6);
        try {
            CVyMathPolynom p = f.ApproxPolynomiale(degree);
            p.ValPoly(x);
        } catch (const std::exception&) {
            Check(degree < -1, "only a degree below -1 throws");
        }
        break;
    }
    case 43: {
        std::ostringstream os;
        os << f;
        break;
    }
    case 44: {
        F copy(f);
        Check(copy == f && f == copy, "a copy equals its source");
        break;
    }
    case 45: {
        F assigned;
        assigned = g;
        Check(assigned == g, "an assigned function equals its source");
        break;
    }
    case 46:
        f = Construct(in);
        break;
    case 47: {
        const F& self = f;
        f = self;
        break;
    }
    case 48: {
        int lo = 0, hi = 0;
        f.Find(x, lo, hi);
        const int n = static_cast<int>(before.size());
        Check(n == 0 ? lo == -1 && hi == -1 : lo >= 0 && hi < n && lo <= hi, "bracket inside the array");
        break;
    }
    case 49:
        f.GetNumberElement();
        f.GetListPoint(l1, static_cast<F::InfoGetList>(in.ConsumeIntegralInRange(0, 3)));
        Walk(l1);
        break;
    case 50:
        f.Merge(&f);
        break;
    case 51: {
        F copy(f);
        f.Concat(&copy);
        break;
    }
    case 52:
        f += f;
        break;
    case 53:
        f.GetIntersectionAbscissas(&f, l1);
        break;
    case 55: {
        // A combination is the factored sum of its members' own values at its stored abscissas
        // (away from jump windows, where the near side's value counts).
        const double c0 = fuzz::Value(in), c1 = fuzz::Value(in);
        F r;
        if (F::Combine({&f, &g}, {c0, c1}, r) != F::CombineDone)
            break;
        const auto nearJump = [](F& h, double u) {
            for (double j : h.GetJumpAbscissas())
                if (std::fabs(u - j) < 2.5 * std::fabs(h.GetXtolerance()))
                    return true;
            return false;
        };
        for (const F::Point& p : r.GetPoints()) {
            double yf, yg;
            if (nearJump(f, p.x) || nearJump(g, p.x) || nearJump(r, p.x) || !f.GetOrdinate(p.x, yf) ||
                !g.GetOrdinate(p.x, yg))
                continue;
            const double sum = Clamp(Clamp(0.0 + Clamp(c0 * yf)) + Clamp(c1 * yg));
            Check(std::memcmp(&sum, &p.y, sizeof sum) == 0,
                  "a combination is the factored sum of its members");
        }
        break;
    }
    case 54: {
        double xs[4], ys[4], yy = 0, dy = 0;
        const int n = in.ConsumeIntegralInRange(-1, 4);
        for (int i = 0; i < 4; ++i) {
            xs[i] = fuzz::Value(in);
            ys[i] = fuzz::Value(in);
        }
        f.PolynomInterpol(xs, ys, n, x, &yy, &dy);
        break;
    }
    default:
        CheckInterpolation(f, in);
        break;
    }
    Trim(f);
    Trim(g);
    CheckStored(f);
    CheckStored(g);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    qtrapBudget = 1;
    F fs[2] = {Construct(in), Construct(in)};
    for (int op = 0; op < 64 && in.remaining_bytes() > 0; ++op) {
        const int k = in.ConsumeIntegralInRange(0, 1);
        Step(fs[k], fs[1 - k], in);
    }
    return 0;
}
