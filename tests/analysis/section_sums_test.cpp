#include <gtest/gtest.h>

#include <cmath>

#include "analysis/AnalysisFixtures.h"
#include "analysis/SectionSums.h"
#include "materials/Concrete1992_3171.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1993_543.h"

namespace colsec {
namespace {

using test::TestSection;

constexpr double kSqrt3Single = 1.7320507764816284;

struct ClampCase {
  double value;
  double expected;
};

// Values just below and at the 0.0001 threshold of the two force sums.
const ClampCase kClampCases[] = {
    {0.00009, 0.0}, {-0.00009, 0.0}, {0.0001, 0.0001}, {-0.0001, -0.0001}, {0.00011, 0.00011}, {0.0, 0.0},
};

TEST(SectionSumsTest, InternalForcesBelowTheThresholdBecomeExactlyZero) {
  for (const ClampCase& c : kClampCases) {
    TestSection s;
    // E = 1 and a unit element at (1, 1): N = My = Mz = strain.
    const auto* unit = s.addMaterial<LinearMaterial>(1, 1, 1.0, 1.0, -1.0, 1.0, 1.0);
    s.addElement(1.0, 1.0, 1.0, 1.0, unit);
    const ForceTriple f = sectionInternalForces(s.model.elements, StrainState{c.value, 0.0, 0.0});
    EXPECT_EQ(f.nx, c.expected) << "strain " << c.value;
    EXPECT_EQ(f.my, c.expected) << "strain " << c.value;
    EXPECT_EQ(f.mz, c.expected) << "strain " << c.value;
  }
}

TEST(SectionSumsTest, ShearForcesBelowTheThresholdBecomeExactlyZero) {
  for (const ClampCase& c : kClampCases) {
    TestSection s;
    // G = 1 and a unit element with both shear factors 1: Q = gamma.
    const auto* unit = s.addMaterial<LinearMaterial>(1, 1, 1.0, 1.0, -1.0, 1.0, 1.0);
    s.addElement(1.0, 1.0, 1.0, 1.0, unit);
    const ShearPair y = sectionShearForces(s.model.elements, c.value, 0.0);
    const ShearPair z = sectionShearForces(s.model.elements, 0.0, c.value);
    EXPECT_EQ(y.y, c.expected) << "gamma " << c.value;
    EXPECT_EQ(y.z, 0.0) << "gamma " << c.value;
    EXPECT_EQ(z.z, c.expected) << "gamma " << c.value;
  }
}

TEST(SectionSumsTest, TheClampAppliesToTheSumNotToEachElement) {
  TestSection s;
  const auto* unit = s.addMaterial<LinearMaterial>(1, 1, 1.0, 1.0, -1.0, 1.0, 1.0);
  // Two elements of 0.00006 each: each is below the threshold, the sum is not.
  s.addElement(0.0, 0.0, 1.0, 1.0, unit);
  s.addElement(0.0, 0.0, 1.0, 1.0, unit);
  EXPECT_DOUBLE_EQ(sectionInternalForces(s.model.elements, StrainState{0.00006, 0.0, 0.0}).nx, 0.00012);
  EXPECT_DOUBLE_EQ(sectionShearForces(s.model.elements, 0.00006, 0.0).y, 0.00012);
}

TEST(SectionSumsTest, EmptySectionGivesZeros) {
  const std::vector<Element> none;
  const StrainState state{1e-3, 1e-5, -1e-5};
  const SectionStiffness t = sectionTangentStiffness(none, state);
  const ForceTriple f = sectionInternalForces(none, state);
  const SectionStiffness e = sectionEffectiveStiffness(none);
  const SectionStiffness e2 = sectionEffectiveStiffnessII(none);
  const ShearPair k = sectionShearStiffness(none, 1e-3, 1e-3);
  const ShearPair q = sectionShearForces(none, 1e-3, 1e-3);
  const ShearPair p = sectionPlasticShear(none);
  const ForceTriple pl = sectionPlastic(none, NeutralAxisLine{0.0, 0.0, 1.0, 0.0, 0.0});
  for (double v : {t.EAx,  t.EIy, t.EIz, f.nx, f.my, f.mz, e.EAx, e.EIy, e.EIz, e2.EAx, e2.EIy,
                   e2.EIz, k.y,   k.z,   q.y,  q.z,  p.y,  p.z,   pl.nx, pl.my, pl.mz}) {
    EXPECT_EQ(v, 0.0);
  }
}

TEST(SectionSumsTest, LayeredRectangleStiffnessesMatchTheClosedForms) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 200000.0, 500.0, -500.0, 80000.0, 300.0);
  s.addLayeredRectangle(linear, 100.0, 200.0, 20);
  // A = 20000, Iy = 100·200³/12, Iz = 200·100³/12 (the layer centres are
  // integers, so the single-precision squares are exact).
  const SectionStiffness t = sectionTangentStiffness(s.model.elements, StrainState{});
  EXPECT_DOUBLE_EQ(t.EAx, 200000.0 * 20000.0);
  EXPECT_DOUBLE_EQ(t.EIy, 200000.0 * 100.0 * 8e6 / 12.0);
  EXPECT_DOUBLE_EQ(t.EIz, 200000.0 * 200.0 * 1e6 / 12.0);
  const SectionStiffness eff = sectionEffectiveStiffness(s.model.elements);
  const SectionStiffness effII = sectionEffectiveStiffnessII(s.model.elements);
  EXPECT_DOUBLE_EQ(eff.EIy, t.EIy);
  EXPECT_DOUBLE_EQ(effII.EIy, 0.9 * t.EIy);
  EXPECT_DOUBLE_EQ(effII.EIz, 0.9 * t.EIz);
  const ShearPair k = sectionShearStiffness(s.model.elements, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(k.y, 80000.0 * 20000.0);
  EXPECT_DOUBLE_EQ(k.z, 80000.0 * 20000.0);
}

TEST(SectionSumsTest, ConcreteEffectiveStiffnessesUseTheReducedModuli) {
  TestSection s;
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  s.addLayeredRectangle(concrete, 100.0, 200.0, 20);
  const SectionStiffness eff = sectionEffectiveStiffness(s.model.elements);
  const SectionStiffness effII = sectionEffectiveStiffnessII(s.model.elements);
  EXPECT_DOUBLE_EQ(eff.EAx, 0.6 * 30000.0 * 20000.0);
  EXPECT_DOUBLE_EQ(eff.EIy, 0.6 * 30000.0 * 100.0 * 8e6 / 12.0);
  EXPECT_DOUBLE_EQ(effII.EIz, 0.45 * 30000.0 * 200.0 * 1e6 / 12.0);
}

TEST(SectionSumsTest, InternalMomentUsesTheElementCentresOnly) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 200000.0, 500.0, -500.0, 80000.0, 300.0);
  s.addLayeredRectangle(linear, 100.0, 200.0, 20);
  // Under a curvature the centre stresses give My = E·κ·Σ A z², which is
  // the full b h³/12 less the layers' own 20·b·10³/12, i.e. (1 − 1/20²)
  // of E·κ·Iy; no axial force and no Mz by symmetry.
  const double kappa = 1e-6;
  const ForceTriple f = sectionInternalForces(s.model.elements, StrainState{0.0, kappa, 0.0});
  EXPECT_EQ(f.nx, 0.0);
  EXPECT_EQ(f.mz, 0.0);
  EXPECT_NEAR(f.my, 200000.0 * kappa * 100.0 * 8e6 / 12.0 * (1.0 - 1.0 / 400.0), 1e-6);
  // A uniform strain gives N = E·ε·A and no moments.
  const ForceTriple n = sectionInternalForces(s.model.elements, StrainState{-5e-4, 0.0, 0.0});
  EXPECT_NEAR(n.nx, -100.0 * 20000.0, 1e-6);
  EXPECT_EQ(n.my, 0.0);
  EXPECT_EQ(n.mz, 0.0);
  // A curvature about z on the one column gives no Mz: every centre is at y = 0.
  EXPECT_EQ(sectionInternalForces(s.model.elements, StrainState{0.0, 0.0, 1e-5}).mz, 0.0);
}

TEST(SectionSumsTest, PlasticSumAboutTheCentroidalAxisIsThePlasticMoment) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  s.addLayeredRectangle(steel, 100.0, 200.0, 20);
  updateElementResistances(s.model.elements);
  // Along +y through the origin the upper half is in tension: N = 0 and
  // My = fy·b·h²/4 = 235·100·200²/4 = 2.35e8 Nmm.
  const ForceTriple up = sectionPlastic(s.model.elements, NeutralAxisLine{0.0, 0.0, 1.0, 0.0, 0.0});
  EXPECT_EQ(up.nx, 0.0);
  EXPECT_DOUBLE_EQ(up.my, 2.35e8);
  EXPECT_EQ(up.mz, 0.0);
  // The reversed direction swaps the sides.
  const ForceTriple down = sectionPlastic(s.model.elements, NeutralAxisLine{0.0, 0.0, -1.0, 0.0, 0.0});
  EXPECT_DOUBLE_EQ(down.my, -2.35e8);
  // An axis below the section leaves all of it in tension: N = fy·A.
  const ForceTriple all = sectionPlastic(s.model.elements, NeutralAxisLine{0.0, -200.0, 1.0, 0.0, 0.0});
  EXPECT_DOUBLE_EQ(all.nx, 235.0 * 20000.0);
  // An axis through the centre of the layer at z = -5: that layer is on the
  // tension side (d = 0), so 11 layers pull and 9 push: N = 2·235·1000.
  const ForceTriple on = sectionPlastic(s.model.elements, NeutralAxisLine{0.0, -5.0, 1.0, 0.0, 0.0});
  EXPECT_DOUBLE_EQ(on.nx, 470000.0);
  // Moved up by 1 mm the same layer is pushed: 10 against 10.
  const ForceTriple above = sectionPlastic(s.model.elements, NeutralAxisLine{0.0, -4.0, 1.0, 0.0, 0.0});
  EXPECT_EQ(above.nx, 0.0);
  // Plastic shear: τlim·A in both directions with shear factors 1.
  const ShearPair p = sectionPlasticShear(s.model.elements);
  EXPECT_DOUBLE_EQ(p.y, 235.0 / kSqrt3Single * 20000.0);
  EXPECT_DOUBLE_EQ(p.z, 235.0 / kSqrt3Single * 20000.0);
}

}  // namespace
}  // namespace colsec
