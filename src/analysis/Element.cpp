#include "analysis/Element.h"

#include <cmath>

#include "model/SinglePrecision.h"

namespace colsec {

Element::Element(double y, double z, double dy, double dz, const CellOwner& owner, std::int32_t profileNumber_)
    : Element(y, z, dy, dz, std::pow(dy, 3), std::pow(dz, 3), owner, profileNumber_) {}

Element::Element(double y, double z, double dy, double dz, double dyCubed, double dzCubed, const CellOwner& owner,
                 std::int32_t profileNumber_)
    : profileNumber(profileNumber_),
      material(owner.material),
      posY(y),
      posZ(z),
      dimY(dy),
      dimZ(dz),
      shearFactorY(owner.shearFactorY),
      shearFactorZ(owner.shearFactorZ),
      area(dy * dz),
      inertiaY(singleSquare(z) * area + dy * dzCubed / 12),
      inertiaZ(singleSquare(y) * area + dz * dyCubed / 12) {}

ForceTriple Element::internalForces(const StrainState& state) const {
  const double n = material->stressQuery(QueryValue, strainAt(state), tauComb) * area;
  return {n, n * posZ, n * posY};
}

SectionStiffness Element::tangentStiffness(const StrainState& state) const {
  const double et = material->tangentModulus(strainAt(state), tauComb);
  return {et * area, et * inertiaY, et * inertiaZ};
}

SectionStiffness Element::effectiveStiffness() const {
  const double e = material->effectiveModulus();
  return {e * area, e * inertiaY, e * inertiaZ};
}

SectionStiffness Element::effectiveStiffnessII() const {
  const double e = material->effectiveModulusII();
  return {e * area, e * inertiaY, e * inertiaZ};
}

ShearPair Element::shearForces(double gammaY, double gammaZ) const {
  return {material->shearQuery(QueryValue, gammaY) * shearFactorY * area,
          material->shearQuery(QueryValue, gammaZ) * shearFactorZ * area};
}

ShearPair Element::shearStiffness(double gammaY, double gammaZ) const {
  return {material->shearModulus(gammaY) * area * shearFactorY,
          material->shearModulus(gammaZ) * area * shearFactorZ};
}

ShearPair Element::plasticShear() const {
  const double tau = material->shearQuery(QueryPlasticUpper, 0.0);
  return {tau * shearFactorY * area, tau * shearFactorZ * area};
}

double combinedShearStress(double tauY, double tauZ) {
  const float ty = static_cast<float>(tauY);
  const float ty2 = ty * ty;
  const float sum = static_cast<float>(static_cast<double>(ty2) + tauZ * tauZ);
  return std::sqrt(static_cast<double>(sum));
}

void Element::updateResistance() {
  tauComb = combinedShearStress(tauY, tauZ);
  const double s1 = material->stressQuery(QueryPlasticUpper, 0.0, tauComb);
  const double s2 = material->stressQuery(QueryPlasticLower, 0.0, tauComb);
  plasticUpper = {s1 * area, s1 * area * posZ, s1 * area * posY};
  plasticLower = {s2 * area, s2 * area * posZ, s2 * area * posY};
}

}  // namespace colsec
