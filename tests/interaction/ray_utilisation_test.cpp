// The ray utilisation of the My-Mz curve at NEd and the closest point of
// the My-Mz curve, against closed forms.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "interaction/InteractionCurves.h"
#include "support/InMemoryRun.h"

namespace colsec::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RayCrossing, OnTheDiamondOfALinearInteraction) {
  // |My|/200 + |Mz|/100 = 1 around the full circle: the ray through
  // (my, mz) meets it at t = 1 / (|my|/200 + |mz|/100).
  const InteractionCurve diamond = {{0, 200, 0}, {0, 0, 100}, {0, -200, 0}, {0, 0, -100}, {0, 200, 0}};
  struct Case {
    double my, mz, t;
  } cases[] = {
      {100, 0, 2.0},     {0, 100, 1.0},       {50, 25, 2.0},    {150, 75, 2.0 / 3.0}, {-50, 25, 2.0},
      {-100, -50, 1.0},  {20, -10, 5.0},      {400, 0, 0.5},    {0, -25, 4.0},        {0, 0, kNaN},
  };
  for (const Case& c : cases) {
    const double t = rayCrossingFactor(diamond, c.my, c.mz);
    if (std::isnan(c.t)) {
      EXPECT_TRUE(std::isnan(t)) << "(" << c.my << ", " << c.mz << "): " << t;
    } else {
      EXPECT_NEAR(t, c.t, 1e-12) << "(" << c.my << ", " << c.mz << ")";
    }
  }
}

TEST(RayCrossing, ARayThatMeetsNoSegmentOrOnlyNaNGivesNaN) {
  // One quadrant only: the opposite ray misses it; NaN points are gaps.
  const InteractionCurve quadrant = {{0, 200, 0}, {0, 0, 100}};
  EXPECT_TRUE(std::isnan(rayCrossingFactor(quadrant, -50, -25)));
  const InteractionCurve gaps = {{0, 200, 0}, {kNaN, kNaN, kNaN}, {0, 0, 100}};
  EXPECT_TRUE(std::isnan(rayCrossingFactor(gaps, 50, 25)));
  EXPECT_TRUE(std::isnan(rayCrossingFactor({}, 50, 25)));
}

// Steel rectangle B = 100 (along y) × H = 200 (along z), fyd = 355, cells
// of 200/16 × 100/8 mm (an even count both ways, so no element centre lies
// on an axis) and 101 offsets, whose middle one is the centre line: the
// curve at N = 0 then holds Mpl,y = fyd·B·H²/4 = 355e6 Nmm at 0° and
// Mpl,z = fyd·H·B²/4 = 177.5e6 Nmm at 90°.
std::string rectangleInput(double my, double mz) { return test::steelRectangleInput(my, mz); }

constexpr double kMplY = 355e6;
constexpr double kMplZ = 177.5e6;

TEST(RayUtilisation, OfASteelRectangleAtNZeroAlongEachAxisAndSign) {
  struct Case {
    double my, mz, utilisation;
  } cases[] = {
      {0.5 * kMplY, 0, 0.5},   {-0.25 * kMplY, 0, 0.25}, {0, 0.5 * kMplZ, 0.5},
      {0, -0.8 * kMplZ, 0.8},  {1.5 * kMplY, 0, 1.5},    {0, 0, 0.0},
  };
  for (const Case& c : cases) {
    const auto run = analyseText(rectangleInput(c.my, c.mz));
    const SimplifiedMethodResult& r = run->model.simplifiedMethod;
    EXPECT_NEAR(r.ray.ratio, c.utilisation, 1e-9) << "My = " << c.my << ", Mz = " << c.mz;
    EXPECT_EQ(r.ray.ok, c.utilisation <= 1.0) << "My = " << c.my << ", Mz = " << c.mz;
    if (c.utilisation > 0) {
      // The crossing lies on the ray, at the resistance along that axis.
      EXPECT_NEAR(r.rayPoint.my, c.my / c.utilisation, 1e-6 * kMplY) << "My = " << c.my;
      EXPECT_NEAR(r.rayPoint.mz, c.mz / c.utilisation, 1e-6 * kMplY) << "Mz = " << c.mz;
    }
  }
}

// The nearest point of the My-Mz polyline (4, 0), (4, 2), (0, 4) at N = 0:
// foot points on the segments first (on a tie the later segment's), the
// nearest vertex only where no foot lies on a segment. The surface is made
// of curves that hold each vertex at N = ±1.
TEST(ClosestCurvePoint, FeetOnSegmentsFirstThenTheNearestVertex) {
  const auto surface = [](const std::vector<std::pair<double, double>>& polyline) {
    auto run = std::make_unique<InMemoryRun>();
    for (const auto& [my, mz] : polyline) run->model.surfaceCurves.push_back({{1, my, mz}, {-1, my, mz}});
    return run;
  };
  const auto bent = surface({{4, 0}, {4, 2}, {0, 4}});
  const auto square = surface({{2, -2}, {2, 2}, {-2, 2}});
  struct Case {
    const char* name;
    const SectionModel& model;
    double my, mz, footMy, footMz;
  } cases[] = {
      {"outside the first segment", bent->model, 5, 1, 4, 1},
      {"inside: the second segment is nearer", bent->model, 0, 0, 1.6, 3.2},
      {"no foot on any segment: the nearest vertex", bent->model, 6, -3, 4, 0},
      {"beyond the last vertex", bent->model, -1, 6, 0, 4},
      {"equally near two segments: the later", square->model, 0, 0, 0, 2},
  };
  for (const Case& c : cases) {
    const CurvePoint p = closestCurvePoint(c.model, {0.0, c.my, c.mz});
    EXPECT_EQ(p.nx, 0.0) << c.name;
    EXPECT_NEAR(p.my, c.footMy, 1e-12) << c.name;
    EXPECT_NEAR(p.mz, c.footMz, 1e-12) << c.name;
  }
}

}  // namespace
}  // namespace colsec::test
