#include "TestSupport.h"

using Pts = V;
using List = F::PointList;

namespace {

// The points (0, ys[0]), (1, ys[1]), ... on [0, n - 1].
F Ys(const std::vector<double>& ys) {
    std::vector<F::Point> pts;
    for (std::size_t i = 0; i < ys.size(); ++i)
        pts.push_back({double(i), ys[i]});
    return Poly(pts);
}

List ListOf(const std::vector<F::Point>& pts) {
    List l;
    for (const auto& p : pts)
        l.AddPoint(p);
    return l;
}

Pts ExtremaOf(const F& f, List l = {}) {
    f.Extrema(l);
    return ItemsOf(l);
}

// {minima, maxima} of LocalMinMax (GlobalMinMax when global).
std::pair<Pts, Pts> MinMax(const F& f, bool global) {
    List mn, mx;
    global ? f.GlobalMinMax(mn, mx) : f.LocalMinMax(mn, mx);
    return {ItemsOf(mn), ItemsOf(mx)};
}

} // namespace

TEST(Extrema, TurnsPlateauEdgesAndConstants) {
    const std::tuple<const char*, F, Pts> cases[] = {
        {"a monotone line: its ends", Ys({0, 1, 2}), {{0, 0}, {2, 2}}},
        {"a vertical step is flat", Poly({{0, 0}, {1, 1}, {1, 2}, {2, 3}}), {{0, 0}, {1, 1}, {1, 2}, {2, 3}}},
        {"a DBL_MAX peak", Poly({{0, 0}, {0.5, DBL_MAX}, {1, 0}}), {{0, 0}, {0.5, DBL_MAX}, {1, 0}}},
        {"constant within Ytolerance", Poly({{0, 5}, {1, 5 + 5e-6}, {4, 5}}), {{0, 5}, {2, 5}, {4, 5}}},
        {"open ends: no overflow in the middle", F(), {{-DBL_MAX, 0}, {0, 0}, {DBL_MAX, 0}}},
        {"empty", MakeFunction({}, 0, 1), {}}};
    for (const auto& [name, f, extrema] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ExtremaOf(f), extrema);
        EXPECT_EQ(F(f).AngularPoint(), extrema.size() > 2);
    }
}

TEST(MinMax, LocalBySlopesGlobalWithAllTies) {
    // Name, global?, function, minima, maxima. Global: ties within 1e-10 absolute plus 1e-10 relative.
    const std::tuple<const char*, bool, F, Pts, Pts> cases[] = {
        {"a shelf", 0, Ys({0, 1, 1, 2}), {{0, 0}, {2, 1}, {3, 2}}, {{0, 0}, {1, 1}, {3, 2}}},
        {"a plateau", 0, Ys({0, 1, 1, 0}), {{0, 0}, {3, 0}}, {{0, 0}, {1, 1}, {2, 1}, {3, 0}}},
        {"repeated points within the tolerances: the last copy",
         0,
         Poly({{0, 0}, {1, 1}, {1.000005, 1}, {2, 0}}),
         {{0, 0}, {2, 0}},
         {{0, 0}, {1.000005, 1}, {2, 0}}},
        {"one point", 0, MakeFunction({{2, 3}}, 0, 4), {{2, 3}}, {{2, 3}}},
        {"the default function", 0, F(), {}, {}},
        {"global: exactly 1e-10 ties",
         1,
         Ys({1, 0, 1, 1e-10, 1}),
         {{1, 0}, {3, 1e-10}},
         {{0, 1}, {2, 1}, {4, 1}}},
        {"global: 2e-10 does not", 1, Ys({1, 0, 1, 2e-10, 1}), {{1, 0}}, {{0, 1}, {2, 1}, {4, 1}}},
        {"global: the relative part",
         1,
         Ys({0, 1e6, 1, 1e6 - 1e-4, 1, 1e6 - 2e-4, 0}),
         {{0, 0}, {6, 0}},
         {{1, 1e6}, {3, 1e6 - 1e-4}}}};
    for (const auto& [name, global, f, minima, maxima] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(MinMax(f, global), std::make_pair(minima, maxima));
    }
}

TEST(OnlyExtrema, FirstExtremesLastWithStrictYtolerance) {
    auto only = [](const F& f, const std::vector<F::Point>& cand, List res = {}) {
        List c = ListOf(cand);
        f.OnlyExtrema(c, res);
        return ItemsOf(res);
    };
    // In order of abscissa; the first of tied candidates; no candidates.
    EXPECT_EQ(only(Ys({0, 2, -1, 0.5}), {{1, 2}, {2, -1}}), (Pts{{0, 0}, {1, 2}, {2, -1}, {3, 0.5}}));
    EXPECT_EQ(only(Ys({0, -2, 2, 2, 1}), {{1, -2}, {2, 2}, {3, 2}}), (Pts{{0, 0}, {1, -2}, {2, 2}, {4, 1}}));
    EXPECT_EQ(only(Ys({0, 2, -1, 0.5}), {}), (Pts{{0, 0}, {3, 0.5}}));
    EXPECT_TRUE(only(MakeFunction({}, 0, 1), {{1, 2}}).empty());
    // Exactly Ytolerance from the ends fails; the first ordinate is that of result's first point.
    EXPECT_EQ(only(Ys({0, 1e-5, 0}), {{0, 0}, {1, 1e-5}}), (Pts{{0, 0}, {2, 0}}));
    EXPECT_EQ(only(Ys({0, 2e-5, 0}), {{0, 0}, {1, 2e-5}}), (Pts{{0, 0}, {1, 2e-5}, {2, 0}}));
    EXPECT_EQ(only(Ys({0, 2e-5, 0}), {{0, 0}, {1, 2e-5}}, ListOf({{9, 2e-5}})),
              (Pts{{9, 2e-5}, {0, 0}, {2, 0}}));
}

TEST(InteractionCurves, ExtremeOrdinatesOverAllPointsAndGlobalValues) {
    // f(-1) is the first point's ordinate; the bisection lands on (1, 0) for f(1).
    F diamond = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -1, 1);
    List l = ListOf({{5, 5}});
    diamond.ExtremaInteractionCurves(l);
    MakeFunction({}, 0, 1).ExtremaInteractionCurves(l);
    // The last point within Ytolerance of the extreme gives the abscissa; the ordinate is the extreme.
    Ys({0, -1, -1 + 5e-6, 0}).ExtremaInteractionCurves(l);
    EXPECT_EQ(ItemsOf(l), (Pts{{5, 5}, {-1, 0}, {0, -1}, {0, 1}, {1, 0}, {0, 0}, {2, -1}, {3, 0}, {3, 0}}));
    // Extreme ordinates of the local extrema, then of all points; nothing written when there are none.
    double v[4] = {9, 9, 9, 9};
    Ys({0, 2, 1, 3}).ValuesGlobalMinMax(v[0], v[1]);
    F().ValuesGlobalMinMax(v[0], v[1]);
    diamond.ValuesGlobalMinMaxInteractionCurves(v[2], v[3]);
    MakeFunction({}, 0, 1).ValuesGlobalMinMaxInteractionCurves(v[2], v[3]);
    EXPECT_EQ(std::vector<double>(v, v + 4), (std::vector<double>{0, 3, -1, 1}));
}
