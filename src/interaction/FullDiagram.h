#pragma once
// The rigid-plastic interaction diagram around the whole circle, for
// pictures that show both signs of the moments. colsec itself builds only
// the quadrant of the design moments (InteractionCurves.h).

namespace colsec {

class SectionModel;

// Sweeps N-My at 0 and π, N-Mz at π/2 and 3π/2 and the surface at
// 4·(n − 1) + 1 angles over the full turn (n = angularSubdivisions, the
// steps of the quadrant curves), and interpolates the My-Mz curves at
// N = 0 and NEd, into model.fullDiagram. Needs the elements' plastic
// triples (after the shear steps) and a model without LINEAR materials;
// does nothing otherwise.
void computeFullDiagram(SectionModel& model);

}  // namespace colsec
