#pragma once
// Linear elastic law with stress limits that are checked but never cap the
// stress. fyc is the lower limit itself (negative for compression).

#include "model/Material.h"

namespace colsec {

class LinearMaterial final : public Material {
 public:
  LinearMaterial(std::int32_t number, std::int32_t priority, double E, double fyt, double fyc, double G, double fys);

  double stressQuery(int code, double strain, double tauComb) const override;
  double shearQuery(int code, double gamma) const override;
  double tangentModulus(double strain, double tauComb) const override;
  double shearModulus(double gamma) const override;
  double ultimateStrain() const override;
  double effectiveModulus() const override;
  double effectiveModulusII() const override;
  std::string describe() const override;

  // The law itself, for callers that know the material's class.
  double stressValue(double strain) const { return strain * E; }
  double tangentValue() const { return E; }

  const double E;
  const double fyt;
  const double fyc;
  const double G;
  const double fys;
};

}  // namespace colsec
