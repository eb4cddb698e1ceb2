#pragma once
// One rectangular area element (fibre) of the discretised section.
// Lengths in mm, stresses in N/mm², forces in N, moments in Nmm.
// An element's axial force N contributes N·posZ to My and N·posY to Mz.

#include <cstdint>

#include "model/Material.h"
#include "model/Profile.h"
#include "model/Types.h"

namespace colsec {

class Element {
 public:
  Element(double y, double z, double dy, double dz, const CellOwner& owner, std::int32_t profileNumber);
  // The same with dy³ and dz³ (std::pow(d, 3)) given, for a grid whose
  // cells share their widths.
  Element(double y, double z, double dy, double dz, double dyCubed, double dzCubed, const CellOwner& owner,
          std::int32_t profileNumber);

  // Axial strain at the centre: (kappaY·posZ + epsX) + kappaZ·posY.
  double strainAt(const StrainState& state) const {
    return (state.kappaY * posZ + state.epsX) + state.kappaZ * posY;
  }

  double stress(int code, double strain) const { return material->stressQuery(code, strain, tauComb); }
  double shearStressY(int code, double gamma) const { return material->shearQuery(code, gamma) * shearFactorY; }
  double shearStressZ(int code, double gamma) const { return material->shearQuery(code, gamma) * shearFactorZ; }

  ForceTriple internalForces(const StrainState& state) const;
  SectionStiffness tangentStiffness(const StrainState& state) const;
  SectionStiffness effectiveStiffness() const;
  SectionStiffness effectiveStiffnessII() const;
  ShearPair shearForces(double gammaY, double gammaZ) const;
  ShearPair shearStiffness(double gammaY, double gammaZ) const;
  ShearPair plasticShear() const;

  // The stored plastic triple for a neutral axis: compression on the side
  // d > 0, tension on the line and beyond it.
  const ForceTriple& plasticFor(const NeutralAxisLine& line) const {
    const double d = (posY - line.pointY) * line.dirZ - (posZ - line.pointZ) * line.dirY;
    if (line.tolerance > (d < 0 ? -d : d)) return plasticZero;
    return d > 0 ? plasticLower : plasticUpper;
  }

  // Combined shear stress and the shear-reduced plastic triples; called
  // once, after the shear stresses are known.
  void updateResistance();

  std::int32_t profileNumber;
  // Next to the profile number, where they fill what would be padding.
  bool stressExceeded = false;
  bool strainExceeded = false;
  const Material* material;  // owned by the section model's materials
  double posY;
  double posZ;
  double dimY;
  double dimZ;
  double shearFactorY;
  double shearFactorZ;
  double area;
  double inertiaY;  // about the section's y axis [mm⁴]
  double inertiaZ;  // about the section's z axis [mm⁴]
  ForceTriple plasticUpper;
  ForceTriple plasticLower;
  // The triple of an element on the line: zero for every element, so it
  // takes no room in each of a million elements.
  static constexpr ForceTriple plasticZero{0.0, 0.0, 0.0};
  double sigX = 0.0;
  double tauY = 0.0;
  double tauZ = 0.0;
  double epsX = 0.0;
  double tauComb = 0.0;
};

// Combined shear stress sqrt(tauY² + tauZ²) with tauY² and the sum held in
// single precision.
double combinedShearStress(double tauY, double tauZ);

}  // namespace colsec
