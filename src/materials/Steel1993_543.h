#pragma once
// Structural steel, elastic-perfectly-plastic, with the yield strength
// reduced by the element's combined shear stress (EN 1994-1-1, 6.2.2.4):
// f(τ) = (1 − ρ)·fyd, ρ = (2·|τ|/τlim − 1)², τlim = fyd/√3. The shear law
// is elastic-plastic with modulus G and limit τlim. G = 0 switches the
// shear reduction and the shear law off.

#include "materials/ElasticPlastic.h"
#include "model/Material.h"

namespace colsec {

class Steel1993_543 final : public Material {
 public:
  Steel1993_543(std::int32_t number, std::int32_t priority, double E, double fyd, double G);

  double stressQuery(int code, double strain, double tauComb) const override;
  double shearQuery(int code, double gamma) const override;
  double tangentModulus(double strain, double tauComb) const override;
  double shearModulus(double gamma) const override;
  double ultimateStrain() const override;
  double effectiveModulus() const override;
  double effectiveModulusII() const override;
  std::string describe() const override;

  // Yield strength under the combined shear stress tauComb.
  double reducedStrength(double tauComb) const;
  // Plastic shear strength fyd/√3 (√3 in single precision).
  double shearLimit() const;
  // The law for a yield strength already reduced by the shear stress.
  double stressValue(double strain, double strength) const { return elasticPlasticStress(strain, strength, E); }
  double tangentValue(double strain, double strength) const { return elasticPlasticTangent(strain, strength, E); }

  const double E;
  const double fyd;
  const double G;
};

}  // namespace colsec
