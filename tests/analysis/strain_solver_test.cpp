#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "analysis/AnalysisFixtures.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "materials/Concrete1992_3171.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "profiles/Discretisation.h"

namespace colsec {
namespace {

using test::linesStartingWith;
using test::splitLines;
using test::TestSection;

constexpr double kTolerance = 0.0001;  // kN and kNm, as the run uses it

struct StrainRun {
  std::ostringstream log;
  std::string console;
};

StrainRun solve(TestSection& s) {
  StrainRun run;
  runStressAnalysis(s.model, kTolerance, run.log, s.console);
  run.console = s.console.str();
  return run;
}

bool hasNonFinite(const std::string& text) {
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// Every reported value describes the reported state: the forces are the
// section sums of that state, and each element's strain and stress are
// those of the plane at its centre.
void expectReportedStateIsConsistent(const SectionModel& model) {
  const ForceTriple f = sectionInternalForces(model.elements, model.strainState);
  EXPECT_EQ(f.nx, model.resultForces.nx);
  EXPECT_EQ(f.my, model.resultForces.my);
  EXPECT_EQ(f.mz, model.resultForces.mz);
  for (const Element& e : model.elements) {
    const double strain =
        (model.strainState.kappaY * e.posZ + model.strainState.epsX) + model.strainState.kappaZ * e.posY;
    ASSERT_EQ(e.epsX, strain) << "element at " << e.posY << "/" << e.posZ;
    ASSERT_EQ(e.sigX, e.material->stressQuery(QueryValue, strain, e.tauComb))
        << "element at " << e.posY << "/" << e.posZ;
  }
}

TEST(StrainSolverTest, ZeroForcesStopAfterOneIteration) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  s.addLayeredRectangle(concrete, 300.0, 300.0, 10);
  s.addElement(40.0, -60.0, 10.0, 10.0, steel);
  const StrainRun run = solve(s);
  EXPECT_EQ(run.console,
            "Starting Stress analysis\n"
            "Iteration 1: fResid [kN/kNm]: Nx=0 My=0 Mz=0\n"
            "Saving Element Results\n");
  EXPECT_EQ(run.log.str(), "\tepsX = 0\tkappaY = 0\tkappaZ = 0\n\tNx = 0\tMy = 0\tMz = 0\n");
  EXPECT_TRUE(s.model.axialConverged);
  EXPECT_EQ(s.model.strainState.epsX, 0.0);
  EXPECT_EQ(s.model.strainState.kappaY, 0.0);
  EXPECT_EQ(s.model.strainState.kappaZ, 0.0);
  for (const Element& e : s.model.elements) {
    EXPECT_EQ(e.epsX, 0.0);
    EXPECT_EQ(e.sigX, 0.0);
  }
}

TEST(StrainSolverTest, LinearSymmetricSectionUnderAxialForceIsExactInTheFirstIteration) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 200000.0, 500.0, -500.0, 80000.0, 300.0);
  s.addLayeredRectangle(linear, 100.0, 200.0, 20);
  s.model.designForces.nx = -1e6;
  const StrainRun run = solve(s);
  EXPECT_EQ(linesStartingWith(run.console, "Iteration ").size(), 1u) << run.console;
  EXPECT_EQ(splitLines(run.log.str()).size(), 2u);
  EXPECT_TRUE(s.model.axialConverged);
  // ε = N/(E·A) = −1e6/(2e5·2e4).
  EXPECT_DOUBLE_EQ(s.model.strainState.epsX, -2.5e-4);
  EXPECT_EQ(s.model.strainState.kappaY, 0.0);
  EXPECT_EQ(s.model.strainState.kappaZ, 0.0);
  EXPECT_LE(std::fabs(s.model.resultForces.nx + 1e6), 0.1);
  for (const Element& e : s.model.elements) EXPECT_DOUBLE_EQ(e.sigX, -50.0);
  expectReportedStateIsConsistent(s.model);
}

TEST(StrainSolverTest, LinearRectangleOfTwentyLayersUnderMyConvergesInThreeIterations) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 200000.0, 500.0, -500.0, 80000.0, 300.0);
  s.addLayeredRectangle(linear, 100.0, 200.0, 20);
  s.model.designForces.my = 1e8;  // 100 kNm
  const StrainRun run = solve(s);
  // EIy = E·b·h³/12 = 2e5·6.6667e7; the centre stresses carry only
  // (1 − 1/20²) of it, so each residual is 1/400 of the previous one:
  // 100 kNm → 0.25 → 0.000625 → 0.0000015625 kNm (1.5625 Nmm < 100 Nmm).
  EXPECT_EQ(run.console,
            "Starting Stress analysis\n"
            "Iteration 1: fResid [kN/kNm]: Nx=0 My=0.25 Mz=0\n"
            "Iteration 2: fResid [kN/kNm]: Nx=0 My=0.000625 Mz=0\n"
            "Iteration 3: fResid [kN/kNm]: Nx=0 My=1.5625e-06 Mz=0\n"
            "Saving Element Results\n");
  // κ1 = 1e8/(2e5·6.6667e7) = 7.5e-6, κ2 = κ1·(1 + 1/400), κ3 = κ1·(1 + 1/400 + 1/400²);
  // My carried: 1e8·(1 − 1/400), 1e8·(1 − 1/400²), 1e8·(1 − 1/400³).
  EXPECT_EQ(run.log.str(),
            "\tepsX = 0\tkappaY = 7.5e-06\tkappaZ = 0\n"
            "\tNx = 0\tMy = 9.975e+07\tMz = 0\n"
            "\tepsX = 0\tkappaY = 7.51875e-06\tkappaZ = 0\n"
            "\tNx = 0\tMy = 9.99994e+07\tMz = 0\n"
            "\tepsX = 0\tkappaY = 7.5188e-06\tkappaZ = 0\n"
            "\tNx = 0\tMy = 1e+08\tMz = 0\n");
  EXPECT_TRUE(s.model.axialConverged);
  EXPECT_NEAR(s.model.strainState.kappaY, 7.5e-6 * (1.0 + 1.0 / 400 + 1.0 / 160000), 1e-18);
  EXPECT_EQ(s.model.strainState.epsX, 0.0);
  EXPECT_EQ(s.model.strainState.kappaZ, 0.0);
  EXPECT_NEAR(s.model.resultForces.my, 1e8 - 1.5625, 1e-5);
  expectReportedStateIsConsistent(s.model);
  // The effective stiffnesses: E·Iy and 0.9·E·Iy, whatever the state.
  EXPECT_DOUBLE_EQ(s.model.stiffnessEff.EIy, 200000.0 * 100.0 * 8e6 / 12);
  EXPECT_DOUBLE_EQ(s.model.stiffnessEffII.EIy, 0.9 * 200000.0 * 100.0 * 8e6 / 12);
  EXPECT_DOUBLE_EQ(s.model.stiffnessEff.EAx, 200000.0 * 20000.0);
}

TEST(StrainSolverTest, LoadBeyondTheResistanceRunsToTheLimitAndIsNotConverged) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  s.addLayeredRectangle(steel, 100.0, 200.0, 20);
  s.model.designForces.nx = 5e6;  // Npl = 235·20000 = 4.7e6 N
  const StrainRun run = solve(s);
  const auto iterations = linesStartingWith(run.console, "Iteration ");
  ASSERT_EQ(iterations.size(), 1000u);
  // Fully yielded from the first step on: 5000 − 4700 = 300 kN remain.
  EXPECT_EQ(iterations.front(), "Iteration 1: fResid [kN/kNm]: Nx=300 My=0 Mz=0");
  EXPECT_EQ(iterations.back(), "Iteration 1000: fResid [kN/kNm]: Nx=300 My=0 Mz=0");
  EXPECT_EQ(splitLines(run.log.str()).size(), 2000u);
  EXPECT_FALSE(s.model.axialConverged);
  EXPECT_EQ(s.model.resultForces.nx, 4.7e6);
  // ε1 = 5e6/(E·A) = 1.25e-3 > fy/E; then 999 steps of 3e5/(E·A) = 7.5e-5
  // with the remembered elastic stiffness (the tangent is 0 from step 2).
  EXPECT_NEAR(s.model.strainState.epsX, 1.25e-3 + 999 * 7.5e-5, 1e-12);
  for (const Element& e : s.model.elements) EXPECT_EQ(e.sigX, 235.0);
  expectReportedStateIsConsistent(s.model);
}

TEST(StrainSolverTest, APlastifiedComponentKeepsTheLastNonZeroStiffness) {
  TestSection s;
  // Two grades in symmetric pairs: S1 yields at 5e-4, S2 at 2e-3.
  const auto* s1 = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 100.0, 80000.0);
  const auto* s2 = s.addMaterial<Steel1993_543>(2, 10, 200000.0, 400.0, 80000.0);
  s.addElement(0.0, -15.0, 100.0, 10.0, s1);
  s.addElement(0.0, -5.0, 100.0, 10.0, s2);
  s.addElement(0.0, 5.0, 100.0, 10.0, s2);
  s.addElement(0.0, 15.0, 100.0, 10.0, s1);
  s.model.designForces.nx = 1.2e6;  // beyond 100·2000 + 400·2000 = 1e6
  const StrainRun run = solve(s);
  const auto log = splitLines(run.log.str());
  ASSERT_EQ(log.size(), 2000u);
  // 1: EA = 2e5·4000 = 8e8, ε = 1.2e6/8e8 = 0.0015: S1 yields, S2 at 300.
  EXPECT_EQ(log[0], "\tepsX = 0.0015\tkappaY = 0\tkappaZ = 0");
  EXPECT_EQ(log[1], "\tNx = 800000\tMy = 0\tMz = 0");
  // 2: only S2 stiff, EA = 4e8: ε = 0.0015 + 4e5/4e8 = 0.0025, all yield.
  EXPECT_EQ(log[2], "\tepsX = 0.0025\tkappaY = 0\tkappaZ = 0");
  EXPECT_EQ(log[3], "\tNx = 1e+06\tMy = 0\tMz = 0");
  // 3: the tangent is 0; the last non-zero 4e8 (not the first 8e8) is used:
  // ε = 0.0025 + 2e5/4e8 = 0.003.
  EXPECT_EQ(log[4], "\tepsX = 0.003\tkappaY = 0\tkappaZ = 0");
  EXPECT_EQ(log[6], "\tepsX = 0.0035\tkappaY = 0\tkappaZ = 0");
  EXPECT_FALSE(s.model.axialConverged);
  EXPECT_NEAR(s.model.strainState.epsX, 0.0025 + 998 * 5e-4, 1e-10);
  EXPECT_EQ(s.model.resultForces.nx, 1e6);
}

TEST(StrainSolverTest, ShearReducedStrengthLimitsTheCarriedForce) {
  TestSection s;
  // fyd = 80·√3 (single-precision √3) has the shear limit 80; tauComb = 60
  // reduces the strength to 0.75·fyd = 103.923 N/mm².
  const double fyd = 80.0 * 1.7320507764816284;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, fyd, 80000.0);
  s.addLayeredRectangle(steel, 100.0, 200.0, 20);
  for (Element& e : s.model.elements) e.tauY = 60.0;
  updateElementResistances(s.model.elements);
  s.model.designForces.nx = -2.5e6;  // beyond 103.923·20000 = 2.078e6 N, below fyd·A
  solve(s);
  EXPECT_FALSE(s.model.axialConverged);
  EXPECT_DOUBLE_EQ(s.model.resultForces.nx, -0.75 * fyd * 20000.0);
  for (const Element& e : s.model.elements) EXPECT_DOUBLE_EQ(e.sigX, -0.75 * fyd);
  expectReportedStateIsConsistent(s.model);
}

struct NoStiffnessCase {
  const char* name;
  double nx, my, mz;
  bool converged;
};

TEST(StrainSolverTest, SectionWithoutElementsNeverDividesByZero) {
  // Residuals exactly at 0.1 N and 100 Nmm pass; anything above does not.
  const NoStiffnessCase cases[] = {
      {"zero forces", 0.0, 0.0, 0.0, true},
      {"residuals exactly at the tolerances", 0.1, 100.0, -100.0, true},
      {"nx just above 0.1 N", 0.1000001, 0.0, 0.0, false},
      {"my just above 100 Nmm", 0.0, 100.0001, 0.0, false},
      {"mz just below -100 Nmm", 0.0, 0.0, -100.0001, false},
      {"large load", -1e6, 5e7, 0.0, false},
  };
  for (const NoStiffnessCase& c : cases) {
    TestSection s;
    s.model.designForces.nx = c.nx;
    s.model.designForces.my = c.my;
    s.model.designForces.mz = c.mz;
    const StrainRun run = solve(s);
    EXPECT_EQ(s.model.axialConverged, c.converged) << c.name;
    EXPECT_EQ(linesStartingWith(run.console, "Iteration ").size(), c.converged ? 1u : 1000u) << c.name;
    EXPECT_EQ(s.model.strainState.epsX, 0.0) << c.name;
    EXPECT_EQ(s.model.strainState.kappaY, 0.0) << c.name;
    EXPECT_EQ(s.model.strainState.kappaZ, 0.0) << c.name;
    EXPECT_EQ(s.model.resultForces.nx, 0.0) << c.name;
    EXPECT_FALSE(hasNonFinite(run.console)) << c.name;
    EXPECT_FALSE(hasNonFinite(run.log.str())) << c.name;
  }
}

TEST(StrainSolverTest, ZeroInitialStiffnessLeavesTheStateAndIsNotConverged) {
  TestSection s;
  // E = 0: every tangent and every stress is 0.
  const auto* soft = s.addMaterial<LinearMaterial>(1, 1, 0.0, 500.0, -500.0, 0.0, 300.0);
  s.addLayeredRectangle(soft, 100.0, 200.0, 4);
  s.model.designForces.nx = 1000.0;
  s.model.designForces.my = 2e6;
  const StrainRun run = solve(s);
  EXPECT_FALSE(s.model.axialConverged);
  EXPECT_EQ(linesStartingWith(run.console, "Iteration ").size(), 1000u);
  EXPECT_EQ(linesStartingWith(run.console, "Iteration ").back(), "Iteration 1000: fResid [kN/kNm]: Nx=1 My=2 Mz=0");
  EXPECT_EQ(s.model.strainState.epsX, 0.0);
  EXPECT_EQ(s.model.strainState.kappaY, 0.0);
  EXPECT_EQ(s.model.strainState.kappaZ, 0.0);
  EXPECT_FALSE(hasNonFinite(run.console));
  EXPECT_FALSE(hasNonFinite(run.log.str()));
  for (const Element& e : s.model.elements) {
    EXPECT_EQ(e.epsX, 0.0);
    EXPECT_EQ(e.sigX, 0.0);
  }

  // The same section with forces within the tolerance converges at once.
  TestSection t;
  const auto* soft2 = t.addMaterial<LinearMaterial>(1, 1, 0.0, 500.0, -500.0, 0.0, 300.0);
  t.addLayeredRectangle(soft2, 100.0, 200.0, 4);
  t.model.designForces.nx = 0.05;
  const StrainRun within = solve(t);
  EXPECT_TRUE(t.model.axialConverged);
  EXPECT_EQ(linesStartingWith(within.console, "Iteration ").size(), 1u);
}

TEST(StrainSolverTest, CompositeSectionUnderBiaxialBendingMeetsItsPostConditions) {
  TestSection s;
  s.addMaterial<Steel1993_543>(1, 10, 210000.0, 235.0, 81000.0);
  s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  s.model.addRectProfile(1, 2, 300.0, 300.0, 0.0, 0.0, false);
  s.model.addHebProfile(2, 1, 200.0, 200.0, 9.0, 15.0, 18.0, false);
  s.addMaterial<Steel1992_327b>(3, 20, 200000.0, 435.0);
  s.model.addCircProfile(3, 3, 110.0, 110.0, 20.0, 0.0, false);
  s.model.addCircProfile(4, 3, -110.0, -110.0, 20.0, 0.0, false);
  s.model.settings.feSize = 10.0;
  discretise(s.model);
  ASSERT_GT(s.model.elements.size(), 500u);
  updateElementResistances(s.model.elements);
  s.model.designForces.nx = -2e6;
  s.model.designForces.my = 8e7;
  s.model.designForces.mz = -3e7;
  const StrainRun run = solve(s);
  ASSERT_TRUE(s.model.axialConverged) << run.console;
  EXPECT_LE(std::fabs(s.model.resultForces.nx - s.model.designForces.nx), 0.1);
  EXPECT_LE(std::fabs(s.model.resultForces.my - s.model.designForces.my), 100.0);
  EXPECT_LE(std::fabs(s.model.resultForces.mz - s.model.designForces.mz), 100.0);
  expectReportedStateIsConsistent(s.model);
  // Compression with positive My and negative Mz: kappaY > 0, kappaZ < 0.
  EXPECT_LT(s.model.strainState.epsX, 0.0);
  EXPECT_GT(s.model.strainState.kappaY, 0.0);
  EXPECT_LT(s.model.strainState.kappaZ, 0.0);
  // One log line pair per console iteration line.
  EXPECT_EQ(splitLines(run.log.str()).size(), 2 * linesStartingWith(run.console, "Iteration ").size());
}

}  // namespace
}  // namespace colsec
