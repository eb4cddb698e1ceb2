// The strain iterations beyond the resistance on the solver's table of laws
// (plateaus skipped, line-search trials on forces alone) give the plain
// per-element iterations' bits: the full Newton of the fallback and of the
// member check, and the diagonal iteration to its limit.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <sstream>

#include "analysis/ElementResults.h"
#include "analysis/FibreTable.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "analysis/StrainFallback.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"

namespace colsec {
namespace {

std::vector<std::uint64_t> bits(std::initializer_list<double> values) {
  std::vector<std::uint64_t> result;
  for (const double v : values) result.push_back(std::bit_cast<std::uint64_t>(v));
  return result;
}

// A scattered section of the nonlinear laws (and optionally a linear one,
// which has no plateau), with shear stresses that reduce the structural steel.
void scatter(SectionModel& model, bool withLinear) {
  auto& m = model.materials;
  m.push_back(std::make_unique<Steel1993_543>(1, 5, 210000, 355, 81000));
  m.push_back(std::make_unique<Steel1992_327b>(2, 4, 200000, 435));
  m.push_back(std::make_unique<Concrete1992_3171>(3, 3, 33000, 17, 0.85, 0.002, 0.0035, 2));
  m.push_back(std::make_unique<Concrete1992_3171>(4, 2, 33000, 25, 1.0, 0.00175, 0.0035, 1.6));
  m.push_back(std::make_unique<Concrete1992_3172>(5, 1, 33000, 20, 1.0, 0.00175, 0.0035));
  if (withLinear) m.push_back(std::make_unique<LinearMaterial>(6, 0, 70000, 200, -150, 26000, 90));
  std::mt19937 random(withLinear ? 5 : 3);
  std::uniform_real_distribution<double> position(-200.0, 260.0), width(1.0, 9.0), shear(0.0, 150.0);
  for (int i = 0; i < 3000; ++i) {
    const CellOwner owner{1, m[random() % m.size()].get(), 0.0, 0.0};
    Element e(i % 97 == 0 ? 0.0 : position(random), i % 89 == 0 ? 0.0 : position(random), width(random),
              width(random), owner, 1);
    e.tauY = shear(random);
    e.tauZ = i % 5 == 0 ? 0.0 : shear(random);
    model.elements.push_back(e);
  }
  updateElementResistances(model.elements);
}

// Design forces [N, Nmm] within the resistance, beyond it by the axial
// force or by the moments, in tension, and from given starts.
const struct {
  const char* what;
  ForceTriple design;
  StrainState start;
} kCases[] = {{"compression", {-4e6, 2e8, -1e8}, {}},
              {"compression from a start", {-4e6, 2e8, -1e8}, {-5e-4, 2e-6, -1e-6}},
              {"tension with bending", {2e6, -1e8, 5e7}, {}},
              {"beyond by the axial force", {-9e7, 1e7, 1e7}, {}},
              {"beyond by the moments", {-5e6, 6e9, 3e9}, {}},
              {"beyond from a start", {-5e6, 6e9, 3e9}, {-1e-3, 1e-5, 1e-5}},
              {"beyond in tension", {6e7, 0.0, -1e9}, {}}};

TEST(BeyondTheResistance, TableOfLawsEqualsThePlainIterations) {
  int beyond = 0;
  for (const bool withLinear : {false, true}) {
    std::ostringstream console;
    SectionModel model(console);
    scatter(model, withLinear);
    const FibreTable fibres(model.elements);
    for (const auto& c : kCases) {
      SCOPED_TRACE(std::string(c.what) + (withLinear ? ", linear law" : ""));
      const StrainFallbackResult plain = solveAndCheckStrainState(model.elements, c.design, 0.001, c.start);
      const StrainFallbackResult fast = solveAndCheckStrainState(model.elements, c.design, 0.001, c.start, &fibres);
      const auto all = [](const StrainFallbackResult& f) {
        return bits({f.strainState.epsX, f.strainState.kappaY, f.strainState.kappaZ, f.resultForces.nx,
                     f.resultForces.my, f.resultForces.mz, 1.0 * f.iterations, 1.0 * f.converged,
                     1.0 * f.stressesWithinLimits, 1.0 * f.strainsWithinLimits, 1.0 * f.beyondResistance});
      };
      EXPECT_EQ(all(fast), all(plain));
      beyond += plain.beyondResistance ? 1 : 0;

      // The diagonal iteration, written plainly, to its limit.
      model.designForces = {c.design.nx, c.design.my, c.design.mz, 0.0, 0.0};
      StrainState state;
      ForceTriple forces, r{c.design.nx, c.design.my, c.design.mz};
      SectionStiffness k;
      for (int i = 1; i <= kStrainIterationLimit; ++i) {
        const SectionStiffness t = sectionTangentStiffness(model.elements, state);
        if (t.EAx != 0.0) k.EAx = t.EAx;
        if (t.EIy != 0.0) k.EIy = t.EIy;
        if (t.EIz != 0.0) k.EIz = t.EIz;
        if (k.EAx != 0.0) state.epsX = state.epsX + r.nx / k.EAx;
        if (k.EIy != 0.0) state.kappaY = state.kappaY + r.my / k.EIy;
        if (k.EIz != 0.0) state.kappaZ = state.kappaZ + r.mz / k.EIz;
        forces = sectionInternalForces(model.elements, state);
        r = {c.design.nx - forces.nx, c.design.my - forces.my, c.design.mz - forces.mz};
        if (1.0 >= std::fabs(r.nx) && 1e3 >= std::fabs(r.my) && 1e3 >= std::fabs(r.mz)) break;
      }
      runStressAnalysis(model, 0.001, console, console, &fibres);
      const StrainState& s = model.strainState;
      const SectionForces& f = model.resultForces;
      EXPECT_EQ(bits({s.epsX, s.kappaY, s.kappaZ, f.nx, f.my, f.mz}),
                bits({state.epsX, state.kappaY, state.kappaZ, forces.nx, forces.my, forces.mz}));
      for (const Element& e : model.elements) ASSERT_EQ(bits({e.sigX}), bits({e.stress(QueryValue, e.strainAt(state))}));
    }
  }
  EXPECT_GE(beyond, 3);  // both outcomes of the fallback were reached
}

}  // namespace
}  // namespace colsec
