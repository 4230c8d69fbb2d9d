#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>

using Pts = std::vector<std::pair<double, double>>;
using List = CVyMathFunction1D::PointList;
using F = CVyMathFunction1D;

namespace {

// A function holding exactly these points, on the domain of their first and last abscissas.
F Poly(std::vector<F::Point> pts) {
    const double lo = pts.front().x, hi = pts.back().x;
    return MakeFunction(std::move(pts), lo, hi);
}

Pts ExtremaOf(const F& f) {
    List l;
    f.Extrema(l);
    return ItemsOf(l);
}

// {minima, maxima} of LocalMinMax (Global when global).
std::pair<Pts, Pts> MinMax(const F& f, bool global = false) {
    List mn, mx;
    global ? f.GlobalMinMax(mn, mx) : f.LocalMinMax(mn, mx);
    return {ItemsOf(mn), ItemsOf(mx)};
}

Pts Only(const F& f, List cand, List res = {}) {
    f.OnlyExtrema(cand, res);
    return ItemsOf(res);
}

const F kEmpty = MakeFunction({}, 0, 1);
const F kHat = Poly({{0, 0}, {1, 2}, {2, 1}, {3, 3}});

} // namespace

TEST(Extrema, TurnsPlateauEdgesAndConstants) {
    F jump(0, 2, 0); // a stored jump (2 * Xtolerance wide) is steep, not flat
    jump.Set(2, 3);
    jump.Set(1, 1, 2);
    const std::pair<F, Pts> cases[] = {
        {Poly({{0, 0}, {1, 2}, {2, 0}}), {{0, 0}, {1, 2}, {2, 0}}},
        {Poly({{0, 0}, {1, 1}, {2, 2}}), {{0, 0}, {2, 2}}},
        {Poly({{0, 0}, {1, 1}, {2, 1}, {3, 0}}), {{0, 0}, {1, 1}, {2, 1}, {3, 0}}}, // flat top
        {Poly({{0, 0}, {1, 1}, {1, 2}, {2, 3}}), {{0, 0}, {1, 1}, {1, 2}, {2, 3}}}, // vertical = flat
        {jump, {{0, 0}, {2, 3}}},
        {Poly({{0, 1}, {1, 0}, {2, 1e-21}, {3, 5}}), {{0, 1}, {1, 0}, {2, 1e-21}, {3, 5}}}, // < 1e-20 flat
        {Poly({{0, 0}, {0.5, DBL_MAX}, {1, 0}}), {{0, 0}, {0.5, DBL_MAX}, {1, 0}}},
        {Poly({{0, 5}, {1, 5 + 5e-6}, {4, 5}}), {{0, 5}, {2, 5}, {4, 5}}}, // constant within Ytolerance
        {F(), {{-DBL_MAX, 0}, {0, 0}, {DBL_MAX, 0}}},                      // no overflow in the middle
        {MakeFunction({{2, 3}}, 0, 4), {{2, 3}, {2, 3}, {2, 3}}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ExtremaOf(c.first), c.second);
        EXPECT_EQ(F(c.first).AngularPoint(), c.second.size() != 2);
    }
    // Width and rise both overflow (inf / inf): falling, as is the next segment; no turn.
    EXPECT_EQ(
        ExtremaOf(MakeFunction({{-DBL_MAX, DBL_MAX}, {DBL_MAX, -DBL_MAX}, {0, 0}}, -DBL_MAX, DBL_MAX)).size(),
        2u);
    EXPECT_FALSE(F(kEmpty).AngularPoint());
    List l; // earlier points stay; an empty function appends nothing
    l.AddPoint({9, 9});
    kEmpty.Extrema(l);
    Poly({{0, 0}, {1, 2}, {2, 0}}).Extrema(l);
    EXPECT_EQ(ItemsOf(l), (Pts{{9, 9}, {0, 0}, {1, 2}, {2, 0}}));
}

TEST(LocalMinMax, SortsVerticesBySlopes) {
    const std::pair<F, std::pair<Pts, Pts>> cases[] = {
        {kHat, {{{0, 0}, {2, 1}, {3, 3}}, {{0, 0}, {1, 2}, {3, 3}}}},
        {Poly({{0, 0}, {1, 1}, {2, 1}, {3, 2}}),
         {{{0, 0}, {2, 1}, {3, 2}}, {{0, 0}, {1, 1}, {3, 2}}}}, // shelf
        {Poly({{0, 0}, {1, 1}, {2, 1}, {3, 0}}), {{{0, 0}, {3, 0}}, {{0, 0}, {1, 1}, {2, 1}, {3, 0}}}},
        {Poly({{0, 1}, {1, 0}, {2, 0}, {3, 1}}), {{{0, 1}, {1, 0}, {2, 0}, {3, 1}}, {{0, 1}, {3, 1}}}},
        // Repeated points are skipped (within the tolerances: the last copy is reported); a repeated
        // first point is not reported a second time.
        {Poly({{0, 0}, {1, 1}, {1, 1}, {2, 0}}), {{{0, 0}, {2, 0}}, {{0, 0}, {1, 1}, {2, 0}}}},
        {Poly({{0, 0}, {1, 1}, {1 + 5e-6, 1 + 5e-6}, {2, 0}}),
         {{{0, 0}, {2, 0}}, {{0, 0}, {1 + 5e-6, 1 + 5e-6}, {2, 0}}}},
        {Poly({{0, 0}, {0, 0}, {1, 1}, {2, 0}, {2, 0}}), {{{0, 0}, {2, 0}}, {{0, 0}, {1, 1}, {2, 0}}}},
        {MakeFunction({{2, 3}}, 0, 4), {{{2, 3}}, {{2, 3}}}},
        {Poly({{0, 0}, {1, 1}}), {{{0, 0}, {1, 1}}, {{0, 0}, {1, 1}}}}};
    for (const auto& c : cases)
        EXPECT_EQ(MinMax(c.first), c.second);
    List mn, mx; // the default function and an empty one append nothing
    mn.AddPoint({7, 7});
    F().LocalMinMax(mn, mx);
    kEmpty.LocalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mn), (Pts{{7, 7}}));
    EXPECT_TRUE(ItemsOf(mx).empty());
}

TEST(GlobalMinMax, AllTiesWithinRelativePlusAbsoluteTolerance) {
    const std::pair<F, std::pair<Pts, Pts>> cases[] = {
        {kHat, {{{0, 0}}, {{3, 3}}}},
        {Poly({{0, 1}, {1, 0}, {2, 1}, {3, 0}, {4, 1}}), {{{1, 0}, {3, 0}}, {{0, 1}, {2, 1}, {4, 1}}}},
        {Poly({{0, 1}, {1, 0}, {2, 0}, {3, 1}}), {{{1, 0}, {2, 0}}, {{0, 1}, {3, 1}}}},
        // Absolute part at 0: exactly 1e-10 above ties, 2e-10 does not.
        {Poly({{0, 1}, {1, 0}, {2, 1}, {3, 1e-10}, {4, 1}}),
         {{{1, 0}, {3, 1e-10}}, {{0, 1}, {2, 1}, {4, 1}}}},
        {Poly({{0, 1}, {1, 0}, {2, 1}, {3, 2e-10}, {4, 1}}), {{{1, 0}}, {{0, 1}, {2, 1}, {4, 1}}}},
        // Relative part at 1e6: 1e-4 below ties, 2e-4 does not.
        {Poly({{0, 0}, {1, 1e6}, {2, 5e5}, {3, 1e6 - 1e-4}, {4, 5e5}, {5, 1e6 - 2e-4}, {6, 0}}),
         {{{0, 0}, {6, 0}}, {{1, 1e6}, {3, 1e6 - 1e-4}}}},
        {F(), {}}};
    for (const auto& c : cases)
        EXPECT_EQ(MinMax(c.first, true), c.second);
    double vmin = 99, vmax = 99;
    kHat.ValuesGlobalMinMax(vmin, vmax);
    EXPECT_EQ(std::make_pair(vmin, vmax), std::make_pair(0.0, 3.0));
    F().ValuesGlobalMinMax(vmin, vmax); // nothing written
    kEmpty.ValuesGlobalMinMax(vmin, vmax);
    EXPECT_EQ(std::make_pair(vmin, vmax), std::make_pair(0.0, 3.0));
    List mn, mx;
    mn.AddPoint({9, 9});
    kHat.GlobalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mn), (Pts{{9, 9}, {0, 0}}));
}

TEST(OnlyExtrema, FirstExtremesLastWithStrictYtolerance) {
    auto pointsOf = [](const F& f) {
        List l;
        for (const auto& p : VyMathTestAccess::Points(f))
            l.AddPoint(p);
        return l;
    };
    auto extremaOf = [](const F& f) {
        List l;
        f.Extrema(l);
        return l;
    };
    F f = Poly({{0, 0}, {1, 2}, {2, -1}, {3, 0.5}}); // maximum left of the minimum: first
    EXPECT_EQ(Only(f, pointsOf(f)), (Pts{{0, 0}, {1, 2}, {2, -1}, {3, 0.5}}));
    F g = Poly({{0, 0}, {1, -2}, {2, 2}, {3, 2}, {4, 0.5}}); // the first of tied candidates
    EXPECT_EQ(Only(g, pointsOf(g)), (Pts{{0, 0}, {1, -2}, {2, 2}, {4, 0.5}}));
    F h = Poly({{0, 0}, {1, 2}, {2, 1}}); // the minimum equals the first ordinate: dropped
    EXPECT_EQ(Only(h, extremaOf(h)), (Pts{{0, 0}, {1, 2}, {2, 1}}));
    EXPECT_EQ(Only(h, List()), (Pts{{0, 0}, {2, 1}}));
    EXPECT_TRUE(Only(kEmpty, pointsOf(h)).empty());
    // Exactly Ytolerance from the ends fails; the first ordinate is that of result's first point.
    F at = Poly({{0, 0}, {1, 0.5}, {2, 0}}), above = Poly({{0, 0}, {1, 0.75}, {2, 0}});
    at.SetYtolerance(0.5);
    above.SetYtolerance(0.5);
    EXPECT_EQ(Only(at, extremaOf(at)), (Pts{{0, 0}, {2, 0}}));
    EXPECT_EQ(Only(above, extremaOf(above)), (Pts{{0, 0}, {1, 0.75}, {2, 0}}));
    List held;
    held.AddPoint({9, 0.75});
    EXPECT_EQ(Only(above, extremaOf(above), held), (Pts{{9, 0.75}, {0, 0}, {2, 0}}));
}

TEST(InteractionCurves, ExtremeOrdinatesOverAllPoints) {
    // f(-1) is the first point's ordinate; the bisection lands on (1, 0) for f(1).
    F diamond = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -1, 1);
    List l;
    l.AddPoint({5, 5});
    diamond.ExtremaInteractionCurves(l);
    EXPECT_EQ(ItemsOf(l), (Pts{{5, 5}, {-1, 0}, {0, -1}, {0, 1}, {1, 0}}));
    double vmin = 9, vmax = 9;
    diamond.ValuesGlobalMinMaxInteractionCurves(vmin, vmax);
    F(kEmpty).ValuesGlobalMinMaxInteractionCurves(vmin, vmax); // nothing written
    EXPECT_EQ(std::make_pair(vmin, vmax), std::make_pair(-1.0, 1.0));
    // The last point within Ytolerance of the extreme gives the abscissa; the ordinate is the extreme.
    List fl;
    Poly({{0, 0}, {1, -1}, {2, -1 + 5e-6}, {3, 0}}).ExtremaInteractionCurves(fl);
    kEmpty.ExtremaInteractionCurves(fl);
    EXPECT_EQ(ItemsOf(fl), (Pts{{0, 0}, {2, -1}, {3, 0}, {3, 0}}));
}
