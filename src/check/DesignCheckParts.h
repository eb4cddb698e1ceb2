#pragma once
// The parts of the design check that the member check (member/MemberCheck.h)
// runs again at the second-order forces. Forces in N, moments in Nmm.

#include <string>
#include <vector>

#include "model/Results.h"
#include "model/Types.h"

namespace colsec {

class SectionModel;

// An item value/limit; nothing against nothing passes.
DesignCheckItem makeItem(std::string clause, std::string what, double value, double limit,
                         CheckQuantity quantity = CheckQuantity::Ratio);
// An item that never fails the verdict but is shown.
DesignCheckItem warningItem(std::string clause, std::string what, double value, double limit);

// Whether an item may pass: finite numbers, a utilisation within [0, 1]
// and a positive resistance; no demand against no resistance passes.
bool soundItem(const DesignCheckItem& item);

// Fails every item that is not sound (soundItem) and tells whether every
// item that is not a warning holds: the verdict of a list of items.
bool settleItems(std::vector<DesignCheckItem>& items);

// The highest utilisation of any fibre's limits: in the stored element
// results (state == nullptr) or in the given strain state.
double sectionUtilisation(const SectionModel& model, const StrainState* state);

// 6.7.3.2 (1): |nx| against the exact plastic resistance on its side.
DesignCheckItem axialForceItem(const ExactResistances& exact, double nx);

// For the moments of f and the exact resistances on their sides at f.nx:
// the items saying the simplified method does not apply to these forces
// (no resistance on a moment's side), the 6.7.3.7 (2) linear interaction
// and the 6.7.3.6 (1) αM items.
void addBendingItems(const SectionModel& model, const ForceTriple& f, const ExactResistances& exact,
                     std::vector<DesignCheckItem>& items);

}  // namespace colsec
