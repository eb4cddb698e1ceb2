#include "analysis/Element.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/AnalysisFixtures.h"
#include "materials/Concrete1992_3171.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1993_543.h"

namespace colsec {
namespace {

using test::TestSection;

// √3 held in single precision, the divisor of the steel's shear limit.
constexpr double kSqrt3Single = 1.7320507764816284;

TEST(ElementTest, ConstructionTakesGeometryAndOwnerAndClearsResults) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  const Element e(145.0, -5.0, 10.0, 4.0, CellOwner{7, steel, 0.0, 0.6366197723675814}, 7);
  EXPECT_EQ(e.profileNumber, 7);
  EXPECT_EQ(e.material, steel);
  EXPECT_EQ(e.posY, 145.0);
  EXPECT_EQ(e.posZ, -5.0);
  EXPECT_EQ(e.dimY, 10.0);
  EXPECT_EQ(e.dimZ, 4.0);
  EXPECT_EQ(e.shearFactorY, 0.0);
  EXPECT_EQ(e.shearFactorZ, 0.6366197723675814);
  EXPECT_EQ(e.area, 40.0);
  // 25·40 + 10·4³/12 and 145²·40 + 4·10³/12, exact in both precisions.
  EXPECT_DOUBLE_EQ(e.inertiaY, 1000.0 + 640.0 / 12.0);
  EXPECT_DOUBLE_EQ(e.inertiaZ, 841000.0 + 4000.0 / 12.0);
  EXPECT_EQ(e.sigX, 0.0);
  EXPECT_EQ(e.tauY, 0.0);
  EXPECT_EQ(e.tauZ, 0.0);
  EXPECT_EQ(e.epsX, 0.0);
  EXPECT_EQ(e.tauComb, 0.0);
  EXPECT_FALSE(e.stressExceeded);
  EXPECT_FALSE(e.strainExceeded);
  for (const ForceTriple* t : {&e.plasticUpper, &e.plasticLower, &e.plasticZero}) {
    EXPECT_EQ(t->nx, 0.0);
    EXPECT_EQ(t->my, 0.0);
    EXPECT_EQ(t->mz, 0.0);
  }
}

TEST(ElementTest, InertiasUseTheSinglePrecisionSquareOfTheCoordinate) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 1000.0, 10.0, -10.0, 400.0, 5.0);
  const Element e(12.3, -45.7, 4.1, 2.3, CellOwner{1, linear, 1.0, 1.0}, 1);
  // float(-45.7)² rounded to float is 2088.489990234375 (the double square
  // is 2088.4900000000002); float(12.3)² rounded is 151.29000854492188.
  // inertiaY = 2088.489990234375·(4.1·2.3) + 4.1·2.3³/12,
  // inertiaZ = 151.29000854492188·(4.1·2.3) + 2.3·4.1³/12.
  EXPECT_EQ(e.area, 4.1 * 2.3);
  EXPECT_EQ(e.inertiaY, 0x1.33ca787d7fee7p+14);  // 19698.617666243485
  EXPECT_EQ(e.inertiaZ, 0x1.67f7fa157ca79p+10);  // 1439.8746389119462
  // With the square in double the values would be 19698.617758333334 and
  // 1439.8745583333332: the single-precision square must show.
  EXPECT_GT(std::fabs(e.inertiaY - 19698.617758333334), 1e-5);
  EXPECT_GT(std::fabs(e.inertiaZ - 1439.8745583333332), 1e-5);
}

TEST(ElementTest, OwnSecondMomentsUseThePowerCubeOfTheWidth) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 1000.0, 10.0, -10.0, 400.0, 5.0);
  // Centred on the origin: only the element's own second moments remain.
  const Element e(0.0, 0.0, 4.1, 2.3, CellOwner{1, linear, 1.0, 1.0}, 1);
  // 4.1·2.3³/12 with 2.3³ = 12.166999999999998 (correctly rounded cube);
  // the product 2.3·2.3·2.3 = 12.166999999999996 would give 4.157058333333332.
  EXPECT_EQ(e.inertiaY, 0x1.0a0d3e654ec79p+2);  // 4.157058333333333
  // 2.3·4.1³/12 with 4.1³ = 68.92099999999998; the product 4.1·4.1·4.1
  // would give 13.209858333333331.
  EXPECT_EQ(e.inertiaZ, 0x1.a6b728d2ceb5fp+3);  // 13.209858333333328
}

struct TauCase {
  double tauY;
  double tauZ;
  double expected;
};

TEST(ElementTest, CombinedShearStressRoundsTauYAndTheSumToSinglePrecision) {
  // tauY rounded to float and squared in float; tauZ² in double added to
  // it; the sum rounded to float; the root taken in double. The last three
  // cases give a different result under every other reading (all double,
  // tauZ² in float, root in float, tauY² formed in double, sum unrounded).
  const TauCase cases[] = {
      {0.0, 0.0, 0.0},
      {3.0, 4.0, 5.0},
      {-3.0, -4.0, 5.0},
      {0.0, 10.0, 10.0},
      {2.9, 10.6, 0x1.5faa51354230ap+3},    // 10.989540676136603
      {10.6, 2.9, 0x1.5faa51ef9e190p+3},    // 10.989541023257317
      {100.1, 50.3, 0x1.c01be16b0cd64p+6},  // 112.02722708955622
  };
  for (const TauCase& c : cases) {
    EXPECT_EQ(combinedShearStress(c.tauY, c.tauZ), c.expected) << "tauY=" << c.tauY << " tauZ=" << c.tauZ;
  }
}

TEST(ElementTest, UpdateResistanceStoresTauCombAndShearReducedPlasticTriples) {
  TestSection s;
  // fyd = 80·√3 (single-precision √3) makes the shear limit exactly 80.
  const double fyd = 80.0 * kSqrt3Single;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, fyd, 80000.0);
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  Element& st = s.addElement(15.0, -5.0, 10.0, 10.0, steel);
  Element& co = s.addElement(-25.0, 35.0, 10.0, 10.0, concrete);
  st.tauY = 60.0;
  co.tauY = 2.9;
  co.tauZ = 10.6;
  st.updateResistance();
  co.updateResistance();

  // tauComb 60 = 0.75·80: q = 2·60/80 − 1 = 0.5, ρ = 0.25, f = 0.75·fyd.
  EXPECT_EQ(st.tauComb, 60.0);
  const double f = 0.75 * fyd;  // 103.923...
  EXPECT_DOUBLE_EQ(st.plasticUpper.nx, f * 100);
  EXPECT_DOUBLE_EQ(st.plasticUpper.my, f * 100 * -5.0);
  EXPECT_DOUBLE_EQ(st.plasticUpper.mz, f * 100 * 15.0);
  EXPECT_DOUBLE_EQ(st.plasticLower.nx, -f * 100);
  EXPECT_DOUBLE_EQ(st.plasticLower.my, -f * 100 * -5.0);
  EXPECT_DOUBLE_EQ(st.plasticLower.mz, -f * 100 * 15.0);

  // Concrete: no tensile strength; 0.85·(−20)·100 = −1700 N in compression.
  EXPECT_EQ(co.tauComb, 0x1.5faa51354230ap+3);  // the single-precision reading, 10.989540676136603
  EXPECT_EQ(co.plasticUpper.nx, 0.0);
  EXPECT_EQ(co.plasticUpper.my, 0.0);
  EXPECT_EQ(co.plasticUpper.mz, 0.0);
  EXPECT_DOUBLE_EQ(co.plasticLower.nx, -1700.0);
  EXPECT_DOUBLE_EQ(co.plasticLower.my, -1700.0 * 35.0);
  EXPECT_DOUBLE_EQ(co.plasticLower.mz, -1700.0 * -25.0);
  for (const Element* e : {&st, &co}) {
    EXPECT_EQ(e->plasticZero.nx, 0.0);
    EXPECT_EQ(e->plasticZero.my, 0.0);
    EXPECT_EQ(e->plasticZero.mz, 0.0);
  }
}

enum class Side { Upper, Lower, Zero };

struct LineCase {
  const char* name;
  NeutralAxisLine line;
  Side expected;
};

TEST(ElementTest, PlasticForPicksTheTripleBySideOfTheNeutralAxis) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  Element& e = s.addElement(15.0, -5.0, 10.0, 10.0, steel);
  e.updateResistance();
  // d = (15 − pointY)·dirZ − (−5 − pointZ)·dirY; d > 0 compression (lower),
  // d ≤ 0 tension (upper), tolerance > |d| on the line (zero).
  const LineCase cases[] = {
      {"through the centre along +y, d = 0", {0.0, -5.0, 1.0, 0.0, 0.0}, Side::Upper},
      {"through the centre along -z, d = 0", {15.0, 0.0, 0.0, -1.0, 0.0}, Side::Upper},
      {"axis z = 0 along +y, element below, d = 5", {0.0, 0.0, 1.0, 0.0, 0.0}, Side::Lower},
      {"axis z = 0 along -y, d = -5", {0.0, 0.0, -1.0, 0.0, 0.0}, Side::Upper},
      {"axis z = -10 along +y, element above, d = -5", {0.0, -10.0, 1.0, 0.0, 0.0}, Side::Upper},
      {"axis y = 0 along +z, d = 15", {0.0, 0.0, 0.0, 1.0, 0.0}, Side::Lower},
      {"axis y = 0 along -z, d = -15", {0.0, 0.0, 0.0, -1.0, 0.0}, Side::Upper},
      {"tolerance equal to |d| = 5 is not on the line", {0.0, 0.0, 1.0, 0.0, 5.0}, Side::Lower},
      {"tolerance just above |d| = 5", {0.0, 0.0, 1.0, 0.0, 5.000001}, Side::Zero},
      {"tolerance 1e-9 and d = 0", {0.0, -5.0, 1.0, 0.0, 1e-9}, Side::Zero},
  };
  for (const LineCase& c : cases) {
    const ForceTriple* expected = c.expected == Side::Upper   ? &e.plasticUpper
                                  : c.expected == Side::Lower ? &e.plasticLower
                                                              : &e.plasticZero;
    EXPECT_EQ(&e.plasticFor(c.line), expected) << c.name;
  }
  EXPECT_EQ(e.plasticUpper.nx, 23500.0);
  EXPECT_EQ(e.plasticLower.nx, -23500.0);
}

TEST(ElementTest, ElementForcesAndStiffnessesFollowTheSignConvention) {
  TestSection s;
  const auto* linear = s.addMaterial<LinearMaterial>(1, 1, 1000.0, 10.0, -10.0, 400.0, 5.0);
  const Element e(2.0, 3.0, 2.0, 2.0, CellOwner{1, linear, 1.0, 0.5}, 1);
  // Strain at (y=2, z=3): (2e-4·3 + 1e-3) + (−1e-4)·2 = 1.4e-3; stress 1.4;
  // N = 1.4·4 = 5.6; My = N·z = 16.8; Mz = N·y = 11.2.
  const ForceTriple f = e.internalForces(StrainState{1e-3, 2e-4, -1e-4});
  EXPECT_DOUBLE_EQ(f.nx, 5.6);
  EXPECT_DOUBLE_EQ(f.my, 16.8);
  EXPECT_DOUBLE_EQ(f.mz, 11.2);
  // Tangent: E·(A, 9·4 + 2·8/12, 4·4 + 2·8/12).
  const SectionStiffness k = e.tangentStiffness(StrainState{});
  EXPECT_DOUBLE_EQ(k.EAx, 4000.0);
  EXPECT_DOUBLE_EQ(k.EIy, 1000.0 * (36.0 + 16.0 / 12.0));
  EXPECT_DOUBLE_EQ(k.EIz, 1000.0 * (16.0 + 16.0 / 12.0));
  // Shear with factors 1 (y) and 0.5 (z): G·γ·factor·A.
  const ShearPair q = e.shearForces(1e-3, 1e-3);
  EXPECT_DOUBLE_EQ(q.y, 1.6);
  EXPECT_DOUBLE_EQ(q.z, 0.8);
  const ShearPair g = e.shearStiffness(0.0, 0.0);
  EXPECT_DOUBLE_EQ(g.y, 1600.0);
  EXPECT_DOUBLE_EQ(g.z, 800.0);
  EXPECT_DOUBLE_EQ(e.shearStressY(QueryLimitUpper, 0.0), 5.0);
  EXPECT_DOUBLE_EQ(e.shearStressZ(QueryLimitUpper, 0.0), 2.5);
}

TEST(ElementTest, ShearFreeMaterialsContributeNoShear) {
  TestSection s;
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  const Element c(0.0, 0.0, 10.0, 10.0, CellOwner{1, concrete, 1.0, 1.0}, 1);
  const Element w(0.0, 0.0, 10.0, 10.0, CellOwner{2, steel, 0.0, 1.0}, 2);
  EXPECT_EQ(c.shearForces(1e-4, 1e-4).y, 0.0);
  EXPECT_EQ(c.shearStiffness(0.0, 0.0).z, 0.0);
  EXPECT_EQ(c.plasticShear().y, 0.0);
  // Steel with shear factor 0 in y carries nothing in y.
  EXPECT_EQ(w.shearForces(1e-4, 1e-4).y, 0.0);
  EXPECT_EQ(w.shearStiffness(0.0, 0.0).y, 0.0);
  EXPECT_DOUBLE_EQ(w.shearStiffness(0.0, 0.0).z, 80000.0 * 100);
  EXPECT_EQ(w.plasticShear().y, 0.0);
  EXPECT_DOUBLE_EQ(w.plasticShear().z, 235.0 / kSqrt3Single * 100);
}

}  // namespace
}  // namespace colsec
