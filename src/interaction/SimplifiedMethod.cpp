#include "interaction/SimplifiedMethod.h"

#include <cmath>

#include "interaction/InteractionCurves.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

// A ratio passes when 1 ≥ r; NaN fails.
RatioCheck ratioCheck(double ratio) { return {ratio, 1 >= ratio}; }

}  // namespace

void evaluateSimplifiedMethod(SectionModel& model) {
  const SectionForces& f = model.designForces;
  SimplifiedMethodResult& r = model.simplifiedMethod;
  r.computed = true;
  r.shearY = ratioCheck(std::fabs(f.qy / model.qPlRdY));
  r.shearZ = ratioCheck(std::fabs(f.qz / model.qPlRdZ));
  r.axial = ratioCheck(f.nx > 0 ? std::fabs(f.nx / std::fabs(model.nPlRdMax))
                                : std::fabs(f.nx / std::fabs(model.nPlRdMin)));
  // Magnitudes: the resistances are taken on the side of the design
  // moments, so the ratios are positive.
  r.linearY = ratioCheck(std::fabs(f.my / model.mdy / model.mPlYRd));
  r.linearZ = ratioCheck(std::fabs(f.mz / model.mdz / model.mPlZRd));
  r.linearSum = ratioCheck(r.linearY.ratio + r.linearZ.ratio);

  r.closestPoint = closestCurvePoint(model, {f.nx, f.my, f.mz});
  r.closestMy = ratioCheck(std::fabs(f.my / r.closestPoint.my));
  r.closestMz = ratioCheck(std::fabs(f.mz / r.closestPoint.mz));

  // Along the ray through the design moments the curve at NEd is met at
  // t·MEd, so the moments use 1/t of what the section holds at NEd. Zero
  // moments use nothing, wherever NEd lies.
  if (f.my == 0.0 && f.mz == 0.0) {
    r.rayPoint = {f.nx, 0.0, 0.0};
    r.ray = ratioCheck(0.0);
  } else {
    const double t = rayCrossingFactor(model.curveMyMz, f.my, f.mz);
    r.rayPoint = {f.nx, t * f.my, t * f.mz};
    r.ray = ratioCheck(1.0 / t);
  }
}

}  // namespace colsec
