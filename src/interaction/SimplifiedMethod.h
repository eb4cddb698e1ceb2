#pragma once
// EN 1994-1-1 6.7.3, simplified method: every ratio of the design forces
// against the plastic resistances, stored in model.simplifiedMethod.

namespace colsec {

class SectionModel;

// Needs the interaction curves and resistances of computeInteractionCurves.
void evaluateSimplifiedMethod(SectionModel& model);

}  // namespace colsec
