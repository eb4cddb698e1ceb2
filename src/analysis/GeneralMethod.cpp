#include "analysis/GeneralMethod.h"

#include <cmath>

#include "model/SectionModel.h"

namespace colsec {

NeutralAxisPosition neutralAxisPosition(const StrainState& state) {
  double alpha = 1.5707963267948966;
  double ca = 6.123233995736766e-17;
  double sa = 1.0;
  if (state.kappaY != 0.0 || std::isnan(state.kappaY)) {
    alpha = std::atan(state.kappaZ / state.kappaY);
    ca = std::cos(alpha);
    sa = std::sin(alpha);
  }
  const double t = -state.epsX / std::sqrt(state.kappaY * state.kappaY + state.kappaZ * state.kappaZ);
  // The principal value of the arc tangent turns the normal round when
  // kappaY < 0 (or kappaY = 0 with kappaZ < 0); the offsets then point
  // away from the neutral axis instead of to its foot point, so they are
  // turned back. The angle of the line itself is unaffected.
  const bool normalTurned = state.kappaY < 0.0 || (state.kappaY == 0.0 && state.kappaZ < 0.0);
  const double side = normalTurned ? -1.0 : 1.0;
  // The degree conversion keeps its truncated π.
  return {side * (sa * t), side * (ca * t), alpha / 3.141592 * 180};
}

void evaluateGeneralMethod(SectionModel& model) {
  model.generalMethod.neutralAxis = neutralAxisPosition(model.strainState);
  model.generalMethod.verified =
      model.axialConverged && model.shearConverged && model.stressesWithinLimits && model.strainsWithinLimits;
}

}  // namespace colsec
