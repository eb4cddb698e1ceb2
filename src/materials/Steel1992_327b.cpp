#include "materials/Steel1992_327b.h"

#include <sstream>

#include "materials/ElasticPlastic.h"

namespace colsec {

Steel1992_327b::Steel1992_327b(std::int32_t number_, std::int32_t priority_, double E_, double fyd_)
    : Material(false, number_, priority_), E(E_), fyd(fyd_) {}

double Steel1992_327b::stressQuery(int code, double strain, double /*tauComb*/) const {
  switch (code) {
    case QueryValue: return stressValue(strain);
    case QueryPlasticUpper:
    case QueryLimitUpper: return fyd;
    case QueryPlasticLower:
    case QueryLimitLower: return -fyd;
    default: return 0.0;
  }
}

double Steel1992_327b::shearQuery(int /*code*/, double /*gamma*/) const { return 0.0; }
double Steel1992_327b::tangentModulus(double strain, double /*tauComb*/) const {
  return tangentValue(strain);
}
double Steel1992_327b::shearModulus(double /*gamma*/) const { return 0.0; }
double Steel1992_327b::ultimateStrain() const { return 0.0; }
double Steel1992_327b::effectiveModulus() const { return E; }
double Steel1992_327b::effectiveModulusII() const { return 0.9 * E; }

std::string Steel1992_327b::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Model: Steel1992_327b: Priority=" << priority << "\n\tE=" << E << "\tfyd=" << fyd
       << "\n";
  return text.str();
}

}  // namespace colsec
