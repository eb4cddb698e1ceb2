#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/AnalysisFixtures.h"
#include "analysis/Solvers.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"

namespace colsec {
namespace {

using test::linesStartingWith;
using test::TestSection;

constexpr double kTolerance = 0.0001;
constexpr double kSqrt3Single = 1.7320507764816284;

std::string shear(TestSection& s) {
  runShearAnalysis(s.model, kTolerance, s.console);
  return s.console.str();
}

TEST(ShearSolverTest, NoShearForcesStopAfterOneIteration) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 210000.0, 235.0, 81000.0);
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  s.addLayeredRectangle(steel, 100.0, 40.0, 4);
  s.addElement(0.0, 50.0, 100.0, 20.0, concrete);
  const std::string console = shear(s);
  EXPECT_EQ(console,
            "Calculating Shear Stresses\n"
            "Iteration 1: fResid [kN]: Qy=0 Qz=0\n"
            "Saving Element Results\n");
  EXPECT_TRUE(s.model.shearConverged);
  EXPECT_EQ(s.model.resultForces.qy, 0.0);
  EXPECT_EQ(s.model.resultForces.qz, 0.0);
  for (const Element& e : s.model.elements) {
    EXPECT_EQ(e.tauY, 0.0);
    EXPECT_EQ(e.tauZ, 0.0);
  }
}

TEST(ShearSolverTest, ElasticSectionIsExactInOneIterationAndQzLeavesTauYZero) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 210000.0, 235.0, 80000.0);
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  // Two webs carrying Qz (factor 1), two flanges that do not (factor 0),
  // and a concrete core with factors 1 that carries nothing.
  s.addElement(-45.0, 0.0, 10.0, 100.0, steel, 0.0, 1.0);
  s.addElement(45.0, 0.0, 10.0, 100.0, steel, 0.0, 1.0);
  s.addElement(0.0, -45.0, 80.0, 10.0, steel, 1.0, 0.0);
  s.addElement(0.0, 45.0, 80.0, 10.0, steel, 1.0, 0.0);
  s.addElement(0.0, 0.0, 80.0, 80.0, concrete, 1.0, 1.0);
  s.model.designForces.qz = 1e5;
  const std::string console = shear(s);
  // Webs: A = 2·1000, τ = 1e5/2000 = 50 < τlim = 135.68 → elastic.
  EXPECT_EQ(linesStartingWith(console, "Iteration ").size(), 1u) << console;
  EXPECT_TRUE(s.model.shearConverged);
  EXPECT_EQ(s.model.resultForces.qy, 0.0);
  EXPECT_NEAR(s.model.resultForces.qz, 1e5, 0.1);
  const double expectedTauZ[] = {50.0, 50.0, 0.0, 0.0, 0.0};
  for (std::size_t i = 0; i < s.model.elements.size(); ++i) {
    EXPECT_EQ(s.model.elements[i].tauY, 0.0) << "element " << i;
    EXPECT_NEAR(s.model.elements[i].tauZ, expectedTauZ[i], 1e-12) << "element " << i;
  }
}

TEST(ShearSolverTest, ShearIsSharedInProportionToTheShearFactors) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 210000.0, 235.0, 80000.0);
  // A tube element (factor 2/π) beside a solid one (factor 1), same area:
  // Qy = γ·G·A·(1 + 2/π) → τ = Qy/(A·(1 + 2/π)) and (2/π) times that.
  const double tube = 2.0 / 3.141592653589793;
  s.addElement(0.0, 0.0, 10.0, 10.0, steel, 1.0, 1.0);
  s.addElement(20.0, 0.0, 10.0, 10.0, steel, tube, tube);
  s.model.designForces.qy = -5000.0;
  shear(s);
  EXPECT_TRUE(s.model.shearConverged);
  const double tau = -5000.0 / (100.0 * (1.0 + tube));
  EXPECT_NEAR(s.model.elements[0].tauY, tau, 1e-10);
  EXPECT_NEAR(s.model.elements[1].tauY, tube * tau, 1e-10);
  EXPECT_EQ(s.model.elements[0].tauZ, 0.0);
  EXPECT_NEAR(s.model.resultForces.qy, -5000.0, 0.1);
}

TEST(ShearSolverTest, TwoSteelGradesBetweenFirstYieldAndStrengthConverge) {
  TestSection s;
  const double G = 81000.0;
  const auto* weak = s.addMaterial<Steel1993_543>(1, 10, 210000.0, 235.0, G);
  const auto* strong = s.addMaterial<Steel1993_543>(2, 10, 210000.0, 355.0, G);
  s.addElement(0.0, -5.0, 100.0, 10.0, weak);
  s.addElement(0.0, 5.0, 100.0, 10.0, strong);
  const double tauWeak = 235.0 / kSqrt3Single;    // 135.677
  const double tauStrong = 355.0 / kSqrt3Single;  // 204.959
  // First yield at 2·1000·135.677 = 271355 N, strength 1000·(135.677 + 204.959) = 340637 N.
  s.model.designForces.qz = 3e5;
  const std::string console = shear(s);
  // 1: γ = 3e5/(G·2000) = 1.852e-3 passes the weak grade's 1.675e-3;
  //    carried 135677 + 150000, residual 14322.7 N.
  // 2: only the strong grade is stiff: γ += 14322.7/(G·1000) = 2.029e-3,
  //    still below its 2.530e-3; carried 3e5.
  const auto lines = linesStartingWith(console, "Iteration ");
  ASSERT_EQ(lines.size(), 2u) << console;
  EXPECT_EQ(lines[0], "Iteration 1: fResid [kN]: Qy=0 Qz=14.3227");
  EXPECT_TRUE(s.model.shearConverged);
  EXPECT_NEAR(s.model.resultForces.qz, 3e5, 0.1);
  EXPECT_DOUBLE_EQ(s.model.elements[0].tauZ, tauWeak);
  EXPECT_NEAR(s.model.elements[1].tauZ, 300.0 - tauWeak, 1e-9);
  EXPECT_LT(s.model.elements[1].tauZ, tauStrong);
}

TEST(ShearSolverTest, ShearBeyondTheStrengthRunsToTheLimitAtTheStrength) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 210000.0, 235.0, 81000.0);
  s.addElement(0.0, 0.0, 10.0, 10.0, steel);
  s.model.designForces.qz = 20000.0;  // strength 100·135.677 = 13568 N
  const std::string console = shear(s);
  EXPECT_EQ(linesStartingWith(console, "Iteration ").size(), 100u);
  EXPECT_FALSE(s.model.shearConverged);
  EXPECT_DOUBLE_EQ(s.model.elements[0].tauZ, 235.0 / kSqrt3Single);
  EXPECT_DOUBLE_EQ(s.model.resultForces.qz, 100 * 235.0 / kSqrt3Single);
}

struct NoCarrierCase {
  const char* name;
  double qy, qz;
  bool converged;
};

TEST(ShearSolverTest, SectionWithoutShearCarryingElements) {
  // Concrete and reinforcing steel carry no shear: the strains stay 0,
  // nothing is carried, and only a residual within 0.1 N converges.
  const NoCarrierCase cases[] = {
      {"no shear", 0.0, 0.0, true},
      {"exactly at the tolerance", 0.1, -0.1, true},
      {"qy just above the tolerance", 0.1000001, 0.0, false},
      {"qz of 1 kN", 0.0, 1000.0, false},
  };
  for (const NoCarrierCase& c : cases) {
    TestSection s;
    const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
    const auto* rebar = s.addMaterial<Steel1992_327b>(3, 5, 200000.0, 435.0);
    s.addLayeredRectangle(concrete, 100.0, 100.0, 5);
    s.addElement(30.0, 30.0, 5.0, 5.0, rebar);
    s.model.designForces.qy = c.qy;
    s.model.designForces.qz = c.qz;
    const std::string console = shear(s);
    const auto lines = linesStartingWith(console, "Iteration ");
    EXPECT_EQ(s.model.shearConverged, c.converged) << c.name;
    ASSERT_EQ(lines.size(), c.converged ? 1u : 100u) << c.name;
    EXPECT_EQ(s.model.resultForces.qy, 0.0) << c.name;
    EXPECT_EQ(s.model.resultForces.qz, 0.0) << c.name;
    for (const Element& e : s.model.elements) {
      EXPECT_EQ(e.tauY, 0.0) << c.name;
      EXPECT_EQ(e.tauZ, 0.0) << c.name;
    }
    if (std::string(c.name) == "qz of 1 kN") {
      EXPECT_EQ(lines.back(), "Iteration 100: fResid [kN]: Qy=0 Qz=1");
    }
  }
}

}  // namespace
}  // namespace colsec
