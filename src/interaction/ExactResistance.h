#pragma once
// The rigid-plastic resistances of the fibre section found exactly, for
// the design check: independent of the sampling of the interaction curves
// (offsetSubdivisions, angularSubdivisions), which the report keeps.
//
// Along the offsets of a neutral axis the rigid-plastic triple of the
// elements is a step function: it changes only where a row of elements
// (equal projection onto the axis' normal) changes side. The curve through
// the triples of all these configurations is the exact rigid-plastic curve
// of the fibre section; between two neighbouring configurations it is
// interpolated linearly, as the sampled curves are. A point of it at an
// axial force is found by bisection over the configurations, each one a
// plain section sum (sectionPlastic). Forces in N, moments in Nmm.

#include <array>
#include <vector>

#include "analysis/Element.h"
#include "model/Results.h"
#include "model/Types.h"

namespace colsec {

// Neutral-axis offsets at angle alpha [rad], one per distinct configuration,
// ascending: the first leaves every element in tension, the last
// compresses every one, and exactly one row changes side between
// neighbours. Projections closer than a billionth of the section's size
// count as one row (the rounding of sin and cos of the axis angles).
// Empty where a position is not finite: the curve then has no points.
std::vector<double> configurationOffsets(const std::vector<Element>& elements, double alpha);

// The exact curve at one angle: its configurations and the triples of the
// two ends, which every search starts from.
struct ExactPlasticCurve {
  double alpha = 0.0;
  std::vector<double> offsets;
  // The axial force of each configuration summed in the order of the
  // projections, not of the elements: near the plain sum, it only narrows
  // the search, which the plain sums then decide.
  std::vector<double> estimatedNx;
  CurvePoint allTension;
  CurvePoint allCompression;
};
ExactPlasticCurve exactPlasticCurve(const std::vector<Element>& elements, double alpha);

// The point of the exact curve at the axial force target; a NaN point
// where the target lies beyond both ends (the section's axial resistance).
// `elements` are those the curve was made from.
CurvePoint exactCurvePoint(const std::vector<Element>& elements, const ExactPlasticCurve& curve, double target);

// What the exact resistances need of a section that does not depend on the
// design forces: the curves at the four axis angles 0, π/2, π, 3π/2 (the
// angles of N-My and N-Mz for either sign of the moment, as momentQuadrant
// gives them), Npl,Rd and the moments at N = 0.
struct ExactPlasticSection {
  std::array<ExactPlasticCurve, 4> curves;
  double nPlRdMax = kNotComputed;
  double nPlRdMin = kNotComputed;
  // My at angles 0 and π, Mz at π/2 and 3π/2, at N = 0, signed as the curves.
  std::array<double, 4> momentAtZero{kNotComputed, kNotComputed, kNotComputed, kNotComputed};
};
ExactPlasticSection exactPlasticSection(const std::vector<Element>& elements);

// The resistances on the side of the design moments (and on the other
// side) at N = 0 and at NEd.
ExactResistances exactResistances(const std::vector<Element>& elements, const ExactPlasticSection& section,
                                  const SectionForces& design);

}  // namespace colsec
