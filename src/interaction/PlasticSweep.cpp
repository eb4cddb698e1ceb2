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
constexpr std::size_t kGroupsPerPass = 64;

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

// For every element in sequence order and every point: the signed distance
// of the plain element test, compression where it is positive, tension
// otherwise (lines of the sweep have tolerance 0, so no element is "on"
// the line).
__attribute__((always_inline)) inline void accumulatePoints(const SweepColumns& columns, std::size_t groups,
                                                            const Lanes* pointY, const Lanes* pointZ, double dirY,
                                                            double dirZ, Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  const Lanes zero = {0.0, 0.0, 0.0, 0.0};
  const Lanes dirYs = zero + dirY;
  const Lanes dirZs = zero + dirZ;
  for (std::size_t i = 0; i < columns.elements; ++i) {
    const Lanes py = zero + columns.posY[i];
    const Lanes pz = zero + columns.posZ[i];
    const Lanes uNx = zero + columns.upperNx[i], uMy = zero + columns.upperMy[i], uMz = zero + columns.upperMz[i];
    const Lanes lNx = zero + columns.lowerNx[i], lMy = zero + columns.lowerMy[i], lMz = zero + columns.lowerMz[i];
    for (std::size_t g = 0; g < groups; ++g) {
      const Lanes d = (py - pointY[g]) * dirZs - (pz - pointZ[g]) * dirYs;
      const auto compressed = d > zero;
      sumNx[g] += compressed ? lNx : uNx;
      sumMy[g] += compressed ? lMy : uMy;
      sumMz[g] += compressed ? lMz : uMz;
    }
  }
}

// The same loop for any x86-64 processor, and with AVX2 where it exists.
void accumulateBaseline(const SweepColumns& columns, std::size_t groups, const Lanes* pointY, const Lanes* pointZ,
                        double dirY, double dirZ, Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulatePoints(columns, groups, pointY, pointZ, dirY, dirZ, sumNx, sumMy, sumMz);
}

__attribute__((target("avx2"))) void accumulateAvx2(const SweepColumns& columns, std::size_t groups,
                                                    const Lanes* pointY, const Lanes* pointZ, double dirY,
                                                    double dirZ, Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulatePoints(columns, groups, pointY, pointZ, dirY, dirZ, sumNx, sumMy, sumMz);
}

using Accumulator = void (*)(const SweepColumns&, std::size_t, const Lanes*, const Lanes*, double, double, Lanes*,
                             Lanes*, Lanes*);

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

InteractionCurve PlasticSweep::sweep(double alpha, double mStart, double mEnd, double count, SweepKernel kernel) const {
  const double s = std::sin(alpha);
  const double c = std::cos(alpha);
  // The same line parameters as the plain sweep, point by point; the last
  // group is padded with copies of the last point.
  std::vector<double> offsets;
  for (int i = 0; i < count; ++i) offsets.push_back(mStart + i * (mEnd - mStart) / (count - 1));
  const std::size_t points = offsets.size();
  const std::size_t groups = (points + kLanes - 1) / kLanes;
  std::vector<double> pointY(groups * kLanes);
  std::vector<double> pointZ(groups * kLanes);
  for (std::size_t j = 0; j < groups * kLanes; ++j) {
    const double m = offsets[std::min(j, points - 1)];
    pointY[j] = m * s;
    pointZ[j] = m * c;
  }

  const SweepColumns columns{posY_.data(),    posZ_.data(),    upperNx_.data(), upperMy_.data(), upperMz_.data(),
                             lowerNx_.data(), lowerMy_.data(), lowerMz_.data(), posY_.size()};
  std::vector<double> sumNx(groups * kLanes, 0.0);
  std::vector<double> sumMy(groups * kLanes, 0.0);
  std::vector<double> sumMz(groups * kLanes, 0.0);
  const auto lanes = [](std::vector<double>& values, std::size_t group) {
    return reinterpret_cast<Lanes*>(values.data() + group * kLanes);
  };
  const Accumulator accumulate = accumulatorFor(kernel);
  for (std::size_t first = 0; first < groups; first += kGroupsPerPass) {
    const std::size_t batch = std::min(kGroupsPerPass, groups - first);
    accumulate(columns, batch, lanes(pointY, first), lanes(pointZ, first), c, -s, lanes(sumNx, first),
                     lanes(sumMy, first), lanes(sumMz, first));
  }

  InteractionCurve curve(points);
  for (std::size_t j = 0; j < points; ++j) curve[j] = {sumNx[j], sumMy[j], sumMz[j]};
  return curve;
}

}  // namespace colsec
