#include "interaction/FullDiagram.h"

#include "interaction/InteractionCurves.h"
#include "interaction/PlasticSweep.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

}  // namespace

void computeFullDiagram(SectionModel& model) {
  FullInteractionDiagram& d = model.fullDiagram;
  d = FullInteractionDiagram{};
  if (!model.allNonlinear || model.elements.empty() || model.settings.offsetSubdivisions < 2) return;
  const double radius = sectionRadius(model);
  const double offsets = model.settings.offsetSubdivisions;
  const PlasticSweep sweep(model.elements);
  d.nMyPositive = sweep.sweep(0.0, -radius, radius, offsets);
  d.nMzPositive = sweep.sweep(kHalfPi, -radius, radius, offsets);
  d.nMyNegative = sweep.sweep(2 * kHalfPi, -radius, radius, offsets);
  d.nMzNegative = sweep.sweep(3 * kHalfPi, -radius, radius, offsets);
  const int angles = model.settings.angularSubdivisions;
  if (angles >= 2) {
    // The angles of quadrant 0 continued over four quarters, so that the
    // steps are those of the design quadrant's curves.
    const MomentQuadrant first{0, 0.0, 0.0, kHalfPi};
    const int count = 4 * (angles - 1) + 1;
    d.surfaceCurves.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      d.surfaceCurves.push_back(sweep.sweep(surfaceAngle(first, i, angles), -radius, radius, offsets));
    }
  }
  d.myMzN0 = curveAtAxialForce(d.surfaceCurves, 0.0);
  d.myMzNEd = curveAtAxialForce(d.surfaceCurves, model.designForces.nx);
  d.computed = true;
}

}  // namespace colsec
