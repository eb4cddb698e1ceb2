#include "interaction/ExactResistance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "analysis/SectionSums.h"
#include "interaction/InteractionCurves.h"

namespace colsec {

namespace {

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Rows closer than this fraction of the section's size are one row.
constexpr double kRowTolerance = 1e-9;

// The sweep's line at offset m: compression where the projection lies
// below m.
NeutralAxisLine axisLine(double alpha, double m) {
  const double s = std::sin(alpha);
  const double c = std::cos(alpha);
  return NeutralAxisLine{m * s, m * c, c, -s, 0.0};
}

// The triple of the configuration at offset m: the plain sum.
CurvePoint configurationAt(const std::vector<Element>& elements, double alpha, double m) {
  return sectionPlastic(elements, axisLine(alpha, m));
}

// Index into ExactPlasticSection of the angle of N-My or N-Mz on the side
// of a design moment: 0 and 2 for My ≥ 0 and < 0, 1 and 3 for Mz.
int sideIndex(bool aboutY, double designMoment) {
  // A moment of -0.0 counts as positive, as in momentQuadrant.
  const bool negative = designMoment < 0.0;
  return aboutY ? (negative ? 2 : 0) : (negative ? 3 : 1);
}

double momentOf(const CurvePoint& p, int side) { return side % 2 == 0 ? p.my : p.mz; }

}  // namespace

std::vector<double> configurationOffsets(const std::vector<Element>& elements, double alpha) {
  if (elements.empty()) return {0.0};
  const double s = std::sin(alpha);
  const double c = std::cos(alpha);
  std::vector<double> projections;
  projections.reserve(elements.size());
  double size = 0.0;
  for (const Element& e : elements) {
    const double p = e.posY * s + e.posZ * c;
    if (!std::isfinite(p)) return {};  // no order to search
    projections.push_back(p);
    size = std::fmax(size, std::fabs(p));
  }
  std::sort(projections.begin(), projections.end());
  const double tolerance = kRowTolerance * (size + 1.0);
  // Beyond the outermost rows by far more than any rounding of the test.
  const double margin = 1.0 + 1e-6 * size;
  std::vector<double> offsets{projections.front() - margin};
  for (std::size_t i = 1; i < projections.size(); ++i) {
    if (projections[i] - projections[i - 1] > tolerance) {
      offsets.push_back(projections[i - 1] + (projections[i] - projections[i - 1]) * 0.5);
    }
  }
  offsets.push_back(projections.back() + margin);
  return offsets;
}

ExactPlasticCurve exactPlasticCurve(const std::vector<Element>& elements, double alpha) {
  ExactPlasticCurve curve;
  curve.alpha = alpha;
  curve.offsets = configurationOffsets(elements, alpha);
  if (curve.offsets.empty()) {
    curve.allTension = curve.allCompression = {kNaN, kNaN, kNaN};
    return curve;
  }
  curve.allTension = configurationAt(elements, alpha, curve.offsets.front());
  curve.allCompression = configurationAt(elements, alpha, curve.offsets.back());
  // Every element in tension, then the rows compressed one after another.
  const double sn = std::sin(alpha);
  const double cs = std::cos(alpha);
  std::vector<std::pair<double, double>> rows;  // projection, change of N when compressed
  rows.reserve(elements.size());
  double tension = 0.0;
  for (const Element& e : elements) {
    rows.emplace_back(e.posY * sn + e.posZ * cs, e.plasticLower.nx - e.plasticUpper.nx);
    tension += e.plasticUpper.nx;
  }
  std::sort(rows.begin(), rows.end());
  curve.estimatedNx.reserve(curve.offsets.size());
  std::size_t next = 0;
  double nx = tension;
  for (const double offset : curve.offsets) {
    for (; next < rows.size() && rows[next].first < offset; ++next) nx += rows[next].second;
    curve.estimatedNx.push_back(nx);
  }
  return curve;
}

CurvePoint exactCurvePoint(const std::vector<Element>& elements, const ExactPlasticCurve& curve, double target) {
  const CurvePoint none{kNaN, kNaN, kNaN};
  if (curve.offsets.empty() || std::isnan(target)) return none;
  const std::size_t last = curve.offsets.size() - 1;
  std::size_t lo = 0;
  std::size_t hi = last;
  // The axial force falls from full tension to full compression for every
  // law of the system; a rising one is followed all the same.
  const bool falling = curve.allTension.nx >= target && curve.allCompression.nx <= target;
  const bool rising = curve.allTension.nx <= target && curve.allCompression.nx >= target;
  if (!falling && !rising) return none;
  const auto plainNx = [&](std::size_t k) {
    return sectionPlasticAxial(elements, axisLine(curve.alpha, curve.offsets[k]));
  };
  // The plain axial force of the configurations never rises (nor falls,
  // for a rising curve) from one to the next, so the search below finds
  // the first configuration past the target, whatever bracket it starts
  // from. The estimate proposes one; two plain sums confirm it, else the
  // search runs over the side the estimate missed.
  if (falling && curve.estimatedNx.size() == curve.offsets.size() && last > 1) {
    const auto first = std::partition_point(curve.estimatedNx.begin() + 1, curve.estimatedNx.end(),
                                            [target](double nx) { return !(nx <= target); });
    const std::size_t k = static_cast<std::size_t>(first - curve.estimatedNx.begin());
    if (k <= last) {
      if (plainNx(k) <= target) {
        hi = k;
        if (k > 1 && plainNx(k - 1) > target) lo = k - 1;
      } else {
        lo = k;
      }
    }
  }
  // The target stays between the axial forces of lo and hi. The search
  // needs only the axial force of a configuration; the moments are summed
  // for the two that bracket the target.
  while (hi - lo > 1) {
    const std::size_t mid = lo + (hi - lo) / 2;
    const double nx = plainNx(mid);
    if (falling ? nx <= target : nx >= target) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  const CurvePoint low = lo == 0 ? curve.allTension : configurationAt(elements, curve.alpha, curve.offsets[lo]);
  const CurvePoint high = hi == last ? curve.allCompression : configurationAt(elements, curve.alpha, curve.offsets[hi]);
  const InteractionCurve pair{low, high};
  return {target, valueAtAxialForce(pair, target, true), valueAtAxialForce(pair, target, false)};
}

ExactPlasticSection exactPlasticSection(const std::vector<Element>& elements) {
  ExactPlasticSection section;
  for (int k = 0; k < 4; ++k) {
    section.curves[k] = exactPlasticCurve(elements, k * kHalfPi);
    section.momentAtZero[k] = momentOf(exactCurvePoint(elements, section.curves[k], 0.0), k);
  }
  // Every element in tension and every one compressed: the ends of N-My.
  section.nPlRdMax = section.curves[0].allTension.nx;
  section.nPlRdMin = section.curves[0].allCompression.nx;
  return section;
}

ExactResistances exactResistances(const std::vector<Element>& elements, const ExactPlasticSection& section,
                                  const SectionForces& design) {
  ExactResistances r;
  r.nPlRdMax = section.nPlRdMax;
  r.nPlRdMin = section.nPlRdMin;
  const auto atNEd = [&](int k) {
    return momentOf(exactCurvePoint(elements, section.curves[k], design.nx), k);
  };
  const int y = sideIndex(true, design.my);
  const int z = sideIndex(false, design.mz);
  const int yOther = (y + 2) % 4;
  const int zOther = (z + 2) % 4;
  r.mPlYRd = section.momentAtZero[y];
  r.mPlZRd = section.momentAtZero[z];
  r.mPlYRdOther = section.momentAtZero[yOther];
  r.mPlZRdOther = section.momentAtZero[zOther];
  r.myAtNEd = atNEd(y);
  r.mzAtNEd = atNEd(z);
  r.myAtNEdOther = atNEd(yOther);
  r.mzAtNEdOther = atNEd(zOther);
  r.mdy = r.myAtNEd / r.mPlYRd;
  r.mdz = r.mzAtNEd / r.mPlZRd;
  r.computed = true;
  return r;
}

}  // namespace colsec
