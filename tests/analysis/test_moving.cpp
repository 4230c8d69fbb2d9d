// Moving loads on influence lines: hand results on a simple span (one and two axles, the lane load, the
// shear line with its jump), variable spacings at their worst inside the range and at its bound, the
// shipped models (Load Model 1 on a span, HL-93's two-truck rule over the support of two spans), and the
// errors of a load file.
#include "formats/MovingLoad.h"
#include "vymath/analysis/MovingLoad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace vymath::analysis;

Diagram LineOf(const std::vector<Row>& rows) {
    const Locator where = [](std::size_t) { return std::string("row"); };
    return BuildDiagram("line", rows, where);
}

std::string Shipped(const std::string& name) {
    std::ifstream in(std::string(VYMATH_LOADS_DIR) + "/" + name + ".json");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The moment at midspan of a simply supported span of 10 m, and the shear at x = 4.
const std::vector<Row> kMoment = {{0, 0, 0}, {5, 2.5, 0}, {10, 0, 0}};
const std::vector<Row> kShear = {{0, 0, 0}, {4, -0.4, 0}, {4, 0.6, 0}, {10, 0, 0}};
// Two peaks 6 m apart.
const std::vector<Row> kTwoPeaks = {{0, 0, 0}, {2, 1, 0}, {4, 0, 0}, {6, 0, 0}, {8, 1, 0}, {10, 0, 0}};
// The moment over the middle support of two spans of 30 m, at the supports and mid-spans:
// -a (L^2 - a^2) / (4 L^2) = -2.8125 at a = 15.
const std::vector<Row> kSupport = {{0, 0, 0}, {15, -2.8125, 0}, {30, 0, 0}, {45, -2.8125, 0}, {60, 0, 0}};

struct Expected {
    bool found;
    double value, position;
    Side side;
    Direction direction;
    std::size_t alternative;
    std::vector<double> spacings;
};

struct Case {
    const char* name;
    std::vector<Row> line;
    std::string load;
    Expected max, min;
};

const Expected kNone{false, 0, std::nan(""), Side::None, Direction::Forward, 0, {}};

void Check(const Diagram& line, const MovingLoad& load, const MovingExtreme& got, const Expected& want,
           MovingExtremum which) {
    EXPECT_EQ(got.found, want.found);
    EXPECT_NEAR(got.value, want.value, 1e-9 * (1 + std::fabs(want.value)));
    if (std::isnan(want.position))
        EXPECT_TRUE(std::isnan(got.placement.position));
    else
        EXPECT_NEAR(got.placement.position, want.position, 1e-9);
    if (!want.found)
        return;
    EXPECT_EQ(got.placement.side, want.side);
    EXPECT_EQ(got.placement.direction, want.direction);
    EXPECT_EQ(got.alternative, want.alternative);
    ASSERT_EQ(got.placement.spacings.size(), want.spacings.size());
    for (std::size_t k = 0; k < want.spacings.size(); ++k)
        EXPECT_NEAR(got.placement.spacings[k], want.spacings[k], 1e-9);
    EXPECT_EQ(MovingEffect(line, load.alternatives[got.alternative], got.placement, which), got.value);
}

TEST(Moving, HandResults) {
    const Case cases[] = {
        {"one axle at midspan",
         kMoment,
         R"({"loads": [100]})",
         {true, 250, 5, Side::None, Direction::Forward, 0, {}},
         kNone},
        // Every position from 5 to 6.2 gives 440: the first one reached.
        {"two axles at midspan",
         kMoment,
         R"({"loads": [100, 100], "spacings": [1.2]})",
         {true, 250 + 190, 5, Side::None, Direction::Forward, 0, {1.2}},
         kNone},
        {"one axle and the lane load",
         kMoment,
         R"({"loads": [100], "lane": 10})",
         {true, 250 + 125, 5, Side::None, Direction::Forward, 0, {}},
         kNone},
        {"shear: the axle just right, just left of the section",
         kShear,
         R"({"loads": [100]})",
         {true, 60, 4, Side::Right, Direction::Forward, 0, {}},
         {true, -40, 4, Side::Left, Direction::Forward, 0, {}}},
        {"shear under two axles",
         kShear,
         R"({"loads": [100, 100], "spacings": [1.2]})",
         {true, 48 + 60, 5.2, Side::Right, Direction::Forward, 0, {1.2}},
         {true, -40 - 28, 4, Side::Left, Direction::Forward, 0, {1.2}}},
        {"backward only",
         kShear,
         R"({"loads": [100, 50], "spacings": [1.2], "directions": "backward"})",
         {true, 60 + 24, 4, Side::Right, Direction::Backward, 0, {1.2}},
         {true, -28 - 20, 2.8, Side::Left, Direction::Backward, 0, {1.2}}},
        {"a spacing worst inside its range",
         kTwoPeaks,
         R"({"loads": [100, 100], "spacings": [[4, 9]]})",
         {true, 200, 8, Side::None, Direction::Forward, 0, {6}},
         kNone},
        // From 8 to 9 the value is 150 with the spacing at 7: the first position, the smallest spacing.
        {"a spacing worst at its bound",
         kTwoPeaks,
         R"({"loads": [100, 100], "spacings": [[7, 9]]})",
         {true, 150, 8, Side::None, Direction::Forward, 0, {7}},
         kNone},
        {"Load Model 1, lane 1",
         kMoment,
         Shipped("lm1-lane1"),
         {true, 750 + 570 + 27 * 12.5, 5, Side::None, Direction::Forward, 0, {1.2}},
         kNone},
        // Each truck with its middle axle over a mid-span (768.9375 each), 21.4 m apart, at 0.9 x 1.33,
        // with 0.9 of the lane load over both spans (84.375 m2): more than one truck (1022.686875) with
        // the whole lane load (784.6875).
        {"HL-93 over the support of two spans",
         kSupport,
         Shipped("hl93-negative"),
         kNone,
         {true,
          -(2 * 768.9375 * 1.197 + 0.9 * 9.3 * 84.375),
          49.3,
          Side::None,
          Direction::Forward,
          2,
          {4.3, 4.3, 21.4, 4.3, 4.3}}},
    };
    MovingWorkspace work;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Diagram line = LineOf(c.line);
        const MovingLoad load = vymath::formats::ReadMovingLoad(c.load, "load.json");
        const MovingResult r = MovingExtremes(line, load, work);
        {
            SCOPED_TRACE("max");
            Check(line, load, r.max, c.max, MovingExtremum::Max);
        }
        {
            SCOPED_TRACE("min");
            Check(line, load, r.min, c.min, MovingExtremum::Min);
        }
    }
}

TEST(Moving, LaneStretches) {
    // The shear line: positive right of the section, negative left of it; the lane load where unfavourable.
    MovingWorkspace work;
    const MovingResult r = MovingExtremes(
        LineOf(kShear), vymath::formats::ReadMovingLoad(R"({"loads": [], "lane": 10})", "l"), work);
    EXPECT_DOUBLE_EQ(r.max.value, 10 * 0.6 * 6 / 2);
    EXPECT_DOUBLE_EQ(r.min.value, -10 * 0.4 * 4 / 2);
    EXPECT_TRUE(std::isnan(r.max.placement.position));
    using Stretches = std::vector<std::pair<double, double>>;
    EXPECT_EQ(r.max.laneStretches, (Stretches{{4, 10}}));
    EXPECT_EQ(r.min.laneStretches, (Stretches{{0, 4}}));
}

TEST(Moving, BadLoadFiles) {
    const std::pair<const char*, const char*> bad[] = {
        {R"({"loads": [100, 100], "spacings": [-1]})",
         "f.json: /spacings/0: a spacing -1 is not a finite number of 0 or more"},
        {R"({"loads": [1, 1], "spacings": [[9, 4.3]]})",
         "f.json: /spacings/0: the range [9, 4.3] is upside down: the smallest spacing comes first"},
        {R"({"loads": [1], "spacings": [1.2]})", "f.json: /spacings: 1 axle load takes 0 spacings, not 1"},
        {R"({"loads": [1, 1, 1], "spacings": [1]})",
         "f.json: /spacings: 3 axle loads take 2 spacings, not 1"},
        {R"({"loads": [1], "wheels": 2})", "f.json: /wheels: unknown key \"wheels\""},
        {R"({"loads": [1], "loads": [2]})", "f.json: /loads: the key is given twice"},
        {R"({"loads": [1e999]})", "f.json: /loads/0: \"1e999\" is out of the range of doubles"},
        {R"({"alternatives": []})", "f.json: /alternatives: expected a list of one load model at least"},
        {R"({"alternatives": [{"loads": [1], "directions": "up"}]})",
         "f.json: /alternatives/0/directions: expected \"both\", \"forward\" or \"backward\""},
        {R"({"alternatives": [{"loads": [1]}], "lane": 2})", "f.json: /lane: unknown key \"lane\""},
        {R"({"loads": [1], "factor": -1.33})",
         "f.json: /factor: the factor -1.33 is not a finite number of 0 or more"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.first);
        try {
            vymath::formats::ReadMovingLoad(b.first, "f.json");
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), std::string(b.second));
            EXPECT_EQ(e.GetKind(), Error::Kind::Data);
        }
    }
}

} // namespace
