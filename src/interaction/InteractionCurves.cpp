#include "interaction/InteractionCurves.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <limits>
#include <ostream>

#include "analysis/SectionSums.h"
#include "interaction/PlasticSweep.h"
#include "model/ParallelFor.h"
#include "model/SinglePrecision.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Clears a terminal and homes the cursor.
constexpr const char* kClearScreen = "\x1b[2J\x1b[H";


double farthestLine(const std::vector<double>& sortedLines) {
  if (sortedLines.empty()) return 0.0;
  return std::fmax(std::fabs(sortedLines.front()), std::fabs(sortedLines.back()));
}

// Index k of the first pair (P[k], P[k+1]) that brackets the target, the
// falling test first; -1 when none does.
long bracketingPair(const InteractionCurve& curve, double target) {
  for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
    const double a = curve[k].nx;
    const double b = curve[k + 1].nx;
    if ((a >= target && b <= target) || (a <= target && b >= target)) return static_cast<long>(k);
  }
  return -1;
}

// The point of the segment p-q at the axial force target, by linear
// interpolation. A pair of equal axial forces brackets the target only
// when both equal it: the point is then taken at t = 0, not 0/0.
CurvePoint pointOnPair(const CurvePoint& p, const CurvePoint& q, double target) {
  const double t = q.nx == p.nx ? 0.0 : (target - p.nx) / (q.nx - p.nx);
  return {p.nx + (q.nx - p.nx) * t, p.my + t * (q.my - p.my), p.mz + t * (q.mz - p.mz)};
}

}  // namespace

MomentQuadrant momentQuadrant(const SectionForces& design) {
  // A moment of -0.0 compares as not negative, so it counts as positive.
  const bool negativeMy = design.my < 0.0;
  const bool negativeMz = design.mz < 0.0;
  const int q = negativeMy ? (negativeMz ? 2 : 1) : (negativeMz ? 3 : 0);
  return {q, q * kHalfPi, negativeMy ? 2 * kHalfPi : 0.0, negativeMz ? 3 * kHalfPi : kHalfPi};
}

double sectionRadius(const SectionModel& model) {
  const double y = farthestLine(model.gridLinesY);
  const double z = farthestLine(model.gridLinesZ);
  return std::sqrt(singleSquare(y) + singleSquare(z));
}

InteractionCurve sweepCurve(const SectionModel& model, double alpha, double mStart, double mEnd, double count) {
  const double s = std::sin(alpha);
  const double c = std::cos(alpha);
  InteractionCurve curve;
  for (int i = 0; i < count; ++i) {
    const double m = mStart + i * (mEnd - mStart) / (count - 1);
    const NeutralAxisLine line{m * s, m * c, c, -s, 0.0};
    curve.push_back(sectionPlastic(model.elements, line));
  }
  return curve;
}

double valueAtAxialForce(const InteractionCurve& curve, double target, bool useMy) {
  const long k = bracketingPair(curve, target);
  if (k < 0) return kNaN;
  // A pair of equal axial forces gives the first point's value itself.
  if (curve[k + 1].nx == curve[k].nx) return useMy ? curve[k].my : curve[k].mz;
  const CurvePoint p = pointOnPair(curve[k], curve[k + 1], target);
  return useMy ? p.my : p.mz;
}

InteractionCurve curveAtAxialForce(const SectionModel& model, double target) {
  return curveAtAxialForce(model.surfaceCurves, target);
}

InteractionCurve curveAtAxialForce(const std::vector<InteractionCurve>& curves, double target) {
  InteractionCurve result;
  result.reserve(curves.size());
  for (const InteractionCurve& curve : curves) {
    const long k = bracketingPair(curve, target);
    if (k < 0) {
      result.push_back({kNaN, kNaN, kNaN});
      continue;
    }
    result.push_back(pointOnPair(curve[k], curve[k + 1], target));
  }
  return result;
}

double rayCrossingFactor(const InteractionCurve& curve, double my, double mz) {
  if (my == 0.0 && mz == 0.0) return kNaN;
  double best = kNaN;
  for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
    const CurvePoint& p = curve[k];
    const CurvePoint& q = curve[k + 1];
    // t·d = p + s·(q − p), solved by Cramer's rule; a segment parallel
    // to the ray (det = 0) is met at an end by its neighbours.
    const double ey = q.my - p.my;
    const double ez = q.mz - p.mz;
    const double det = ey * mz - ez * my;
    if (!std::isfinite(det) || det == 0.0) continue;
    const double t = (ey * p.mz - ez * p.my) / det;
    const double s = (my * p.mz - mz * p.my) / det;
    if (!(s >= 0.0 && s <= 1.0 && t >= 0.0)) continue;
    if (!(t >= best)) best = t;
  }
  return best;
}

CurvePoint closestCurvePoint(const SectionModel& model, const CurvePoint& target) {
  const InteractionCurve curve = curveAtAxialForce(model, target.nx);
  double best = 1e300;
  bool found = false;
  double resultMy = 0.0;
  double resultMz = 0.0;
  for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
    const CurvePoint& p = curve[k];
    const double dMy = curve[k + 1].my - p.my;
    const double dMz = curve[k + 1].mz - p.mz;
    const double length = std::sqrt(singleSquare(dMy) + singleSquare(dMz));
    const double ty = dMy / length;
    const double tz = dMz / length;
    const double v = (target.my - p.my) * ty + (target.mz - p.mz) * tz;
    if (!(0 <= v && v <= length)) continue;
    const double footMy = p.my + ty * v;
    const double footMz = p.mz + tz * v;
    const double distance =
        std::sqrt((target.mz - footMz) * (target.mz - footMz) + (target.my - footMy) * (target.my - footMy));
    if (best >= distance) {
      best = distance;
      found = true;
      resultMy = footMy;
      resultMz = footMz;
    }
  }
  if (!found) {
    for (const CurvePoint& p : curve) {
      const double distance =
          std::sqrt((target.my - p.my) * (target.my - p.my) + (target.mz - p.mz) * (target.mz - p.mz));
      if (best > distance) {
        best = distance;
        resultMy = p.my;
        resultMz = p.mz;
      }
    }
  }
  return {target.nx, resultMy, resultMz};
}

std::vector<std::size_t> pointsReadAt(const InteractionCurve& curve, const std::vector<double>& axialForces) {
  std::vector<std::size_t> points;
  for (const double target : axialForces) {
    const long k = bracketingPair(curve, target);
    if (k < 0) continue;
    points.push_back(static_cast<std::size_t>(k));
    points.push_back(static_cast<std::size_t>(k) + 1);
  }
  return points;
}

PlasticSurface sweepPlasticSurface(const SectionModel& model, int threads, const std::vector<double>* axialForces) {
  const double radius = sectionRadius(model);
  const double offsets = model.settings.offsetSubdivisions;
  const PlasticSweep sweep(model.elements);
  const MomentQuadrant quadrant = momentQuadrant(model.designForces);
  const int angles = std::max(model.settings.angularSubdivisions, 0);
  PlasticSurface surface;
  surface.surfaceCurves.resize(static_cast<std::size_t>(angles));
  // The first and the last surface angle mostly have the bits of the N-My
  // and the N-Mz angle: the same sweep, so the curve is copied.
  const auto sameAngle = [](double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
  };
  std::vector<int> copyOf(static_cast<std::size_t>(angles), -1);
  for (int i = 0; i < angles; ++i) {
    const double alpha = surfaceAngle(quadrant, i, angles);
    if (sameAngle(alpha, quadrant.alphaNMy)) copyOf[i] = 0;
    if (sameAngle(alpha, quadrant.alphaNMz)) copyOf[i] = 1;
  }
  const PlasticSweep::PointChooser readPoints = [axialForces](const InteractionCurve& axial) {
    return pointsReadAt(axial, *axialForces);
  };
  const auto curveAt = [&](double alpha) {
    return axialForces != nullptr ? sweep.sweepAxialFirst(alpha, -radius, radius, offsets, readPoints)
                                  : sweep.sweep(alpha, -radius, radius, offsets);
  };
  // Curve k: N-My, N-Mz, then the surface angles; each is one thread's.
  parallelFor(angles + 2, threads, [&](int k) {
    if (k == 0) {
      surface.curveNMy = curveAt(quadrant.alphaNMy);
    } else if (k == 1) {
      surface.curveNMz = curveAt(quadrant.alphaNMz);
    } else if (copyOf[k - 2] < 0) {
      const int i = k - 2;
      surface.surfaceCurves[i] = curveAt(surfaceAngle(quadrant, i, angles));
    }
  });
  for (int i = 0; i < angles; ++i) {
    if (copyOf[i] >= 0) surface.surfaceCurves[i] = copyOf[i] == 0 ? surface.curveNMy : surface.curveNMz;
  }
  surface.plasticShear = sectionPlasticShear(model.elements);
  return surface;
}

double surfaceAngle(const MomentQuadrant& quadrant, int i, int angles) {
  return quadrant.firstAngle + i * kHalfPi / (angles - 1);
}

void computeInteractionCurves(SectionModel& model, std::ostream& interaction, std::ostream& console,
                              bool clearScreen, const PlasticSurface* precomputed, int threads) {
  const auto clear = [&] {
    if (clearScreen) console << kClearScreen;
  };
  // The sweeps do not depend on what the console shows, so they may come
  // from an earlier run with the same elements and quadrant.
  PlasticSurface surface = precomputed != nullptr ? *precomputed : sweepPlasticSurface(model, threads);
  const MomentQuadrant quadrant = momentQuadrant(model.designForces);
  model.curveNMy = std::move(surface.curveNMy);
  console << "\nDone";
  model.curveNMz = std::move(surface.curveNMz);
  console << "\nDone";

  model.mPlYRd = valueAtAxialForce(model.curveNMy, 0.0, true);
  model.mPlZRd = valueAtAxialForce(model.curveNMz, 0.0, false);
  model.nPlRdMax = model.curveNMy.empty() ? kNaN : model.curveNMy.front().nx;
  model.nPlRdMin = model.curveNMy.empty() ? kNaN : model.curveNMy.back().nx;
  const double designN = model.designForces.nx;
  model.mdy = valueAtAxialForce(model.curveNMy, designN, true) / model.mPlYRd;
  model.mdz = valueAtAxialForce(model.curveNMz, designN, false) / model.mPlZRd;

  const int angles = model.settings.angularSubdivisions;
  for (int i = 0; i < angles; ++i) {
    const double alpha = surfaceAngle(quadrant, i, angles);
    clear();
    console << "\nCalculating Interaction Curves\n Alpha = " << alpha / kPi * 180 << " Degrees\n";
    printProgressBar(console, i, angles);
    console << "\n";
    model.surfaceCurves.push_back(std::move(surface.surfaceCurves[i]));
    console << "\nDone";
  }
  clear();
  console << "\nCalculating Interaction Curves Done\n\n";

  model.curveMyMzN0 = curveAtAxialForce(model, 0.0);
  model.curveMyMz = curveAtAxialForce(model, designN);

  writeCurve(interaction, model.curveNMy, "NMy");
  writeCurve(interaction, model.curveNMz, "NMz");
  writeCurve(interaction, model.curveMyMzN0, "MyMzN0");
  writeCurve(interaction, model.curveMyMz, "MyMz");

  model.qPlRdY = surface.plasticShear.y;
  model.qPlRdZ = surface.plasticShear.z;
}

}  // namespace colsec
