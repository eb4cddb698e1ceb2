#pragma once
// The complete check of the section after both methods: every condition
// of EN 1994-1-1 6.7 that the report leaves to the reader, one item each,
// stored in model.designCheck. Needs the whole run (both methods) done.

#include <vector>

#include "model/Results.h"

namespace colsec {

class SectionModel;

// The items that depend only on the section and its shear stresses, not
// on the axial force and moments: the symmetry of the plastic resistances,
// local buckling and the fibre areas.
struct SectionCheckItems {
  std::vector<DesignCheckItem> symmetry;
  std::vector<DesignCheckItem> localBuckling;
  std::vector<DesignCheckItem> fibreArea;
};
SectionCheckItems sectionCheckItems(const SectionModel& model);

// tolerance: the solvers' tolerance in kN and kNm, for the strain-state
// fallback that runs when the diagonal iteration did not converge.
// `precomputed`: the section items of this model, when already known.
void runDesignCheck(SectionModel& model, double tolerance, const SectionCheckItems* precomputed = nullptr);

// αM of EN 1994-1-1 6.7.3.6 (1) for a structural steel of yield strength
// fyd [N/mm²]: 0.9 up to 355, 0.8 above 355 up to 460, NaN beyond (the
// simplified method does not cover such steels).
double alphaM(double fyd);

// Index of the item with the highest utilisation among those that are not
// warnings: the first of equals, and a NaN (a failed item without a
// number) before any number; -1 when there is none.
int governingItem(const std::vector<DesignCheckItem>& items);

}  // namespace colsec
