#pragma once
// Rigid-plastic interaction curves: every element at its plastic tension
// or compression strength depending on its side of a straight neutral axis.
// Forces in N, moments in Nmm, offsets in mm, angles in rad.

#include <iosfwd>
#include <vector>

#include "model/Types.h"

namespace colsec {

class SectionModel;

// The quadrant of the design moments, in which the curves are built so
// that the resistances are those on the side of the design moments:
// q = 0 for My ≥ 0, Mz ≥ 0; 1 for My < 0, Mz ≥ 0; 2 for both < 0; 3 for
// My ≥ 0, Mz < 0. The surface runs from firstAngle = q·π/2 over a quarter
// turn; N-My is swept at 0 or π, N-Mz at π/2 or 3π/2, so Mpl,y,Rd and
// Mpl,z,Rd carry the sign of their design moment.
struct MomentQuadrant {
  int q = 0;
  double firstAngle = 0.0;  // [rad]
  double alphaNMy = 0.0;    // [rad]
  double alphaNMz = 0.0;    // [rad]
};
MomentQuadrant momentQuadrant(const SectionForces& design);

// Distance from the origin to the farthest grid corner, per axis the
// larger magnitude of the first and last grid line; 0 without grid lines.
// Squares are held in single precision.
double sectionRadius(const SectionModel& model);

// Sweeps the neutral axis at angle alpha from offset mStart to mEnd in
// `count` points (both ends included), one plain section sum per point.
// The run uses PlasticSweep, which gives the same bits faster.
InteractionCurve sweepCurve(const SectionModel& model, double alpha, double mStart, double mEnd, double count);

// Linear interpolation of the my (useMy) or mz component at the axial
// force target, from the first bracketing pair of consecutive points (the
// falling test first); NaN when no pair brackets it.
double valueAtAxialForce(const InteractionCurve& curve, double target, bool useMy);

// The points that valueAtAxialForce and curveAtAxialForce read of a curve
// for each of the axial forces: both points of the first bracketing pair.
// Needs the curve's axial forces only.
std::vector<std::size_t> pointsReadAt(const InteractionCurve& curve, const std::vector<double>& axialForces);

// One point per surface curve at the axial force target; a quiet NaN
// point where a curve does not reach it.
InteractionCurve curveAtAxialForce(const SectionModel& model, double target);
// The same for any set of curves (the model's surface curves above).
InteractionCurve curveAtAxialForce(const std::vector<InteractionCurve>& curves, double target);

// Where the ray from the origin through (my, mz) first crosses the
// polyline of a My-Mz curve, as the factor t ≥ 0 with the crossing at
// t·(my, mz); segments with a NaN end are skipped. NaN when the ray meets
// no segment or the moments are both 0.
double rayCrossingFactor(const InteractionCurve& curve, double my, double mz);

// Nearest point of the My-Mz curve at target.nx to (target.my, target.mz):
// foot points on segments first (ties to the later segment), vertices as
// the fallback (ties to the earlier point).
CurvePoint closestCurvePoint(const SectionModel& model, const CurvePoint& target);

// The sweeps of the rigid-plastic surface in the quadrant of the design
// moments: N-My, N-Mz and one curve per angle. They depend only on the
// elements' plastic triples, the settings and the quadrant. With them the
// plastic shear resistances, which depend on the elements alone.
struct PlasticSurface {
  InteractionCurve curveNMy;
  InteractionCurve curveNMz;
  std::vector<InteractionCurve> surfaceCurves;
  ShearPair plasticShear;
};
// threads: the curves are shared out whole, so the result does not depend
// on their number.
// axialForces: when given, the only axial forces at which the surface is
// read (0 and the design axial forces of the runs that share it); the
// curves then hold moments only at the points read there, NaN elsewhere,
// for a third of the work. The interaction file needs whole curves.
PlasticSurface sweepPlasticSurface(const SectionModel& model, int threads,
                                   const std::vector<double>* axialForces = nullptr);

// Angle i of `angles` over the quarter turn of the quadrant [rad].
double surfaceAngle(const MomentQuadrant& quadrant, int i, int angles);

// Builds every curve and resistance into the model and writes the four
// blocks of the interaction result file. clearScreen: whether the console
// is a terminal that may be cleared between angles. `precomputed`: the
// sweeps of this model's elements and quadrant, when already known;
// otherwise they are swept on `threads` threads.
void computeInteractionCurves(SectionModel& model, std::ostream& interaction, std::ostream& console,
                              bool clearScreen, const PlasticSurface* precomputed = nullptr, int threads = 1);

// "#CURVEPOINT <name> nx my mz" per point.
void writeCurve(std::ostream& stream, const InteractionCurve& curve, const char* name);

// "[", 70 characters, "] ", percentage, " %\r".
void printProgressBar(std::ostream& console, int i, int n);

}  // namespace colsec
