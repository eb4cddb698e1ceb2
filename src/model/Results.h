#pragma once
// Outcomes of the two verification methods of EN 1994-1-1, stored in the
// model by the analysis and only formatted by the views (report, page,
// console). Forces in N, moments in Nmm, lengths in mm.

#include <limits>
#include <string>
#include <vector>

#include "model/Types.h"

namespace colsec {

inline constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

// Foot of the perpendicular from the section origin to the neutral axis,
// and the angle of the axis' normal as the report prints it.
struct NeutralAxisPosition {
  double offY = kNotComputed;      // [mm]
  double offZ = kNotComputed;      // [mm]
  double alphaDeg = kNotComputed;  // [deg]
};

// EN 1994-1-1 6.7.2: the verdict of the general method. Its four flags are
// the model's shearConverged, axialConverged, stressesWithinLimits and
// strainsWithinLimits.
struct GeneralMethodResult {
  NeutralAxisPosition neutralAxis;
  bool verified = false;  // both iterations converged and no limit exceeded
};

// One ratio of the simplified method; passes when ratio ≤ 1 (NaN fails).
struct RatioCheck {
  double ratio = kNotComputed;
  bool ok = false;
};

// EN 1994-1-1 6.7.3: every ratio the report prints, with its verdict.
struct SimplifiedMethodResult {
  bool computed = false;  // false when a used material is linear
  RatioCheck shearY;      // |QEd,y / Qpl,Rd,y|
  RatioCheck shearZ;      // |QEd,z / Qpl,Rd,z|
  RatioCheck axial;       // NEd / Npl,Rd on the side of NEd
  RatioCheck linearY;     // [1] |My,Ed / mdy / Mpl,y,Rd|
  RatioCheck linearZ;     // [2] |Mz,Ed / mdz / Mpl,z,Rd|
  RatioCheck linearSum;   // [1] + [2] ≤ 1, 6.7.3.7 (2)
  // Nearest point of the My-Mz curve at NEd and the utilisations of the
  // design moments against its two components.
  CurvePoint closestPoint{kNotComputed, kNotComputed, kNotComputed};
  RatioCheck closestMy;
  RatioCheck closestMz;
  // The ray from the origin through the design moments at NEd: where it
  // crosses the My-Mz curve at NEd, and |MEd| / |M on the curve|, the
  // inverse of the factor by which both design moments could grow
  // together before reaching the curve. Not part of the report.
  CurvePoint rayPoint{kNotComputed, kNotComputed, kNotComputed};
  RatioCheck ray;

  // Shear in both directions, axial force and the linear interaction.
  bool methodOk() const { return shearY.ok && shearZ.ok && axial.ok && linearSum.ok; }
  // The experimental check against the nonlinear My-Mz curve.
  bool nonlinearOk() const { return closestMy.ok && closestMz.ok; }
};

// The Newton iteration with the full 3 × 3 tangent that is tried when the
// diagonal iteration of the general method does not converge. It leaves
// the element results of the general method untouched.
struct StrainFallbackResult {
  bool attempted = false;  // the diagonal iteration did not converge
  bool converged = false;
  int iterations = 0;
  StrainState strainState;  // the last state reached
  ForceTriple resultForces;  // carried in that state
  // Element checks at that state, as checkElementLimits does them.
  bool stressesWithinLimits = false;
  bool strainsWithinLimits = false;
  // Decided when the fallback does not converge either: the design forces
  // lie outside the plastic resistance domain of the section, so no
  // equilibrium within the material strengths exists.
  bool beyondResistance = false;
};

// The rigid-plastic interaction diagram around the whole circle, for
// pictures: both signs of each moment, not only the design quadrant.
// Built on request (not by the run of colsec), from the same elements.
struct FullInteractionDiagram {
  bool computed = false;
  // N-My swept at 0 (My ≥ 0) and π (My ≤ 0), N-Mz at π/2 and 3π/2; each
  // from full tension to full compression.
  InteractionCurve nMyPositive;
  InteractionCurve nMyNegative;
  InteractionCurve nMzPositive;
  InteractionCurve nMzNegative;
  // One curve per neutral-axis angle over the full turn: 4·(n − 1) + 1
  // angles for n angular subdivisions, the last equal to the first.
  std::vector<InteractionCurve> surfaceCurves;
  InteractionCurve myMzN0;   // one point per angle at N = 0
  InteractionCurve myMzNEd;  // one point per angle at NEd (NaN beyond it)
};

// The limits of the bending checks of the simplified method in the plane
// of the design moments, with the signs of the design moments: the linear
// interaction of 6.7.3.7 (2) runs from (myResistance, 0) to
// (0, mzResistance); 6.7.3.6 (1) limits |My,Ed| to αM·|myResistance| and
// |Mz,Ed| to αM·|mzResistance|.
struct BendingLimits {
  // False also where a resistance is not on the side of its design moment
  // (the simplified method does not apply to the forces).
  bool computed = false;
  double myResistance = kNotComputed;  // μdy·Mpl,y,Rd (μd as used by the check) [Nmm]
  double mzResistance = kNotComputed;  // μdz·Mpl,z,Rd [Nmm]
  double alphaM = kNotComputed;        // NaN where 6.7.3.6 (1) does not apply
  double myLimit = kNotComputed;       // αM·myResistance [Nmm]
  double mzLimit = kNotComputed;       // αM·mzResistance [Nmm]
};

// The rigid-plastic resistances the design check uses, found exactly from
// every configuration of the elements (interaction/ExactResistance.h), so
// that they do not depend on the sampling of the curves; the report keeps
// the sampled ones (the model's nPlRdMax, mPlYRd, mdy, ...). Moments are
// signed as the curves' points: on the side of a negative design moment a
// sound resistance is negative. NaN where NEd lies beyond Npl,Rd.
struct ExactResistances {
  bool computed = false;
  double nPlRdMax = kNotComputed;      // every element in tension [N]
  double nPlRdMin = kNotComputed;      // every element compressed [N]
  double mPlYRd = kNotComputed;        // My at N = 0 on the side of My,Ed [Nmm]
  double mPlZRd = kNotComputed;        // Mz at N = 0 on the side of Mz,Ed [Nmm]
  double mPlYRdOther = kNotComputed;   // My at N = 0 on the other side [Nmm]
  double mPlZRdOther = kNotComputed;   // Mz at N = 0 on the other side [Nmm]
  double myAtNEd = kNotComputed;       // My at NEd on the side of My,Ed [Nmm]
  double mzAtNEd = kNotComputed;       // Mz at NEd on the side of Mz,Ed [Nmm]
  double myAtNEdOther = kNotComputed;  // My at NEd on the other side [Nmm]
  double mzAtNEdOther = kNotComputed;  // Mz at NEd on the other side [Nmm]
  double mdy = kNotComputed;           // myAtNEd / mPlYRd
  double mdz = kNotComputed;           // mzAtNEd / mPlZRd
};

// One condition of the design check: what is compared with what, under
// which clause of EN 1994-1-1 (or EN 1993-1-1).
// What an item's value and limit measure.
enum class CheckQuantity { Ratio, Force, Moment };  // a ratio, N, Nmm

struct DesignCheckItem {
  std::string clause;  // "6.7.3.6(1)"
  std::string what;    // plain English
  double value = kNotComputed;
  double limit = kNotComputed;
  double utilisation = kNotComputed;  // value / limit; NaN fails
  bool ok = false;
  // A warning never fails the verdict but is shown wherever it is.
  bool warning = false;
  CheckQuantity quantity = CheckQuantity::Ratio;  // of value and limit
};

// Index of the highest of utilisationOf(items[i]) over the items that
// `counts`: the first of equals, and a NaN (a failure without a number)
// before any number; -1 when none counts.
template <typename Items, typename Utilisation, typename Counts>
int indexOfHighestUtilisation(const Items& items, Utilisation utilisationOf, Counts counts) {
  int highest = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!counts(items[i])) continue;
    const double u = utilisationOf(items[i]);
    if (highest < 0) {
      highest = static_cast<int>(i);
      continue;
    }
    const double best = utilisationOf(items[highest]);
    if (best != best) continue;  // NaN holds
    if (u != u || u > best) highest = static_cast<int>(i);
  }
  return highest;
}

// The complete check of the section after both methods; passes only when
// every item that is not a warning passes.
struct DesignCheck {
  bool computed = false;
  std::vector<DesignCheckItem> items;
  bool verdict = false;
  // Index of the item with the highest utilisation among those that are
  // not warnings (the first of equals, a failing NaN first); -1 if none.
  int governing = -1;
  BendingLimits bending;
  // The resistances of the simplified-method items.
  ExactResistances resistances;

  // The first failing item (not a warning) whose clause starts with
  // `clausePrefix` ("6.7.3" for the simplified method), or nullptr.
  const DesignCheckItem* firstFailing(const std::string& clausePrefix) const {
    for (const DesignCheckItem& item : items) {
      if (!item.warning && !item.ok && item.clause.rfind(clausePrefix, 0) == 0) return &item;
    }
    return nullptr;
  }
};

}  // namespace colsec
