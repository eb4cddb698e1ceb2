// The five stress-strain laws: every query code, the yield and branch
// boundaries, the shear-reduced strength of structural steel, tangents
// against finite differences, and the description texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <random>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/MaterialLaws.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"

namespace colsec {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// √3 rounded to single precision, as the shear strength uses it.
constexpr double kSqrt3Single = 1.7320507764816284;

double up(double x) { return std::nextafter(x, kInf); }
double down(double x) { return std::nextafter(x, -kInf); }

// One expected answer of stressQuery or shearQuery.
struct QueryCase {
  const char* what;
  int code;
  double argument;  // strain or gamma
  double tauComb;   // ignored by shearQuery
  double expected;
};

void checkStress(const Material& m, const std::vector<QueryCase>& cases) {
  for (const QueryCase& c : cases) {
    EXPECT_DOUBLE_EQ(m.stressQuery(c.code, c.argument, c.tauComb), c.expected)
        << c.what << ": stressQuery(" << c.code << ", " << c.argument << ", " << c.tauComb << ")";
  }
}

void checkShear(const Material& m, const std::vector<QueryCase>& cases) {
  for (const QueryCase& c : cases) {
    EXPECT_DOUBLE_EQ(m.shearQuery(c.code, c.argument), c.expected)
        << c.what << ": shearQuery(" << c.code << ", " << c.argument << ")";
  }
}

// ---------------------------------------------------------------------------
// Base fields set by each law.

TEST(MaterialBaseTest, KindStrainLimitNumberPriorityAndInitialExtremes) {
  struct KindCase {
    const char* name;
    std::unique_ptr<Material> material;
    MaterialKind kind;
    bool hasStrainLimit;
  };
  std::vector<KindCase> cases;
  cases.push_back({"LINEAR", std::make_unique<LinearMaterial>(11, -3, 210000, 300, -250, 81000, 150),
                   MaterialLinear, false});
  cases.push_back({"Steel1993_543", std::make_unique<Steel1993_543>(11, -3, 210000, 235, 81000), MaterialSteel,
                   false});
  cases.push_back({"Steel1992_327b", std::make_unique<Steel1992_327b>(11, -3, 200000, 435), MaterialSteel, false});
  cases.push_back({"Concrete1992_3171",
                   std::make_unique<Concrete1992_3171>(11, -3, 33000, 20, 0.85, 0.002, 0.0035, 2),
                   MaterialConcrete, true});
  cases.push_back({"Concrete1992_3172",
                   std::make_unique<Concrete1992_3172>(11, -3, 33000, 20, 0.85, 0.00175, 0.0035), MaterialConcrete,
                   true});
  for (const KindCase& c : cases) {
    const Material& m = *c.material;
    ASSERT_NE(lawOf(m), nullptr) << c.name;
    EXPECT_EQ(lawOf(m)->kind, c.kind) << c.name;
    EXPECT_EQ(m.hasStrainLimit, c.hasStrainLimit) << c.name;
    EXPECT_EQ(m.number, 11) << c.name;
    EXPECT_EQ(m.priority, -3) << c.name;
    EXPECT_EQ(m.maxSigma, -1e100) << c.name;
    EXPECT_EQ(m.minSigma, 1e100) << c.name;
    EXPECT_EQ(m.maxTau, -1e100) << c.name;
    EXPECT_EQ(m.maxEps, -1e100) << c.name;
    EXPECT_EQ(m.minEps, 1e100) << c.name;
    EXPECT_EQ(m.maxSigmaElement, nullptr) << c.name;
    EXPECT_EQ(m.minSigmaElement, nullptr) << c.name;
    EXPECT_EQ(m.maxTauElement, nullptr) << c.name;
    EXPECT_EQ(m.maxEpsElement, nullptr) << c.name;
    EXPECT_EQ(m.minEpsElement, nullptr) << c.name;
  }
}

// Codes outside 0..4 answer 0 in every law, whatever the arguments.
TEST(MaterialBaseTest, UnknownCodesGiveZeroEverywhere) {
  std::vector<std::unique_ptr<Material>> laws;
  laws.push_back(std::make_unique<LinearMaterial>(1, 1, 210000, 300, -250, 81000, 150));
  laws.push_back(std::make_unique<Steel1993_543>(2, 1, 210000, 235, 81000));
  laws.push_back(std::make_unique<Steel1992_327b>(3, 1, 200000, 435));
  laws.push_back(std::make_unique<Concrete1992_3171>(4, 1, 33000, 20, 0.85, 0.002, 0.0035, 2));
  laws.push_back(std::make_unique<Concrete1992_3172>(5, 1, 33000, 20, 0.85, 0.00175, 0.0035));
  const int codes[] = {5, -1, 6, 100, -100};
  const double arguments[] = {0.0, 0.001, -0.001, 0.05, -0.05};
  for (const auto& law : laws) {
    for (int code : codes) {
      for (double a : arguments) {
        EXPECT_EQ(law->stressQuery(code, a, 0.0), 0.0) << law->describe() << "code " << code << " strain " << a;
        EXPECT_EQ(law->stressQuery(code, a, 100.0), 0.0) << law->describe() << "code " << code << " strain " << a;
        EXPECT_EQ(law->shearQuery(code, a), 0.0) << law->describe() << "code " << code << " gamma " << a;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// LinearMaterial

TEST(LinearMaterialTest, AnswersEveryCode) {
  const LinearMaterial m(1, 3, 210000, 300, -250, 81000, 150);
  checkStress(m, {
                     {"elastic tension", QueryValue, 0.001, 0, 210.0},
                     {"beyond fyt, not clamped", QueryValue, 0.01, 0, 2100.0},
                     {"beyond fyc, not clamped", QueryValue, -0.01, 0, -2100.0},
                     {"zero strain", QueryValue, 0.0, 0, 0.0},
                     {"tauComb is ignored", QueryValue, 0.001, 500, 210.0},
                     {"no plastic strength, tension", QueryPlasticUpper, 0, 0, 0.0},
                     {"no plastic strength, compression", QueryPlasticLower, 0, 0, 0.0},
                     {"upper limit", QueryLimitUpper, 0, 0, 300.0},
                     {"lower limit as stored", QueryLimitLower, 0, 0, -250.0},
                 });
  checkShear(m, {
                    {"elastic shear", QueryValue, 0.001, 0, 81.0},
                    {"beyond fys, not clamped", QueryValue, 0.01, 0, 810.0},
                    {"negative shear", QueryValue, -0.01, 0, -810.0},
                    {"no plastic shear, upper", QueryPlasticUpper, 0, 0, 0.0},
                    {"no plastic shear, lower", QueryPlasticLower, 0, 0, 0.0},
                    {"shear limit upper", QueryLimitUpper, 0, 0, 150.0},
                    {"shear limit lower", QueryLimitLower, 0, 0, -150.0},
                });
  const double strains[] = {-1.0, -0.01, 0.0, 0.001, 1.0};
  for (double e : strains) {
    EXPECT_EQ(m.tangentModulus(e, 0.0), 210000.0) << "strain " << e;
    EXPECT_EQ(m.tangentModulus(e, 200.0), 210000.0) << "strain " << e;
    EXPECT_EQ(m.shearModulus(e), 81000.0) << "gamma " << e;
  }
  EXPECT_EQ(m.ultimateStrain(), 0.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulus(), 210000.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulusII(), 189000.0);
}

// fyc is the lower limit itself: a positive value is returned unchanged,
// not turned into a compressive limit.
TEST(LinearMaterialTest, LowerLimitKeepsItsSign) {
  const LinearMaterial m(1, 3, 1000, 40, 25, 400, 10);
  EXPECT_EQ(m.stressQuery(QueryLimitLower, 0, 0), 25.0);
  EXPECT_EQ(m.stressQuery(QueryLimitUpper, 0, 0), 40.0);
  EXPECT_EQ(m.fyc, 25.0);
}

// ---------------------------------------------------------------------------
// Steel1992_327b

TEST(Steel1992_327bTest, AnswersEveryCode) {
  const Steel1992_327b m(3, 4, 200000, 435);
  checkStress(m, {
                     {"elastic", QueryValue, 0.001, 0, 200.0},
                     {"elastic compression", QueryValue, -0.001, 0, -200.0},
                     {"yielded tension", QueryValue, 0.01, 0, 435.0},
                     {"yielded compression", QueryValue, -0.01, 0, -435.0},
                     {"tauComb is ignored", QueryValue, 0.01, 1000, 435.0},
                     {"plastic upper", QueryPlasticUpper, 0, 0, 435.0},
                     {"plastic lower", QueryPlasticLower, 0, 0, -435.0},
                     {"plastic upper ignores tauComb", QueryPlasticUpper, 0, 250, 435.0},
                     {"limit upper", QueryLimitUpper, 0, 0, 435.0},
                     {"limit lower", QueryLimitLower, 0, 0, -435.0},
                 });
  for (int code = 0; code <= 4; ++code) {
    EXPECT_EQ(m.shearQuery(code, 0.001), 0.0) << "code " << code;
    EXPECT_EQ(m.shearQuery(code, 0.0), 0.0) << "code " << code;
  }
  EXPECT_EQ(m.shearModulus(0.0), 0.0);
  EXPECT_EQ(m.shearModulus(0.001), 0.0);
  EXPECT_EQ(m.tangentModulus(0.001, 0), 200000.0);
  EXPECT_EQ(m.tangentModulus(0.01, 0), 0.0);
  EXPECT_EQ(m.tangentModulus(-0.01, 0), 0.0);
  EXPECT_EQ(m.ultimateStrain(), 0.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulus(), 200000.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulusII(), 180000.0);
}

// The yield tests are strict: exactly fyd/E is still elastic (stress ε·E,
// which is not exactly fyd after rounding), one rounding step further is
// plastic.
TEST(SteelYieldTest, ExactYieldStrainIsElasticOneStepBeyondIsPlastic) {
  struct SteelCase {
    const char* name;
    std::unique_ptr<Material> law;
    double E;
    double fyd;
  };
  std::vector<SteelCase> cases;
  cases.push_back({"Steel1992_327b", std::make_unique<Steel1992_327b>(1, 1, 200000, 435), 200000, 435});
  cases.push_back({"Steel1993_543", std::make_unique<Steel1993_543>(1, 1, 210000, 235, 81000), 210000, 235});
  cases.push_back({"Steel1993_543 G=0", std::make_unique<Steel1993_543>(1, 1, 210000, 355, 0), 210000, 355});
  for (const SteelCase& c : cases) {
    const double ey = c.fyd / c.E;
    const Material& m = *c.law;
    EXPECT_EQ(m.stressQuery(QueryValue, ey, 0), ey * c.E) << c.name;
    EXPECT_EQ(m.tangentModulus(ey, 0), c.E) << c.name;
    EXPECT_EQ(m.stressQuery(QueryValue, up(ey), 0), c.fyd) << c.name;
    EXPECT_EQ(m.tangentModulus(up(ey), 0), 0.0) << c.name;

    EXPECT_EQ(m.stressQuery(QueryValue, -ey, 0), -ey * c.E) << c.name;
    EXPECT_EQ(m.tangentModulus(-ey, 0), c.E) << c.name;
    EXPECT_EQ(m.stressQuery(QueryValue, down(-ey), 0), -c.fyd) << c.name;
    EXPECT_EQ(m.tangentModulus(down(-ey), 0), 0.0) << c.name;
  }
  // The rounded products really differ from fyd here, so the checks
  // above see which branch was taken.
  EXPECT_NE(235.0 / 210000.0 * 210000.0, 235.0);
  EXPECT_NE(435.0 / 200000.0 * 200000.0, 435.0);
}

// ---------------------------------------------------------------------------
// Steel1993_543

TEST(Steel1993_543Test, AnswersEveryCodeWithoutShear) {
  const Steel1993_543 m(2, 5, 210000, 235, 81000);
  const double tauLim = 235 / kSqrt3Single;
  checkStress(m, {
                     {"elastic", QueryValue, 0.001, 0, 210.0},
                     {"yielded tension", QueryValue, 0.01, 0, 235.0},
                     {"yielded compression", QueryValue, -0.01, 0, -235.0},
                     {"plastic upper", QueryPlasticUpper, 0, 0, 235.0},
                     {"plastic lower", QueryPlasticLower, 0, 0, -235.0},
                     {"limit upper", QueryLimitUpper, 0, 0, 235.0},
                     {"limit lower", QueryLimitLower, 0, 0, -235.0},
                 });
  checkShear(m, {
                    {"elastic shear", QueryValue, 0.001, 0, 81.0},
                    {"elastic shear, negative", QueryValue, -0.001, 0, -81.0},
                    {"yielded shear", QueryValue, 0.01, 0, tauLim},
                    {"yielded shear, negative", QueryValue, -0.01, 0, -tauLim},
                    {"plastic upper", QueryPlasticUpper, 0, 0, tauLim},
                    {"plastic lower", QueryPlasticLower, 0, 0, -tauLim},
                    {"limit upper", QueryLimitUpper, 0, 0, tauLim},
                    {"limit lower", QueryLimitLower, 0, 0, -tauLim},
                });
  EXPECT_EQ(m.shearLimit(), tauLim);
  EXPECT_EQ(m.ultimateStrain(), 0.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulus(), 210000.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulusII(), 189000.0);
}

// τlim uses √3 in single precision: 235/1.7320507764816284, which differs
// from 235/√3 in double in the last digits.
TEST(Steel1993_543Test, ShearLimitUsesSinglePrecisionRootThree) {
  const Steel1993_543 m(2, 5, 210000, 235, 81000);
  EXPECT_EQ(m.shearLimit(), 235.0 / 1.7320507764816284);
  EXPECT_NE(m.shearLimit(), 235.0 / std::sqrt(3.0));
  EXPECT_EQ(m.shearQuery(QueryPlasticUpper, 0), 235.0 / 1.7320507764816284);
  // Independent of G and of any strain argument.
  const Steel1993_543 noShear(2, 5, 210000, 235, 0);
  EXPECT_EQ(noShear.shearQuery(QueryPlasticUpper, 0), 235.0 / 1.7320507764816284);
  EXPECT_EQ(noShear.shearQuery(QueryLimitLower, 0), -235.0 / 1.7320507764816284);
}

TEST(Steel1993_543Test, ShearLawIsElasticPlasticWithStrictTests) {
  const Steel1993_543 m(2, 5, 210000, 235, 81000);
  const double tauLim = 235.0 / kSqrt3Single;
  const double gy = tauLim / 81000.0;
  EXPECT_EQ(m.shearQuery(QueryValue, gy), gy * 81000.0);
  EXPECT_EQ(m.shearModulus(gy), 81000.0);
  EXPECT_EQ(m.shearQuery(QueryValue, up(gy)), tauLim);
  EXPECT_EQ(m.shearModulus(up(gy)), 0.0);
  EXPECT_EQ(m.shearQuery(QueryValue, -gy), -gy * 81000.0);
  EXPECT_EQ(m.shearModulus(-gy), 81000.0);
  EXPECT_EQ(m.shearQuery(QueryValue, down(-gy)), -tauLim);
  EXPECT_EQ(m.shearModulus(down(-gy)), 0.0);
  EXPECT_EQ(m.shearModulus(0.0), 81000.0);
}

// The shear-reduced yield strength f(τ) = fyd·(1.0 − ρ), with q and ρ held
// in single precision and 1 − ρ formed in double. The expected values were
// worked out step by step for fyd = 235:
//   τlim = 235/1.7320507764816284 = 135.6773156947299
//   τ = 100: q = float(2·100/τlim − 1) = float(0.47408...),
//            ρ = float(q·q), f = 235·(1 − ρ) = 182.18202777206898
// Forming everything in double would give 182.18202515521048, 1 − ρ in
// single precision 182.18203127384186, √3 in double 182.18202076852322;
// EXPECT_DOUBLE_EQ separates all of these.
TEST(Steel1993_543Test, ReducedStrengthFollowsTheSinglePrecisionSteps) {
  const Steel1993_543 m(2, 5, 210000, 235, 81000);
  const double tauLim = 235.0 / kSqrt3Single;
  struct ReductionCase {
    const char* what;
    double tau;
    double expected;
  };
  const ReductionCase cases[] = {
      {"no shear", 0.0, 235.0},
      {"just below half of tauLim", down(0.5 * tauLim), 235.0},
      {"exactly half of tauLim (q = 0)", 0.5 * tauLim, 235.0},
      {"tau = 80", 80.0, 227.44774919003248},
      {"tau = -80 uses |tau|", -80.0, 227.44774919003248},
      {"tau = 100", 100.0, 182.18202777206898},
      {"tau = 120", 120.0, 96.06525599956512},
      {"three quarters of tauLim: q = 0.5, rho = 0.25", 0.75 * tauLim, 176.25},
      {"minus three quarters of tauLim", -0.75 * tauLim, 176.25},
      {"tau = tauLim", tauLim, 0.0},
      {"beyond tauLim stays 0", 1.5 * tauLim, 0.0},
      {"far beyond tauLim stays 0", 1000.0, 0.0},
      {"negative beyond tauLim", -2.0 * tauLim, 0.0},
  };
  for (const ReductionCase& c : cases) {
    const double f = m.reducedStrength(c.tau);
    EXPECT_DOUBLE_EQ(f, c.expected) << c.what << " (tau " << c.tau << ")";
    // The stress queries compute the same strength afresh on every call.
    EXPECT_DOUBLE_EQ(m.stressQuery(QueryPlasticUpper, 0, c.tau), c.expected) << c.what;
    EXPECT_DOUBLE_EQ(m.stressQuery(QueryPlasticLower, 0, c.tau), -c.expected) << c.what;
    EXPECT_DOUBLE_EQ(m.stressQuery(QueryLimitUpper, 0, c.tau), c.expected) << c.what;
    EXPECT_DOUBLE_EQ(m.stressQuery(QueryLimitLower, 0, c.tau), -c.expected) << c.what;
    EXPECT_DOUBLE_EQ(m.stressQuery(QueryValue, 0.05, c.tau), c.expected) << c.what;
    EXPECT_DOUBLE_EQ(m.stressQuery(QueryValue, -0.05, c.tau), -c.expected) << c.what;
  }
}

TEST(Steel1993_543Test, ReducedStrengthMovesTheYieldStrain) {
  const Steel1993_543 m(2, 5, 210000, 235, 81000);
  const double tau = 0.75 * (235.0 / kSqrt3Single);
  const double ey = 176.25 / 210000.0;
  EXPECT_EQ(m.stressQuery(QueryValue, ey, tau), ey * 210000.0);
  EXPECT_EQ(m.tangentModulus(ey, tau), 210000.0);
  EXPECT_EQ(m.stressQuery(QueryValue, up(ey), tau), 176.25);
  EXPECT_EQ(m.tangentModulus(up(ey), tau), 0.0);
  EXPECT_EQ(m.stressQuery(QueryValue, down(-ey), tau), -176.25);
  EXPECT_EQ(m.tangentModulus(down(-ey), tau), 0.0);
  // Without shear the same strain is well inside the elastic range.
  EXPECT_EQ(m.tangentModulus(up(ey), 0.0), 210000.0);
  EXPECT_DOUBLE_EQ(m.stressQuery(QueryValue, 0.001, tau), 176.25);
  EXPECT_DOUBLE_EQ(m.stressQuery(QueryValue, 0.001, 0.0), 210.0);
}

// At |τ| = τlim the strength is 0: no stress at any strain, and the tangent
// is E only at a strain of exactly 0 (0 > 0/E is false).
TEST(Steel1993_543Test, FullyShearedSteelCarriesNoNormalStress) {
  const Steel1993_543 m(2, 5, 210000, 235, 81000);
  const double tauLim = 235.0 / kSqrt3Single;
  const double strains[] = {-0.01, -1e-6, down(0.0), up(0.0), 1e-6, 0.01};
  for (double e : strains) {
    EXPECT_EQ(m.stressQuery(QueryValue, e, tauLim), 0.0) << "strain " << e;
    EXPECT_EQ(m.tangentModulus(e, tauLim), 0.0) << "strain " << e;
  }
  EXPECT_EQ(m.stressQuery(QueryValue, 0.0, tauLim), 0.0);
  EXPECT_EQ(m.tangentModulus(0.0, tauLim), 210000.0);
}

// G = 0 switches the shear reduction and the shear law off.
TEST(Steel1993_543Test, ZeroShearModulusMeansNoReduction) {
  const Steel1993_543 m(2, 5, 210000, 235, 0);
  const double tauLim = 235.0 / kSqrt3Single;
  const double taus[] = {0.0, 0.75 * tauLim, tauLim, 2.0 * tauLim, -tauLim};
  for (double tau : taus) {
    EXPECT_EQ(m.reducedStrength(tau), 235.0) << "tau " << tau;
    EXPECT_EQ(m.stressQuery(QueryPlasticUpper, 0, tau), 235.0) << "tau " << tau;
    EXPECT_EQ(m.stressQuery(QueryValue, 0.01, tau), 235.0) << "tau " << tau;
    EXPECT_EQ(m.stressQuery(QueryValue, -0.01, tau), -235.0) << "tau " << tau;
    EXPECT_EQ(m.tangentModulus(0.001, tau), 210000.0) << "tau " << tau;
  }
  const double gammas[] = {-1.0, -0.001, 0.0, 0.001, 1.0};
  for (double g : gammas) {
    EXPECT_EQ(m.shearQuery(QueryValue, g), 0.0) << "gamma " << g;
    EXPECT_EQ(m.shearModulus(g), 0.0) << "gamma " << g;
  }
}

// ---------------------------------------------------------------------------
// Concrete1992_3171 (parabola-rectangle)

// The parabola's stress and tangent in one pass, and its exponent 1 taken
// as the base itself, give the bits of the two separate laws with pow.
TEST(Concrete1992_3171Test, StressAndTangentTogetherEqualTheLawsWithPow) {
  std::mt19937_64 random(11);
  for (const double exponent : {2.0, 1.6, 1.0, 1.75}) {
    // Hidden from the compiler, which would turn pow(x, 2) into x·x.
    volatile double opaque = exponent;
    const double n = opaque;
    const Concrete1992_3171 law(1, 1, 33000, 20, 1.0, 0.002, 0.0035, n);
    std::uniform_real_distribution<double> strain(-0.0045, 0.0005);
    std::vector<double> strains{0.0, -0.0, 0.0005, -0.002, -0.0020000000000000005, -0.0035, -0.001, std::nan("")};
    for (int i = 0; i < 200000; ++i) strains.push_back(strain(random));
    for (const double e : strains) {
      double stress = 0.0;
      double tangent = 0.0;
      law.stressAndTangent(e, stress, tangent);
      const double x = 1.0 - e / law.epsC2;
      const double plainStress = e >= 0.0 ? 0.0 : e < law.epsC2 ? law.fcd : law.fcd * (1.0 - std::pow(x, n));
      const double plainTangent =
          e > 0.0 || e < law.epsC2 ? 0.0 : (n * law.fcd / law.epsC2) * std::pow(x, n - 1.0);
      SCOPED_TRACE("n = " + std::to_string(n) + ", strain " + std::to_string(e));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(stress), std::bit_cast<std::uint64_t>(plainStress));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(tangent), std::bit_cast<std::uint64_t>(plainTangent));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(law.stressValue(e)), std::bit_cast<std::uint64_t>(plainStress));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(law.tangentValue(e)), std::bit_cast<std::uint64_t>(plainTangent));
      double quickStress = 0.0;
      double quickTangent = 0.0;
      if (law.stressAndTangentUnlessNearMidpoint(e, quickStress, quickTangent)) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(quickStress), std::bit_cast<std::uint64_t>(plainStress));
      }
      EXPECT_EQ(std::bit_cast<std::uint64_t>(quickTangent), std::bit_cast<std::uint64_t>(plainTangent));
    }
  }
}

// The square of the parabola is pow's own double: x·x where that is
// provably the same, pow next to a midpoint, where the two differ about
// once in a thousand.
TEST(Concrete1992_3171Test, PowerTwoIsTheLibrarysPow) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_real_distribution<double> wide(-1100.0, 1100.0);
  volatile double two = 2.0;
  int differs = 0;
  for (int i = 0; i < 3000000; ++i) {
    const double x = i % 3 == 0 ? std::exp2(wide(random)) : unit(random);
    const double library = std::pow(x, two);
    if (library != x * x) ++differs;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(Concrete1992_3171::power(x, 2.0)), std::bit_cast<std::uint64_t>(library))
        << std::hexfloat << x;
  }
  EXPECT_GT(differs, 100) << "the cases where x·x is not pow's double were met";
  for (const double x : {0.0, -0.0, 1.0, 0.5, 0x1p-600, 0x1p600, 0x1p-1074, 1.0 - 0x1p-53, std::sqrt(0.5)}) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Concrete1992_3171::power(x, 2.0)),
              std::bit_cast<std::uint64_t>(std::pow(x, two)))
        << x;
  }
}

// What the law relies on: pow(x, 1) is x. The library's bound of 0.52 ULP
// including its rounding leaves no other double; checked here on the
// bases a parabola meets (1 - ε/εc2 in [0, 1]) and beyond.
TEST(Concrete1992_3171Test, PowerOfOneIsTheBaseItself) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_real_distribution<double> wide(-300.0, 300.0);
  volatile double one = 1.0;  // not folded by the compiler
  for (int i = 0; i < 2000000; ++i) {
    const double x = i % 2 == 0 ? unit(random) : std::exp2(wide(random));
    ASSERT_EQ(std::bit_cast<std::uint64_t>(std::pow(x, one)), std::bit_cast<std::uint64_t>(x)) << x;
  }
  for (const double x : {0.0, 1.0, 0.5, 0.25, 0x1p-1022, 0x1p-1074, 1.0 - 0x1p-53}) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(std::pow(x, one)), std::bit_cast<std::uint64_t>(x)) << x;
  }
}

TEST(Concrete1992_3171Test, StoresCompressiveValuesNegativeWhateverTheInputSign) {
  const Concrete1992_3171 positive(4, 1, 33000, 20, 0.85, 0.002, 0.0035, 2);
  const Concrete1992_3171 negative(4, 1, 33000, -20, 0.85, -0.002, -0.0035, 2);
  const Concrete1992_3171 mixed(4, 1, 33000, -20, 0.85, 0.002, -0.0035, 2);
  for (const Concrete1992_3171* m : {&positive, &negative, &mixed}) {
    EXPECT_EQ(m->fcd, -20.0);
    EXPECT_EQ(m->epsC2, -0.002);
    EXPECT_EQ(m->epsCu2, -0.0035);
    EXPECT_EQ(m->E, 33000.0);
    EXPECT_EQ(m->fcdRedF, 0.85);
    EXPECT_EQ(m->n, 2.0);
    EXPECT_EQ(m->stressQuery(QueryValue, -0.001, 0), -15.0);
    EXPECT_EQ(m->ultimateStrain(), -0.0035);
    EXPECT_EQ(m->describe(),
              "Pos.4 Model: Concrete1992_3171 Priority= 1\n\tE=33000\tfcd=-20\tfcdRedF=0.85\tepsC2=-0.002"
              "\tepsCu2=-0.0035\tn=2\n");
  }
}

TEST(Concrete1992_3171Test, AnswersEveryCode) {
  const Concrete1992_3171 m(4, 1, 33000, 20, 0.85, 0.002, 0.0035, 2);
  checkStress(m, {
                     // fcd·(1 − (1 − ε/εc2)²) = −20·(1 − 0.5²) = −15
                     {"half of epsC2", QueryValue, -0.001, 0, -15.0},
                     // −20·(1 − 0.75²) = −8.75
                     {"quarter of epsC2", QueryValue, -0.0005, 0, -8.75},
                     {"zero strain", QueryValue, 0.0, 0, 0.0},
                     {"tension carries nothing", QueryValue, 0.001, 0, 0.0},
                     {"at epsC2", QueryValue, -0.002, 0, -20.0},
                     {"just beyond epsC2", QueryValue, down(-0.002), 0, -20.0},
                     {"beyond epsCu2 still fcd", QueryValue, -0.007, 0, -20.0},
                     {"tauComb is ignored", QueryValue, -0.001, 200, -15.0},
                     {"no tensile strength", QueryPlasticUpper, 0, 0, 0.0},
                     {"plastic compression fcdRedF*fcd", QueryPlasticLower, 0, 0, 0.85 * -20.0},
                     {"upper limit", QueryLimitUpper, 0, 0, 0.0},
                     {"lower limit fcd", QueryLimitLower, 0, 0, -20.0},
                 });
  for (int code = 0; code <= 4; ++code) {
    EXPECT_EQ(m.shearQuery(code, 0.001), 0.0) << "code " << code;
  }
  EXPECT_EQ(m.shearModulus(0.001), 0.0);
  EXPECT_EQ(m.shearModulus(0.0), 0.0);
  EXPECT_EQ(m.ultimateStrain(), -0.0035);
  EXPECT_DOUBLE_EQ(m.effectiveModulus(), 19800.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulusII(), 14850.0);
}

// Tangent n·fcd/εc2·(1 − ε/εc2)^(n−1) on the parabola, 0 in tension and
// beyond εc2; the initial tangent is kept at ε = 0 itself.
TEST(Concrete1992_3171Test, TangentOnAndOffTheParabola) {
  const Concrete1992_3171 m(4, 1, 33000, 20, 0.85, 0.002, 0.0035, 2);
  struct TangentCase {
    const char* what;
    double strain;
    double expected;
  };
  const TangentCase cases[] = {
      {"initial tangent at 0: 2*20/0.002", 0.0, 20000.0},
      {"half of epsC2: 20000*0.5", -0.001, 10000.0},
      {"quarter of epsC2: 20000*0.75", -0.0005, 15000.0},
      {"at epsC2 the parabola is flat", -0.002, 0.0},
      {"beyond epsC2", -0.0025, 0.0},
      {"twice epsCu2", -0.007, 0.0},
      {"tension", 0.001, 0.0},
      {"smallest tension", up(0.0), 0.0},
  };
  for (const TangentCase& c : cases) {
    EXPECT_DOUBLE_EQ(m.tangentModulus(c.strain, 0.0), c.expected) << c.what << " (strain " << c.strain << ")";
  }
}

TEST(Concrete1992_3171Test, RealExponent) {
  const Concrete1992_3171 m(4, 1, 30000, 25, 1.0, 0.002, 0.0035, 1.5);
  // −25·(1 − 0.5^1.5) and (1.5·25/0.002)·0.5^0.5
  EXPECT_NEAR(m.stressQuery(QueryValue, -0.001, 0), -25.0 * (1.0 - 0.35355339059327373), 1e-12);
  EXPECT_NEAR(m.tangentModulus(-0.001, 0), 18750.0 * 0.70710678118654752, 1e-9);
  EXPECT_NEAR(m.tangentModulus(0.0, 0), 18750.0, 1e-9);
}

// ---------------------------------------------------------------------------
// Concrete1992_3172 (bilinear)

TEST(Concrete1992_3172Test, StoresNegativeValuesAndBranchModulus) {
  const Concrete1992_3172 positive(5, 2, 33000, 20, 0.85, 0.00175, 0.0035);
  const Concrete1992_3172 negative(5, 2, 33000, -20, 0.85, -0.00175, -0.0035);
  for (const Concrete1992_3172* m : {&positive, &negative}) {
    EXPECT_EQ(m->fcd, -20.0);
    EXPECT_EQ(m->epsC2, -0.00175);
    EXPECT_EQ(m->epsCu2, -0.0035);
    // |−20 / −0.00175| = 11428.571428...
    EXPECT_DOUBLE_EQ(m->branchModulus, 20.0 / 0.00175);
    EXPECT_NEAR(m->branchModulus, 11428.6, 0.05);
    EXPECT_EQ(m->describe(),
              "Pos.5 Model: Concrete1992_3172 Priority= 2\n\tE=33000\tfcd=-20\tfcdRedF=0.85\tepsC2=-0.00175"
              "\tepsCu2=-0.0035\n");
  }
}

TEST(Concrete1992_3172Test, AnswersEveryCode) {
  const Concrete1992_3172 m(5, 2, 33000, 20, 0.85, 0.00175, 0.0035);
  const double slope = 20.0 / 0.00175;
  checkStress(m, {
                     {"on the branch: -0.001*11428.57", QueryValue, -0.001, 0, -0.001 * slope},
                     {"beyond epsC2", QueryValue, -0.003, 0, -20.0},
                     {"beyond epsCu2 still fcd", QueryValue, -0.01, 0, -20.0},
                     {"just beyond epsC2", QueryValue, down(-0.00175), 0, -20.0},
                     {"zero strain", QueryValue, 0.0, 0, 0.0},
                     {"tension", QueryValue, 0.001, 0, 0.0},
                     {"no tensile strength", QueryPlasticUpper, 0, 0, 0.0},
                     {"plastic compression", QueryPlasticLower, 0, 0, 0.85 * -20.0},
                     {"upper limit", QueryLimitUpper, 0, 0, 0.0},
                     {"lower limit", QueryLimitLower, 0, 0, -20.0},
                 });
  EXPECT_NEAR(m.stressQuery(QueryValue, -0.001, 0), -11.43, 0.005);
  // Exactly at epsC2 the branch still applies: ε·branchModulus.
  EXPECT_EQ(m.stressQuery(QueryValue, -0.00175, 0), -0.00175 * m.branchModulus);
  for (int code = 0; code <= 4; ++code) {
    EXPECT_EQ(m.shearQuery(code, 0.001), 0.0) << "code " << code;
  }
  EXPECT_EQ(m.shearModulus(0.001), 0.0);
  EXPECT_EQ(m.ultimateStrain(), -0.0035);
  EXPECT_DOUBLE_EQ(m.effectiveModulus(), 19800.0);
  EXPECT_DOUBLE_EQ(m.effectiveModulusII(), 14850.0);
}

// With fcd 30 and epsC2 0.00175 the branch at epsC2 gives
// −0.00175·(30/0.00175) = −29.999999999999996, not fcd: the test at epsC2
// is inclusive on the branch side.
TEST(Concrete1992_3172Test, BranchIncludesEpsC2) {
  const Concrete1992_3172 m(5, 2, 33000, 30, 1.0, 0.00175, 0.0035);
  const double atEpsC2 = -0.00175 * (30.0 / 0.00175);
  ASSERT_NE(atEpsC2, -30.0);
  EXPECT_EQ(m.stressQuery(QueryValue, -0.00175, 0), atEpsC2);
  EXPECT_EQ(m.stressQuery(QueryValue, down(-0.00175), 0), -30.0);
}

TEST(Concrete1992_3172Test, TangentIsBranchModulusOnTheBranchOnly) {
  const Concrete1992_3172 m(5, 2, 33000, 20, 0.85, 0.00175, 0.0035);
  const double slope = 20.0 / 0.00175;
  struct TangentCase {
    const char* what;
    double strain;
    double expected;
  };
  const TangentCase cases[] = {
      {"zero strain", 0.0, slope},
      {"on the branch", -0.001, slope},
      {"at epsC2", -0.00175, slope},
      {"just beyond epsC2", down(-0.00175), 0.0},
      {"beyond epsCu2", -0.01, 0.0},
      {"smallest tension", up(0.0), 0.0},
      {"tension", 0.002, 0.0},
  };
  for (const TangentCase& c : cases) {
    EXPECT_DOUBLE_EQ(m.tangentModulus(c.strain, 0.0), c.expected) << c.what << " (strain " << c.strain << ")";
  }
}

// ---------------------------------------------------------------------------
// Tangent moduli against a symmetric finite difference of the stress law,
// at strains away from the kinks.

TEST(TangentModulusTest, MatchesSymmetricFiniteDifference) {
  const LinearMaterial linear(1, 1, 210000, 300, -250, 81000, 150);
  const Steel1993_543 steel(2, 1, 210000, 235, 81000);
  const Steel1992_327b rebar(3, 1, 200000, 435);
  const Concrete1992_3171 parabola2(4, 1, 33000, 20, 0.85, 0.002, 0.0035, 2);
  const Concrete1992_3171 parabola15(4, 1, 33000, 30, 0.85, 0.0021, 0.0035, 1.5);
  const Concrete1992_3171 parabola175(4, 1, 33000, 45, 0.85, 0.0022, 0.0031, 1.75);
  const Concrete1992_3172 bilinear(5, 1, 33000, 20, 0.85, 0.00175, 0.0035);
  const double tauLim = 235.0 / kSqrt3Single;
  struct FdCase {
    const char* what;
    const Material* law;
    double strain;
    double tauComb;
  };
  const FdCase cases[] = {
      {"linear, tension beyond fyt", &linear, 0.003, 0},
      {"linear, compression", &linear, -0.0004, 0},
      {"steel elastic", &steel, 0.0005, 0},
      {"steel elastic compression", &steel, -0.0009, 0},
      {"steel plastic", &steel, 0.002, 0},
      {"steel plastic compression", &steel, -0.02, 0},
      {"steel sheared, elastic", &steel, 0.0005, 0.75 * tauLim},
      {"steel sheared, plastic", &steel, 0.001, 0.75 * tauLim},
      {"rebar elastic", &rebar, 0.002, 0},
      {"rebar plastic", &rebar, -0.003, 0},
      {"parabola n=2 near 0", &parabola2, -0.0002, 0},
      {"parabola n=2 middle", &parabola2, -0.0011, 0},
      {"parabola n=2 near epsC2", &parabola2, -0.0019, 0},
      {"parabola n=2 plateau", &parabola2, -0.003, 0},
      {"parabola n=2 tension", &parabola2, 0.0005, 0},
      {"parabola n=1.5", &parabola15, -0.0007, 0},
      {"parabola n=1.5 near epsC2", &parabola15, -0.0018, 0},
      {"parabola n=1.75", &parabola175, -0.0013, 0},
      {"bilinear branch", &bilinear, -0.001, 0},
      {"bilinear plateau", &bilinear, -0.0025, 0},
      {"bilinear tension", &bilinear, 0.001, 0},
  };
  const double h = 1e-8;
  for (const FdCase& c : cases) {
    const double fd = (c.law->stressQuery(QueryValue, c.strain + h, c.tauComb) -
                       c.law->stressQuery(QueryValue, c.strain - h, c.tauComb)) /
                      (2 * h);
    const double et = c.law->tangentModulus(c.strain, c.tauComb);
    EXPECT_NEAR(et, fd, 1e-5 * std::max(1.0, std::fabs(fd))) << c.what << " (strain " << c.strain << ")";
  }
}

// The shear modulus of the one law with a shear law, the same way.
TEST(TangentModulusTest, ShearModulusMatchesFiniteDifference) {
  const Steel1993_543 steel(2, 1, 210000, 235, 81000);
  const LinearMaterial linear(1, 1, 210000, 300, -250, 81000, 150);
  const double gammas[] = {-0.01, -0.001, 0.0005, 0.0015, 0.02};
  const double h = 1e-8;
  for (const Material* law : {static_cast<const Material*>(&steel), static_cast<const Material*>(&linear)}) {
    for (double g : gammas) {
      const double fd = (law->shearQuery(QueryValue, g + h) - law->shearQuery(QueryValue, g - h)) / (2 * h);
      EXPECT_NEAR(law->shearModulus(g), fd, 1e-5 * std::max(1.0, std::fabs(fd)))
          << law->describe() << "gamma " << g;
    }
  }
}

// ---------------------------------------------------------------------------
// Description texts, byte for byte.

TEST(MaterialDescribeTest, TextsOfEveryLaw) {
  struct DescribeCase {
    std::unique_ptr<Material> law;
    std::string expected;
  };
  std::vector<DescribeCase> cases;
  cases.push_back({std::make_unique<Steel1992_327b>(3, 4, 200000, 435),
                   "Pos.3 Model: Steel1992_327b: Priority=4\n\tE=200000\tfyd=435\n"});
  cases.push_back({std::make_unique<Steel1992_327b>(-7, -2, 2.1e6, 434.78260869565),
                   "Pos.-7 Model: Steel1992_327b: Priority=-2\n\tE=2.1e+06\tfyd=434.783\n"});
  cases.push_back({std::make_unique<Steel1993_543>(2, 5, 210000, 235, 81000),
                   "Pos.2 Model: Steel1993_543: Priority=5\n\tE=210000\tG=81000\tfyd=235\n"});
  cases.push_back({std::make_unique<Steel1993_543>(12, 0, 1234567, 355.5, 0),
                   "Pos.12 Model: Steel1993_543: Priority=0\n\tE=1.23457e+06\tG=0\tfyd=355.5\n"});
  cases.push_back({std::make_unique<LinearMaterial>(1, 3, 210000, 300, -250, 81000, 150),
                   "Pos.1 Model: LINEAR: Priority=3\n\tE=210000\tG=81000\tfyt=300\tfyc=-250\tfys=150\n"});
  cases.push_back({std::make_unique<LinearMaterial>(9, 1, 0.5, 1e-5, 0.0001, 1e20, -0.25),
                   "Pos.9 Model: LINEAR: Priority=1\n\tE=0.5\tG=1e+20\tfyt=1e-05\tfyc=0.0001\tfys=-0.25\n"});
  cases.push_back({std::make_unique<Concrete1992_3172>(5, 1, 33000, 20, 0.85, 0.00175, 0.0035),
                   "Pos.5 Model: Concrete1992_3172 Priority= 1\n\tE=33000\tfcd=-20\tfcdRedF=0.85\tepsC2=-0.00175"
                   "\tepsCu2=-0.0035\n"});
  cases.push_back({std::make_unique<Concrete1992_3171>(6, 1, 33000, 20, 0.85, 0.002, 0.0035, 2),
                   "Pos.6 Model: Concrete1992_3171 Priority= 1\n\tE=33000\tfcd=-20\tfcdRedF=0.85\tepsC2=-0.002"
                   "\tepsCu2=-0.0035\tn=2\n"});
  cases.push_back({std::make_unique<Concrete1992_3171>(6, -1, 31475.8, -17.0, 1.0, 0.00245, -0.0031, 1.75),
                   "Pos.6 Model: Concrete1992_3171 Priority= -1\n\tE=31475.8\tfcd=-17\tfcdRedF=1\tepsC2=-0.00245"
                   "\tepsCu2=-0.0031\tn=1.75\n"});
  for (const DescribeCase& c : cases) {
    EXPECT_EQ(c.law->describe(), c.expected);
  }
}

}  // namespace
}  // namespace colsec
