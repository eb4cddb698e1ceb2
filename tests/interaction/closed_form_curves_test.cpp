// Plastic resistances and interaction curves of discretised sections
// against closed forms of the rigid-plastic stress block.
//
// Solid rectangle B (along y) × H (along z) of one steel, fyd:
//   Npl = ±fyd·B·H, Mpl,y = fyd·B·H²/4, Mpl,z = fyd·H·B²/4.
// With the neutral axis at z0 the stress block gives
//   N = -2·fyd·B·z0, M = fyd·B·(H²/4 - z0²) = Mpl·(1 - (N/Npl)²).
// Discretised into nz equal rows, every curve point has its neutral axis
// on a row boundary; the midpoint rule is exact for the linear moment
// integrand on each side, so every point lies on the parabola. At N = 0 the
// interpolation is exact for an even nz; for an odd nz the middle row
// straddles the axis and Mpl,y,Rd comes out as the chord between the two
// neighbouring points, fyd·B·H²/4·(1 - 1/nz²), a relative deficit of 1/nz².

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "InteractionTestSections.h"
#include "interaction/InteractionCurves.h"

namespace colsec {
namespace {

using test::TestSection;

constexpr double kFyd = 235.0;
// Plastic shear strength fyd/√3 with √3 held in single precision.
constexpr double kTauLim = kFyd / 1.7320507764816284;

// Plain rounding noise of sums over a few hundred elements.
constexpr double kRoundingTolerance = 1e-9;

void runCurves(SectionModel& model, int angles, int offsets, double designN) {
  model.settings.angularSubdivisions = angles;
  model.settings.offsetSubdivisions = offsets;
  model.designForces.nx = designN;
  std::ostringstream interaction;
  std::ostringstream console;
  computeInteractionCurves(model, interaction, console, false);
}

struct RectangleCase {
  double B;
  double H;
  double feSize;
  int ny;  // cells along y: floor(B/feSize) + 1
  int nz;  // cells along z: floor(H/feSize) + 1
};

// Relative deficit of the interpolated Mpl with n cells across the bending depth.
double mplFactor(int n) { return n % 2 == 0 ? 1.0 : 1.0 - 1.0 / (static_cast<double>(n) * n); }

TEST(InteractionClosedForm, SolidSteelRectangle) {
  const RectangleCase cases[] = {
      {100, 200, 13, 8, 16},   // even rows and columns
      {100, 200, 10, 11, 21},  // odd rows and columns
      {120, 84, 7, 18, 13},    // even columns, odd rows
  };
  for (const RectangleCase& c : cases) {
    std::ostringstream label;
    label << "B=" << c.B << " H=" << c.H << " feSize=" << c.feSize;
    const std::string name = label.str();
    TestSection section;
    test::buildSteelRectangle(section.model, c.H, c.B, c.feSize, kFyd);
    ASSERT_EQ(section.model.elements.size(), static_cast<std::size_t>(c.ny * c.nz)) << name;
    // 50 offsets: the step 2R/49 is below every cell width, so every row
    // boundary position is sampled at least once; an even count keeps the
    // offset 0 (where the middle row of an odd count lies) out of the sample.
    runCurves(section.model, 3, 50, 0.0);
    const SectionModel& m = section.model;

    const double npl = kFyd * c.B * c.H;
    const double mplY = kFyd * c.B * c.H * c.H / 4;
    const double mplZ = kFyd * c.H * c.B * c.B / 4;
    EXPECT_NEAR(m.nPlRdMax, npl, 1e-12 * npl) << name;
    EXPECT_NEAR(m.nPlRdMin, -npl, 1e-12 * npl) << name;
    EXPECT_NEAR(m.mPlYRd, mplY * mplFactor(c.nz), kRoundingTolerance * mplY) << name;
    EXPECT_NEAR(m.mPlZRd, mplZ * mplFactor(c.ny), kRoundingTolerance * mplZ) << name;
    // The same against the continuous closed form, within the bound 1/n².
    EXPECT_LE(std::fabs(m.mPlYRd - mplY), mplY / (c.nz * c.nz) * (1 + 1e-9)) << name;
    EXPECT_LE(std::fabs(m.mPlZRd - mplZ), mplZ / (c.ny * c.ny) * (1 + 1e-9)) << name;
    EXPECT_EQ(m.mdy, 1.0) << name;
    EXPECT_EQ(m.mdz, 1.0) << name;

    ASSERT_EQ(m.curveNMy.size(), 50u) << name;
    ASSERT_EQ(m.curveNMz.size(), 50u) << name;
    for (std::size_t i = 0; i < m.curveNMy.size(); ++i) {
      const CurvePoint& p = m.curveNMy[i];
      const double eta = p.nx / npl;
      EXPECT_NEAR(p.my, mplY * (1 - eta * eta), kRoundingTolerance * mplY)
          << name << " N-My point " << i << " " << test::describePoint(p);
      EXPECT_NEAR(p.mz, 0.0, kRoundingTolerance * mplZ) << name << " N-My point " << i;
      if (i > 0) {
        EXPECT_LE(p.nx, m.curveNMy[i - 1].nx) << name << " N-My point " << i;
      }
    }
    for (std::size_t i = 0; i < m.curveNMz.size(); ++i) {
      const CurvePoint& p = m.curveNMz[i];
      const double eta = p.nx / npl;
      EXPECT_NEAR(p.mz, mplZ * (1 - eta * eta), kRoundingTolerance * mplZ)
          << name << " N-Mz point " << i << " " << test::describePoint(p);
      EXPECT_NEAR(p.my, 0.0, kRoundingTolerance * mplY) << name << " N-Mz point " << i;
      if (i > 0) {
        EXPECT_LE(p.nx, m.curveNMz[i - 1].nx) << name << " N-Mz point " << i;
      }
    }
    // Solid rectangle: every element carries shear in both directions.
    EXPECT_NEAR(m.qPlRdY, kTauLim * c.B * c.H, 1e-12 * kTauLim * c.B * c.H) << name;
    EXPECT_NEAR(m.qPlRdZ, kTauLim * c.B * c.H, 1e-12 * kTauLim * c.B * c.H) << name;
  }
}

TEST(InteractionClosedForm, ReductionFactorsAtTheDesignAxialForce) {
  // 100 × 200 with feSize 13: 8 columns of 12.5 mm, 16 rows of 12.5 mm.
  // Curve points of N-My at N/Npl = 1 - j/8, of N-Mz at 1 - j/4, each on
  // M/Mpl = 1 - (N/Npl)²; between points the curve is the chord.
  //   N/Npl = ±0.5: a point of both curves: 0.75.
  //   N/Npl = ±0.3: N-My chord between 0.375 (0.859375) and 0.25 (0.9375),
  //     t = 0.6: 0.90625; N-Mz chord between 0.5 (0.75) and 0.25 (0.9375),
  //     t = 0.8: 0.9.
  struct Case {
    double eta;
    double mdy;
    double mdz;
  };
  const Case cases[] = {
      {0.0, 1.0, 1.0}, {0.5, 0.75, 0.75}, {-0.5, 0.75, 0.75}, {0.3, 0.90625, 0.9}, {-0.3, 0.90625, 0.9},
  };
  const double npl = kFyd * 100 * 200;
  for (const Case& c : cases) {
    TestSection section;
    test::buildSteelRectangle(section.model, 200, 100, 13, kFyd);
    runCurves(section.model, 2, 50, c.eta * npl);
    EXPECT_NEAR(section.model.mdy, c.mdy, 1e-9) << "N/Npl = " << c.eta;
    EXPECT_NEAR(section.model.mdz, c.mdz, 1e-9) << "N/Npl = " << c.eta;
  }
}

TEST(InteractionClosedForm, AxialForceOutsideTheResistanceGivesNaNFactors) {
  const double npl = kFyd * 100 * 200;
  for (const double eta : {1.01, -1.01, 3.0, -3.0}) {
    TestSection section;
    test::buildSteelRectangle(section.model, 200, 100, 13, kFyd);
    runCurves(section.model, 4, 50, eta * npl);
    const SectionModel& m = section.model;
    EXPECT_TRUE(std::isnan(m.mdy)) << "N/Npl = " << eta << " mdy = " << m.mdy;
    EXPECT_TRUE(std::isnan(m.mdz)) << "N/Npl = " << eta << " mdz = " << m.mdz;
    // The resistances themselves do not depend on the design force.
    EXPECT_NEAR(m.mPlYRd, kFyd * 100 * 200 * 200 / 4, 1e-9 * m.mPlYRd) << "N/Npl = " << eta;
    // One point per angle, each a NaN point.
    ASSERT_EQ(m.curveMyMz.size(), 4u) << "N/Npl = " << eta;
    for (const CurvePoint& p : m.curveMyMz) {
      EXPECT_TRUE(std::isnan(p.nx) && std::isnan(p.my) && std::isnan(p.mz))
          << "N/Npl = " << eta << " " << test::describePoint(p);
    }
    ASSERT_EQ(m.curveMyMzN0.size(), 4u);
    for (const CurvePoint& p : m.curveMyMzN0) EXPECT_FALSE(std::isnan(p.my)) << test::describePoint(p);
  }
}

// Steel core 100 × 100 (fyd 235, priority 2) in a concrete square 300 × 300
// (fcd 20, factor 0.85, priority 1). feSize 25 cuts every gap of 100 into 5
// cells of 20, so the core is resolved exactly: Aa = 10 000, Ac = 80 000.
//   Npl,Rd,max = Aa·fyd = 2 350 000 N (concrete carries no tension)
//   Npl,Rd,min = -Aa·fyd - Ac·0.85·20 = -2 350 000 - 1 360 000 = -3 710 000 N
void buildEncasedCore(SectionModel& model) {
  test::addStructuralSteel(model, 1, 2, kFyd);
  test::addConcrete(model, 2, 1, 20.0, 0.85);
  model.addRectProfile(1, 2, 300, 300, 0, 0, false);
  model.addRectProfile(2, 1, 100, 100, 0, 0, false);
  test::discretiseSection(model, 25.0);
}

TEST(InteractionClosedForm, SymmetricCompositeSectionHasTheSameEndsOnEveryCurve) {
  TestSection section;
  buildEncasedCore(section.model);
  ASSERT_EQ(section.model.elements.size(), 225u);
  // 42 offsets: at 15° steps no element centre lies exactly on a sampled
  // line, so mirrored angles select mirrored elements.
  runCurves(section.model, 7, 42, 0.0);
  const SectionModel& m = section.model;

  EXPECT_NEAR(m.nPlRdMax, 2350000.0, 1e-6);
  EXPECT_NEAR(m.nPlRdMin, -3710000.0, 1e-6);
  ASSERT_EQ(m.surfaceCurves.size(), 7u);
  for (std::size_t i = 0; i < m.surfaceCurves.size(); ++i) {
    const InteractionCurve& curve = m.surfaceCurves[i];
    ASSERT_EQ(curve.size(), 42u) << "angle " << i;
    EXPECT_DOUBLE_EQ(curve.front().nx, m.nPlRdMax) << "angle " << i;
    EXPECT_DOUBLE_EQ(curve.back().nx, m.nPlRdMin) << "angle " << i;
  }
  const double tolerance = kRoundingTolerance * m.mPlYRd;
  for (const CurvePoint& p : m.curveNMy) EXPECT_GE(p.my, -tolerance) << test::describePoint(p);
  for (const CurvePoint& p : m.curveNMz) EXPECT_GE(p.mz, -tolerance) << test::describePoint(p);

  // The first and last surface curves lie at 0° and 90°, as curveNMy and curveNMz.
  for (std::size_t k = 0; k < m.curveNMy.size(); ++k) {
    EXPECT_NEAR(m.surfaceCurves.front()[k].my, m.curveNMy[k].my, tolerance) << "point " << k;
    EXPECT_NEAR(m.surfaceCurves.back()[k].mz, m.curveNMz[k].mz, tolerance) << "point " << k;
  }

  // Design N = 0: factors 1, the design My-Mz curve is the N = 0 curve.
  EXPECT_EQ(m.mdy, 1.0);
  EXPECT_EQ(m.mdz, 1.0);
  ASSERT_EQ(m.curveMyMzN0.size(), 7u);
  ASSERT_EQ(m.curveMyMz.size(), 7u);
  for (std::size_t i = 0; i < m.curveMyMz.size(); ++i) {
    EXPECT_EQ(m.curveMyMz[i].nx, m.curveMyMzN0[i].nx) << "angle " << i;
    EXPECT_EQ(m.curveMyMz[i].my, m.curveMyMzN0[i].my) << "angle " << i;
    EXPECT_EQ(m.curveMyMz[i].mz, m.curveMyMzN0[i].mz) << "angle " << i;
  }
  // The square section is symmetric about its diagonal: angles 15·i° and
  // 90° - 15·i° exchange My and Mz. All points lie in the first quadrant.
  EXPECT_NEAR(m.mPlYRd, m.mPlZRd, tolerance);
  EXPECT_NEAR(m.curveMyMzN0.front().my, m.mPlYRd, tolerance);
  EXPECT_NEAR(m.curveMyMzN0.back().mz, m.mPlZRd, tolerance);
  for (std::size_t i = 0; i < m.curveMyMzN0.size(); ++i) {
    const CurvePoint& p = m.curveMyMzN0[i];
    const CurvePoint& mirror = m.curveMyMzN0[m.curveMyMzN0.size() - 1 - i];
    EXPECT_NEAR(p.nx, 0.0, 1e-6) << "angle " << i;
    EXPECT_NEAR(p.my, mirror.mz, tolerance) << "angle " << i;
    EXPECT_GE(p.my, -tolerance) << "angle " << i;
    EXPECT_GE(p.mz, -tolerance) << "angle " << i;
  }
  // Only the steel carries shear.
  EXPECT_NEAR(m.qPlRdY, kTauLim * 10000, 1e-6);
  EXPECT_NEAR(m.qPlRdZ, kTauLim * 10000, 1e-6);
}

TEST(InteractionClosedForm, OffCentreCircleReachesFullTensionAndCompression) {
  // A steel circle of diameter 100 beside a steel square 100 × 100 at the
  // origin, once in +y, once in +z. The sweep must reach past the circle's
  // far edge, so the curve ends are ±fyd times the whole element area.
  struct Placement {
    const char* name;
    double offsetY;
    double offsetZ;
  };
  const Placement placements[] = {{"circle at y = 300", 300, 0}, {"circle at z = 300", 0, 300}};
  for (const Placement& placement : placements) {
    TestSection section;
    test::addStructuralSteel(section.model, 1, 1, kFyd);
    section.model.addRectProfile(1, 1, 100, 100, 0, 0, false);
    section.model.addCircProfile(2, 1, placement.offsetY, placement.offsetZ, 100, 0, false);
    test::discretiseSection(section.model, 10.0);
    runCurves(section.model, 5, 41, 0.0);
    const SectionModel& m = section.model;

    const double area = test::sumOfAreas(m);
    // 100² plus a discretised disc near π·50² = 7854.
    EXPECT_NEAR(area, 10000 + 7854, 300) << placement.name;
    const double full = kFyd * area;
    EXPECT_NEAR(m.nPlRdMax, full, 1e-9 * full) << placement.name;
    EXPECT_NEAR(m.nPlRdMin, -full, 1e-9 * full) << placement.name;
    EXPECT_NEAR(m.curveNMz.front().nx, full, 1e-9 * full) << placement.name;
    EXPECT_NEAR(m.curveNMz.back().nx, -full, 1e-9 * full) << placement.name;
    ASSERT_EQ(m.surfaceCurves.size(), 5u);
    for (std::size_t i = 0; i < m.surfaceCurves.size(); ++i) {
      EXPECT_NEAR(m.surfaceCurves[i].front().nx, full, 1e-9 * full) << placement.name << " angle " << i;
      EXPECT_NEAR(m.surfaceCurves[i].back().nx, -full, 1e-9 * full) << placement.name << " angle " << i;
    }
  }
}

TEST(InteractionClosedForm, ShearStressesLowerThePlasticResistances) {
  // 100 × 200 steel, feSize 13 (8 × 16 cells). Left half (y < 0):
  // τ = 1.2·τlim, strength 0. Right half: τy = 0.6·τlim, τz = 0.45·τlim,
  // combined 0.75·τlim: ρ = (2·0.75 - 1)² = 0.25, strength 0.75·fyd = 176.25.
  // Single-precision steps in τ and ρ leave about 1e-7 relative.
  TestSection section;
  test::addStructuralSteel(section.model, 1, 1, kFyd);
  section.model.addRectProfile(1, 1, 200, 100, 0, 0, false);
  section.model.settings.feSize = 13;
  discretise(section.model);
  for (Element& element : section.model.elements) {
    if (element.posY < 0) {
      element.tauY = 1.2 * kTauLim;
    } else {
      element.tauY = 0.6 * kTauLim;
      element.tauZ = 0.45 * kTauLim;
    }
  }
  updateElementResistances(section.model.elements);
  runCurves(section.model, 2, 50, 0.0);
  const SectionModel& m = section.model;

  const double reduced = 0.75 * kFyd;
  const double npl = reduced * 50 * 200;
  EXPECT_NEAR(m.nPlRdMax, npl, 1e-6 * npl);
  EXPECT_NEAR(m.nPlRdMin, -npl, 1e-6 * npl);
  // The right half alone bends about y: 176.25·50·200²/4 (16 rows, exact).
  const double mplY = reduced * 50 * 200 * 200 / 4;
  EXPECT_NEAR(m.mPlYRd, mplY, 1e-6 * mplY);
  // The shear resistance does not depend on the shear stresses.
  EXPECT_NEAR(m.qPlRdY, kTauLim * 20000, 1e-6);
  EXPECT_NEAR(m.qPlRdZ, kTauLim * 20000, 1e-6);
}

TEST(InteractionClosedForm, TwoAnglesGiveTheAxisCurvesAndATwoPointMyMzCurve) {
  TestSection section;
  test::buildSteelRectangle(section.model, 200, 100, 13, kFyd);
  runCurves(section.model, 2, 50, 0.0);
  const SectionModel& m = section.model;

  ASSERT_EQ(m.surfaceCurves.size(), 2u);
  ASSERT_EQ(m.surfaceCurves[0].size(), m.curveNMy.size());
  ASSERT_EQ(m.surfaceCurves[1].size(), m.curveNMz.size());
  for (std::size_t k = 0; k < m.curveNMy.size(); ++k) {
    EXPECT_DOUBLE_EQ(m.surfaceCurves[0][k].nx, m.curveNMy[k].nx) << "point " << k;
    EXPECT_DOUBLE_EQ(m.surfaceCurves[0][k].my, m.curveNMy[k].my) << "point " << k;
    EXPECT_DOUBLE_EQ(m.surfaceCurves[1][k].nx, m.curveNMz[k].nx) << "point " << k;
    EXPECT_DOUBLE_EQ(m.surfaceCurves[1][k].mz, m.curveNMz[k].mz) << "point " << k;
  }
  const double a = m.mPlYRd;  // 235·100·200²/4 = 2.35e8
  const double b = m.mPlZRd;  // 235·200·100²/4 = 1.175e8
  EXPECT_NEAR(a, 2.35e8, 1e-9 * a);
  EXPECT_NEAR(b, 1.175e8, 1e-9 * b);
  ASSERT_EQ(m.curveMyMzN0.size(), 2u);
  EXPECT_NEAR(m.curveMyMzN0[0].my, a, 1e-9 * a);
  EXPECT_NEAR(m.curveMyMzN0[0].mz, 0.0, 1e-9 * a);
  EXPECT_NEAR(m.curveMyMzN0[1].my, 0.0, 1e-9 * a);
  EXPECT_NEAR(m.curveMyMzN0[1].mz, b, 1e-9 * b);

  // The closest point lies on the straight segment from (a, 0) to (0, b):
  // foot = A + t·(B - A), t = (T - A)·(B - A) / |B - A|².
  // T = (1e8, 1e8): t = (1.35e8·2.35e8 + 1e8·1.175e8) / (2.35e8² + 1.175e8²)
  //   = 4.3475e16 / 6.903125e16 = 0.629788...
  const double t = 4.3475e16 / 6.903125e16;
  const CurvePoint foot = closestCurvePoint(m, {0.0, 1e8, 1e8});
  EXPECT_EQ(foot.nx, 0.0);
  EXPECT_NEAR(foot.my, a - t * a, 1e-6 * a) << test::describePoint(foot);
  EXPECT_NEAR(foot.mz, t * b, 1e-6 * b) << test::describePoint(foot);
  // Beyond the (a, 0) end of the segment: that vertex.
  const CurvePoint vertex = closestCurvePoint(m, {0.0, 3e8, -1e8});
  EXPECT_NEAR(vertex.my, a, 1e-9 * a) << test::describePoint(vertex);
  EXPECT_NEAR(vertex.mz, 0.0, 1e-9 * a) << test::describePoint(vertex);
}

TEST(InteractionClosedForm, NoAnglesLeaveTheSurfaceEmpty) {
  TestSection section;
  test::buildSteelRectangle(section.model, 200, 100, 13, kFyd);
  runCurves(section.model, 0, 21, 1000.0);
  const SectionModel& m = section.model;
  EXPECT_EQ(m.curveNMy.size(), 21u);
  EXPECT_EQ(m.curveNMz.size(), 21u);
  EXPECT_TRUE(m.surfaceCurves.empty());
  EXPECT_TRUE(m.curveMyMzN0.empty());
  EXPECT_TRUE(m.curveMyMz.empty());
  EXPECT_NEAR(m.nPlRdMax, kFyd * 20000, 1e-6);
  const CurvePoint p = closestCurvePoint(m, {1000.0, 5e7, 2e7});
  EXPECT_EQ(p.nx, 1000.0);
  EXPECT_EQ(p.my, 0.0);
  EXPECT_EQ(p.mz, 0.0);
}

}  // namespace
}  // namespace colsec
