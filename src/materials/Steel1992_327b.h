#pragma once
// Reinforcing steel, EN 1992-1-1 3.2.7 (2) b: elastic-perfectly-plastic
// with the horizontal top branch at fyd. Carries no shear.

#include "materials/ElasticPlastic.h"
#include "model/Material.h"

namespace colsec {

class Steel1992_327b final : public Material {
 public:
  Steel1992_327b(std::int32_t number, std::int32_t priority, double E, double fyd);

  double stressQuery(int code, double strain, double tauComb) const override;
  double shearQuery(int code, double gamma) const override;
  double tangentModulus(double strain, double tauComb) const override;
  double shearModulus(double gamma) const override;
  double ultimateStrain() const override;
  double effectiveModulus() const override;
  double effectiveModulusII() const override;
  std::string describe() const override;

  // The law itself, for callers that know the material's class.
  double stressValue(double strain) const { return elasticPlasticStress(strain, fyd, E); }
  double tangentValue(double strain) const { return elasticPlasticTangent(strain, fyd, E); }

  const double E;
  const double fyd;
};

}  // namespace colsec
