// The limits of the simplified method's bending checks in the moment
// plane, with the signs of the design moments, against closed forms.

#include <gtest/gtest.h>

#include <string>

#include "support/InMemoryRun.h"

namespace colsec::test {
namespace {

// Steel rectangle B = 100 (y) × H = 200 (z), fyd = 355 (αM = 0.9), an even
// number of cells both ways and the middle offset on the centre line: at
// NEd = 0, μd = 1 and Mpl,y,Rd = fyd·B·H²/4 = 355e6 Nmm, Mpl,z,Rd =
// fyd·H·B²/4 = 177.5e6 Nmm, each with the sign of its design moment.
std::string rectangleInput(double my, double mz) { return test::steelRectangleInput(my, mz); }

TEST(BendingLimits, MuTimesMplAndAlphaMWithTheSignsOfTheDesignMoments) {
  struct Case {
    double my, mz;
    double ry, rz;  // μd·Mpl,Rd
  } cases[] = {
      {100e6, 50e6, 355e6, 177.5e6},
      {-100e6, 50e6, -355e6, 177.5e6},
      {-100e6, -50e6, -355e6, -177.5e6},
      {100e6, -50e6, 355e6, -177.5e6},
  };
  for (const Case& c : cases) {
    const auto run = analyseText(rectangleInput(c.my, c.mz));
    const BendingLimits& b = run->model.designCheck.bending;
    ASSERT_TRUE(b.computed) << c.my << ", " << c.mz;
    EXPECT_NEAR(b.myResistance, c.ry, 1e-9 * 355e6) << "My = " << c.my << ", Mz = " << c.mz;
    EXPECT_NEAR(b.mzResistance, c.rz, 1e-9 * 355e6) << "My = " << c.my << ", Mz = " << c.mz;
    EXPECT_EQ(b.alphaM, 0.9);
    EXPECT_NEAR(b.myLimit, 0.9 * c.ry, 1e-9 * 355e6) << "My = " << c.my;
    EXPECT_NEAR(b.mzLimit, 0.9 * c.rz, 1e-9 * 355e6) << "Mz = " << c.mz;
  }
}

TEST(BendingLimits, NoneWithoutTheSimplifiedMethod) {
  const auto run = analyseText(
      "#MATERIAL LINEAR NR 1 PRIO 1 PAR 210000 355 -355 81000 200\n"
      "#PROFILE RECT NR 1 MAT 1 DIM 200 100 0 0 0\n"
      "#FORCEED FED 0 1e6 0 0 0\n"
      "#SETTINGS SET 13 0 0 19 101\n");
  EXPECT_FALSE(run->model.designCheck.bending.computed);
}

}  // namespace
}  // namespace colsec::test
