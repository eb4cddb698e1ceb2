#include "analysis/StressUtilisation.h"

#include <cmath>
#include <limits>

namespace colsec {

double stressUtilisation(const Element& element, double sigma) {
  if (sigma == 0.0 || std::isnan(sigma)) return sigma;
  const double limit = std::fabs(element.stress(sigma > 0.0 ? QueryLimitUpper : QueryLimitLower, 0.0));
  if (limit == 0.0) return std::copysign(std::numeric_limits<double>::infinity(), sigma);
  return sigma / limit;
}

}  // namespace colsec
