#include "materials/Steel1993_543.h"

#include <cmath>
#include <sstream>

#include "materials/ElasticPlastic.h"

namespace colsec {

namespace {
// √3 as a single-precision constant: 1.7320507764816284.
constexpr double kSqrt3Single = static_cast<double>(1.7320508f);
}  // namespace

Steel1993_543::Steel1993_543(std::int32_t number_, std::int32_t priority_, double E_, double fyd_, double G_)
    : Material(false, number_, priority_), E(E_), fyd(fyd_), G(G_) {}

double Steel1993_543::shearLimit() const { return fyd / kSqrt3Single; }

double Steel1993_543::reducedStrength(double tauComb) const {
  if (G == 0.0) return fyd;
  const double tauLim = shearLimit();
  if (0.5 * std::fabs(tauLim) > std::fabs(tauComb)) return fyd;
  const float q = static_cast<float>(2.0 * std::fabs(tauComb) / std::fabs(tauLim) - 1.0);
  const float rho = q * q;
  const double f = fyd * (1.0 - static_cast<double>(rho));
  if (fyd >= 0.0 && f < 0.0) return 0.0;
  return f;
}

double Steel1993_543::stressQuery(int code, double strain, double tauComb) const {
  switch (code) {
    case QueryValue: return stressValue(strain, reducedStrength(tauComb));
    case QueryPlasticUpper:
    case QueryLimitUpper: return reducedStrength(tauComb);
    case QueryPlasticLower:
    case QueryLimitLower: return -reducedStrength(tauComb);
    default: return 0.0;
  }
}

double Steel1993_543::shearQuery(int code, double gamma) const {
  switch (code) {
    case QueryValue: return elasticPlasticStress(gamma, shearLimit(), G);
    case QueryPlasticUpper:
    case QueryLimitUpper: return shearLimit();
    case QueryPlasticLower:
    case QueryLimitLower: return -shearLimit();
    default: return 0.0;
  }
}

double Steel1993_543::tangentModulus(double strain, double tauComb) const {
  return tangentValue(strain, reducedStrength(tauComb));
}

double Steel1993_543::shearModulus(double gamma) const {
  return elasticPlasticTangent(gamma, shearLimit(), G);
}

double Steel1993_543::ultimateStrain() const { return 0.0; }
double Steel1993_543::effectiveModulus() const { return E; }
double Steel1993_543::effectiveModulusII() const { return 0.9 * E; }

std::string Steel1993_543::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Model: Steel1993_543: Priority=" << priority << "\n\tE=" << E << "\tG=" << G
       << "\tfyd=" << fyd << "\n";
  return text.str();
}

}  // namespace colsec
