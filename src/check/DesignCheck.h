#pragma once
// The complete check of the section after both methods: every condition
// of EN 1994-1-1 6.7 that the report leaves to the reader, one item each,
// stored in model.designCheck. Needs the whole run (both methods) done.

#include <vector>

#include "model/Results.h"

namespace colsec {

class SectionModel;

// tolerance: the solvers' tolerance in kN and kNm, for the strain-state
// fallback that runs when the diagonal iteration did not converge.
void runDesignCheck(SectionModel& model, double tolerance);

// αM of EN 1994-1-1 6.7.3.6 (1) for a structural steel of yield strength
// fyd [N/mm²]: 0.9 up to 355, 0.8 above 355 up to 460, NaN beyond (the
// simplified method does not cover such steels).
double alphaM(double fyd);

// Index of the item with the highest utilisation among those that are not
// warnings: the first of equals, and a NaN (a failed item without a
// number) before any number; -1 when there is none.
int governingItem(const std::vector<DesignCheckItem>& items);

}  // namespace colsec
