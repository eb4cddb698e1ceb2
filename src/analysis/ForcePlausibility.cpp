#include "analysis/ForcePlausibility.h"

#include <cmath>
#include <limits>

#include "materials/MaterialLaws.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

// Σ area × strength over the elements, on the side of the force's sign.
double sectionAxialResistance(const SectionModel& model, bool tension) {
  double sum = 0.0;
  for (const Element& e : model.elements) {
    const MaterialLaw* law = lawOf(*e.material);
    const bool limitsOnly = law != nullptr && law->kind == MaterialLinear;
    const int code = limitsOnly ? (tension ? QueryLimitUpper : QueryLimitLower)
                                : (tension ? QueryPlasticUpper : QueryPlasticLower);
    sum += e.area * e.stress(code, 0.0);
  }
  return sum;
}

}  // namespace

double largestDesignForceShare(const SectionModel& model) {
  const SectionForces& forces = model.designForces;
  double largest = std::numeric_limits<double>::quiet_NaN();
  const auto compare = [&](double force, double resistance) {
    if (force == 0.0 || std::isnan(resistance)) return;
    const double share = std::fabs(force) / std::fabs(resistance);  // inf for a zero resistance
    if (std::isnan(largest) || share > largest) largest = share;
  };
  if (model.allNonlinear) {
    compare(forces.nx, forces.nx < 0.0 ? model.nPlRdMin : model.nPlRdMax);
    compare(forces.my, model.mPlYRd);
    compare(forces.mz, model.mPlZRd);
    compare(forces.qy, model.qPlRdY);
    compare(forces.qz, model.qPlRdZ);
  } else if (forces.nx != 0.0) {
    compare(forces.nx, sectionAxialResistance(model, forces.nx > 0.0));
  }
  return largest;
}

bool designForcesLookTiny(const SectionModel& model) {
  // NaN (nothing compared) is not tiny.
  return largestDesignForceShare(model) < kTinyForceShare;
}

}  // namespace colsec
