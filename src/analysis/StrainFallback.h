#pragma once
// The second attempt at the plane strain state when the diagonal iteration
// of the general method does not converge: a Newton iteration with the full
// 3 × 3 tangent and a line search, started again from zero strain. Where it
// fails too, a test against the rigid-plastic resistance domain decides
// whether the design forces can be in equilibrium at all.

#include <vector>

#include "analysis/Element.h"
#include "model/Results.h"
#include "model/Types.h"

namespace colsec {

class FibreTable;
class SectionModel;

inline constexpr int kFallbackIterationLimit = 200;

// Outcome of the full Newton iteration.
struct NewtonStrainSolution {
  StrainState state;   // the last state reached
  ForceTriple forces;  // carried in that state, as sectionInternalForces gives them
  int iterations = 0;  // Newton steps taken
  bool converged = false;
};

// Newton iteration for the state carrying `design`; it meets the tolerance
// when |ΔN| ≤ tolerance·1000 N and |ΔMy|, |ΔMz| ≤ tolerance·1e6 Nmm, as the
// diagonal iteration does. The elements must have their resistances updated.
// Reads only: writes no element, prints nothing. `start`: where the
// iteration begins (zero strain unless given; the steps are scaled by the
// unstrained tangent either way). `fibres`: the elements' table of laws,
// which gives the same bits faster; without it the elements are read.
NewtonStrainSolution solveStrainStateNewton(const std::vector<Element>& elements, const ForceTriple& design,
                                            double tolerance, const StrainState& start = {},
                                            const FibreTable* fibres = nullptr);

// Runs after the ordinary strain solver. When that one has converged it does
// nothing (strainFallback.attempted stays false). Otherwise it fills
// model.strainFallback: the Newton state, its forces, the element checks at
// that state and, if Newton fails too, whether the design forces lie beyond
// the resistance of the section. Nothing else of the model changes.
// `fibres`: the elements' table of laws (optional, same bits).
void runStrainFallback(SectionModel& model, double tolerance, const FibreTable* fibres = nullptr);

// What runStrainFallback stores, for any forces: the Newton state, the
// element checks at it and, if Newton fails, the resistance test. Reads
// only; `attempted` is set.
StrainFallbackResult solveAndCheckStrainState(const std::vector<Element>& elements, const ForceTriple& design,
                                              double tolerance, const StrainState& start = {},
                                              const FibreTable* fibres = nullptr);

}  // namespace colsec
