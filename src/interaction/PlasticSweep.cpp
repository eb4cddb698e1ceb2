#include "interaction/PlasticSweep.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

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
// Positions and offsets up to this size cannot overflow the signed
// distance, so its sign moves monotonically along the offsets.
constexpr double kMonotonicRange = 1e150;

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

// The lines of one curve: point k lies at (pointY[k], pointZ[k]), all with
// direction (dirY, dirZ).
struct SweepLines {
  const double* pointY;
  const double* pointZ;
  double dirY;
  double dirZ;
  std::size_t points;
};

// The plain element test of a line with tolerance 0: compression where the
// signed distance is positive, tension otherwise.
inline bool compressedAt(double y, double z, const SweepLines& lines, std::size_t k) {
  return (y - lines.pointY[k]) * lines.dirZ - (z - lines.pointZ[k]) * lines.dirY > 0;
}

// For every element in sequence order and every point: the signed distance
// of the plain element test. Used where the thresholds below do not apply.
__attribute__((always_inline)) inline void accumulateByDistance(const SweepColumns& columns, std::size_t groups,
                                                                const Lanes* pointY, const Lanes* pointZ,
                                                                double dirY, double dirZ, Lanes* sumNx, Lanes* sumMy,
                                                                Lanes* sumMz) {
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

// With the threshold of every element known (points from the threshold on
// take its compression triple), a point needs no distance: each lane
// compares its point number with the threshold. The accumulators of a
// block of points stay in registers for a whole pass over the elements;
// held in memory, their loads and stores were the limit.
//
// Adding a zero never changes a sum that starts at +0 (it can never become
// -0, and x + ±0 is x for any other x), so an element adds nothing to the
// points before addsFrom[i]: concrete on the tension side, whose triple is
// zero, skips its groups there.
template <typename V, int kWidth, int kBlock>
__attribute__((always_inline)) inline void accumulateBlock(const SweepColumns& columns, const std::uint32_t* thresholds,
                                                           const std::uint32_t* addsFrom, std::size_t firstPoint,
                                                           double* sumNx, double* sumMy, double* sumMz) {
  static_assert(sizeof(V) == kWidth * sizeof(double) && kWidth <= 8);
  static constexpr double kLaneNumbers[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  V laneNumbers;
  std::memcpy(&laneNumbers, kLaneNumbers, sizeof(V));
  const V zero = laneNumbers * 0.0;
  V point[kBlock];
  V nx[kBlock];
  V my[kBlock];
  V mz[kBlock];
  for (int g = 0; g < kBlock; ++g) {
    point[g] = laneNumbers + static_cast<double>(firstPoint + static_cast<std::size_t>(g * kWidth));
    nx[g] = my[g] = mz[g] = zero;
  }
  const std::size_t blockEnd = firstPoint + kBlock * kWidth;
  for (std::size_t i = 0; i < columns.elements; ++i) {
    const std::size_t from = addsFrom[i];
    if (from >= blockEnd) continue;
    const V threshold = zero + static_cast<double>(thresholds[i]);
    const V uNx = zero + columns.upperNx[i], uMy = zero + columns.upperMy[i], uMz = zero + columns.upperMz[i];
    const V lNx = zero + columns.lowerNx[i], lMy = zero + columns.lowerMy[i], lMz = zero + columns.lowerMz[i];
    for (int g = 0; g < kBlock; ++g) {
      if (firstPoint + static_cast<std::size_t>((g + 1) * kWidth) <= from) continue;
      const auto compressed = point[g] >= threshold;
      nx[g] += compressed ? lNx : uNx;
      my[g] += compressed ? lMy : uMy;
      mz[g] += compressed ? lMz : uMz;
    }
  }
  for (int g = 0; g < kBlock; ++g) {
    for (int lane = 0; lane < kWidth; ++lane) {
      const std::size_t k = firstPoint + static_cast<std::size_t>(g * kWidth + lane);
      sumNx[k] = nx[g][lane];
      sumMy[k] = my[g][lane];
      sumMz[k] = mz[g][lane];
    }
  }
}

// All points in blocks of at most kMaxBlock vectors; the sums hold a
// multiple of kWidth points.
template <typename V, int kWidth, int kMaxBlock>
__attribute__((always_inline)) inline void accumulateByThreshold(const SweepColumns& columns,
                                                                 const std::uint32_t* thresholds,
                                                                 const std::uint32_t* addsFrom, std::size_t groups,
                                                                 double* sumNx, double* sumMy, double* sumMz) {
  std::size_t g = 0;
  for (; g + kMaxBlock <= groups; g += kMaxBlock) {
    accumulateBlock<V, kWidth, kMaxBlock>(columns, thresholds, addsFrom, g * kWidth, sumNx, sumMy, sumMz);
  }
  const std::size_t first = g * kWidth;
  switch (groups - g) {
    case 0: break;
#define COLSEC_SWEEP_REST(n) \
    case n: if constexpr (n < kMaxBlock) accumulateBlock<V, kWidth, n>(columns, thresholds, addsFrom, first, sumNx, sumMy, sumMz); break;
    COLSEC_SWEEP_REST(1)
    COLSEC_SWEEP_REST(2)
    COLSEC_SWEEP_REST(3)
    COLSEC_SWEEP_REST(4)
    COLSEC_SWEEP_REST(5)
    COLSEC_SWEEP_REST(6)
#undef COLSEC_SWEEP_REST
    default: break;
  }
}

typedef double Lanes8 __attribute__((vector_size(64), aligned(8), may_alias));

// The same loops for any x86-64 processor, with AVX2 and with AVX-512
// where they exist.
void distanceBaseline(const SweepColumns& columns, std::size_t groups, const Lanes* pointY, const Lanes* pointZ,
                      double dirY, double dirZ, Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulateByDistance(columns, groups, pointY, pointZ, dirY, dirZ, sumNx, sumMy, sumMz);
}

__attribute__((target("avx2"))) void distanceAvx2(const SweepColumns& columns, std::size_t groups,
                                                  const Lanes* pointY, const Lanes* pointZ, double dirY, double dirZ,
                                                  Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulateByDistance(columns, groups, pointY, pointZ, dirY, dirZ, sumNx, sumMy, sumMz);
}

void thresholdBaseline(const SweepColumns& columns, const std::uint32_t* thresholds, const std::uint32_t* addsFrom, std::size_t points,
                       double* sumNx, double* sumMy, double* sumMz) {
  accumulateByThreshold<Lanes, 4, 2>(columns, thresholds, addsFrom, (points + 3) / 4, sumNx, sumMy, sumMz);
}

__attribute__((target("avx2"))) void thresholdAvx2(const SweepColumns& columns, const std::uint32_t* thresholds,
                                                   const std::uint32_t* addsFrom, std::size_t points, double* sumNx, double* sumMy, double* sumMz) {
  accumulateByThreshold<Lanes, 4, 3>(columns, thresholds, addsFrom, (points + 3) / 4, sumNx, sumMy, sumMz);
}

__attribute__((target("avx512f"))) void thresholdAvx512(const SweepColumns& columns, const std::uint32_t* thresholds,
                                                        const std::uint32_t* addsFrom, std::size_t points, double* sumNx, double* sumMy,
                                                        double* sumMz) {
  accumulateByThreshold<Lanes8, 8, 7>(columns, thresholds, addsFrom, (points + 7) / 8, sumNx, sumMy, sumMz);
}

bool hasAvx2() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
}

bool hasAvx512() {
  static const bool available = __builtin_cpu_supports("avx512f");
  return available;
}

// The first point of each element on the compression side, or the number
// of points when there is none. Along the offsets the signed distance is
// monotonic in every rounding (offsets and both products move one way, and
// a rounded difference is positive exactly when the minuend is larger), so
// the side changes once. An estimate from the projection is corrected by
// the plain test itself, which therefore decides every threshold.
void findThresholds(const SweepColumns& columns, const SweepLines& lines, double s, double c, double mStart,
                    double step, std::uint32_t* thresholds) {
  const auto points = static_cast<std::uint32_t>(lines.points);
  const double last = static_cast<double>(points);
  for (std::size_t i = 0; i < columns.elements; ++i) {
    const double y = columns.posY[i];
    const double z = columns.posZ[i];
    const double t = (y * s + z * c - mStart) / step;
    std::uint32_t k = 0;
    if (t >= last) {
      k = points;
    } else if (t >= 0.0) {
      k = std::min(points, static_cast<std::uint32_t>(t) + 1);
    }
    while (k > 0 && compressedAt(y, z, lines, k - 1)) --k;
    while (k < points && !compressedAt(y, z, lines, k)) ++k;
    thresholds[i] = k;
  }
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
    const auto isZero = [](double v) { return v == 0.0; };
    upperIsZero_.push_back(isZero(e.plasticUpper.nx) && isZero(e.plasticUpper.my) && isZero(e.plasticUpper.mz));
    const double extent = std::fmax(std::fabs(e.posY), std::fabs(e.posZ));
    if (!(extent <= largestPosition_)) largestPosition_ = std::isnan(extent) ? HUGE_VAL : extent;
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
  bool monotonic = largestPosition_ <= kMonotonicRange && mStart <= mEnd;
  for (std::size_t j = 0; j < groups * kLanes; ++j) {
    const double m = offsets[std::min(j, points - 1)];
    pointY[j] = m * s;
    pointZ[j] = m * c;
    monotonic = monotonic && std::fabs(m) <= kMonotonicRange;
  }

  const SweepColumns columns{posY_.data(),    posZ_.data(),    upperNx_.data(), upperMy_.data(), upperMz_.data(),
                             lowerNx_.data(), lowerMy_.data(), lowerMz_.data(), posY_.size()};
  std::vector<double> sumNx(groups * kLanes, 0.0);
  std::vector<double> sumMy(groups * kLanes, 0.0);
  std::vector<double> sumMz(groups * kLanes, 0.0);
  const auto lanes = [](std::vector<double>& values, std::size_t group) {
    return reinterpret_cast<Lanes*>(values.data() + group * kLanes);
  };
  if (monotonic && kernel != SweepKernel::Distance) {
    std::vector<std::uint32_t> thresholds(columns.elements);
    const SweepLines lines{pointY.data(), pointZ.data(), c, -s, points};
    findThresholds(columns, lines, s, c, mStart, (mEnd - mStart) / (count - 1), thresholds.data());
    std::vector<std::uint32_t> addsFrom(columns.elements);
    for (std::size_t i = 0; i < columns.elements; ++i) addsFrom[i] = upperIsZero_[i] ? thresholds[i] : 0;
    // Room for whole vectors of eight points.
    for (auto* sums : {&sumNx, &sumMy, &sumMz}) sums->resize((points + 7) / 8 * 8);
    const auto accumulate = kernel == SweepKernel::Baseline ? thresholdBaseline
                            : kernel == SweepKernel::Avx2 || !hasAvx512() ? (hasAvx2() ? thresholdAvx2 : thresholdBaseline)
                                                                          : thresholdAvx512;
    accumulate(columns, thresholds.data(), addsFrom.data(), points, sumNx.data(), sumMy.data(), sumMz.data());
  } else {
    const bool avx2 = kernel != SweepKernel::Baseline && hasAvx2();
    for (std::size_t first = 0; first < groups; first += kGroupsPerPass) {
      const std::size_t batch = std::min(kGroupsPerPass, groups - first);
      (avx2 ? distanceAvx2 : distanceBaseline)(columns, batch, lanes(pointY, first), lanes(pointZ, first), c, -s,
                                               lanes(sumNx, first), lanes(sumMy, first), lanes(sumMz, first));
    }
  }

  InteractionCurve curve(points);
  for (std::size_t j = 0; j < points; ++j) curve[j] = {sumNx[j], sumMy[j], sumMz[j]};
  return curve;
}

}  // namespace colsec
