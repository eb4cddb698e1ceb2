#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "analysis/AnalysisFixtures.h"
#include "analysis/ElementResults.h"
#include "report/Reports.h"
#include "materials/Concrete1992_3171.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1993_543.h"

namespace colsec {
namespace {

using test::TestSection;

constexpr double kSqrt3Single = 1.7320507764816284;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ElementResultsTest, ElementListLinesAreWrittenByteForByte) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  Element& a = s.addElement(145.0, -5.0, 10.0, 10.0, steel, 1.0, 1.0, 1);
  a.epsX = 0.00234;
  a.sigX = 235.0;
  Element& b = s.addElement(2.5e-5, -123.4567, 0.3333333333, 2.0, steel, 1.0, 1.0, 12);
  b.epsX = -1.5e-7;
  b.sigX = 1234567.0;
  b.tauY = 12.3456789;
  b.tauZ = -100000.0;
  std::ostringstream out;
  writeElementResults(out, s.model.elements, s.console);
  EXPECT_EQ(out.str(),
            "//Elements\n"
            "#ELEMENT PROF: 1 POS: 145 -5 DIM: 10 10 EPSx: 0.00234 sigX/tauY/Z: 235 0 0\n"
            "#ELEMENT PROF: 12 POS: 2.5e-05 -123.457 DIM: 0.333333 2 EPSx: -1.5e-07 sigX/tauY/Z: 1.23457e+06 12.3457 "
            "-100000\n");
  EXPECT_EQ(s.console.str(), "Writing Element Results\n");
}

TEST(ElementResultsTest, EmptySectionWritesOnlyTheHeaderAndKeepsBothFlags) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  std::ostringstream out;
  writeElementResults(out, s.model.elements, s.console);
  EXPECT_EQ(out.str(), "//Elements\n");
  s.model.stressesWithinLimits = false;
  s.model.strainsWithinLimits = false;
  checkElementLimits(s.model);
  EXPECT_TRUE(s.model.stressesWithinLimits);
  EXPECT_TRUE(s.model.strainsWithinLimits);
  collectMaterialExtremes(s.model, s.console);
  EXPECT_EQ(steel->maxSigma, -1e100);
  EXPECT_EQ(steel->minSigma, 1e100);
  EXPECT_EQ(steel->maxSigmaElement, nullptr);
}

enum class Law { Steel235, SteelTau80, Linear, Concrete };

struct LimitCase {
  const char* name;
  Law law;
  double sigX;
  double tauComb;
  double epsX;
  double shearFactor;  // both directions
  bool stressExceeded;
  bool strainExceeded;
};

const Material* makeMaterial(TestSection& s, Law law) {
  switch (law) {
    case Law::Steel235:
      return s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
    // fyd = 80·√3 (single-precision √3): shear limit exactly 80.
    case Law::SteelTau80:
      return s.addMaterial<Steel1993_543>(1, 10, 200000.0, 80.0 * kSqrt3Single, 80000.0);
    case Law::Linear:
      return s.addMaterial<LinearMaterial>(1, 1, 200000.0, 300.0, -200.0, 80000.0, 100.0);
    case Law::Concrete:
      return s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  }
  return nullptr;
}

TEST(ElementResultsTest, LimitChecksAreStrictAndUseTheShearReducedLimits) {
  const double fyd80 = 80.0 * kSqrt3Single;  // 138.564
  const double reduced = 0.75 * fyd80;       // τ = 60: q = 0.5, ρ = 0.25
  const double tauLim235 = 235.0 / kSqrt3Single;
  const LimitCase cases[] = {
      {"steel at +fyd", Law::Steel235, 235.0, 0.0, 0.001, 1.0, false, false},
      {"steel just above +fyd", Law::Steel235, std::nextafter(235.0, kInf), 0.0, 0.001, 1.0, true, false},
      {"steel at -fyd", Law::Steel235, -235.0, 0.0, -0.001, 1.0, false, false},
      {"steel just below -fyd", Law::Steel235, std::nextafter(-235.0, -kInf), 0.0, -0.001, 1.0, true, false},
      {"steel at its shear-reduced strength", Law::SteelTau80, reduced, 60.0, 0.01, 1.0, false, false},
      {"steel just above its reduced strength", Law::SteelTau80, std::nextafter(reduced, kInf), 60.0, 0.01, 1.0, true,
       false},
      {"steel below fyd but above the reduced strength", Law::SteelTau80, 120.0, 60.0, 0.01, 1.0, true, false},
      {"steel compressed beyond the reduced strength", Law::SteelTau80, -120.0, 60.0, -0.01, 1.0, true, false},
      {"shear exactly at the limit", Law::SteelTau80, 0.0, 80.0, 0.0, 1.0, false, false},
      {"shear just above the limit", Law::SteelTau80, 0.0, std::nextafter(80.0, kInf), 0.0, 1.0, true, false},
      // The shear check uses the material's limit 80, not 0.5·80.
      {"shear limit not multiplied by the shear factor", Law::SteelTau80, 0.0, 70.0, 0.0, 0.5, false, false},
      // Full shear strength in both directions: tauComb = √2·τlim.
      {"full shear strength in both directions", Law::Steel235, 0.0, std::sqrt(2.0) * tauLim235, 0.0, 1.0, true, false},
      {"steel compressed far beyond any strain", Law::Steel235, -235.0, 0.0, -0.5, 1.0, false, false},
      {"linear at fyt", Law::Linear, 300.0, 0.0, 0.0015, 1.0, false, false},
      {"linear above fyt (the law does not cap)", Law::Linear, 300.5, 0.0, 0.0015025, 1.0, true, false},
      {"linear at fyc", Law::Linear, -200.0, 0.0, -0.001, 1.0, false, false},
      {"linear below fyc", Law::Linear, -200.5, 0.0, -0.0010025, 1.0, true, false},
      {"linear shear at fys", Law::Linear, 0.0, 100.0, 0.0, 1.0, false, false},
      {"linear shear above fys", Law::Linear, 0.0, 100.5, 0.0, 1.0, true, false},
      {"linear strain has no limit", Law::Linear, -100.0, 0.0, -1.0, 1.0, false, false},
      {"concrete at fcd and at epsCu2", Law::Concrete, -20.0, 0.0, -0.0035, 0.0, false, false},
      {"concrete just beyond epsCu2", Law::Concrete, -20.0, 0.0, std::nextafter(-0.0035, -kInf), 0.0, false, true},
      {"concrete far beyond epsCu2", Law::Concrete, -20.0, 0.0, -0.01, 0.0, false, true},
      {"concrete in tension has no strain limit", Law::Concrete, 0.0, 0.0, 0.05, 0.0, false, false},
      {"concrete stress below fcd", Law::Concrete, -20.001, 0.0, -0.003, 0.0, true, false},
  };
  for (const LimitCase& c : cases) {
    TestSection s;
    Element& e = s.addElement(0.0, 0.0, 10.0, 10.0, makeMaterial(s, c.law), c.shearFactor, c.shearFactor);
    e.sigX = c.sigX;
    e.tauComb = c.tauComb;
    e.epsX = c.epsX;
    checkElementLimits(s.model);
    EXPECT_EQ(e.stressExceeded, c.stressExceeded) << c.name;
    EXPECT_EQ(e.strainExceeded, c.strainExceeded) << c.name;
    EXPECT_EQ(s.model.stressesWithinLimits, !c.stressExceeded) << c.name;
    EXPECT_EQ(s.model.strainsWithinLimits, !c.strainExceeded) << c.name;
  }
}

TEST(ElementResultsTest, OneFailingElementClearsTheSectionFlagsOnly) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  const auto* concrete = s.addMaterial<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  Element& ok = s.addElement(0.0, 0.0, 10.0, 10.0, steel);
  Element& over = s.addElement(10.0, 0.0, 10.0, 10.0, steel);
  Element& crushed = s.addElement(20.0, 0.0, 10.0, 10.0, concrete);
  Element& last = s.addElement(30.0, 0.0, 10.0, 10.0, concrete);
  ok.sigX = 100.0;
  over.sigX = 236.0;
  crushed.sigX = -20.0;
  crushed.epsX = -0.004;
  last.sigX = -10.0;
  last.epsX = -0.0005;
  checkElementLimits(s.model);
  EXPECT_FALSE(ok.stressExceeded);
  EXPECT_TRUE(over.stressExceeded);
  EXPECT_FALSE(crushed.stressExceeded);
  EXPECT_TRUE(crushed.strainExceeded);
  EXPECT_FALSE(last.strainExceeded);
  EXPECT_FALSE(s.model.stressesWithinLimits);
  EXPECT_FALSE(s.model.strainsWithinLimits);
}

TEST(ElementResultsTest, MaterialExtremesFollowTheTieRules) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  const auto* other = s.addMaterial<Steel1993_543>(2, 10, 200000.0, 355.0, 80000.0);
  const auto* unused = s.addMaterial<Concrete1992_3171>(3, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0);
  struct Values {
    const Material* material;
    double sigX, tauComb, epsX;
  };
  // Ties: largest sigX 30 at 1 and 3, smallest -5 at 4 and 6; tauComb 7 at
  // 1 and 3; largest epsX at 1 and 3, smallest at 4 and 6. The elements of
  // the other grade carry bigger values and must not count.
  const Values values[] = {
      {steel, 10.0, 0.0, 1e-3},  {steel, 30.0, 7.0, 2e-3},     {other, 300.0, 50.0, 9e-3}, {steel, 30.0, 7.0, 2e-3},
      {steel, -5.0, 3.0, -1e-3}, {other, -300.0, 60.0, -9e-3}, {steel, -5.0, 0.0, -1e-3},
  };
  for (const Values& v : values) {
    Element& e = s.addElement(0.0, 0.0, 10.0, 10.0, v.material);
    e.sigX = v.sigX;
    e.tauComb = v.tauComb;
    e.epsX = v.epsX;
  }
  collectMaterialExtremes(s.model, s.console);
  const std::vector<Element>& el = s.model.elements;
  EXPECT_EQ(s.console.str(), "Saving Material Results\n");
  EXPECT_EQ(steel->maxSigma, 30.0);
  EXPECT_EQ(steel->maxSigmaElement, &el[3]);  // last of the tie
  EXPECT_EQ(steel->minSigma, -5.0);
  EXPECT_EQ(steel->minSigmaElement, &el[6]);  // last of the tie
  EXPECT_EQ(steel->maxTau, 7.0);
  EXPECT_EQ(steel->maxTauElement, &el[3]);  // last of the tie
  EXPECT_EQ(steel->maxEps, 2e-3);
  EXPECT_EQ(steel->maxEpsElement, &el[1]);  // first of the tie
  EXPECT_EQ(steel->minEps, -1e-3);
  EXPECT_EQ(steel->minEpsElement, &el[4]);  // first of the tie
  EXPECT_EQ(other->maxSigmaElement, &el[2]);
  EXPECT_EQ(other->minSigmaElement, &el[5]);
  EXPECT_EQ(other->maxTauElement, &el[5]);
  EXPECT_EQ(other->maxEpsElement, &el[2]);
  EXPECT_EQ(other->minEpsElement, &el[5]);
  // A material without elements keeps its start values and no references.
  EXPECT_EQ(unused->maxSigma, -1e100);
  EXPECT_EQ(unused->minSigma, 1e100);
  EXPECT_EQ(unused->maxTau, -1e100);
  EXPECT_EQ(unused->maxEps, -1e100);
  EXPECT_EQ(unused->minEps, 1e100);
  for (const Element* ref : {unused->maxSigmaElement, unused->minSigmaElement, unused->maxTauElement,
                             unused->maxEpsElement, unused->minEpsElement}) {
    EXPECT_EQ(ref, nullptr);
  }
}

TEST(ElementResultsTest, OneElementSetsAllFiveExtremes) {
  TestSection s;
  const auto* steel = s.addMaterial<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0);
  s.addElement(0.0, 0.0, 10.0, 10.0, steel);  // all results 0
  collectMaterialExtremes(s.model, s.console);
  const Element* e = &s.model.elements[0];
  EXPECT_EQ(steel->maxSigmaElement, e);
  EXPECT_EQ(steel->minSigmaElement, e);
  EXPECT_EQ(steel->maxTauElement, e);
  EXPECT_EQ(steel->maxEpsElement, e);
  EXPECT_EQ(steel->minEpsElement, e);
  EXPECT_EQ(steel->maxSigma, 0.0);
  EXPECT_EQ(steel->minEps, 0.0);
}

struct DetailCase {
  const char* name;
  Law law;
  double shearFactorY, shearFactorZ, tauComb;
  const char* expected;
};

TEST(ElementResultsTest, ElementLimitLinesAreWrittenByteForByte) {
  // Steel 235: τlim = 235/1.7320508 = 135.677, times 2/π = 86.3749.
  // Steel with τlim = 80 under tauComb 60: limits ±0.75·138.564 = ±103.923.
  const DetailCase cases[] = {
      {"steel with a tube's shear factor", Law::Steel235, 1.0, 0.6366197723675814, 0.0,
       "\tin Element PosY/Z: -12.5 / 37.5\n\t\t\tSigmaX: -123.457 TauY: 4.5 TauZ: -0.25\n"
       "\t\t\tSigmaX Limits: -235/235 TauY/Z Limit: 135.677/86.3749\n"},
      {"steel under shear", Law::SteelTau80, 0.0, 1.0, 60.0,
       "\tin Element PosY/Z: -12.5 / 37.5\n\t\t\tSigmaX: -123.457 TauY: 4.5 TauZ: -0.25\n"
       "\t\t\tSigmaX Limits: -103.923/103.923 TauY/Z Limit: 0/80\n"},
      {"linear", Law::Linear, 1.0, 1.0, 0.0,
       "\tin Element PosY/Z: -12.5 / 37.5\n\t\t\tSigmaX: -123.457 TauY: 4.5 TauZ: -0.25\n"
       "\t\t\tSigmaX Limits: -200/300 TauY/Z Limit: 100/100\n"},
      {"concrete", Law::Concrete, 1.0, 1.0, 0.0,
       "\tin Element PosY/Z: -12.5 / 37.5\n\t\t\tSigmaX: -123.457 TauY: 4.5 TauZ: -0.25\n"
       "\t\t\tSigmaX Limits: -20/0 TauY/Z Limit: 0/0\n"},
  };
  for (const DetailCase& c : cases) {
    TestSection s;
    Element& e = s.addElement(-12.5, 37.5, 5.0, 5.0, makeMaterial(s, c.law), c.shearFactorY, c.shearFactorZ);
    e.sigX = -123.456789;
    e.tauY = 4.5;
    e.tauZ = -0.25;
    e.tauComb = c.tauComb;
    std::ostringstream out;
    writeElementLimits(out, e);
    EXPECT_EQ(out.str(), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace colsec
