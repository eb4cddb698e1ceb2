#pragma once
// Concrete, parabola-rectangle diagram of EN 1992-1-1 3.1.7 (1), (3.17):
//
//   σ = fcd·(1 − (1 − ε/εc2)^n)  for εc2 ≤ ε < 0
//   σ = fcd                      for ε < εc2 (also beyond εcu2)
//   σ = 0                        for ε ≥ 0 (no tensile strength)
//
//   |σ|
//   fcd +        ____________
//       |     .´
//       |   /
//       |  /
//       +-+----------+-----+--> |ε|
//         0         εc2   εcu2
//
// fcd, epsC2 and epsCu2 are stored negative whatever sign the input gives.
// Exceeding epsCu2 is found by the element strain check, not by the law.

#include <bit>
#include <cmath>
#include <cstdint>

#include "model/Material.h"

namespace colsec {

class Concrete1992_3171 final : public Material {
 public:
  Concrete1992_3171(std::int32_t number, std::int32_t priority, double E, double fcd, double fcdRedF, double epsC2,
                    double epsCu2, double n);

  double stressQuery(int code, double strain, double tauComb) const override;
  double shearQuery(int code, double gamma) const override;
  double tangentModulus(double strain, double tauComb) const override;
  double shearModulus(double gamma) const override;
  double ultimateStrain() const override;
  double effectiveModulus() const override;
  double effectiveModulusII() const override;
  std::string describe() const override;

  // The law itself, for callers that know the material's class.
  double stressValue(double strain) const {
    if (strain >= 0.0) return 0.0;
    if (strain < epsC2) return fcd;
    return fcd * (1.0 - power(1.0 - strain / epsC2, n));
  }
  double tangentValue(double strain) const {
    if (strain > 0.0 || strain < epsC2) return 0.0;
    return tangentScale * power(1.0 - strain / epsC2, n - 1.0);
  }

  // stressValue and tangentValue in one: one division per strain and, for
  // n = 2, the power function only next to a midpoint.
  void stressAndTangent(double strain, double& stress, double& tangent) const {
    if (!stressAndTangentUnlessNearMidpoint(strain, stress, tangent)) {
      stress = fcd * (1.0 - libraryPowTwo(1.0 - strain / epsC2));
    }
  }

  // stressAndTangent, except that for n = 2 a stress whose square lies next
  // to a midpoint is left unfinished: then it returns false, and
  // stressAndTangent gives the stress. Loops over many fibres call the
  // power function for those after the loop. Read into locals, so that
  // writing the results cannot make the compiler read the law again.
  bool stressAndTangentUnlessNearMidpoint(double strain, double& stress, double& tangent) const {
    const double c2 = epsC2, f = fcd, exponent = n, scale = tangentScale;
    if (strain > 0.0) {
      stress = 0.0;
      tangent = 0.0;
      return true;
    }
    if (strain < c2) {
      stress = f;
      tangent = 0.0;
      return true;
    }
    const double x = 1.0 - strain / c2;
    tangent = scale * power(x, exponent - 1.0);
    if (strain >= 0.0) {
      stress = 0.0;
      return true;
    }
    if (exponent != 2.0) {
      stress = f * (1.0 - power(x, exponent));
      return true;
    }
    double square = 0.0;
    const bool exact = squareIsPows(x, square);
    stress = f * (1.0 - square);
    return exact;
  }

  // std::pow(x, e), the same double, with the power function called only
  // where it has to be. The library's pow is accurate to 0.54 ULP at worst,
  // its final rounding included, so wherever one double lies closer than
  // 0.46 ULP to the exact power and every other one farther than 0.54 ULP,
  // pow returns that double:
  // - e = 1: x itself (exact);
  // - e = 2: x·x rounded, when the exact square is not near the midpoint
  //   between two doubles (nine squares in ten); the others go to pow.
  static double power(double x, double e) {
    if (e == 1.0) return x;
    if (e == 2.0) return powerTwo(x);
    return std::pow(x, e);
  }

  // std::pow(x, 2).
  static double powerTwo(double x) {
    double square = 0.0;
    return squareIsPows(x, square) ? square : libraryPowTwo(x);
  }

  // The library's own pow(x, 2), with an exponent the compiler cannot see:
  // it would otherwise replace the call by x·x.
  static double libraryPowTwo(double x) {
    volatile double two = 2.0;
    return std::pow(x, two);
  }

  // square = x·x rounded; true where that is pow(x, 2), that is where the
  // exact square lies closer than 0.45 ULP to it. Without branches on the
  // data, for loops over many fibres.
  static bool squareIsPows(double x, double& square) {
    square = x * x;
    // The rounding error of the square, exactly (Dekker's product with
    // Veltkamp's split; exact without fused operations while nothing
    // overflows or underflows: hence the range).
    const double magnitude = std::fabs(x);
    const bool inRange = magnitude >= 0x1p-400 && magnitude <= 0x1p400;
    const double split = 134217729.0 * x;  // 2^27 + 1
    const double high = split - (split - x);
    const double low = x - high;
    const double error = ((high * high - square) + 2.0 * high * low) + low * low;
    // One ULP of the square, which is normal here; a power of two has a
    // finer spacing below it and is left to pow.
    const auto bits = std::bit_cast<std::uint64_t>(square);
    const bool notPowerOfTwo = (bits & 0x000fffffffffffffULL) != 0;
    const double binade = std::bit_cast<double>(bits & 0x7ff0000000000000ULL);  // 2^exponent
    const bool nearest = std::fabs(error) * 0x1p52 < 0.45 * binade;
    return inRange & notPowerOfTwo & nearest;
  }

  const double E;        // used only for the effective moduli
  const double fcd;      // negative
  const double fcdRedF;  // factor on fcd for the plastic strength
  const double epsC2;    // negative
  const double epsCu2;   // negative
  const double n;
  const double tangentScale;  // n·fcd/εc2, the tangent's constant factor
};

}  // namespace colsec
