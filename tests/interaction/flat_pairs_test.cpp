// Stretches of a curve with one axial force: where such a pair of points
// brackets the target, the target equals both, and the value at it is the
// first point's, not 0/0.

#include <gtest/gtest.h>

#include <cmath>

#include "interaction/InteractionCurves.h"
#include "support/TestSupport.h"
#include "InteractionTestSections.h"

namespace colsec::test {
namespace {

TEST(FlatPairsTest, EqualAxialForcesAtTheTargetGiveTheFirstPoint) {
  const InteractionCurve curve = {{0.0, 0.0, 0.0}, {0.0, 5.0, 7.0}, {-10.0, 9.0, 11.0}};
  EXPECT_EQ(valueAtAxialForce(curve, 0.0, true), 0.0);
  EXPECT_EQ(valueAtAxialForce(curve, 0.0, false), 0.0);
  // Beyond the flat stretch the interpolation is the usual one.
  EXPECT_EQ(valueAtAxialForce(curve, -5.0, true), 7.0);
}

// Concrete has no tensile strength: the sweep starts with several points
// of axial force 0 (all concrete "in tension"), so the moment at N = 0 is
// that of the first of them, 0, and the concrete section has no plastic
// moment without compression.
TEST(FlatPairsTest, PlainConcreteHasZeroPlasticMomentAtZeroAxialForce) {
  TestSection section;
  SectionModel& model = section.model;
  addConcrete(model, 1, 1, 20.0, 1.0);
  model.addRectProfile(1, 1, 400.0, 300.0, 0.0, 0.0, false);
  discretiseSection(model, 25.0);
  model.settings.angularSubdivisions = 3;
  model.settings.offsetSubdivisions = 40;
  model.designForces = {-1.0e6, 50.0e6, 0.0, 0.0, 0.0};
  std::ostringstream curves;
  computeInteractionCurves(model, curves, section.console, false);

  EXPECT_EQ(model.mPlYRd, 0.0);
  EXPECT_EQ(model.mPlZRd, 0.0);
  EXPECT_EQ(model.nPlRdMax, 0.0);
  EXPECT_NEAR(model.nPlRdMin, -20.0 * 400.0 * 300.0, 1e-6);  // the cell areas add up to the rectangle
  // Under compression the section has a moment resistance again; against a
  // plastic moment of 0 the factor mdy is infinite, and the check fails.
  EXPECT_GT(valueAtAxialForce(model.curveNMy, -1.0e6, true), 0.0);
  EXPECT_TRUE(std::isinf(model.mdy));
  for (const CurvePoint& p : model.curveMyMzN0) {
    EXPECT_EQ(p.nx, 0.0) << describePoint(p);
    EXPECT_EQ(p.my, 0.0) << describePoint(p);
    EXPECT_EQ(p.mz, 0.0) << describePoint(p);
  }
}

// A design axial force exactly at the tension resistance of a steel
// rectangle: its moment resistance there is 0, so mdy = mdz = 0.
TEST(FlatPairsTest, DesignForceAtTheTensionResistanceLeavesNoMomentResistance) {
  TestSection section;
  SectionModel& model = section.model;
  buildSteelRectangle(model, 200.0, 100.0, 13.0, 235.0);
  model.settings.angularSubdivisions = 2;
  model.settings.offsetSubdivisions = 50;
  model.designForces.nx = 235.0 * 200.0 * 100.0;
  std::ostringstream curves;
  computeInteractionCurves(model, curves, section.console, false);

  ASSERT_EQ(model.nPlRdMax, model.designForces.nx);
  EXPECT_EQ(model.mdy, 0.0);
  EXPECT_EQ(model.mdz, 0.0);
  for (const CurvePoint& p : model.curveMyMz) {
    EXPECT_EQ(p.nx, model.nPlRdMax) << describePoint(p);
    EXPECT_EQ(p.my, 0.0) << describePoint(p);
    EXPECT_EQ(p.mz, 0.0) << describePoint(p);
  }
}

}  // namespace
}  // namespace colsec::test
