#include "TestSupport.h"

namespace {

using J = std::vector<double>;

const double kFail = -777;
const F::InfoInsertPoint D = F::InsertDone, C = F::InsertConflict, E = F::InsertExists, R = F::InsertRefused;

P Bracket(const F& f, double x) {
    int lo = -7, hi = -7;
    f.Find(x, lo, hi);
    return {lo, hi};
}
// The points and range after SetDomain(a, b).
std::pair<V, P> Dom(F f, double a, double b) {
    f.SetDomain(a, b);
    return {PointsOf(f), Range(f)};
}
// Everything a copy carries.
auto State(F f) {
    return std::make_tuple(PointsOf(f), f.GetJumpAbscissas(), f.GetForceJumps(), f.GetXtolerance(),
                           f.GetYtolerance(), Range(f));
}
// GetOrdinate at x: y, kFail when it fails and leaves y alone, NaN when the result and y disagree.
double Ord(const F& f, double x) {
    double y = kFail;
    return f.GetOrdinate(x, y) == (y != kFail) ? y : kNaN;
}
// The points that GetNext reads from the cursor on.
V Walk(F::PointList& l) {
    V out;
    for (P p; l.GetNext(p.first, p.second);)
        out.push_back(p);
    return out;
}
double (*const kUnset)(double) = [](double x) { return x < 0.5 ? kNaN : 1.0 / (x - 1.0); };

TEST(Construction, DefaultCopiesSamplingAndSine) {
    const V zero{{-DBL_MAX, 0}, {DBL_MAX, 0}};
    EXPECT_EQ(State(F()), std::make_tuple(zero, J{}, 0, 1e-5, 1e-5, P(-DBL_MAX, DBL_MAX)));
    EXPECT_EQ(PointsOf(F(-kInf, kNaN, 0)), zero); // non-finite bounds: open ends
    F b(0, 10, 1);
    b.SetXtolerance(0.01);
    b.SetYtolerance(0.02);
    b.SetXtolerance(kNaN); // ignored
    b.Set(5, 1, 2);
    F c(b), d;
    EXPECT_EQ(&(d = d = b), &d); // a copy, then a self-assignment
    EXPECT_EQ(State(b),
              std::make_tuple(V{{0, 0}, {4.99, 1}, {5.01, 2}, {10, 0}}, J{5}, 1, 0.01, 0.02, P(0, 10)));
    EXPECT_EQ(std::make_pair(State(c), State(d)), std::make_pair(State(b), State(b)));
    c.SetXtolerance(-1.0); // taken as given
    EXPECT_EQ(c.GetXtolerance(), -1.0);
    CVyMathPolynom p(2);
    double square[] = {0, 0, 1};
    p.SetCoeff(square, 3);
    const F g = MakeFunction({{0, 0}, {5, 10}, {10, 0}}, 0, 10),
            h = MakeFunction({{0, 0}, {1.5, 6}, {3, 0}}, 0, 3);
    EXPECT_ROWS(
        {Row("x0 to x1 in n steps", PointsOf(F(p, 0, 1, 4)),
             {{0, 0}, {0.25, 0.0625}, {0.5, 0.25}, {0.75, 0.5625}, {1, 1}}),
         Row("upwards from x0 even when x1 < x0", PointsOf(F(p, 1, 0, 2)), {{1, 1}, {1.5, 2.25}, {2, 4}}),
         Row("n <= 0: nothing", PointsOf(F(p, 0, 1, 0)), {}),
         Row("non-finite bounds: nothing", PointsOf(F(p, kNaN, kInf, 3)), {}),
         Row("samples stop where the abscissa overflows", PointsOf(F(p, -DBL_MAX, DBL_MAX, 2)),
             {{-DBL_MAX, DBL_MAX}}),
         Row("NaN samples skipped, +inf stored as DBL_MAX", PointsOf(F(kUnset, 0, 2, 4)),
             {{0.5, -2}, {1, DBL_MAX}, {1.5, 2}, {2, 1}}),
         Row("a null f gives nothing", PointsOf(F(static_cast<double (*)(double)>(nullptr), 0, 1, 2)), {}),
         Row("resampling advances only after a success", PointsOf(F(g, 5, 15, 2)), {{5, 10}, {10, 0}}),
         Row("stretching 3 elements onto [0, 6]", PointsOf(F(h, 6.0)), {{0, 0}, {2, 4}, {4, 4}, {6, 0}}),
         Row("stretching the default function: no element", PointsOf(F(F(), 3.0)), {})});
    EXPECT_ROWS({Row("range of x1 < x0", Range(F(p, 1, 0, 2)), {1, 0}),
                 Row("range of non-finite bounds", Range(F(p, kNaN, kInf, 3)), {-DBL_MAX, DBL_MAX}),
                 Row("range of a stretch", Range(F(h, 6.0)), {0, 6}),
                 Row("range of an infinite stretch", Range(F(h, kInf)), {0, DBL_MAX})});
    // The sine is sampled from 0, not from xmin.
    const V want{{0, 0}, {0.5, std::sin(0.5)}, {1, std::sin(1.0)}};
    EXPECT_EQ(PointsOf(F(1, 1, 0, 0, 1, 0.5)), want);
    EXPECT_EQ(PointsOf(F(1, 1, 0, 0.25, 1, 0.5)), want);
    // The sine refuses a negative step, a step beyond xmax, xmax below 0, a zero step, a step passing the
    // guards, an infinite xmax.
    const double bad[][2] = {{1, -0.1}, {1, 2.0}, {-1, 0.5}, {1, 0.0}, {1, -5e-6}, {kInf, 0.5}};
    for (const auto& b : bad)
        EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, b[0], b[1])).empty()) << b[0] << " " << b[1];
}

TEST(Insertion, SetCodesValidationOrderAndJumps) {
    F f(0, 10, 0), e = MakeFunction({}, 0, 10);
    EXPECT_ROWS({Row("new", f.Set(1, 2), D), Row("new", f.Set(3, 4), D),
                 Row("within Xtolerance, same y", f.Set(1.000001, 2), E),
                 Row("within Xtolerance, another y", f.Set(1.000001, 5), C), Row("NaN y", f.Set(2, kNaN), R),
                 Row("NaN x", f.Set(kNaN, 1), R), Row("infinite x", f.Set(kInf, 1), R),
                 Row("replaces the first point", f.Set(0.000001, 7), D),
                 Row("replaces the last point", f.Set(10.000001, 8), D),
                 Row("infinite y", f.Set(2, kInf), D)});
    // End points replaced, abscissa included; +inf stored as DBL_MAX.
    EXPECT_EQ(PointsOf(f), (V{{0.000001, 7}, {1, 2}, {2, DBL_MAX}, {3, 4}, {10.000001, 8}}));
    f.SetXtolerance(0.5); // a point exactly Xtolerance below its neighbour goes before it
    EXPECT_ROWS({Row("exactly Xtolerance from both neighbours", f.Set(2.5, 9), D),
                 Row("into an empty function", e.Set(4, 1), D), Row("before the only point", e.Set(2, 3), D),
                 Row("after the last point", e.Set(9, 9), D)});
    EXPECT_EQ(std::make_pair(PointsOf(f)[3], PointsOf(e)),
              std::make_pair(P(2.5, 9), V{{2, 3}, {4, 1}, {9, 9}}));
    F j(0, 10, 0), forced(0, 10, 1);
    EXPECT_ROWS({Row("equal sides: a plain point", j.Set(5, 1, 1), D), Row("a jump", j.Set(7, 1, 2), D),
                 Row("NaN left side", j.Set(8, kNaN, 1), C), Row("NaN right side", j.Set(8, 1, kNaN), C),
                 Row("NaN abscissa", j.Set(kNaN, 1, 2), R)});
    EXPECT_EQ(std::make_pair(PointsOf(j), j.GetJumpAbscissas()),
              std::make_pair(V{{0, 0}, {5, 1}, {7 - 1e-5, 1}, {7 + 1e-5, 2}, {10, 0}}, J{7}));
    // The jump abscissa is recorded whatever the two insertions report.
    EXPECT_ROWS({Row("the same jump again", j.Set(7, 1, 2), E), Row("another left side", j.Set(7, 5, 2), C),
                 Row("forced jump of equal sides", forced.Set(5, 1, 1), D)});
    EXPECT_EQ(j.GetJumpAbscissas(), (J{7, 7, 7}));
    EXPECT_EQ(std::make_pair(PointsOf(forced), forced.GetJumpAbscissas()),
              std::make_pair(V{{0, 0}, {5 - 1e-5, 1}, {5 + 1e-5, 1}, {10, 0}}, J{5}));
}

TEST(Insertion, SetUniqueAbscissaSetConstantAndReplace) {
    F u, e = MakeFunction({}, 0, 1), x = MakeFunction({{0, 0}, {5, 5}, {10, 0}}, 0, 10);
    EXPECT_ROWS({Row("before the end", u.SetUniqueAbscissa(1, 10, 0.1), D),
                 Row("before the end", u.SetUniqueAbscissa(2, 20, 0.1), D),
                 Row("before the end", u.SetUniqueAbscissa(3, 30, 0.1), D),
                 Row("same point", u.SetUniqueAbscissa(2, 20.000001, 0.1), E),
                 Row("taken abscissa: moved by offset, next to the end", u.SetUniqueAbscissa(2, 25, 0.1), D),
                 Row("NaN y", u.SetUniqueAbscissa(4, kNaN, 0.1), R),
                 Row("empty function", e.SetUniqueAbscissa(1, 1, 0.1), R)});
    EXPECT_EQ(PointsOf(u), (V{{-DBL_MAX, 0}, {1, 10}, {2, 20}, {3, 30}, {2.1, 25}, {DBL_MAX, 0}}));
    EXPECT_ROWS({Row("index == number of points", x.SetUniqueAbscissaAtIndex(3, 3, 0.1, 3), R),
                 Row("negative index", x.SetUniqueAbscissaAtIndex(3, 3, 0.1, -1), R),
                 Row("NaN y", x.SetUniqueAbscissaAtIndex(1, kNaN, 0.1, 0), R),
                 Row("same as the point at index", x.SetUniqueAbscissaAtIndex(5, 5, 0.1, 1), E),
                 Row("taken at index: moved", x.SetUniqueAbscissaAtIndex(5, 6, 0.1, 1), D),
                 Row("point 0 is not searched", x.SetUniqueAbscissaAtIndex(0, 7, 0.1, 2), D)});
    EXPECT_EQ(PointsOf(x), (V{{0, 0}, {5.1, 6}, {0, 7}, {5, 5}, {10, 0}}));

    F f(0, 10, 0), g = MakeFunction({{0, 0}, {4, 1}, {10, 0}}, 0, 10), h(0, 10, 0);
    EXPECT_ROWS({Row("no point beyond both", f.SetConstant(2, 30, 7), R),
                 Row("0 fails GreaterEqual(0, 7, Xtolerance)", f.SetConstant(0, 3, 7), C),
                 Row("same ordinate", f.SetConstant(0, 3, -7), E), Row("NaN y", f.SetConstant(2, 3, kNaN), C),
                 Row("reversed bounds", f.SetConstant(5, 4, 1), R),
                 Row("NaN bound", f.SetConstant(kNaN, 4, 1), R), Row("inside", f.SetConstant(2, 3, 7), D),
                 Row("in front of the curve", f.SetConstant(-5, -3, 2), D),
                 Row("reaching into the curve: only its start", f.SetConstant(-8, 4, 1), D)});
    EXPECT_EQ(PointsOf(f), (V{{-8, 1}, {-5, 2}, {-3, 2}, {0, 0}, {2, 7}, {3, 7}, {10, 0}}));
    // Points exactly Xtolerance away keep the order, in front of the curve and inside it; -0.5, once
    // stored, ends the next stretch.
    g.SetXtolerance(0.5);
    h.SetXtolerance(0.5);
    EXPECT_ROWS({Row("inside, exactly Xtolerance from 4", g.SetConstant(2, 3.5, 7), D),
                 Row("reaching exactly Xtolerance into the curve", g.SetConstant(-0.5, 1, 3), D),
                 Row("ending on a stored point", g.SetConstant(-2, -0.5, 4), D),
                 Row("in front, exactly Xtolerance from the first", h.SetConstant(-1, -0.5, 3), D)});
    EXPECT_EQ(PointsOf(g), (V{{-2, 4}, {-0.5, 3}, {0, 0}, {2, 7}, {3.5, 7}, {4, 1}, {10, 0}}));
    EXPECT_EQ(PointsOf(h), (V{{-1, 3}, {-0.5, 3}, {0, 0}, {10, 0}}));
    F r = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_ROWS({Row("within Xtolerance of a point", r.Replace(1.000001, 5), true),
                 Row("no point there", r.Replace(1.5, 5), false),
                 Row("outside the domain", r.Replace(3, 5), false), Row("NaN y", r.Replace(2, kNaN), false),
                 Row("empty function", MakeFunction({}, 0, 2).Replace(0, 1), false)});
    EXPECT_EQ(PointsOf(r), (V{{0, 0}, {1.000001, 5}, {2, 4}}));
}

TEST(Lookup, IsDefinedFindBracketingAndGetOrdinate) {
    F f(0, 10, 0), bounded = MakeFunction({{2, 0}, {3, 0}}, 0, 10), empty = MakeFunction({}, 0, 10),
                   line = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    f.Set(5, 1, 2);
    EXPECT_ROWS({Row("jump abscissa", f.IsDefined(5), false),
                 Row("on the edge of the jump window", f.IsDefined(5 + 1e-5), true),
                 Row("within Xtolerance of the last point", f.IsDefined(10.000009), true),
                 Row("beyond Xtolerance", f.IsDefined(10.00002), false),
                 Row("the points bound it, not the domain", bounded.IsDefined(1), false),
                 Row("empty", empty.IsDefined(2.5), false), Row("Find on empty", empty.Find(3), false),
                 Row("Find within Xtolerance", line.Find(2.000009), true),
                 Row("Find at Xtolerance", line.Find(2.00001), false)});
    const F pair01 = MakeFunction({{0, 0}, {1, 1}}, 0, 1), one = MakeFunction({{3, 1}}, 0, 10);
    EXPECT_ROWS(
        {Row("on the first point", Bracket(line, 0), {0, 0}), Row("between", Bracket(line, 1.5), {1, 2}),
         Row("within Xtolerance of a point", Bracket(line, 1.000001), {1, 1}),
         Row("before the first", Bracket(line, -5), {0, 1}), Row("after the last", Bracket(line, 7), {1, 2}),
         Row("two points, before the first", Bracket(pair01, -5), {0, 0}),
         Row("two points, between", Bracket(pair01, 0.5), {0, 1}), Row("one point", Bracket(one, 7), {0, 0}),
         Row("empty", Bracket(empty, 7), {-1, -1})});
    const F two = MakeFunction({{0, 0}, {2, 4}}, 0, 2),
            three = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, -10, 10);
    const F steep = MakeFunction({{0, 0}, {1, DBL_MAX / 2}, {2, DBL_MAX}}, -10, 10);
    F g = MakeFunction({{0.75, 10}, {1.25, 20}, {2, 20}}, 0.75, 2), sentinels;
    g.SetXtolerance(0.25);
    sentinels.Set(5, 10);
    EXPECT_ROWS(
        {Row("inside", Ord(two, 1), 2), Row("within Xtolerance of the domain", Ord(two, -0.000001), 0),
         Row("outside the domain", Ord(two, -1), kFail), Row("NaN x", Ord(two, kNaN), kFail),
         Row("last segment extended", Ord(three, 3), 7), Row("first segment extended", Ord(three, -1), -1),
         Row("two points, extended", Ord(MakeFunction({{0, 5}, {1, 7}}, -10, 10), -3), 5),
         Row("one point", Ord(MakeFunction({{0, 5}}, -10, 10), 8), 5),
         Row("empty", Ord(MakeFunction({}, 0, 2), 0.5), kFail),
         Row("stacked points: the lower one's y", Ord(MakeFunction({{0, 0}, {1, 1}, {1, -1}}, 0, 10), 5), 1),
         Row("towards a DBL_MAX ordinate", Ord(MakeFunction({{0, 0}, {5, DBL_MAX}, {10, 0}}, 0, 10), 2.5),
             DBL_MAX / 2),
         Row("beyond the double range: DBL_MAX", Ord(steep, 5), DBL_MAX),
         Row("beyond the double range: -DBL_MAX", Ord(steep, -5), -DBL_MAX),
         Row("the default function is 0", Ord(F(), 123), 0),
         Row("exactly Xtolerance from both neighbours: interpolated", Ord(g, 1), 15)});
    // Next to the sentinels the wide intermediates keep the value finite.
    EXPECT_TRUE(PointsOf(sentinels).size() == 3 && sentinels.GetNumberElement() == 1 &&
                std::abs(Ord(sentinels, 7) - 10) < 1e-9 && std::abs(Ord(sentinels, -3) - 10) < 1e-9);
}

TEST(Domain, SetDomainClearAndCount) {
    const F g = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    EXPECT_ROWS(
        {Row("default function", Dom(F(), 0, 10), {{{0, 0}, {10, 0}}, {0, 10}}),
         Row("reversed bounds: refused", Dom(g, 8, 2), {{{0, 0}, {10, 10}}, {0, 10}}),
         Row("narrowing: the curve's values at the new ends", Dom(g, 2, 8), {{{2, 2}, {8, 8}}, {2, 8}}),
         Row("widening: -DBL_MAX at the new ends", Dom(g, -5, 12),
             {{{-5, -DBL_MAX}, {0, 0}, {10, 10}, {12, -DBL_MAX}}, {-5, 12}}),
         Row("empty: (a, -DBL_MAX), (b, DBL_MAX) only", Dom(MakeFunction({}, 0, 4), 1, 2),
             {{{1, -DBL_MAX}, {2, DBL_MAX}}, {0, 4}}),
         Row("lower bound past every point", Dom(MakeFunction({{0, 0}, {4, 4}}, 0, 10), 6, 8),
             {{{6, 6}, {8, 8}}, {6, 8}}),
         Row("infinite bounds: open ends", Dom(F(), -kInf, kInf),
             {{{-DBL_MAX, 0}, {DBL_MAX, 0}}, {-DBL_MAX, DBL_MAX}})});
    F f, one = MakeFunction({{3, 1}}, -DBL_MAX, DBL_MAX), e = MakeFunction({}, 0, 1);
    f.Set(1, 1);
    f.Clear(false);
    one.Clear(false); // a one-point function then has two copies
    e.Clear(false);
    EXPECT_EQ(std::make_tuple(PointsOf(f), PointsOf(one), PointsOf(e)),
              std::make_tuple(V{{-DBL_MAX, 0}, {DBL_MAX, 0}}, V{{3, 1}, {3, 1}}, V{}));
    f.Clear(true);
    EXPECT_EQ(std::make_tuple(PointsOf(f), f.GetNumberElement(), Range(f)),
              std::make_tuple(V{}, 0, P(-DBL_MAX, DBL_MAX)));
}

TEST(PointListTest, CursorWalkAndCopies) {
    F::PointList l, assigned;
    double x = 0, y = 0;
    EXPECT_TRUE(Walk(l).empty() && !l.GetLast(x, y)); // a fresh list reads as empty
    l.AddPoint({1, 2});
    l.AddPoint({3, 4});
    l.ResetCursor();
    EXPECT_TRUE(l.GetNext(x, y) && P(x, y) == P(1, 2) && l.GetLast(x, y) && P(x, y) == P(3, 4));
    F::PointList copy(l); // copies read on from the same position
    assigned = l;
    EXPECT_EQ(std::make_tuple(Walk(copy), Walk(assigned), Walk(l)),
              std::make_tuple(V{{3, 4}}, V{{3, 4}}, V{{3, 4}}));
    assigned.ResetCursor();
    EXPECT_EQ(Walk(assigned), (V{{1, 2}, {3, 4}}));
}

TEST(Insertion, PlaceOfANewPointAmongTiesAndOddTolerances) {
    // Stored abscissas 0, 1, 1, 2, 2.5, 4 (a tie at 1); the new point's place, or none.
    const std::vector<F::Point> base = {{0, 0}, {1, 5}, {1, 6}, {2, 0}, {2.5, 0}, {4, 0}};
    struct Case {
        const char* name;
        double tol, x;
        int code, place; // place: the index of the new point, -1 when none is added
    };
    const Case cases[] = {{"the first of the tied points is compared", 0.5, 1.2, C, -1},
                          {"exactly Xtolerance from both neighbours: between them", 0.5, 1.5, D, 3},
                          {"null tolerance: after the equal abscissas", 0.0, 1.0, D, 3},
                          {"negative tolerance: before the first point above x + tol", -1.0, 2.5, D, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        F f = MakeFunction(base, 0, 4);
        f.SetXtolerance(c.tol);
        EXPECT_EQ(f.Set(c.x, 6), c.code);
        std::vector<F::Point> want = base;
        if (c.place >= 0)
            want.insert(want.begin() + c.place, {c.x, 6});
        EXPECT_EQ(PointsOf(f), Pairs(want));
    }
    // A long sorted array.
    std::vector<F::Point> line;
    for (int i = 0; i < 20000; ++i)
        line.push_back({double(i), double(i)});
    F f = MakeFunction(line, 0, 19999);
    EXPECT_ROWS({Row("a new point in a long array", f.Set(12345.5, 1), D),
                 Row("within Xtolerance of a point in a long array", f.Set(12345.000001, 12345), E)});
    EXPECT_EQ(PointsOf(f)[12346], P(12345.5, 1));
}

} // namespace
