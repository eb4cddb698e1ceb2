#pragma once
// A check of the units of the design forces, not of the design: forces
// typed in kN and kNm are read as N and Nmm and come out a thousand or a
// million times too small, and the section then passes every check.

#include "model/Tolerances.h"

namespace colsec {

class SectionModel;

// The largest |design force| / |resistance| over the non-zero design
// forces that have a resistance to compare with, or NaN when none has.
// With interaction curves: Nx against Npl,Rd of its sign, My and Mz
// against Mpl,y,Rd and Mpl,z,Rd, Qy and Qz against Qpl,Rd (magnitudes, so
// resistances that carry the sign of the design moment compare alike).
// Without curves (a LINEAR material): Nx against the section's axial
// resistance, every element at its plastic strength of Nx's sign (a LINEAR
// one at its stress limit); the moments and shear forces have no plastic
// resistance then and are not compared. Call after the analysis steps.
double largestDesignForceShare(const SectionModel& model);

// Whether every compared design force is below kTinyForceShare of its
// resistance (false when nothing could be compared).
bool designForcesLookTiny(const SectionModel& model);

}  // namespace colsec
