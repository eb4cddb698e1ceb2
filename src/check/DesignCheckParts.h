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
DesignCheckItem makeItem(std::string clause, std::string what, double value, double limit);
// An item that never fails the verdict but is shown.
DesignCheckItem warningItem(std::string clause, std::string what, double value, double limit);

// The highest utilisation of any fibre's limits: in the stored element
// results (state == nullptr) or in the given strain state.
double sectionUtilisation(const SectionModel& model, const StrainState* state);

// 6.7.3.2 (1): |nx| against the plastic resistance on its side.
DesignCheckItem axialForceItem(const SectionModel& model, double nx);

// The plastic moment resistances on the side of the moments and μd at the
// axial force, as the simplified method uses them.
struct BendingResistances {
  double mPlYRd;
  double mPlZRd;
  double mdy;
  double mdz;
};
// 6.7.3.7 (2) linear interaction and 6.7.3.6 (1) αM items for the moments of f.
void addBendingItems(const SectionModel& model, const ForceTriple& f, const BendingResistances& resistances,
                     std::vector<DesignCheckItem>& items);

}  // namespace colsec
