// The bracketing search along a curve, the My-Mz curve at an axial force
// and the closest point on it, on hand-built curves.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "InteractionTestSections.h"
#include "interaction/InteractionCurves.h"

namespace colsec {
namespace {

using test::TestSection;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// nx falls from 100 to -50; my rises to 40 and falls back, mz = my / 10.
const InteractionCurve kFalling = {{100, 0, 0}, {50, 30, 3}, {0, 40, 4}, {-50, 30, 3}};
const InteractionCurve kRising = {{-50, 30, 3}, {0, 40, 4}, {50, 30, 3}, {100, 0, 0}};
// Two consecutive points with the same nx.
const InteractionCurve kPlateau = {{100, 0, 0}, {60, 10, 1}, {60, 20, 2}, {20, 30, 3}};

struct ValueCase {
  const char* name;
  InteractionCurve curve;
  double target;
  bool useMy;
  double expected;  // NaN: no bracketing pair
};

TEST(ValueAtAxialForce, BracketingSearch) {
  const ValueCase cases[] = {
      // (50, 30)-(0, 40): 30 + (25 - 50)/(0 - 50)·(40 - 30) = 35.
      {"falling pair", kFalling, 25, true, 35},
      {"falling pair, mz", kFalling, 25, false, 3.5},
      // (0, 40)-(50, 30): 40 + 25/50·(30 - 40) = 35.
      {"rising pair", kRising, 25, true, 35},
      {"at the first point", kFalling, 100, true, 0},
      {"at an inner point", kFalling, 50, true, 30},
      {"at the last point", kFalling, -50, true, 30},
      {"above the range", kFalling, 100.5, true, kNaN},
      {"below the range", kFalling, -50.5, true, kNaN},
      {"single point, target on it", {{10, 5, 5}}, 10, true, kNaN},
      {"empty curve", {}, 0, true, kNaN},
      // The pair (60, 60) does not bracket 40: (60, 20)-(20, 30) gives 25.
      {"equal nx skipped", kPlateau, 40, true, 25},
      // Target on the repeated nx: the first pair containing it, (100, 0)-(60, 10).
      {"tie at repeated nx", kPlateau, 60, true, 10},
      {"tie at repeated nx, mz", kPlateau, 60, false, 1},
      // Not monotone: the rising first pair (0, 0)-(100, 10) holds 50 and
      // wins over the falling pair (100, 10)-(50, 20) ending on it.
      {"first pair wins, rising", {{0, 0, 0}, {100, 10, 0}, {50, 20, 0}, {-50, 40, 0}}, 50, true, 5},
      // Falling first pair (100, 0)-(0, 10): 0 + (40 - 100)/(0 - 100)·10 = 6,
      // not the rising (0, 10)-(80, 30).
      {"first pair wins, falling", {{100, 0, 0}, {0, 10, 0}, {80, 30, 0}}, 40, true, 6},
  };
  for (const ValueCase& c : cases) {
    const double value = valueAtAxialForce(c.curve, c.target, c.useMy);
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(value)) << c.name << ": " << value;
    } else {
      EXPECT_NEAR(value, c.expected, 1e-12) << c.name;
    }
  }
}

TEST(CurveAtAxialForce, OnePointPerSurfaceCurveAndNaNWhereACurveFallsShort) {
  TestSection section;
  section.model.surfaceCurves = {kFalling, {{10, 1, 1}, {-10, 2, 2}}, kRising, kPlateau};

  const InteractionCurve curve = curveAtAxialForce(section.model, 25);
  ASSERT_EQ(curve.size(), 4u);
  // kFalling: t = (25 - 50)/(0 - 50) = 0.5 → (25, 35, 3.5).
  EXPECT_NEAR(curve[0].nx, 25, 1e-12);
  EXPECT_NEAR(curve[0].my, 35, 1e-12);
  EXPECT_NEAR(curve[0].mz, 3.5, 1e-12);
  // nx from 10 to -10 does not reach 25: a quiet NaN point.
  EXPECT_TRUE(std::isnan(curve[1].nx) && std::isnan(curve[1].my) && std::isnan(curve[1].mz))
      << test::describePoint(curve[1]);
  EXPECT_FALSE(std::signbit(curve[1].nx) || std::signbit(curve[1].my) || std::signbit(curve[1].mz));
  // kRising: t = 25/50 → (25, 35, 3.5).
  EXPECT_NEAR(curve[2].nx, 25, 1e-12);
  EXPECT_NEAR(curve[2].my, 35, 1e-12);
  EXPECT_NEAR(curve[2].mz, 3.5, 1e-12);
  // kPlateau: (60, 20)-(20, 30), t = 0.875 → (25, 28.75, 2.875).
  EXPECT_NEAR(curve[3].nx, 25, 1e-12);
  EXPECT_NEAR(curve[3].my, 28.75, 1e-12);
  EXPECT_NEAR(curve[3].mz, 2.875, 1e-12);

  // At the repeated nx 60 the first pair gives (60, 10, 1), not a 0/0 point.
  const InteractionCurve atPlateau = curveAtAxialForce(section.model, 60);
  ASSERT_EQ(atPlateau.size(), 4u);
  EXPECT_NEAR(atPlateau[3].nx, 60, 1e-12);
  EXPECT_NEAR(atPlateau[3].my, 10, 1e-12);
  EXPECT_NEAR(atPlateau[3].mz, 1, 1e-12);

  // The NaN point is printed "nan", one line per angle.
  std::ostringstream text;
  writeCurve(text, curve, "MyMz");
  EXPECT_EQ(text.str(),
            "#CURVEPOINT MyMz 25 35 3.5\n"
            "#CURVEPOINT MyMz nan nan nan\n"
            "#CURVEPOINT MyMz 25 35 3.5\n"
            "#CURVEPOINT MyMz 25 28.75 2.875\n");

  TestSection empty;
  EXPECT_TRUE(curveAtAxialForce(empty.model, 0).empty());
}

// A surface whose My-Mz curve at N = 0 is exactly the given (my, mz)
// points: each surface curve runs from N = +1 to N = -1 at constant moments.
void setMyMzCurve(SectionModel& model, const std::vector<std::pair<double, double>>& points) {
  model.surfaceCurves.clear();
  for (const auto& [my, mz] : points) {
    if (std::isnan(my)) {
      model.surfaceCurves.push_back({{5, 0, 0}, {3, 0, 0}});  // never reaches N = 0
    } else {
      model.surfaceCurves.push_back({{1, my, mz}, {-1, my, mz}});
    }
  }
}

struct ClosestCase {
  const char* name;
  std::vector<std::pair<double, double>> curve;  // (my, mz); NaN my: a curve not reaching N = 0
  double targetMy;
  double targetMz;
  double expectedMy;
  double expectedMz;
};

TEST(ClosestCurvePoint, SegmentsFirstThenVertices) {
  const ClosestCase cases[] = {
      // Projection of (100, 100) onto the line my + mz = 100.
      {"foot on a segment", {{100, 0}, {0, 100}}, 100, 100, 50, 50},
      // Beyond the corner of both segments: the corner vertex.
      {"convex corner", {{100, 0}, {100, 100}, {0, 100}}, 150, 150, 100, 100},
      // Before the start of the only segment: its first vertex.
      {"beyond the segment's end", {{100, 0}, {0, 100}}, 200, -50, 100, 0},
      // Feet (50, 10) and (50, -10) both at distance 10: the later segment.
      {"equal feet, later segment", {{0, 10}, {100, 10}, {100, -10}, {0, -10}}, 50, 0, 50, -10},
      // Feet at 7 and 13: the nearer one even though it comes first.
      {"nearer foot", {{0, 10}, {100, 10}, {100, -10}, {0, -10}}, 50, 3, 50, 10},
      // (0, 0) projects before (-10, 10)-(0, 1000) and past (0, 1000)-(10, 10);
      // the vertices (-10, 10) and (10, 10) are both √200 away: the earlier.
      {"equal vertices, earlier", {{-10, 10}, {0, 1000}, {10, 10}}, 0, 0, -10, 10},
      // The repeated last point makes a zero-length segment, which is
      // skipped; no segment is taken, so the nearest vertex (100, 0) wins
      // (51 away, against 186 for (0, 100)).
      {"zero-length segment", {{100, 0}, {0, 100}, {0, 100}}, 150, -10, 100, 0},
      // A curve that does not reach the axial force breaks the chain: both
      // segments touching its NaN point are skipped, and the nearer vertex
      // (100, 0) is taken instead of the foot (55, 45).
      {"NaN point between", {{100, 0}, {kNaN, kNaN}, {0, 100}}, 60, 50, 100, 0},
  };
  for (const ClosestCase& c : cases) {
    TestSection section;
    setMyMzCurve(section.model, c.curve);
    const CurvePoint p = closestCurvePoint(section.model, {0.0, c.targetMy, c.targetMz});
    EXPECT_EQ(p.nx, 0.0) << c.name;
    EXPECT_NEAR(p.my, c.expectedMy, 1e-9) << c.name << " " << test::describePoint(p);
    EXPECT_NEAR(p.mz, c.expectedMz, 1e-9) << c.name << " " << test::describePoint(p);
  }
}

TEST(ClosestCurvePoint, EmptyCurveGivesTheAxialForceAndZeroMoments) {
  TestSection section;
  const CurvePoint p = closestCurvePoint(section.model, {-5000.0, 7e6, 8e6});
  EXPECT_EQ(p.nx, -5000.0);
  EXPECT_EQ(p.my, 0.0);
  EXPECT_EQ(p.mz, 0.0);
}

TEST(ClosestCurvePoint, BuildsTheCurveAtTheTargetAxialForce) {
  TestSection section;
  // At N = 500: (150, 0) and (0, 150); at N = 0 it would be (100, 0), (0, 100).
  section.model.surfaceCurves = {{{1000, 200, 0}, {-1000, 0, 0}}, {{1000, 0, 200}, {-1000, 0, 0}}};
  // The stored curve must not be used.
  section.model.curveMyMz = {{500, 1e9, 1e9}, {500, 2e9, 2e9}};
  section.model.curveMyMzN0 = {{0, 1e9, 1e9}, {0, 2e9, 2e9}};
  const CurvePoint p = closestCurvePoint(section.model, {500.0, 150.0, 150.0});
  EXPECT_EQ(p.nx, 500.0);
  EXPECT_NEAR(p.my, 75.0, 1e-9) << test::describePoint(p);
  EXPECT_NEAR(p.mz, 75.0, 1e-9) << test::describePoint(p);
}

}  // namespace
}  // namespace colsec
