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

#include <cmath>

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

  // stressValue and tangentValue in one: one division and, for n = 2, one
  // power function per strain. Read into locals, so that writing the
  // results cannot make the compiler read the law again.
  void stressAndTangent(double strain, double& stress, double& tangent) const {
    const double c2 = epsC2, f = fcd, exponent = n, scale = tangentScale;
    if (strain > 0.0) {
      stress = 0.0;
      tangent = 0.0;
      return;
    }
    if (strain < c2) {
      stress = f;
      tangent = 0.0;
      return;
    }
    const double x = 1.0 - strain / c2;
    tangent = scale * power(x, exponent - 1.0);
    stress = strain >= 0.0 ? 0.0 : f * (1.0 - power(x, exponent));
  }

  // std::pow(x, e). For e = 1 that is x itself: the library's pow is
  // accurate to 0.52 ULP including its final rounding, which leaves no
  // other double for an exact result; the tangent of the usual exponent
  // n = 2 so costs no power function.
  static double power(double x, double e) { return e == 1.0 ? x : std::pow(x, e); }

  const double E;        // used only for the effective moduli
  const double fcd;      // negative
  const double fcdRedF;  // factor on fcd for the plastic strength
  const double epsC2;    // negative
  const double epsCu2;   // negative
  const double n;
  const double tangentScale;  // n·fcd/εc2, the tangent's constant factor
};

}  // namespace colsec
