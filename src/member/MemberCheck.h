#pragma once
// The column as a member, EN 1994-1-1 6.7.3.3 to 6.7.3.5 and 6.7.3.7 (1):
// effective stiffnesses, elastic critical forces, relative slenderness,
// buckling curves and member imperfections of Table 6.5, χ of
// EN 1993-1-1 6.3.1.2, the amplification factors k of 6.7.3.4, and the
// section checked at the second-order moments with the imperfection in
// each plane. Runs within the design check, after its section items.
// Lengths in mm, forces in N, moments in Nmm.

#include <vector>

#include "model/Results.h"

namespace colsec {

class FibreTable;
class SectionModel;
struct SectionCheckItems;
struct SectionCheckItems;

// Without a "#MEMBER" record: leaves model.member empty and adds nothing.
// Otherwise fills model.member and appends the member's items to `items`.
// sectionItems: the design check's section items; where its symmetry warnings
// say that the plastic moments differ for the two signs of a moment, the
// imperfection is tried in both senses, and its exact rigid-plastic data
// give the resistances at the second-order moments. tolerance: of the solvers, kN and kNm. Reads the
// elements only: their stored results stay those of the design forces.
// fibres: the elements' table of laws for the strain states (optional, same bits).
void addMemberCheck(SectionModel& model, double tolerance, const SectionCheckItems& sectionItems,
                    std::vector<DesignCheckItem>& items, const FibreTable* fibres = nullptr);

// EN 1993-1-1 6.3.1.2: χ = 1/(Φ + √(Φ² − λ̄²)) ≤ 1.0 with
// Φ = 0.5·(1 + α·(λ̄ − 0.2) + λ̄²), α = 0.21, 0.34, 0.49, 0.76 for the
// curves 'a' to 'd'. NaN for any other curve.
double bucklingReduction(double lambdaBar, char curve);

// e0/L of EN 1994-1-1 Table 6.5 for a curve: a 1/300, b 1/200, c 1/150.
// Table 6.5 assigns no section to curve d; for a declared d we take
// 1/100, a step beyond c in the table's direction and on the safe side.
double imperfectionFraction(char curve);

// Table 6.4: β = 0.66 + 0.44·r ≥ 0.44 for end moments M and r·M.
double endMomentFactor(double r);

// 6.7.3.4 (5): k = β/(1 − NEd/Ncr,eff) ≥ 1.0 for the compressive force
// nEd ≥ 0; 1.0 without compression; NaN where nEd reaches Ncr,eff.
double amplificationFactor(double beta, double nEd, double ncrEff);

}  // namespace colsec
