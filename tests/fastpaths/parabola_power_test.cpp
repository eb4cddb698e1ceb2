// The parabola-rectangle law's fast path: stress and tangent in one pass,
// the exponent 2 as x·x where that is provably pow's double and the
// exponent 1 as the base itself, against the plain law with pow, bit for bit.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "materials/Concrete1992_3171.h"

namespace colsec {
namespace {

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(ParabolaFastPath, StressAndTangentTogetherEqualTheLawsWithPow) {
  std::mt19937_64 random(11);
  for (const double exponent : {2.0, 1.6, 1.0, 1.75}) {
    volatile double opaque = exponent;  // hidden from the compiler, which turns pow(x, 2) into x·x
    const double n = opaque;
    const Concrete1992_3171 law(1, 1, 33000, 20, 1.0, 0.002, 0.0035, n);
    std::uniform_real_distribution<double> strain(-0.0045, 0.0005);
    std::vector<double> strains{0.0, -0.0, 0.0005, -0.002, -0.0020000000000000005, -0.0035, -0.001, std::nan("")};
    for (int i = 0; i < 200000; ++i) strains.push_back(strain(random));
    for (const double e : strains) {
      const double x = 1.0 - e / law.epsC2;
      const double plainStress = e >= 0.0 ? 0.0 : e < law.epsC2 ? law.fcd : law.fcd * (1.0 - std::pow(x, n));
      const double plainTangent = e > 0.0 || e < law.epsC2 ? 0.0 : (n * law.fcd / law.epsC2) * std::pow(x, n - 1.0);
      SCOPED_TRACE("n = " + std::to_string(n) + ", strain " + std::to_string(e));
      double stress = 0.0, tangent = 0.0, quickStress = 0.0, quickTangent = 0.0;
      law.stressAndTangent(e, stress, tangent);
      EXPECT_EQ(bits(stress), bits(plainStress));
      EXPECT_EQ(bits(tangent), bits(plainTangent));
      EXPECT_EQ(bits(law.stressValue(e)), bits(plainStress));
      EXPECT_EQ(bits(law.tangentValue(e)), bits(plainTangent));
      if (law.stressAndTangentUnlessNearMidpoint(e, quickStress, quickTangent)) {
        EXPECT_EQ(bits(quickStress), bits(plainStress));
      }
      EXPECT_EQ(bits(quickTangent), bits(plainTangent));
    }
  }
}

// x·x differs from pow's double about once in a thousand, next to a midpoint.
TEST(ParabolaFastPath, PowerTwoIsTheLibrarysPowAndPowerOneTheBase) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_real_distribution<double> wide(-1100.0, 1100.0);
  volatile double two = 2.0, one = 1.0;
  int differs = 0;
  for (int i = 0; i < 3000000; ++i) {
    const double x = i % 3 == 0 ? std::exp2(wide(random)) : unit(random);
    const double library = std::pow(x, two);
    if (library != x * x) ++differs;
    ASSERT_EQ(bits(Concrete1992_3171::power(x, 2.0)), bits(library)) << std::hexfloat << x;
    ASSERT_EQ(bits(std::pow(x, one)), bits(x)) << std::hexfloat << x;  // what the law relies on
  }
  EXPECT_GT(differs, 100) << "the cases where x·x is not pow's double were met";
  for (const double x : {0.0, -0.0, 1.0, 0.5, 0x1p-600, 0x1p600, 0x1p-1074, 1.0 - 0x1p-53, std::sqrt(0.5)}) {
    EXPECT_EQ(bits(Concrete1992_3171::power(x, 2.0)), bits(std::pow(x, two))) << x;
    EXPECT_EQ(bits(std::pow(x, one)), bits(x)) << x;
  }
}

}  // namespace
}  // namespace colsec
