// The unit check of the design forces: every non-zero force below 1 % of
// its resistance looks like kN and kNm typed where N and Nmm are read.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "AnalysisFixtures.h"
#include "analysis/ForcePlausibility.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"

namespace colsec {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Resistances as the interaction curves store them.
void setCurveResistances(SectionModel& model) {
  model.allNonlinear = true;
  model.nPlRdMax = 5e5;   // tension [N]
  model.nPlRdMin = -1e6;  // compression [N]
  model.mPlYRd = 2e8;     // [Nmm]
  model.mPlZRd = 1e8;
  model.qPlRdY = 1e5;  // [N]
  model.qPlRdZ = 2e5;
}

TEST(ForcePlausibilityTest, EachForceIsComparedWithItsOwnResistance) {
  struct Case {
    const char* name;
    SectionForces forces;  // nx, my, mz, qy, qz
    bool tiny;
  };
  const Case cases[] = {
      {"all below 1 %", {-9999, 1.9e6, 0.9e6, 999, 1999}, true},
      {"compression at exactly 1 %", {-10000, 0, 0, 0, 0}, false},
      // 6000 N is 0.6 % of the compression resistance but 1.2 % of the
      // tension resistance, which is the one that counts.
      {"tension against Npl,Rd,max", {6000, 0, 0, 0, 0}, false},
      {"tension below 1 %", {4999, 0, 0, 0, 0}, true},
      {"My at 1.5 %", {-1000, 3e6, 0, 0, 0}, false},
      {"Mz at 2 % of the smaller Mpl,z,Rd", {-1000, 0, 2e6, 0, 0}, false},
      {"Qy at 1 %", {-1000, 0, 0, 1000, 0}, false},
      {"Qz at 1.5 %", {-1000, 0, 0, 0, 3000}, false},
      {"a realistic column", {-3e6, 1.5e8, 5e7, 2e4, 5e4}, false},
      {"no force at all", {0, 0, 0, 0, 0}, false},
      {"negative moments compare by magnitude", {0, -1.9e6, -0.9e6, -999, -1999}, true},
  };
  for (const Case& c : cases) {
    test::TestSection section;
    setCurveResistances(section.model);
    section.model.designForces = c.forces;
    EXPECT_EQ(designForcesLookTiny(section.model), c.tiny) << c.name;
  }
}

TEST(ForcePlausibilityTest, TheLargestShareIsReported) {
  test::TestSection section;
  setCurveResistances(section.model);
  section.model.designForces = {-5000, 1e6, 0, 0, 1000};  // 0.5 %, 0.5 %, -, -, 0.5 %
  EXPECT_DOUBLE_EQ(largestDesignForceShare(section.model), 0.005);
  section.model.designForces = {-5000, 1e6, 3e5, 0, 1000};  // Mz: 0.3 %
  EXPECT_DOUBLE_EQ(largestDesignForceShare(section.model), 0.005);
  section.model.designForces = {-5000, 1e6, 0, 700, 1000};  // Qy: 0.7 %
  EXPECT_DOUBLE_EQ(largestDesignForceShare(section.model), 0.007);
  section.model.designForces = {};
  EXPECT_TRUE(std::isnan(largestDesignForceShare(section.model)));
}

TEST(ForcePlausibilityTest, ResistancesThatCarryTheSignOfTheMomentCompareByMagnitude) {
  test::TestSection section;
  setCurveResistances(section.model);
  section.model.mPlYRd = -2e8;
  section.model.mPlZRd = -1e8;
  section.model.designForces = {0, -1.9e6, -0.9e6, 0, 0};
  EXPECT_TRUE(designForcesLookTiny(section.model));
  section.model.designForces = {0, -3e6, 0, 0, 0};
  EXPECT_FALSE(designForcesLookTiny(section.model));
}

TEST(ForcePlausibilityTest, AResistanceOfZeroOrNaN) {
  test::TestSection section;
  setCurveResistances(section.model);
  // A shear force where nothing carries shear is not tiny.
  section.model.qPlRdY = 0.0;
  section.model.designForces = {-1000, 0, 0, 10, 0};
  EXPECT_FALSE(designForcesLookTiny(section.model));
  // A force without a resistance to compare with is left out.
  setCurveResistances(section.model);
  section.model.mPlYRd = kNaN;
  section.model.designForces = {-1000, 5e7, 0, 0, 0};
  EXPECT_TRUE(designForcesLookTiny(section.model));
  section.model.designForces = {0, 5e7, 0, 0, 0};
  EXPECT_FALSE(designForcesLookTiny(section.model));
}

TEST(ForcePlausibilityTest, WithoutCurvesTheAxialForceMeetsTheSectionsAxialResistance) {
  // One 10 x 10 element of a LINEAR law (limits +355 / -300) and one of
  // reinforcing steel (±435): compression 100·(−300) + 100·(−435) =
  // −73500 N, tension 100·355 + 100·435 = 79000 N.
  test::TestSection section;
  const auto* linear = section.addMaterial<LinearMaterial>(1, 1, 210000.0, 355.0, -300.0, 81000.0, 205.0);
  const auto* bars = section.addMaterial<Steel1992_327b>(2, 2, 200000.0, 435.0);
  section.addElement(0, 0, 10, 10, linear);
  section.addElement(20, 0, 10, 10, bars);
  section.model.allNonlinear = false;
  struct Case {
    double nx;
    double my;
    bool tiny;
  };
  const Case cases[] = {
      {-700, 0, true},     // 0.95 %
      {-750, 0, false},    // 1.02 %
      {780, 0, true},      // 0.99 % of the tension side
      {800, 0, false},     // 1.01 %
      {-700, 1e12, true},  // moments have nothing to be compared with
      {0, 5e3, false},     // nothing compared: no warning
  };
  for (const Case& c : cases) {
    section.model.designForces = {c.nx, c.my, 0, 0, 0};
    EXPECT_EQ(designForcesLookTiny(section.model), c.tiny) << "nx " << c.nx << " my " << c.my;
  }
}

}  // namespace
}  // namespace colsec
