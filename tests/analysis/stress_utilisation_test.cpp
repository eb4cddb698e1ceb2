// The utilisation of an element's own normal-stress limit: σ over the
// limit on σ's side, signed, so that ±1 is exactly at the limit.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/AnalysisFixtures.h"
#include "analysis/StressUtilisation.h"
#include "materials/Concrete1992_3171.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"

namespace colsec::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(StressUtilisation, AgainstTheLimitOnTheSideOfTheStress) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 1, 210000.0, 355.0, 81000.0);
  const auto* bars = s.addMaterial<Steel1992_327b>(2, 1, 200000.0, 435.0);
  // fcd given positive is stored negative; epsC2 0.002, epsCu2 0.0035, n 2.
  const auto* concrete = s.addMaterial<Concrete1992_3171>(3, 1, 33000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  const auto* linear = s.addMaterial<LinearMaterial>(4, 1, 210000.0, 100.0, -50.0, 81000.0, 60.0);
  Element& steelElement = s.addElement(0, 0, 10, 10, steel);
  Element& shearedSteel = s.addElement(10, 0, 10, 10, steel);
  // τ = 0.75 τlim: ρ = (2·0.75 − 1)² = 0.25, fy,red = 0.75·355 = 266.25.
  shearedSteel.tauComb = 0.75 * steel->shearLimit();
  Element& barElement = s.addElement(20, 0, 10, 10, bars);
  Element& concreteElement = s.addElement(30, 0, 10, 10, concrete);
  Element& linearElement = s.addElement(40, 0, 10, 10, linear);

  struct Case {
    const char* what;
    const Element* element;
    double sigma;
    double expected;
  } cases[] = {
      {"steel at fyd in tension", &steelElement, 355.0, 1.0},
      {"steel at fyd in compression", &steelElement, -355.0, -1.0},
      {"steel at half fyd", &steelElement, 177.5, 0.5},
      {"steel beyond fyd", &steelElement, 426.0, 1.2},
      {"sheared steel at its reduced strength", &shearedSteel, -266.25, -1.0},
      {"sheared steel at the unreduced fyd", &shearedSteel, 355.0, 355.0 / 266.25},
      {"bar at fyd", &barElement, -435.0, -1.0},
      {"concrete at fcd", &concreteElement, -20.0, -1.0},
      {"concrete at 94 % of fcd", &concreteElement, -18.8, -0.94},
      {"concrete beyond fcd", &concreteElement, -25.0, -1.25},
      {"concrete in tension carries nothing", &concreteElement, 0.0, 0.0},
      {"concrete has no tensile limit", &concreteElement, 1.0, kInf},
      {"LINEAR at its upper limit", &linearElement, 100.0, 1.0},
      {"LINEAR at its lower limit", &linearElement, -50.0, -1.0},
      {"LINEAR beyond its lower limit", &linearElement, -75.0, -1.5},
      {"LINEAR within its upper limit", &linearElement, 25.0, 0.25},
  };
  for (const Case& c : cases) {
    const double u = stressUtilisation(*c.element, c.sigma);
    if (std::isinf(c.expected)) {
      EXPECT_EQ(u, c.expected) << c.what;
    } else {
      EXPECT_NEAR(u, c.expected, 1e-12 * std::fabs(c.expected) + 1e-15) << c.what << ": σ = " << c.sigma;
    }
  }
}

}  // namespace
}  // namespace colsec::test
