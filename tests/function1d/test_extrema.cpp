#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>

using Pts = std::vector<std::pair<double, double>>;
using List = CVyMathFunction1D::PointList;

namespace {

// A function holding exactly these points, on the domain of their first and last abscissas.
CVyMathFunction1D Poly(std::vector<CVyMathFunction1D::Point> pts) {
    const double lo = pts.front().x, hi = pts.back().x;
    return MakeFunction(std::move(pts), lo, hi);
}

Pts ExtremaOf(const CVyMathFunction1D& f) {
    List l;
    f.Extrema(l);
    return ItemsOf(l);
}

CVyMathFunction1D Empty() {
    CVyMathFunction1D f(0, 1, 0);
    f.Clear(true);
    return f;
}

} // namespace

TEST(Extrema, ReportsTurnsAndPlateauEdges) {
    EXPECT_EQ(ExtremaOf(Poly({{0, 0}, {1, 2}, {2, 0}})), (Pts{{0, 0}, {1, 2}, {2, 0}}));
    EXPECT_EQ(ExtremaOf(Poly({{0, 0}, {1, 1}, {2, 2}})), (Pts{{0, 0}, {2, 2}}));
    // Both edges of a flat top.
    EXPECT_EQ(ExtremaOf(Poly({{0, 0}, {1, 1}, {2, 1}, {3, 0}})), (Pts{{0, 0}, {1, 1}, {2, 1}, {3, 0}}));
    // A vertical segment is flat: the vertices on both sides are plateau edges.
    EXPECT_EQ(ExtremaOf(Poly({{0, 0}, {1, 1}, {1, 2}, {2, 3}})), (Pts{{0, 0}, {1, 1}, {1, 2}, {2, 3}}));
    // A stored jump (2 * Xtolerance wide) is a steep segment, not a flat one.
    CVyMathFunction1D jump(0, 2, 0);
    jump.Set(2, 3);
    jump.Set(1, 1, 2);
    ASSERT_EQ(VyMathTestAccess::Points(jump).size(), 4u);
    EXPECT_EQ(ExtremaOf(jump), (Pts{{0, 0}, {2, 3}}));
    // Slopes below 1e-20 count as flat.
    EXPECT_EQ(ExtremaOf(Poly({{0, 1}, {1, 0}, {2, 1e-21}, {3, 5}})),
              (Pts{{0, 1}, {1, 0}, {2, 1e-21}, {3, 5}}));
}

TEST(Extrema, ConstantFunctionGivesItsMiddle) {
    EXPECT_EQ(ExtremaOf(Poly({{0, 5}, {4, 5}})), (Pts{{0, 5}, {2, 5}, {4, 5}}));
    // Constant within Ytolerance; the middle carries the first ordinate.
    EXPECT_EQ(ExtremaOf(Poly({{0, 5}, {1, 5 + 5e-6}, {4, 5}})), (Pts{{0, 5}, {2, 5}, {4, 5}}));
    // The default function: no overflow in the middle abscissa.
    EXPECT_EQ(ExtremaOf(CVyMathFunction1D()), (Pts{{-DBL_MAX, 0}, {0, 0}, {DBL_MAX, 0}}));
    CVyMathFunction1D single = MakeFunction({{2, 3}}, 0, 4);
    EXPECT_EQ(ExtremaOf(single), (Pts{{2, 3}, {2, 3}, {2, 3}}));
    // Earlier points of the list stay; an empty function appends nothing.
    List l;
    l.AddPoint({9, 9});
    Empty().Extrema(l);
    Poly({{0, 0}, {1, 2}, {2, 0}}).Extrema(l);
    EXPECT_EQ(ItemsOf(l), (Pts{{9, 9}, {0, 0}, {1, 2}, {2, 0}}));
}

TEST(Extrema, RisesOfDblMaxKeepTheirSign) {
    EXPECT_EQ(ExtremaOf(Poly({{0, 0}, {0.5, DBL_MAX}, {1, 0}})), (Pts{{0, 0}, {0.5, DBL_MAX}, {1, 0}}));
    // Width and rise both overflow (inf / inf): falling, as is the next segment; no turn.
    CVyMathFunction1D f = MakeFunction({{-DBL_MAX, DBL_MAX}, {DBL_MAX, -DBL_MAX}, {0, 0}}, -DBL_MAX, DBL_MAX);
    EXPECT_EQ(ExtremaOf(f).size(), 2u);
}

TEST(Extrema, AngularPoint) {
    EXPECT_TRUE(Poly({{0, 0}, {1, 2}, {2, 0}}).AngularPoint());
    EXPECT_FALSE(Poly({{0, 0}, {1, 1}, {3, 5}}).AngularPoint());
    EXPECT_TRUE(Poly({{0, 5}, {4, 5}}).AngularPoint());
    EXPECT_TRUE(MakeFunction({{2, 3}}, 0, 4).AngularPoint());
    EXPECT_TRUE(Poly({{0, 0}, {1, 1}, {1, 2}, {2, 3}}).AngularPoint());
    CVyMathFunction1D empty = Empty();
    EXPECT_FALSE(empty.AngularPoint());
}

TEST(LocalMinMax, SortsVerticesByTheirSlopes) {
    List mn, mx;
    Poly({{0, 0}, {1, 2}, {2, 1}, {3, 3}}).LocalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mn), (Pts{{0, 0}, {2, 1}, {3, 3}}));
    EXPECT_EQ(ItemsOf(mx), (Pts{{0, 0}, {1, 2}, {3, 3}}));

    // A shelf between two rises: first edge a maximum, last edge a minimum.
    List smn, smx;
    Poly({{0, 0}, {1, 1}, {2, 1}, {3, 2}}).LocalMinMax(smn, smx);
    EXPECT_EQ(ItemsOf(smn), (Pts{{0, 0}, {2, 1}, {3, 2}}));
    EXPECT_EQ(ItemsOf(smx), (Pts{{0, 0}, {1, 1}, {3, 2}}));

    // A flat top gives both edges as maxima, a flat bottom both edges as minima.
    List tmn, tmx;
    Poly({{0, 0}, {1, 1}, {2, 1}, {3, 0}}).LocalMinMax(tmn, tmx);
    EXPECT_EQ(ItemsOf(tmn), (Pts{{0, 0}, {3, 0}}));
    EXPECT_EQ(ItemsOf(tmx), (Pts{{0, 0}, {1, 1}, {2, 1}, {3, 0}}));
    List bmn, bmx;
    Poly({{0, 1}, {1, 0}, {2, 0}, {3, 1}}).LocalMinMax(bmn, bmx);
    EXPECT_EQ(ItemsOf(bmn), (Pts{{0, 1}, {1, 0}, {2, 0}, {3, 1}}));
    EXPECT_EQ(ItemsOf(bmx), (Pts{{0, 1}, {3, 1}}));
}

TEST(LocalMinMax, SkipsRepeatedPoints) {
    List mn, mx;
    Poly({{0, 0}, {1, 1}, {1, 1}, {2, 0}}).LocalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mx), (Pts{{0, 0}, {1, 1}, {2, 0}}));
    EXPECT_EQ(ItemsOf(mn), (Pts{{0, 0}, {2, 0}}));

    // Repeated within the tolerances; the vertex reported is the last copy.
    List tmn, tmx;
    Poly({{0, 0}, {1, 1}, {1 + 5e-6, 1 + 5e-6}, {2, 0}}).LocalMinMax(tmn, tmx);
    EXPECT_EQ(ItemsOf(tmx), (Pts{{0, 0}, {1 + 5e-6, 1 + 5e-6}, {2, 0}}));

    // A repeated first point is not reported a second time; a repeated last point ends the lists once.
    List fmn, fmx;
    Poly({{0, 0}, {0, 0}, {1, 1}, {2, 0}, {2, 0}}).LocalMinMax(fmn, fmx);
    EXPECT_EQ(ItemsOf(fmn), (Pts{{0, 0}, {2, 0}}));
    EXPECT_EQ(ItemsOf(fmx), (Pts{{0, 0}, {1, 1}, {2, 0}}));
}

TEST(LocalMinMax, DegenerateFunctions) {
    List mn, mx;
    mn.AddPoint({7, 7});
    CVyMathFunction1D().LocalMinMax(mn, mx);
    Empty().LocalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mn), (Pts{{7, 7}}));
    EXPECT_TRUE(ItemsOf(mx).empty());

    List smn, smx;
    MakeFunction({{2, 3}}, 0, 4).LocalMinMax(smn, smx);
    EXPECT_EQ(ItemsOf(smn), (Pts{{2, 3}}));
    EXPECT_EQ(ItemsOf(smx), (Pts{{2, 3}}));

    List lmn, lmx;
    Poly({{0, 0}, {1, 1}}).LocalMinMax(lmn, lmx);
    EXPECT_EQ(ItemsOf(lmn), (Pts{{0, 0}, {1, 1}}));
    EXPECT_EQ(ItemsOf(lmx), (Pts{{0, 0}, {1, 1}}));
}

TEST(GlobalMinMax, ReportsEveryTie) {
    List mn, mx;
    CVyMathFunction1D f = Poly({{0, 0}, {1, 2}, {2, 1}, {3, 3}});
    f.GlobalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mn), (Pts{{0, 0}}));
    EXPECT_EQ(ItemsOf(mx), (Pts{{3, 3}}));
    double vmin = 99, vmax = 99;
    f.ValuesGlobalMinMax(vmin, vmax);
    EXPECT_EQ(vmin, 0.0);
    EXPECT_EQ(vmax, 3.0);

    List wmn, wmx;
    Poly({{0, 1}, {1, 0}, {2, 1}, {3, 0}, {4, 1}}).GlobalMinMax(wmn, wmx);
    EXPECT_EQ(ItemsOf(wmn), (Pts{{1, 0}, {3, 0}}));
    EXPECT_EQ(ItemsOf(wmx), (Pts{{0, 1}, {2, 1}, {4, 1}}));

    // A flat bottom gives both edges; results follow earlier points.
    List bmn, bmx;
    bmn.AddPoint({9, 9});
    Poly({{0, 1}, {1, 0}, {2, 0}, {3, 1}}).GlobalMinMax(bmn, bmx);
    EXPECT_EQ(ItemsOf(bmn), (Pts{{9, 9}, {1, 0}, {2, 0}}));
    EXPECT_EQ(ItemsOf(bmx), (Pts{{0, 1}, {3, 1}}));
}

TEST(GlobalMinMax, ToleranceIsRelativePlusAbsolute) {
    // Absolute part at vmin = 0: a valley at exactly 1e-10 ties, one at 2e-10 does not.
    List mn, mx;
    Poly({{0, 1}, {1, 0}, {2, 1}, {3, 1e-10}, {4, 1}}).GlobalMinMax(mn, mx);
    EXPECT_EQ(ItemsOf(mn), (Pts{{1, 0}, {3, 1e-10}}));
    List mn2, mx2;
    Poly({{0, 1}, {1, 0}, {2, 1}, {3, 2e-10}, {4, 1}}).GlobalMinMax(mn2, mx2);
    EXPECT_EQ(ItemsOf(mn2), (Pts{{1, 0}}));

    // Relative part at vmax = 1e6: 1e-4 below ties, 2e-4 below does not; end points count too.
    List rmn, rmx;
    Poly({{0, 0}, {1, 1e6}, {2, 5e5}, {3, 1e6 - 1e-4}, {4, 5e5}, {5, 1e6 - 2e-4}, {6, 0}})
        .GlobalMinMax(rmn, rmx);
    EXPECT_EQ(ItemsOf(rmx), (Pts{{1, 1e6}, {3, 1e6 - 1e-4}}));
    EXPECT_EQ(ItemsOf(rmn), (Pts{{0, 0}, {6, 0}}));
}

TEST(GlobalMinMax, DefaultFunctionGivesNothing) {
    List mn, mx;
    CVyMathFunction1D().GlobalMinMax(mn, mx);
    EXPECT_TRUE(ItemsOf(mn).empty());
    EXPECT_TRUE(ItemsOf(mx).empty());
    double vmin = -7, vmax = 7;
    CVyMathFunction1D().ValuesGlobalMinMax(vmin, vmax);
    Empty().ValuesGlobalMinMax(vmin, vmax);
    EXPECT_EQ(vmin, -7.0);
    EXPECT_EQ(vmax, 7.0);
}

TEST(OnlyExtrema, KeepsFirstExtremesAndLast) {
    // Maximum left of the minimum: it comes first.
    CVyMathFunction1D f = Poly({{0, 0}, {1, 2}, {2, -1}, {3, 0.5}});
    List cand, res;
    for (const auto& p : VyMathTestAccess::Points(f))
        cand.AddPoint(p);
    f.OnlyExtrema(cand, res);
    EXPECT_EQ(ItemsOf(res), (Pts{{0, 0}, {1, 2}, {2, -1}, {3, 0.5}}));

    // Minimum left of the maximum; the first of tied candidates is taken.
    CVyMathFunction1D g = Poly({{0, 0}, {1, -2}, {2, 2}, {3, 2}, {4, 0.5}});
    List gc, gr;
    for (const auto& p : VyMathTestAccess::Points(g))
        gc.AddPoint(p);
    g.OnlyExtrema(gc, gr);
    EXPECT_EQ(ItemsOf(gr), (Pts{{0, 0}, {1, -2}, {2, 2}, {4, 0.5}}));

    // A minimum equal to the first ordinate is dropped.
    CVyMathFunction1D h = Poly({{0, 0}, {1, 2}, {2, 1}});
    List hc, hr;
    h.Extrema(hc);
    h.OnlyExtrema(hc, hr);
    EXPECT_EQ(ItemsOf(hr), (Pts{{0, 0}, {1, 2}, {2, 1}}));
}

TEST(OnlyExtrema, YtoleranceIsStrictAndReadsResultsFirstPoint) {
    CVyMathFunction1D f = Poly({{0, 0}, {1, 0.5}, {2, 0}});
    f.SetYtolerance(0.5);
    List c1, r1;
    f.Extrema(c1);
    f.OnlyExtrema(c1, r1);
    EXPECT_EQ(ItemsOf(r1), (Pts{{0, 0}, {2, 0}})); // 0.5 from both ends: not more than Ytolerance

    CVyMathFunction1D g = Poly({{0, 0}, {1, 0.75}, {2, 0}});
    g.SetYtolerance(0.5);
    List c2, r2;
    g.Extrema(c2);
    g.OnlyExtrema(c2, r2);
    EXPECT_EQ(ItemsOf(r2), (Pts{{0, 0}, {1, 0.75}, {2, 0}}));

    // The first ordinate compared is that of result's first point, here 0.75.
    List c3, r3;
    r3.AddPoint({9, 0.75});
    g.Extrema(c3);
    g.OnlyExtrema(c3, r3);
    EXPECT_EQ(ItemsOf(r3), (Pts{{9, 0.75}, {0, 0}, {2, 0}}));
}

TEST(OnlyExtrema, EmptyInputs) {
    CVyMathFunction1D f = Poly({{0, 0}, {1, 2}, {2, 1}});
    List none, res;
    f.OnlyExtrema(none, res);
    EXPECT_EQ(ItemsOf(res), (Pts{{0, 0}, {2, 1}}));

    List cand, res2;
    cand.AddPoint({1, 2});
    Empty().OnlyExtrema(cand, res2);
    EXPECT_TRUE(ItemsOf(res2).empty());
}

TEST(InteractionCurves, ExtremeOrdinatesOverAllPoints) {
    // f(-1) is the first point's ordinate; the bisection lands on (1, 0) for f(1).
    CVyMathFunction1D diamond = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -1, 1);
    List l;
    l.AddPoint({5, 5});
    diamond.ExtremaInteractionCurves(l);
    EXPECT_EQ(ItemsOf(l), (Pts{{5, 5}, {-1, 0}, {0, -1}, {0, 1}, {1, 0}}));
    double vmin = 9, vmax = 9;
    diamond.ValuesGlobalMinMaxInteractionCurves(vmin, vmax);
    EXPECT_EQ(vmin, -1.0);
    EXPECT_EQ(vmax, 1.0);

    // The last point within Ytolerance of the extreme gives the abscissa; the ordinate is the extreme.
    CVyMathFunction1D f = Poly({{0, 0}, {1, -1}, {2, -1 + 5e-6}, {3, 0}});
    List fl;
    f.ExtremaInteractionCurves(fl);
    EXPECT_EQ(ItemsOf(fl), (Pts{{0, 0}, {2, -1}, {3, 0}, {3, 0}}));

    CVyMathFunction1D empty = Empty();
    List el;
    empty.ExtremaInteractionCurves(el);
    EXPECT_TRUE(ItemsOf(el).empty());
    empty.ValuesGlobalMinMaxInteractionCurves(vmin, vmax);
    EXPECT_EQ(vmin, -1.0);
    EXPECT_EQ(vmax, 1.0);
}
