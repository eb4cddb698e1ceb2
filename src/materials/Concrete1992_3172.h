#pragma once
// Concrete, bilinear diagram of EN 1992-1-1 3.1.7 (2). epsC2 and epsCu2
// play the roles of εc3 and εcu3; all three values are stored negative.
//
//   |σ|
//   fcd +       +-------------
//       |      /
//       |     /  branchModulus = |fcd/εc3|
//       +----+------+------+--> |ε|
//        0        εc3    εcu3

#include "model/Material.h"

namespace colsec {

class Concrete1992_3172 final : public Material {
 public:
  Concrete1992_3172(std::int32_t number, std::int32_t priority, double E, double fcd, double fcdRedF, double epsC2,
                    double epsCu2);

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
    if (strain > 0.0) return 0.0;
    if (strain >= epsC2) return strain * branchModulus;
    return fcd;
  }
  double tangentValue(double strain) const {
    if (strain > 0.0 || strain < epsC2) return 0.0;
    return branchModulus;
  }

  const double branchModulus;  // slope of the linear branch [N/mm²]
  const double E;              // used only for the effective moduli
  const double fcd;            // negative
  const double fcdRedF;
  const double epsC2;   // negative
  const double epsCu2;  // negative
};

}  // namespace colsec
