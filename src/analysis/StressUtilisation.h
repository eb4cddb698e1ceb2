#pragma once
// How much of its own material's normal-stress limit an element uses, so
// that concrete near fcd and steel near its yield strength read alike.

#include "analysis/Element.h"

namespace colsec {

// σ against the limit of the element check on σ's side, with σ's sign:
// σ / |QueryLimitUpper| for σ > 0, σ / |QueryLimitLower| for σ < 0. The
// limits are the shear-reduced yield strength of structural steel, fyd of
// reinforcing steel, fcd of concrete and the LINEAR limits fyt / fyc. So
// ±1 is exactly at the limit and beyond ±1 beyond it; σ = 0 (concrete in
// tension) gives 0; a nonzero σ against a limit of 0 gives ±infinity.
double stressUtilisation(const Element& element, double sigma);

}  // namespace colsec
