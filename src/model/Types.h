#pragma once
// Plain records shared by every subsystem. Units: mm, N, Nmm, N/mm²;
// strains dimensionless, curvatures 1/mm. Tension is positive.

#include <cstdint>
#include <vector>

namespace colsec {

// Design forces and the forces carried in a solved state.
struct SectionForces {
  double nx = 0.0;  // [N]
  double my = 0.0;  // [Nmm]
  double mz = 0.0;  // [Nmm]
  double qy = 0.0;  // [N]
  double qz = 0.0;  // [N]
};

// Axial force and the two moments of an element or of the section.
struct ForceTriple {
  double nx = 0.0;  // [N]
  double my = 0.0;  // [Nmm], N·z
  double mz = 0.0;  // [Nmm], N·y
};

// One point of an interaction curve.
using CurvePoint = ForceTriple;
// Points in the order they were generated.
using InteractionCurve = std::vector<CurvePoint>;

// Plane strain state: strain at (y, z) is epsX + kappaY·z + kappaZ·y.
struct StrainState {
  double epsX = 0.0;    // [-] at the section origin
  double kappaY = 0.0;  // [1/mm]
  double kappaZ = 0.0;  // [1/mm]
};

struct SectionStiffness {
  double EAx = 0.0;  // [N]
  double EIy = 0.0;  // [Nmm²]
  double EIz = 0.0;  // [Nmm²]
};

// The uniform shear strains for Qy and Qz.
struct ShearStrain {
  double gammaY = 0.0;
  double gammaZ = 0.0;
};

// A pair of shear forces [N] or shear stiffnesses [N], y first.
struct ShearPair {
  double y = 0.0;
  double z = 0.0;
};

struct Settings {
  double feSize = 0.0;          // target element edge length [mm]
  double settingsExtra1 = 0.0;  // placeholder of the input format, unused
  double settingsExtra2 = 0.0;  // placeholder of the input format, unused
  std::int32_t angularSubdivisions = 0;
  std::int32_t offsetSubdivisions = 0;
};

// A neutral axis: point, unit direction and the distance within which an
// element counts as lying on it.
struct NeutralAxisLine {
  double pointY = 0.0;
  double pointZ = 0.0;
  double dirY = 0.0;
  double dirZ = 0.0;
  double tolerance = 0.0;
};

}  // namespace colsec
