#include "interaction/PlasticSweep.h"

#include <algorithm>
#include <cmath>

namespace colsec {

namespace {

// Four points side by side; the element loop stays in sequence order, so
// each lane adds the elements exactly as the plain sum does. The lanes are
// plain IEEE operations without contraction, so the baseline and the AVX2
// code give the same bits.
// Element alignment only: the lanes live in plain double arrays.
typedef double Lanes __attribute__((vector_size(32), aligned(8), may_alias));
constexpr std::size_t kLanes = 4;
// Points evaluated per pass: their accumulators stay in the first-level cache.
constexpr std::size_t kGroupsPerPass = 128;

struct SweepColumns {
  const double* posY;
  const double* posZ;
  const double* upperNx;
  const double* upperMy;
  const double* upperMz;
  const double* lowerNx;
  const double* lowerMy;
  const double* lowerMz;
  std::size_t elements;
};

// The points of a pass, four to a group; every group has its own line
// direction, so one pass can serve several angles.
struct PointGroups {
  const Lanes* pointY;
  const Lanes* pointZ;
  const Lanes* dirY;
  const Lanes* dirZ;
  std::size_t count;
};

// For every element in sequence order and every point: the signed distance
// of the plain element test, compression where it is positive, tension
// otherwise (lines of the sweep have tolerance 0, so no element is "on"
// the line).
__attribute__((always_inline)) inline void accumulatePoints(const SweepColumns& columns, const PointGroups& groups,
                                                            Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  const Lanes zero = {0.0, 0.0, 0.0, 0.0};
  for (std::size_t i = 0; i < columns.elements; ++i) {
    const Lanes py = zero + columns.posY[i];
    const Lanes pz = zero + columns.posZ[i];
    const Lanes uNx = zero + columns.upperNx[i], uMy = zero + columns.upperMy[i], uMz = zero + columns.upperMz[i];
    const Lanes lNx = zero + columns.lowerNx[i], lMy = zero + columns.lowerMy[i], lMz = zero + columns.lowerMz[i];
    for (std::size_t g = 0; g < groups.count; ++g) {
      const Lanes d = (py - groups.pointY[g]) * groups.dirZ[g] - (pz - groups.pointZ[g]) * groups.dirY[g];
      const auto compressed = d > zero;
      sumNx[g] += compressed ? lNx : uNx;
      sumMy[g] += compressed ? lMy : uMy;
      sumMz[g] += compressed ? lMz : uMz;
    }
  }
}

// The same loop for any x86-64 processor, and with AVX2 where it exists.
void accumulateBaseline(const SweepColumns& columns, const PointGroups& groups, Lanes* sumNx, Lanes* sumMy,
                        Lanes* sumMz) {
  accumulatePoints(columns, groups, sumNx, sumMy, sumMz);
}

__attribute__((target("avx2"))) void accumulateAvx2(const SweepColumns& columns, const PointGroups& groups,
                                                    Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulatePoints(columns, groups, sumNx, sumMy, sumMz);
}

using Accumulator = void (*)(const SweepColumns&, const PointGroups&, Lanes*, Lanes*, Lanes*);

Accumulator accumulatorFor(SweepKernel kernel) {
  static const bool hasAvx2 = __builtin_cpu_supports("avx2");
  return kernel == SweepKernel::Automatic && hasAvx2 ? accumulateAvx2 : accumulateBaseline;
}

}  // namespace

PlasticSweep::PlasticSweep(const std::vector<Element>& elements) {
  const std::size_t n = elements.size();
  for (auto* column : {&posY_, &posZ_, &upperNx_, &upperMy_, &upperMz_, &lowerNx_, &lowerMy_, &lowerMz_}) {
    column->reserve(n);
  }
  for (const Element& e : elements) {
    posY_.push_back(e.posY);
    posZ_.push_back(e.posZ);
    upperNx_.push_back(e.plasticUpper.nx);
    upperMy_.push_back(e.plasticUpper.my);
    upperMz_.push_back(e.plasticUpper.mz);
    lowerNx_.push_back(e.plasticLower.nx);
    lowerMy_.push_back(e.plasticLower.my);
    lowerMz_.push_back(e.plasticLower.mz);
  }
}

std::size_t PlasticSweep::anglesPerPass(double count) {
  const std::size_t groupsPerCurve = count > 0 ? (static_cast<std::size_t>(count) + kLanes - 1) / kLanes : 1;
  return std::max<std::size_t>(1, kGroupsPerPass / groupsPerCurve);
}

InteractionCurve PlasticSweep::sweep(double alpha, double mStart, double mEnd, double count, SweepKernel kernel) const {
  return std::move(sweep(std::vector<double>{alpha}, mStart, mEnd, count, kernel).front());
}

std::vector<InteractionCurve> PlasticSweep::sweep(const std::vector<double>& alphas, double mStart, double mEnd,
                                                  double count, SweepKernel kernel) const {
  // The same line parameters as the plain sweep, point by point; the last
  // group of each curve is padded with copies of its last point.
  std::vector<double> offsets;
  for (int i = 0; i < count; ++i) offsets.push_back(mStart + i * (mEnd - mStart) / (count - 1));
  const std::size_t points = offsets.size();
  const std::size_t groupsPerCurve = (points + kLanes - 1) / kLanes;
  const std::size_t slots = alphas.size() * groupsPerCurve * kLanes;
  std::vector<double> pointY(slots), pointZ(slots), dirY(slots), dirZ(slots);
  for (std::size_t a = 0; a < alphas.size(); ++a) {
    const double s = std::sin(alphas[a]);
    const double c = std::cos(alphas[a]);
    for (std::size_t j = 0; j < groupsPerCurve * kLanes; ++j) {
      const std::size_t slot = a * groupsPerCurve * kLanes + j;
      const double m = offsets[std::min(j, points - 1)];
      pointY[slot] = m * s;
      pointZ[slot] = m * c;
      dirY[slot] = c;
      dirZ[slot] = -s;
    }
  }

  const SweepColumns columns{posY_.data(),    posZ_.data(),    upperNx_.data(), upperMy_.data(), upperMz_.data(),
                             lowerNx_.data(), lowerMy_.data(), lowerMz_.data(), posY_.size()};
  std::vector<double> sumNx(slots, 0.0), sumMy(slots, 0.0), sumMz(slots, 0.0);
  const auto lanes = [](std::vector<double>& values, std::size_t group) {
    return reinterpret_cast<Lanes*>(values.data() + group * kLanes);
  };
  // Each pass reads the elements once for as many groups as it holds.
  const Accumulator accumulate = accumulatorFor(kernel);
  const std::size_t groups = slots / kLanes;
  for (std::size_t first = 0; first < groups; first += kGroupsPerPass) {
    const PointGroups batch{lanes(pointY, first), lanes(pointZ, first), lanes(dirY, first), lanes(dirZ, first),
                            std::min(kGroupsPerPass, groups - first)};
    accumulate(columns, batch, lanes(sumNx, first), lanes(sumMy, first), lanes(sumMz, first));
  }

  std::vector<InteractionCurve> curves(alphas.size(), InteractionCurve(points));
  for (std::size_t a = 0; a < alphas.size(); ++a) {
    for (std::size_t j = 0; j < points; ++j) {
      const std::size_t slot = a * groupsPerCurve * kLanes + j;
      curves[a][j] = {sumNx[slot], sumMy[slot], sumMz[slot]};
    }
  }
  return curves;
}

}  // namespace colsec
