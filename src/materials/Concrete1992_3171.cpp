#include "materials/Concrete1992_3171.h"

#include <cmath>
#include <sstream>

namespace colsec {

Concrete1992_3171::Concrete1992_3171(std::int32_t number_, std::int32_t priority_, double E_, double fcd_,
                                     double fcdRedF_, double epsC2_, double epsCu2_, double n_)
    : Material(true, number_, priority_),
      E(E_),
      fcd(-std::fabs(fcd_)),
      fcdRedF(fcdRedF_),
      epsC2(-std::fabs(epsC2_)),
      epsCu2(-std::fabs(epsCu2_)),
      n(n_),
      tangentScale(n * fcd / epsC2) {}

double Concrete1992_3171::stressQuery(int code, double strain, double /*tauComb*/) const {
  switch (code) {
    case QueryValue: return stressValue(strain);
    case QueryPlasticLower: return fcdRedF * fcd;
    case QueryLimitLower: return fcd;
    default: return 0.0;  // no tensile strength
  }
}

double Concrete1992_3171::shearQuery(int /*code*/, double /*gamma*/) const { return 0.0; }

double Concrete1992_3171::tangentModulus(double strain, double /*tauComb*/) const {
  return tangentValue(strain);
}

double Concrete1992_3171::shearModulus(double /*gamma*/) const { return 0.0; }
double Concrete1992_3171::ultimateStrain() const { return epsCu2; }
double Concrete1992_3171::effectiveModulus() const { return 0.6 * E; }
double Concrete1992_3171::effectiveModulusII() const { return 0.45 * E; }

std::string Concrete1992_3171::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Model: Concrete1992_3171 Priority= " << priority << "\n\tE=" << E << "\tfcd=" << fcd
       << "\tfcdRedF=" << fcdRedF << "\tepsC2=" << epsC2 << "\tepsCu2=" << epsCu2 << "\tn=" << n << "\n";
  return text.str();
}

}  // namespace colsec
