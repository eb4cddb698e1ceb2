// The full Newton iteration of the strain fallback and of the member check
// on the solver's table of laws gives the plain per-element iteration's
// bits: every step, every backtrack and every start depend on those sums.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ElementResults.h"
#include "analysis/FibreTable.h"
#include "analysis/StrainFallback.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"

namespace colsec {
namespace {

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// A scattered section of the nonlinear laws (and optionally a linear one),
// with shear stresses that reduce the structural steel.
std::vector<Element> scatteredSection(SectionModel& model, bool withLinear, unsigned seed) {
  auto& materials = model.materials;
  materials.push_back(std::make_unique<Steel1993_543>(1, 5, 210000, 355, 81000));
  materials.push_back(std::make_unique<Steel1992_327b>(2, 4, 200000, 435));
  materials.push_back(std::make_unique<Concrete1992_3171>(3, 3, 33000, 17, 0.85, 0.002, 0.0035, 2));
  materials.push_back(std::make_unique<Concrete1992_3171>(4, 2, 33000, 25, 1.0, 0.00175, 0.0035, 1.6));
  materials.push_back(std::make_unique<Concrete1992_3172>(5, 1, 33000, 20, 1.0, 0.00175, 0.0035));
  if (withLinear) materials.push_back(std::make_unique<LinearMaterial>(6, 0, 70000, 200, -150, 26000, 90));
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> position(-200.0, 260.0);
  std::uniform_real_distribution<double> width(1.0, 9.0);
  std::uniform_real_distribution<double> shear(0.0, 150.0);
  std::vector<Element> elements;
  for (int i = 0; i < 3000; ++i) {
    const Material* material = materials[random() % materials.size()].get();
    const CellOwner owner{1, material, 0.0, 0.0};
    const double y = i % 97 == 0 ? 0.0 : position(random);
    const double z = i % 89 == 0 ? 0.0 : position(random);
    Element element(y, z, width(random), width(random), owner, 1);
    element.tauY = shear(random);
    element.tauZ = i % 5 == 0 ? 0.0 : shear(random);
    elements.push_back(element);
  }
  updateElementResistances(elements);
  return elements;
}

// Design forces [N, Nmm]: within the resistance, beyond it by the axial
// force or by the moments, in tension, and from given starts.
struct Case {
  const char* what;
  ForceTriple design;
  StrainState start;
};
const Case kCases[] = {
    {"moderate compression", {-4e6, 2e8, -1e8}, {}},
    {"compression from a start nearby", {-4e6, 2e8, -1e8}, {-5e-4, 2e-6, -1e-6}},
    {"tension with bending", {2e6, -1e8, 5e7}, {}},
    {"pure moment", {0.0, 4e8, 0.0}, {}},
    {"beyond the axial resistance", {-9e7, 1e7, 1e7}, {}},
    {"beyond the bending resistance", {-5e6, 6e9, 3e9}, {}},
    {"beyond from a start", {-5e6, 6e9, 3e9}, {-1e-3, 1e-5, 1e-5}},
    {"beyond in tension", {6e7, 0.0, -1e9}, {}},
};

void expectSame(const StrainFallbackResult& fast, const StrainFallbackResult& plain) {
  EXPECT_EQ(fast.converged, plain.converged);
  EXPECT_EQ(fast.iterations, plain.iterations);
  EXPECT_EQ(bits(fast.strainState.epsX), bits(plain.strainState.epsX));
  EXPECT_EQ(bits(fast.strainState.kappaY), bits(plain.strainState.kappaY));
  EXPECT_EQ(bits(fast.strainState.kappaZ), bits(plain.strainState.kappaZ));
  EXPECT_EQ(bits(fast.resultForces.nx), bits(plain.resultForces.nx));
  EXPECT_EQ(bits(fast.resultForces.my), bits(plain.resultForces.my));
  EXPECT_EQ(bits(fast.resultForces.mz), bits(plain.resultForces.mz));
  EXPECT_EQ(fast.stressesWithinLimits, plain.stressesWithinLimits);
  EXPECT_EQ(fast.strainsWithinLimits, plain.strainsWithinLimits);
  EXPECT_EQ(fast.beyondResistance, plain.beyondResistance);
}

TEST(NewtonFastPath, TableOfLawsEqualsThePlainIteration) {
  int converged = 0;
  int beyond = 0;
  for (const bool withLinear : {false, true}) {
    std::ostringstream console;
    SectionModel model(console);
    const std::vector<Element> elements = scatteredSection(model, withLinear, withLinear ? 5u : 3u);
    const FibreTable fibres(elements);
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::string(c.what) + (withLinear ? ", with a linear law" : ""));
      const StrainFallbackResult plain = solveAndCheckStrainState(elements, c.design, 0.001, c.start);
      const StrainFallbackResult fast = solveAndCheckStrainState(elements, c.design, 0.001, c.start, &fibres);
      expectSame(fast, plain);
      converged += plain.converged ? 1 : 0;
      beyond += plain.beyondResistance ? 1 : 0;
    }
  }
  // The cases reach both outcomes, so both paths of the iteration ran.
  EXPECT_GE(converged, 4);
  EXPECT_GE(beyond, 3);
}

}  // namespace
}  // namespace colsec
