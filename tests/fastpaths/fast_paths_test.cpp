// The faster paths of the run (the many-point plastic sweep, the fibre
// table of the strain solver, the buffered element list) must give every
// bit of the plain section sums and of the stream formatting.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ElementResults.h"
#include "analysis/FibreTable.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "interaction/InteractionCurves.h"
#include "interaction/PlasticSweep.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/NumberText.h"
#include "model/SectionModel.h"

namespace colsec {
namespace {

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

#define EXPECT_SAME_BITS(a, b) EXPECT_EQ(bits(a), bits(b)) << #a << " = " << (a) << ", " << #b << " = " << (b)

void expectSameCurve(const InteractionCurve& fast, const InteractionCurve& plain, const std::string& what) {
  ASSERT_EQ(fast.size(), plain.size()) << what;
  for (std::size_t j = 0; j < fast.size(); ++j) {
    SCOPED_TRACE(what + ", point " + std::to_string(j));
    EXPECT_SAME_BITS(fast[j].nx, plain[j].nx);
    EXPECT_SAME_BITS(fast[j].my, plain[j].my);
    EXPECT_SAME_BITS(fast[j].mz, plain[j].mz);
  }
}

// A scattered section of every law, with shear stresses that reduce the
// structural steel, on a grid that is not symmetric about the origin.
class GeneratedSection : public ::testing::Test {
 protected:
  void SetUp() override { build(20000, 7); }

  void build(int count, unsigned seed) {
    model = std::make_unique<SectionModel>(console);
    auto& materials = model->materials;
    materials.push_back(std::make_unique<Steel1993_543>(1, 5, 210000, 355, 81000));
    materials.push_back(std::make_unique<Steel1992_327b>(2, 4, 200000, 435));
    materials.push_back(std::make_unique<Concrete1992_3171>(3, 3, 33000, 17, 0.85, 0.002, 0.0035, 2));
    materials.push_back(std::make_unique<Concrete1992_3171>(4, 2, 33000, 25, 1.0, 0.00175, 0.0035, 1.6));
    materials.push_back(std::make_unique<Concrete1992_3172>(5, 1, 33000, 20, 1.0, 0.00175, 0.0035));
    materials.push_back(std::make_unique<LinearMaterial>(6, 0, 70000, 200, -150, 26000, 90));
    materials.push_back(std::make_unique<Steel1993_543>(7, 6, 210000, 235, 0));  // no shear reduction
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> position(-300.0, 420.0);
    std::uniform_real_distribution<double> width(0.3, 12.0);
    std::uniform_real_distribution<double> shear(0.0, 220.0);
    for (int i = 0; i < count; ++i) {
      const Material* material = materials[random() % materials.size()].get();
      CellOwner owner{1 + static_cast<int>(random() % 3), material, (random() % 2) * 1.0, (random() % 3) * 0.5};
      // Some elements exactly on grid values a neutral axis passes through.
      const double y = i % 97 == 0 ? 0.0 : position(random);
      const double z = i % 89 == 0 ? 0.0 : position(random);
      Element element(y, z, width(random), width(random), owner, owner.profileNumber);
      element.tauY = shear(random);
      element.tauZ = i % 5 == 0 ? 0.0 : shear(random);
      model->elements.push_back(element);
    }
    // Elements whose centres lie on neutral axes of the sweeps below: their
    // side is decided by the last bit of the signed distance.
    const Material* steel = materials[0].get();
    for (const double alpha : kAngles) {
      const double s = std::sin(alpha);
      const double c = std::cos(alpha);
      for (const int points : {5, 17, 100}) {
        for (int j = 0; j < points; j += 3) {
          const double m = kStart + j * (kEnd - kStart) / (points - 1);
          const double t = position(random);
          model->elements.emplace_back(m * s + t * c, m * c - t * s, 1.0, 1.0, CellOwner{4, steel, 1.0, 1.0}, 4);
        }
      }
    }
    updateElementResistances(model->elements);
  }

  static constexpr double kAngles[] = {0.0, 0.3, 0.7853981633974483, 1.2, 1.5707963267948966};
  static constexpr double kStart = -520.0;
  static constexpr double kEnd = 515.5;

  std::ostringstream console;
  std::unique_ptr<SectionModel> model;
};

TEST_F(GeneratedSection, SweepOfManyPointsEqualsThePlainSums) {
  const PlasticSweep sweep(model->elements);
  // Point counts below, at and above one vector group and one pass.
  for (const int count : {2, 3, 4, 5, 17, 100, 257, 1030}) {
    for (const double alpha : kAngles) {
      const InteractionCurve plain = sweepCurve(*model, alpha, kStart, kEnd, count);
      for (const SweepKernel kernel : {SweepKernel::Automatic, SweepKernel::Baseline}) {
        expectSameCurve(sweep.sweep(alpha, kStart, kEnd, count, kernel), plain,
                        "count " + std::to_string(count) + ", alpha " + std::to_string(alpha) +
                            (kernel == SweepKernel::Baseline ? ", baseline" : ", automatic"));
      }
    }
  }
}

// Kernels, quadrants and degenerate offsets: every way a sweep is made
// gives the bits of the plain sums.
TEST_F(GeneratedSection, SweepInEveryQuadrantEqualsThePlainSums) {
  const PlasticSweep sweep(model->elements);
  const struct {
    const char* name;
    double alpha, start, end, count;
  } cases[] = {
      {"second quadrant", 2.2, kStart, kEnd, 23},
      {"half turn", 3.141592653589793, kStart, kEnd, 31},
      {"third quadrant", 4.0, kStart, kEnd, 19},
      {"three quarters", 4.71238898038469, kStart, kEnd, 25},
      {"fourth quadrant", 5.9, kStart, kEnd, 100},
      {"negative angle", -0.4, kStart, kEnd, 9},
      {"one point (offset 0/0)", 0.7, kStart, kEnd, 1},
      {"all lines through one point", 0.7, 12.5, 12.5, 6},
      {"offsets falling: every point from its distances", 0.9, kEnd, kStart, 21},
  };
  for (const auto& c : cases) {
    const InteractionCurve plain = sweepCurve(*model, c.alpha, c.start, c.end, c.count);
    for (const SweepKernel kernel :
         {SweepKernel::Automatic, SweepKernel::Avx2, SweepKernel::Baseline, SweepKernel::Distance}) {
      expectSameCurve(sweep.sweep(c.alpha, c.start, c.end, c.count, kernel), plain,
                      std::string(c.name) + ", kernel " + std::to_string(static_cast<int>(kernel)));
    }
  }
}

TEST_F(GeneratedSection, SweepOfFarElementsEqualsThePlainSums) {
  // Positions beyond the range where the distance is monotonic in the
  // offset: the sweep falls back to the distance of every point.
  model->elements.emplace_back(3e200, -2e200, 1.0, 1.0, CellOwner{1, model->materials[0].get(), 1.0, 1.0}, 1);
  updateElementResistances(model->elements);
  const PlasticSweep sweep(model->elements);
  expectSameCurve(sweep.sweep(0.5, kStart, kEnd, 12), sweepCurve(*model, 0.5, kStart, kEnd, 12), "far elements");
}

TEST_F(GeneratedSection, AxialFirstSweepSumsTheChosenPointsWhole) {
  const PlasticSweep sweep(model->elements);
  for (const int count : {17, 100}) {
    for (const double alpha : {0.0, 0.9, 2.6, 1.5707963267948966}) {
      const InteractionCurve plain = sweepCurve(*model, alpha, kStart, kEnd, count);
      std::vector<double> seen;
      // Unsorted, repeated and out of range: the chooser's list is tidied.
      const auto choose = [&](const InteractionCurve& axial) {
        for (const CurvePoint& p : axial) seen.push_back(p.nx);
        const auto last = static_cast<std::size_t>(count - 1);
        return std::vector<std::size_t>{last, 3, 0, 3, last + 5};
      };
      for (const SweepKernel kernel : {SweepKernel::Automatic, SweepKernel::Avx2, SweepKernel::Baseline}) {
        seen.clear();
        const InteractionCurve fast = sweep.sweepAxialFirst(alpha, kStart, kEnd, count, choose, kernel);
        ASSERT_EQ(fast.size(), plain.size());
        ASSERT_EQ(seen.size(), plain.size()) << "the chooser sees every axial force";
        for (std::size_t j = 0; j < fast.size(); ++j) {
          SCOPED_TRACE("count " + std::to_string(count) + ", alpha " + std::to_string(alpha) + ", point " +
                       std::to_string(j) + ", kernel " + std::to_string(static_cast<int>(kernel)));
          EXPECT_SAME_BITS(seen[j], plain[j].nx);
          EXPECT_SAME_BITS(fast[j].nx, plain[j].nx);
          if (j == 0 || j == 3 || j == static_cast<std::size_t>(count - 1)) {
            EXPECT_SAME_BITS(fast[j].my, plain[j].my);
            EXPECT_SAME_BITS(fast[j].mz, plain[j].mz);
          } else {
            EXPECT_TRUE(std::isnan(fast[j].my) && std::isnan(fast[j].mz));
          }
        }
      }
    }
  }
}

TEST_F(GeneratedSection, SweepKeepsNonFiniteTriples) {
  // A law whose strength overflows: the sums carry inf and nan alike.
  model->materials.push_back(std::make_unique<Steel1992_327b>(8, 9, 200000, 1e308));
  for (int i = 0; i < 50; ++i) {
    CellOwner owner{9, model->materials.back().get(), 0.0, 0.0};
    model->elements.emplace_back(10.0 * i, -5.0 * i, 30.0, 40.0, owner, 9);
  }
  updateElementResistances(model->elements);
  const PlasticSweep sweep(model->elements);
  expectSameCurve(sweep.sweep(0.4, -600, 600, 13), sweepCurve(*model, 0.4, -600, 600, 13), "inf and nan");
}

TEST_F(GeneratedSection, FibreTableEqualsThePlainSums) {
  const FibreTable fibres(model->elements);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> strain(-0.004, 0.003);
  std::uniform_real_distribution<double> curvature(-2e-5, 2e-5);
  for (int k = 0; k < 60; ++k) {
    const StrainState state = k == 0 ? StrainState{} : StrainState{strain(random), curvature(random), curvature(random)};
    SCOPED_TRACE("state " + std::to_string(k));
    std::vector<double> stresses;
    std::vector<double> tangents;
    const ForcesAndTangent fast = fibres.forcesAndTangent(state, stresses, tangents);
    const ForceTriple forces = sectionInternalForces(model->elements, state);
    const SectionStiffness tangent = sectionTangentStiffness(model->elements, state);
    EXPECT_SAME_BITS(fast.forces.nx, forces.nx);
    EXPECT_SAME_BITS(fast.forces.my, forces.my);
    EXPECT_SAME_BITS(fast.forces.mz, forces.mz);
    EXPECT_SAME_BITS(fast.tangent.EAx, tangent.EAx);
    EXPECT_SAME_BITS(fast.tangent.EIy, tangent.EIy);
    EXPECT_SAME_BITS(fast.tangent.EIz, tangent.EIz);
    for (std::size_t i = 0; i < stresses.size(); ++i) {
      const Element& e = model->elements[i];
      ASSERT_EQ(bits(stresses[i]), bits(e.stress(QueryValue, e.strainAt(state)))) << i;
    }
    const SectionStiffness alone = fibres.tangent(state);
    EXPECT_SAME_BITS(alone.EAx, tangent.EAx);
    EXPECT_SAME_BITS(alone.EIy, tangent.EIy);
    EXPECT_SAME_BITS(alone.EIz, tangent.EIz);
  }
}

// The solver written plainly: a tangent sum and a force sum per iteration.
struct PlainSolution {
  StrainState state;
  ForceTriple forces;
  bool converged = false;
  std::string log;
};

PlainSolution solvePlainly(const SectionModel& model) {
  const SectionForces& design = model.designForces;
  PlainSolution result;
  std::ostringstream log;
  ForceTriple residual{design.nx, design.my, design.mz};
  SectionStiffness stiffness;
  for (int i = 1;; ++i) {
    const SectionStiffness t = sectionTangentStiffness(model.elements, result.state);
    if (t.EAx != 0.0) stiffness.EAx = t.EAx;
    if (t.EIy != 0.0) stiffness.EIy = t.EIy;
    if (t.EIz != 0.0) stiffness.EIz = t.EIz;
    if (stiffness.EAx != 0.0) result.state.epsX = result.state.epsX + residual.nx / stiffness.EAx;
    if (stiffness.EIy != 0.0) result.state.kappaY = result.state.kappaY + residual.my / stiffness.EIy;
    if (stiffness.EIz != 0.0) result.state.kappaZ = result.state.kappaZ + residual.mz / stiffness.EIz;
    result.forces = sectionInternalForces(model.elements, result.state);
    residual = {design.nx - result.forces.nx, design.my - result.forces.my, design.mz - result.forces.mz};
    log << "\tepsX = " << result.state.epsX << "\tkappaY = " << result.state.kappaY << "\tkappaZ = "
        << result.state.kappaZ << "\n\tNx = " << result.forces.nx << "\tMy = " << result.forces.my
        << "\tMz = " << result.forces.mz << "\n";
    const bool ok = 0.1 >= std::fabs(residual.nx) && 100 >= std::fabs(residual.my) && 100 >= std::fabs(residual.mz);
    if (i == 1000) break;
    if (ok) {
      result.converged = true;
      break;
    }
  }
  result.log = log.str();
  return result;
}

TEST_F(GeneratedSection, StrainSolverEqualsThePlainIteration) {
  const SectionForces cases[] = {
      {0, 0, 0, 0, 0},
      {-2e6, 1.5e8, -4e7, 0, 0},
      {3e5, -2e7, 6e7, 0, 0},
      {-1e12, 1e9, 1e9, 0, 0},  // far beyond the resistance: 1000 iterations
  };
  for (const SectionForces& forces : cases) {
    SCOPED_TRACE("nx " + std::to_string(forces.nx));
    model->designForces = forces;
    const PlainSolution plain = solvePlainly(*model);
    std::ostringstream log;
    runStressAnalysis(*model, 0.0001, log, console);
    EXPECT_EQ(log.str(), plain.log);
    EXPECT_EQ(model->axialConverged, plain.converged);
    EXPECT_SAME_BITS(model->strainState.epsX, plain.state.epsX);
    EXPECT_SAME_BITS(model->strainState.kappaY, plain.state.kappaY);
    EXPECT_SAME_BITS(model->strainState.kappaZ, plain.state.kappaZ);
    EXPECT_SAME_BITS(model->resultForces.nx, plain.forces.nx);
    EXPECT_SAME_BITS(model->resultForces.my, plain.forces.my);
    EXPECT_SAME_BITS(model->resultForces.mz, plain.forces.mz);
    const SectionStiffness effective = sectionEffectiveStiffness(model->elements);
    const SectionStiffness effectiveII = sectionEffectiveStiffnessII(model->elements);
    EXPECT_SAME_BITS(model->stiffnessEff.EAx, effective.EAx);
    EXPECT_SAME_BITS(model->stiffnessEff.EIy, effective.EIy);
    EXPECT_SAME_BITS(model->stiffnessEff.EIz, effective.EIz);
    EXPECT_SAME_BITS(model->stiffnessEffII.EAx, effectiveII.EAx);
    EXPECT_SAME_BITS(model->stiffnessEffII.EIy, effectiveII.EIy);
    EXPECT_SAME_BITS(model->stiffnessEffII.EIz, effectiveII.EIz);
    // Every element's state is that of its own law at the final strain.
    for (const Element& e : model->elements) {
      const double strain = e.strainAt(plain.state);
      ASSERT_EQ(bits(e.epsX), bits(strain));
      ASSERT_EQ(bits(e.sigX), bits(e.material->stressQuery(QueryValue, strain, e.tauComb))) << e.posY << " " << e.posZ;
    }
  }
}

TEST_F(GeneratedSection, ElementListEqualsStreamFormatting) {
  // Strains and stresses of a solved state, plus the awkward values.
  model->designForces = {-2e6, 1.5e8, -4e7, 0, 0};
  std::ostringstream log;
  runStressAnalysis(*model, 0.0001, log, console);
  const double specials[] = {0.0, -0.0, std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::quiet_NaN(), 5e-324, 1e-5, 0.0001, 999999.5, 1e6, -123456.5};
  for (std::size_t i = 0; i < std::size(specials); ++i) {
    Element& e = model->elements[i];
    e.sigX = specials[i];
    e.epsX = specials[(i + 3) % std::size(specials)];
    e.tauY = specials[(i + 5) % std::size(specials)];
  }
  std::ostringstream plain;
  plain << "//Elements\n";
  for (const Element& e : model->elements) {
    plain << "#ELEMENT PROF: " << e.profileNumber << " POS: " << e.posY << " " << e.posZ << " DIM: " << e.dimY << " "
          << e.dimZ << " EPSx: " << e.epsX << " sigX/tauY/Z: " << e.sigX << " " << e.tauY << " " << e.tauZ << "\n";
  }
  std::ostringstream fast;
  writeElementResults(fast, model->elements, console);
  EXPECT_EQ(fast.str(), plain.str());
}

TEST(NumberTextTest, EqualsStreamFormattingForAnyBits) {
  std::mt19937_64 random(3);
  NumberTextCache cache;
  for (int i = 0; i < 200000; ++i) {
    // Random bit patterns cover NaNs, denormals and every exponent; a few
    // repeated values exercise the cache.
    const double value = i % 3 == 0 ? std::bit_cast<double>(random()) : static_cast<double>(random() % 1000) / 8.0;
    std::ostringstream stream;
    stream << value;
    std::string direct;
    appendNumber(direct, value);
    std::string cached;
    cache.append(cached, value);
    ASSERT_EQ(direct, stream.str()) << std::hex << bits(value);
    ASSERT_EQ(cached, stream.str()) << std::hex << bits(value);
  }
}

}  // namespace
}  // namespace colsec
