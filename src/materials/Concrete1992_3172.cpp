#include "materials/Concrete1992_3172.h"

#include <cmath>
#include <sstream>

namespace colsec {

Concrete1992_3172::Concrete1992_3172(std::int32_t number_, std::int32_t priority_, double E_, double fcd_,
                                     double fcdRedF_, double epsC2_, double epsCu2_)
    : Material(true, number_, priority_),
      branchModulus(std::fabs(-std::fabs(fcd_) / -std::fabs(epsC2_))),
      E(E_),
      fcd(-std::fabs(fcd_)),
      fcdRedF(fcdRedF_),
      epsC2(-std::fabs(epsC2_)),
      epsCu2(-std::fabs(epsCu2_)) {}

double Concrete1992_3172::stressQuery(int code, double strain, double /*tauComb*/) const {
  switch (code) {
    case QueryValue: return stressValue(strain);
    case QueryPlasticLower: return fcdRedF * fcd;
    case QueryLimitLower: return fcd;
    default: return 0.0;
  }
}

double Concrete1992_3172::shearQuery(int /*code*/, double /*gamma*/) const { return 0.0; }

double Concrete1992_3172::tangentModulus(double strain, double /*tauComb*/) const {
  return tangentValue(strain);
}

double Concrete1992_3172::shearModulus(double /*gamma*/) const { return 0.0; }
double Concrete1992_3172::ultimateStrain() const { return epsCu2; }
double Concrete1992_3172::effectiveModulus() const { return 0.6 * E; }
double Concrete1992_3172::effectiveModulusII() const { return 0.45 * E; }

std::string Concrete1992_3172::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Model: Concrete1992_3172 Priority= " << priority << "\n\tE=" << E << "\tfcd=" << fcd
       << "\tfcdRedF=" << fcdRedF << "\tepsC2=" << epsC2 << "\tepsCu2=" << epsCu2 << "\n";
  return text.str();
}

}  // namespace colsec
