// Sweep radius and single neutral-axis sweeps over hand-placed elements.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "InteractionTestSections.h"
#include "interaction/InteractionCurves.h"

namespace colsec {
namespace {

using test::TestSection;

struct RadiusCase {
  const char* name;
  std::vector<double> gridLinesY;  // sorted, as the discretisation leaves them
  std::vector<double> gridLinesZ;
  double expected;
};

TEST(SectionRadius, FarthestGridCornerWithSinglePrecisionSquares) {
  const RadiusCase cases[] = {
      // 50² + 100² = 12500: all values exact in single precision.
      {"centred rectangle", {-50, 50}, {-100, 100}, std::sqrt(12500.0)},
      // A circle of diameter 100 at y = 300: the far edge 350 decides, not
      // the first grid line 250: √(350² + 50²) = √125000.
      {"circle beside the origin in +y", {250, 350}, {-50, 50}, std::sqrt(125000.0)},
      {"circle beside the origin in +z", {-50, 50}, {250, 350}, std::sqrt(125000.0)},
      {"circle beside the origin in -y", {-350, -250}, {-50, 50}, std::sqrt(125000.0)},
      // Per axis the larger magnitude of first and last line: 40 and 70.
      {"mixed extremes", {-10, 0, 40}, {-70, 5, 20}, std::sqrt(6500.0)},
      // 4096² = 2^24 and 1² add to 16777217, which single precision cannot
      // hold; the sum is taken in double.
      {"sum kept in double", {-4096, 4096}, {-1, 1}, std::sqrt(16777217.0)},
      // Values rounded to single precision and squared there:
      // f32(f32(123.456789)²) + f32(f32(98.7654321)²), root in double,
      // = 158.10183254195695 (python struct arithmetic); the double-precision
      // distance is 158.10183214653216.
      {"single-precision squares", {-123.456789, 10}, {-1, 98.7654321}, 158.10183254195695},
      {"no grid lines", {}, {}, 0.0},
  };
  for (const RadiusCase& c : cases) {
    TestSection section;
    section.model.gridLinesY = c.gridLinesY;
    section.model.gridLinesZ = c.gridLinesZ;
    EXPECT_DOUBLE_EQ(sectionRadius(section.model), c.expected) << c.name;
  }
}

TEST(SectionRadius, DiscretisedOffCentreCircle) {
  TestSection section;
  test::addStructuralSteel(section.model, 1, 1, 235.0);
  section.model.addCircProfile(1, 1, 300.0, 0.0, 100.0, 0.0, false);
  test::discretiseSection(section.model, 10.0);
  EXPECT_DOUBLE_EQ(sectionRadius(section.model), std::sqrt(125000.0));
}

// One steel element of 2 × 2 mm at fyd = 235: it carries ±940 N.
constexpr double kElementForce = 940.0;

TEST(SweepCurve, OffsetsIncludeBothEndsAndAnElementOnTheLineIsInTension) {
  TestSection section;
  const Material* steel = test::addStructuralSteel(section.model, 1, 1, 235.0);
  test::pushElement(section.model, steel, 0.0, 10.0, 2.0, 2.0);

  // Angle 0: the line is z = m; below it compression. Offsets -20, -10, 0,
  // 10, 20; at m = 10 the element centre lies on the line.
  const InteractionCurve curve = sweepCurve(section.model, 0.0, -20.0, 20.0, 5.0);
  ASSERT_EQ(curve.size(), 5u);
  const double expectedN[] = {kElementForce, kElementForce, kElementForce, kElementForce, -kElementForce};
  for (std::size_t i = 0; i < curve.size(); ++i) {
    EXPECT_EQ(curve[i].nx, expectedN[i]) << "point " << i;
    EXPECT_EQ(curve[i].my, expectedN[i] * 10.0) << "point " << i;
    EXPECT_EQ(curve[i].mz, 0.0) << "point " << i;
  }

  // Two points: exactly the two ends.
  const InteractionCurve ends = sweepCurve(section.model, 0.0, -20.0, 20.0, 2.0);
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[0].nx, kElementForce);
  EXPECT_EQ(ends[1].nx, -kElementForce);

  // Swept the other way round the first point is the compressed one.
  const InteractionCurve reversed = sweepCurve(section.model, 0.0, 20.0, -20.0, 5.0);
  ASSERT_EQ(reversed.size(), 5u);
  EXPECT_EQ(reversed.front().nx, -kElementForce);
  EXPECT_EQ(reversed.back().nx, kElementForce);
}

TEST(SweepCurve, RightAngleBendsAboutZ) {
  TestSection section;
  const Material* steel = test::addStructuralSteel(section.model, 1, 1, 235.0);
  test::pushElement(section.model, steel, -15.0, 0.0, 2.0, 2.0);
  test::pushElement(section.model, steel, 15.0, 0.0, 2.0, 2.0);

  // At 90° the line is y = m; the element at y = -15 is compressed for
  // m = -10, 0, 10: N = 0, Mz = 940·15 + 940·15 = 28200.
  const InteractionCurve curve = sweepCurve(section.model, 1.5707963267948966, -20.0, 20.0, 5.0);
  ASSERT_EQ(curve.size(), 5u);
  const double expectedN[] = {2 * kElementForce, 0, 0, 0, -2 * kElementForce};
  const double expectedMz[] = {0, 28200, 28200, 28200, 0};
  for (std::size_t i = 0; i < curve.size(); ++i) {
    EXPECT_EQ(curve[i].nx, expectedN[i]) << "point " << i;
    EXPECT_EQ(curve[i].my, 0.0) << "point " << i;
    EXPECT_EQ(curve[i].mz, expectedMz[i]) << "point " << i;
  }
}

TEST(SweepCurve, InclinedAxisUsesSineForYAndCosineForZ) {
  TestSection section;
  const Material* steel = test::addStructuralSteel(section.model, 1, 1, 235.0);
  test::pushElement(section.model, steel, 20.0, 0.0, 2.0, 2.0);
  test::pushElement(section.model, steel, 0.0, 20.0, 2.0, 2.0);

  // At 30°: y·sin + z·cos is 10 for (20, 0) and 17.32 for (0, 20). For
  // offsets 12 and 16 the first element is compressed, the second in tension:
  // N = 0, My = 940·20 = 18800, Mz = -940·20 = -18800.
  const double alpha = 3.141592653589793 / 6.0;
  const InteractionCurve curve = sweepCurve(section.model, alpha, 12.0, 16.0, 2.0);
  ASSERT_EQ(curve.size(), 2u);
  for (std::size_t i = 0; i < curve.size(); ++i) {
    EXPECT_EQ(curve[i].nx, 0.0) << "point " << i;
    EXPECT_EQ(curve[i].my, 18800.0) << "point " << i;
    EXPECT_EQ(curve[i].mz, -18800.0) << "point " << i;
  }
}

TEST(SweepCurve, SectionWithoutElementsGivesZeroPoints) {
  TestSection section;
  const InteractionCurve curve = sweepCurve(section.model, 0.0, 0.0, 0.0, 3.0);
  ASSERT_EQ(curve.size(), 3u);
  for (const CurvePoint& p : curve) {
    EXPECT_EQ(p.nx, 0.0);
    EXPECT_EQ(p.my, 0.0);
    EXPECT_EQ(p.mz, 0.0);
  }
}

}  // namespace
}  // namespace colsec
