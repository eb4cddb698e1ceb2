#include "materials/LinearMaterial.h"

#include <sstream>

namespace colsec {

LinearMaterial::LinearMaterial(std::int32_t number_, std::int32_t priority_, double E_, double fyt_, double fyc_,
                               double G_, double fys_)
    : Material(false, number_, priority_), E(E_), fyt(fyt_), fyc(fyc_), G(G_), fys(fys_) {}

double LinearMaterial::stressQuery(int code, double strain, double /*tauComb*/) const {
  switch (code) {
    case QueryValue: return stressValue(strain);
    case QueryLimitUpper: return fyt;
    case QueryLimitLower: return fyc;
    default: return 0.0;  // no plastic strength
  }
}

double LinearMaterial::shearQuery(int code, double gamma) const {
  switch (code) {
    case QueryValue: return gamma * G;
    case QueryLimitUpper: return fys;
    case QueryLimitLower: return -fys;
    default: return 0.0;
  }
}

double LinearMaterial::tangentModulus(double /*strain*/, double /*tauComb*/) const { return tangentValue(); }
double LinearMaterial::shearModulus(double /*gamma*/) const { return G; }
double LinearMaterial::ultimateStrain() const { return 0.0; }
double LinearMaterial::effectiveModulus() const { return E; }
double LinearMaterial::effectiveModulusII() const { return 0.9 * E; }

std::string LinearMaterial::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Model: LINEAR: Priority=" << priority << "\n\tE=" << E << "\tG=" << G
       << "\tfyt=" << fyt << "\tfyc=" << fyc << "\tfys=" << fys << "\n";
  return text.str();
}

}  // namespace colsec
