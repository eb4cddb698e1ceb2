#pragma once
// The complete check of the section after both methods: every condition
// of EN 1994-1-1 6.7 that the report leaves to the reader, one item each,
// stored in model.designCheck. Needs the whole run (both methods) done.

#include <vector>

#include "interaction/ExactResistance.h"
#include "model/Results.h"

namespace colsec {

class FibreTable;
class SectionModel;

// The items that depend only on the section and its shear stresses, not
// on the axial force and moments: the symmetry of the plastic resistances,
// local buckling and the fibre areas.
// With them the exact rigid-plastic data of the section, from which each
// set of design forces takes its resistances.
struct SectionCheckItems {
  std::vector<DesignCheckItem> symmetry;
  std::vector<DesignCheckItem> localBuckling;
  std::vector<DesignCheckItem> profileRoles;
  std::vector<DesignCheckItem> fibreArea;
  ExactPlasticSection plastic;
};
SectionCheckItems sectionCheckItems(const SectionModel& model);

// tolerance: the solvers' tolerance in kN and kNm, for the strain-state
// fallback that runs when the diagonal iteration did not converge.
// `precomputed`: the section items of this model, when already known;
// `fibres`: the elements' table of laws (built here when needed and not given).
void runDesignCheck(SectionModel& model, double tolerance, const SectionCheckItems* precomputed = nullptr,
                    const FibreTable* fibres = nullptr);

// The items of the check from the section items and the exact
// resistances, which runDesignCheck finds from the elements (after the
// fallback).
// tolerance: of the solvers, for the member check's strain states;
// fibres: the elements' table of laws for them (optional, same bits).
void evaluateDesignCheck(SectionModel& model, const SectionCheckItems& section, const ExactResistances& resistances,
                         double tolerance, const FibreTable* fibres = nullptr);

// αM of EN 1994-1-1 6.7.3.6 (1) for a structural steel of yield strength
// fyd [N/mm²]: 0.9 up to 355, 0.8 above 355 up to 460, NaN beyond (the
// simplified method does not cover such steels).
double alphaM(double fyd);

// Index of the item with the highest utilisation among those that are not
// warnings: the first of equals, and a NaN (a failed item without a
// number) before any number; -1 when there is none.
int governingItem(const std::vector<DesignCheckItem>& items);

}  // namespace colsec
