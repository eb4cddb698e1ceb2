#pragma once
// The column as a member (EN 1994-1-1 6.7.3.3 to 6.7.3.5, 6.7.3.7 (1)):
// what the "#MEMBER" record declares and what the member check stores.
// Lengths in mm, forces in N, moments in Nmm, stiffnesses in Nmm².

#include <array>
#include <vector>

#include "model/Results.h"
#include "model/Types.h"

namespace colsec {

// The "#MEMBER" record; present only when the input has one.
struct MemberInput {
  bool present = false;
  double length = 0.0;  // L, for e0 (Table 6.5) and Ncr,eff (6.7.3.4 (5))
  double lcrY = 0.0;    // buckling length for bending about y
  double lcrZ = 0.0;    // buckling length for bending about z
  double ratioY = 0.0;  // r: smaller over larger first-order end moment about y, −1 ≤ r ≤ 1
  double ratioZ = 0.0;
  // Partial factors (EN 1994-1-1 2.4.1.2, recommended values).
  double gammaA = 1.0;   // structural steel
  double gammaC = 1.5;   // concrete
  double gammaS = 1.15;  // reinforcing steel
  // 6.7.3.3 (4): creep coefficient φt and NG,Ed/NEd, when declared.
  bool creep = false;
  double phiT = 0.0;
  double permanentRatio = 0.0;
  // Buckling curves 'a' to 'd' overriding Table 6.5; 0 when not given.
  char curveY = 0;
  char curveZ = 0;
};

// One axis of the member: the buckling resistance and the amplification
// of the first-order moments about that axis.
struct MemberAxisResult {
  double lcr = kNotComputed;
  double eiEff = kNotComputed;     // (EI)eff, 6.7.3.3 (3)
  double ncr = kNotComputed;       // π²(EI)eff/Lcr²
  double lambdaBar = kNotComputed; // √(Npl,Rk/Ncr)
  char curve = 0;                  // 'a' to 'd'; 0 where Table 6.5 gives none
  double chi = kNotComputed;       // EN 1993-1-1 6.3.1.2
  double nbRd = kNotComputed;      // χ·Npl,Rd
  double e0 = kNotComputed;        // member imperfection, Table 6.5
  double eiEffII = kNotComputed;   // (EI)eff,II, 6.7.3.4 (2)
  double ncrEff = kNotComputed;    // π²(EI)eff,II/L²
  double beta = kNotComputed;      // Table 6.4, first-order end moments
  double k1 = kNotComputed;        // on the first-order moment, 6.7.3.4 (5)
  double k2 = kNotComputed;        // on the imperfection moment (β = 1.0)
};

// The section checked at the second-order moments with the imperfection in
// the plane of bending about one axis: the governing sense of it.
struct MemberSecondOrderCheck {
  char imperfectionPlane = 'y';
  ForceTriple forces{kNotComputed, kNotComputed, kNotComputed};
  std::vector<DesignCheckItem> items;  // simplified method and general method at `forces`
  int governing = -1;                  // into items
  bool verdict = false;
};

struct MemberResult {
  bool computed = false;    // the record is present and the member check ran
  bool applicable = false;  // every used material has a plastic strength (no LINEAR)
  double nplRk = kNotComputed;
  double nplRd = kNotComputed;
  double length = kNotComputed;
  double reinforcementRatio = kNotComputed;  // ρs = As/Ac
  std::array<MemberAxisResult, 2> axes;      // y, z
  std::array<MemberSecondOrderCheck, 2> checks;
  // The member's items within model.designCheck.items: [firstItem, endItem).
  int firstItem = 0;
  int endItem = 0;
  int governing = -1;  // into model.designCheck.items
  bool verdict = false;
};

}  // namespace colsec
