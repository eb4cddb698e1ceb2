#pragma once
// Abstract uniaxial stress-strain law with its shear law, strengths and
// limits. Stresses and moduli in N/mm², strains dimensionless; tension
// positive, compressive strengths and strains of concrete negative.

#include <cstdint>
#include <string>

namespace colsec {

class Element;

// Code argument of stressQuery and shearQuery. Any other code yields 0.
enum QueryCode : int {
  QueryValue = 0,         // stress for the given strain
  QueryPlasticUpper = 1,  // plastic strength, tension side
  QueryPlasticLower = 2,  // plastic strength, compression side (negative)
  QueryLimitUpper = 3,    // upper limit of the element check
  QueryLimitLower = 4,    // lower limit of the element check
};

// The family of a law, as the material-law table declares it
// (materials/MaterialLaws.h).
enum MaterialKind : std::int32_t {
  MaterialLinear = 0,
  MaterialSteel = 1,
  MaterialConcrete = 2,
};

class Material {
 public:
  Material(bool hasStrainLimit, std::int32_t number, std::int32_t priority);
  virtual ~Material() = default;
  Material(const Material&) = delete;
  Material& operator=(const Material&) = delete;

  // Normal stress or strength; tauComb is the element's combined shear stress.
  virtual double stressQuery(int code, double strain, double tauComb) const = 0;
  // Shear stress or shear strength for a shear strain.
  virtual double shearQuery(int code, double gamma) const = 0;
  virtual double tangentModulus(double strain, double tauComb) const = 0;
  virtual double shearModulus(double gamma) const = 0;
  // Ultimate compressive strain (negative), 0 where the law has none.
  virtual double ultimateStrain() const = 0;
  // Modulus for (EI)eff, EN 1994-1-1 6.7.3.3.
  virtual double effectiveModulus() const = 0;
  // Modulus for (EI)eff,II, EN 1994-1-1 6.7.3.4.
  virtual double effectiveModulusII() const = 0;
  // Description for the input summary of the report.
  virtual std::string describe() const = 0;

  const bool hasStrainLimit;
  const std::int32_t number;
  // Where profiles overlap the highest priority owns the area; only
  // priorities above -1000 can own anything.
  const std::int32_t priority;

  // Extremes over the material's elements, written once after the strain
  // solution. The elements are owned by the section model; empty when the
  // material owns no element.
  double maxSigma = -1e100;
  double minSigma = 1e100;
  double maxTau = -1e100;
  double maxEps = -1e100;
  double minEps = 1e100;
  const Element* maxSigmaElement = nullptr;
  const Element* minSigmaElement = nullptr;
  const Element* maxTauElement = nullptr;
  const Element* maxEpsElement = nullptr;
  const Element* minEpsElement = nullptr;
};

}  // namespace colsec
