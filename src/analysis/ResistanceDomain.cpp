#include "analysis/ResistanceDomain.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace colsec {

namespace {

// A strain every law of the system has long passed its last kink at: the
// stress there is the plateau, if the law has one.
constexpr double kPlateauProbeStrain = 1.0;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Neutral-axis angles of the coarse search and the refinement around the
// best of them.
constexpr int kSearchAngles = 180;
constexpr int kRefinementSteps = 30;

// A bound of the law at the probe strain: the plateau stress, or infinity
// when the law is still rising there (or gives no number).
double plateau(const Element& e, double strain, double sign) {
  const double tangent = e.material->tangentModulus(strain, e.tauComb);
  const double stress = e.stress(QueryValue, strain);
  if (!(tangent == 0.0) || !std::isfinite(stress)) return sign * kInfinity;
  return stress;
}

struct Direction {
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
};

class DomainSearch {
 public:
  DomainSearch(const std::vector<Element>& elements, const ForceTriple& design, double tolerance)
      : elements_(elements), design_(design), tolN_(tolerance * 1000), tolM_(tolerance * 1000000) {
    bounds_.reserve(elements.size());
    for (const Element& e : elements) bounds_.push_back(lawStressBounds(e));
    for (std::size_t i = 0; i < elements.size(); ++i) {
      nLower_ += elements[i].area * bounds_[i].lower;
    }
    order_.resize(elements.size());
  }

  bool bounded() const {
    for (std::size_t i = 0; i < elements_.size(); ++i) {
      const bool carries = elements_[i].area != 0.0;
      if (carries && (std::isinf(bounds_[i].upper) || std::isinf(bounds_[i].lower))) return false;
    }
    return true;
  }

  // By how much n·F exceeds h(n) beyond what the tolerance and rounding
  // explain; positive only for a proof.
  double excess(const Direction& n, ResistanceExcess* record) const {
    const double load = n.a * design_.nx + n.b * design_.my + n.c * design_.mz;
    const double resistance = resistanceSupport(elements_, bounds_, n.a, n.b, n.c);
    const double margin = std::fabs(n.a) * tolN_ + (std::fabs(n.b) + std::fabs(n.c)) * tolM_;
    // h is a sum of non-negative terms, so its rounding error is a tiny
    // fraction of itself; likewise for n·F.
    const double rounding = 1e-9 * (resistance + std::fabs(n.a * design_.nx) + std::fabs(n.b * design_.my) +
                                    std::fabs(n.c * design_.mz));
    if (record != nullptr) {
      record->a = n.a;
      record->b = n.b;
      record->c = n.c;
      record->load = load;
      record->resistance = resistance;
    }
    return load - resistance - margin - rounding;
  }

  // The direction with neutral-axis angle theta and the axial part that
  // maximises n·F − h(n): with s = cos θ·z + sin θ·y and n = (−t, cos θ,
  // sin θ), the excess is concave in t with slope Npl(t) − N, where Npl(t)
  // is the plastic axial force with tension where s > t. Its maximum lies at
  // the element whose change to tension lifts Npl(t) to N: in the order of
  // falling s, the first at which the sum of A·(σ⁺ − σ⁻) reaches N − Npl(∞).
  // A weighted selection finds it without sorting all elements.
  Direction atAngle(double theta) {
    const double cb = std::cos(theta);
    const double sc = std::sin(theta);
    for (std::size_t i = 0; i < elements_.size(); ++i) {
      order_[i] = {cb * elements_[i].posZ + sc * elements_[i].posY, i};
    }
    const auto higher = [](const std::pair<double, std::size_t>& x, const std::pair<double, std::size_t>& y) {
      return x.first > y.first;
    };
    double remaining = design_.nx - nLower_;
    std::size_t lo = 0;
    std::size_t hi = order_.size();
    while (hi - lo > 1) {
      // [lo, mid] holds the mid − lo + 1 highest s of [lo, hi).
      const std::size_t mid = lo + (hi - lo - 1) / 2;
      std::nth_element(order_.begin() + lo, order_.begin() + mid, order_.begin() + hi, higher);
      double weight = 0.0;
      for (std::size_t k = lo; k <= mid; ++k) {
        const std::size_t i = order_[k].second;
        weight += elements_[i].area * (bounds_[i].upper - bounds_[i].lower);
      }
      if (weight >= remaining) {
        hi = mid + 1;
      } else {
        remaining -= weight;
        lo = mid + 1;
      }
    }
    const double t = order_.empty() ? 0.0 : order_[lo].first;
    return {-t, cb, sc};
  }

 private:
  const std::vector<Element>& elements_;
  const ForceTriple design_;
  const double tolN_;
  const double tolM_;
  std::vector<StressBounds> bounds_;
  double nLower_ = 0.0;
  std::vector<std::pair<double, std::size_t>> order_;
};

}  // namespace

StressBounds lawStressBounds(const Element& element) {
  const double upper = plateau(element, kPlateauProbeStrain, 1.0);
  const double lower = plateau(element, -kPlateauProbeStrain, -1.0);
  // Every law passes through zero stress at zero strain.
  return {std::max(upper, 0.0), std::min(lower, 0.0)};
}

double resistanceSupport(const std::vector<Element>& elements, const std::vector<StressBounds>& bounds, double a,
                         double b, double c) {
  double sum = 0.0;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const Element& e = elements[i];
    const double g = a + b * e.posZ + c * e.posY;
    // g = 0 contributes nothing, also for an unbounded law.
    if (g > 0.0) sum += e.area * (bounds[i].upper * g);
    if (g < 0.0) sum += e.area * (bounds[i].lower * g);
  }
  return sum;
}

ResistanceExcess findResistanceExcess(const std::vector<Element>& elements, const ForceTriple& design,
                                      double tolerance) {
  ResistanceExcess result;
  DomainSearch search(elements, design, tolerance);
  if (!search.bounded()) return result;

  double best = -kInfinity;
  auto consider = [&](const Direction& n) {
    ResistanceExcess candidate;
    const double value = search.excess(n, &candidate);
    if (value > best) {
      best = value;
      result = candidate;
      result.outside = value > 0.0;
    }
    return value;
  };

  // One direction that proves the forces outside is all the answer needs:
  // the search stops at the first.
  // Axial force beyond the tension or compression resistance.
  consider({1.0, 0.0, 0.0});
  if (result.outside) return result;
  consider({-1.0, 0.0, 0.0});
  if (result.outside) return result;

  const double step = 2.0 * std::numbers::pi / kSearchAngles;
  double bestTheta = 0.0;
  double bestAtAngle = -kInfinity;
  for (int k = 0; k < kSearchAngles; ++k) {
    const double theta = k * step;
    const double value = consider(search.atAngle(theta));
    if (result.outside) return result;
    if (value > bestAtAngle) {
      bestAtAngle = value;
      bestTheta = theta;
    }
  }

  // Golden-section refinement within one step either side of the best
  // angle: a load just outside the domain may show only between two grid
  // angles. Whatever it finds is checked like every other direction.
  const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
  double lo = bestTheta - step;
  double hi = bestTheta + step;
  double x1 = hi - ratio * (hi - lo);
  double x2 = lo + ratio * (hi - lo);
  double f1 = consider(search.atAngle(x1));
  double f2 = consider(search.atAngle(x2));
  for (int k = 0; k < kRefinementSteps && !result.outside; ++k) {
    if (f1 > f2) {
      hi = x2;
      x2 = x1;
      f2 = f1;
      x1 = hi - ratio * (hi - lo);
      f1 = consider(search.atAngle(x1));
    } else {
      lo = x1;
      x1 = x2;
      f1 = f2;
      x2 = lo + ratio * (hi - lo);
      f2 = consider(search.atAngle(x2));
    }
  }
  return result;
}

}  // namespace colsec
