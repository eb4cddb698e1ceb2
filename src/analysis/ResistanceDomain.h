#pragma once
// The rigid-plastic resistance domain of the section: every force triple
// (N, My, Mz) that some stress field within the bounds of the element laws
// can carry. Outside it no strain state of the section is in equilibrium
// with the forces. Forces in N, moments in Nmm.
//
// For a strain-plane direction n = (a, b, c), strain a + b·z + c·y, the
// largest n·F any admissible stress field carries is the support function
//
//   h(n) = Σ A·max(σ⁺·g, σ⁻·g),   g = a + b·z + c·y   (element centres),
//
// where σ⁺ ≥ 0 ≥ σ⁻ are the largest and smallest stresses the element's law
// delivers under its combined shear stress. n·F > h(n) for one n proves
// that F lies outside the domain.

#include <vector>

#include "analysis/Element.h"
#include "model/Types.h"

namespace colsec {

// Largest and smallest stress of an element's law under its tauComb [N/mm²];
// ±infinity when the law keeps rising (the linear law).
struct StressBounds {
  double upper = 0.0;
  double lower = 0.0;
};

// The law's bounds are read on its plateau. These are the strengths the
// strain solver works with: fcd of a concrete law (not fcdRedF·fcd of the
// simplified method) and no bound at all for a linear law.
StressBounds lawStressBounds(const Element& element);

// h(n), summed over the elements in sequence order; +infinity where an
// unbounded element has g ≠ 0.
double resistanceSupport(const std::vector<Element>& elements, const std::vector<StressBounds>& bounds, double a,
                         double b, double c);

// A direction that proves the design forces outside the domain, if one was
// found (the first found; the search stops there).
struct ResistanceExcess {
  bool outside = false;
  double a = 0.0;           // direction found (the best one tried when not outside)
  double b = 0.0;
  double c = 0.0;
  double load = 0.0;        // n·F
  double resistance = 0.0;  // h(n)
};

// Searches the directions for one with n·F − h(n) larger than what a
// residual within the solver's tolerance (tolerance·1000 N,
// tolerance·1e6 Nmm) can account for. Every direction is tried with its
// best axial part, found exactly: pure axial directions, then 180
// neutral-axis angles in 2° steps, then a refinement around the best angle.
// A section with an unbounded law is never reported outside.
ResistanceExcess findResistanceExcess(const std::vector<Element>& elements, const ForceTriple& design,
                                      double tolerance);

}  // namespace colsec
