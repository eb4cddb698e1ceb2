#pragma once
// Outcomes of the two verification methods of EN 1994-1-1, stored in the
// model by the analysis and only formatted by the views (report, page,
// console). Forces in N, moments in Nmm, lengths in mm.

#include <limits>

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

  // Shear in both directions, axial force and the linear interaction.
  bool methodOk() const { return shearY.ok && shearZ.ok && axial.ok && linearSum.ok; }
  // The experimental check against the nonlinear My-Mz curve.
  bool nonlinearOk() const { return closestMy.ok && closestMz.ok; }
};

}  // namespace colsec
