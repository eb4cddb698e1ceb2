#pragma once
// EN 1994-1-1 6.7.2, general method: the verdict and the neutral axis of
// the solved strain state, stored in model.generalMethod.

#include "model/Results.h"

namespace colsec {

class SectionModel;

// Position of the neutral axis of a plane strain state.
NeutralAxisPosition neutralAxisPosition(const StrainState& state);

// Needs the converged flags and the element limit checks.
void evaluateGeneralMethod(SectionModel& model);

}  // namespace colsec
