#include "interaction/PlasticSweep.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace colsec {

namespace {

// Four points side by side; the element loop stays in sequence order, so
// each lane adds the elements exactly as the plain sum does. The lanes are
// plain IEEE operations without contraction, so the baseline (on any
// processor) and the AVX2 and AVX-512 code give the same bits.
// Element alignment only: the lanes live in plain double arrays.
typedef double Lanes __attribute__((vector_size(32), aligned(8), may_alias));
constexpr std::size_t kLanes = 4;
// Points evaluated per pass: their accumulators stay in the first-level cache.
constexpr std::size_t kGroupsPerPass = 64;
// Positions and offsets up to this size cannot overflow the signed
// distance, so its sign moves monotonically along the offsets.
constexpr double kMonotonicRange = 1e150;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
//
// `numbers` holds the block's point numbers in ascending order, one per
// lane; with kMoments false only the axial forces are summed.
template <typename V, int kWidth, int kBlock, bool kMoments>
__attribute__((always_inline)) inline void accumulateBlock(const SweepColumns& columns, const std::uint32_t* thresholds,
                                                           const std::uint32_t* addsFrom, const double* numbers,
                                                           double* sumNx, double* sumMy, double* sumMz) {
  static_assert(sizeof(V) == kWidth * sizeof(double));
  V point[kBlock];
  double groupLast[kBlock];
  V nx[kBlock];
  V my[kBlock];
  V mz[kBlock];
  for (int g = 0; g < kBlock; ++g) {
    std::memcpy(&point[g], numbers + g * kWidth, sizeof(V));
    groupLast[g] = numbers[g * kWidth + kWidth - 1];
    nx[g] = my[g] = mz[g] = point[g] * 0.0;
  }
  const V zero = point[0] * 0.0;
  for (std::size_t i = 0; i < columns.elements; ++i) {
    const double from = static_cast<double>(addsFrom[i]);
    if (groupLast[kBlock - 1] < from) continue;
    const V threshold = zero + static_cast<double>(thresholds[i]);
    const V uNx = zero + columns.upperNx[i];
    const V lNx = zero + columns.lowerNx[i];
    for (int g = 0; g < kBlock; ++g) {
      if (groupLast[g] < from) continue;
      const auto compressed = point[g] >= threshold;
      nx[g] += compressed ? lNx : uNx;
      if constexpr (kMoments) {
        const V uMy = zero + columns.upperMy[i], uMz = zero + columns.upperMz[i];
        const V lMy = zero + columns.lowerMy[i], lMz = zero + columns.lowerMz[i];
        my[g] += compressed ? lMy : uMy;
        mz[g] += compressed ? lMz : uMz;
      }
    }
  }
  for (int g = 0; g < kBlock; ++g) {
    std::memcpy(sumNx + g * kWidth, &nx[g], sizeof(V));
    if constexpr (kMoments) {
      std::memcpy(sumMy + g * kWidth, &my[g], sizeof(V));
      std::memcpy(sumMz + g * kWidth, &mz[g], sizeof(V));
    }
  }
}

// All points of `numbers` (a multiple of kWidth of them) in blocks of at
// most kMaxBlock vectors.
template <typename V, int kWidth, int kMaxBlock, bool kMoments>
__attribute__((always_inline)) inline void accumulateByThreshold(const SweepColumns& columns,
                                                                 const std::uint32_t* thresholds,
                                                                 const std::uint32_t* addsFrom, const double* numbers,
                                                                 std::size_t groups, double* sumNx, double* sumMy,
                                                                 double* sumMz) {
  std::size_t g = 0;
  for (; g + kMaxBlock <= groups; g += kMaxBlock) {
    const std::size_t at = g * kWidth;
    accumulateBlock<V, kWidth, kMaxBlock, kMoments>(columns, thresholds, addsFrom, numbers + at, sumNx + at,
                                                    sumMy + at, sumMz + at);
  }
  const std::size_t at = g * kWidth;
  switch (groups - g) {
    case 0: break;
#define COLSEC_SWEEP_REST(n)                                                                                       \
    case n:                                                                                                        \
      if constexpr (n < kMaxBlock) {                                                                              \
        accumulateBlock<V, kWidth, n, kMoments>(columns, thresholds, addsFrom, numbers + at, sumNx + at, sumMy + at, \
                                                sumMz + at);                                                      \
      }                                                                                                            \
      break;
    COLSEC_SWEEP_REST(1)
    COLSEC_SWEEP_REST(2)
    COLSEC_SWEEP_REST(3)
    COLSEC_SWEEP_REST(4)
    COLSEC_SWEEP_REST(5)
    COLSEC_SWEEP_REST(6)
    COLSEC_SWEEP_REST(7)
    COLSEC_SWEEP_REST(8)
    COLSEC_SWEEP_REST(9)
    COLSEC_SWEEP_REST(10)
    COLSEC_SWEEP_REST(11)
    COLSEC_SWEEP_REST(12)
#undef COLSEC_SWEEP_REST
    default: break;
  }
}

// The baseline runs on every processor: GCC's generic vectors become the
// processor's own (two SSE2 or NEON registers per vector of four). On
// x86-64 the same loops are compiled for AVX2 and AVX-512 too, and chosen
// at run time where the processor has them.
void distanceBaseline(const SweepColumns& columns, std::size_t groups, const Lanes* pointY, const Lanes* pointZ,
                      double dirY, double dirZ, Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulateByDistance(columns, groups, pointY, pointZ, dirY, dirZ, sumNx, sumMy, sumMz);
}

// Sums of `count` points (padded to a multiple of eight numbers).
template <bool kMoments>
void thresholdBaseline(const SweepColumns& columns, const std::uint32_t* thresholds, const std::uint32_t* addsFrom,
                       const double* numbers, std::size_t count, double* sumNx, double* sumMy, double* sumMz) {
  accumulateByThreshold<Lanes, 4, 2, kMoments>(columns, thresholds, addsFrom, numbers, (count + 3) / 4, sumNx, sumMy,
                                               sumMz);
}

template <bool kMoments>
using ThresholdAccumulator = void (*)(const SweepColumns&, const std::uint32_t*, const std::uint32_t*, const double*,
                                      std::size_t, double*, double*, double*);
using DistanceAccumulator = void (*)(const SweepColumns&, std::size_t, const Lanes*, const Lanes*, double, double,
                                     Lanes*, Lanes*, Lanes*);

#if defined(__x86_64__)

typedef double Lanes8 __attribute__((vector_size(64), aligned(8), may_alias));

__attribute__((target("avx2"))) void distanceAvx2(const SweepColumns& columns, std::size_t groups,
                                                  const Lanes* pointY, const Lanes* pointZ, double dirY, double dirZ,
                                                  Lanes* sumNx, Lanes* sumMy, Lanes* sumMz) {
  accumulateByDistance(columns, groups, pointY, pointZ, dirY, dirZ, sumNx, sumMy, sumMz);
}

template <bool kMoments>
__attribute__((target("avx2"))) void thresholdAvx2(const SweepColumns& columns, const std::uint32_t* thresholds,
                                                   const std::uint32_t* addsFrom, const double* numbers,
                                                   std::size_t count, double* sumNx, double* sumMy, double* sumMz) {
  accumulateByThreshold<Lanes, 4, 3, kMoments>(columns, thresholds, addsFrom, numbers, (count + 3) / 4, sumNx, sumMy,
                                               sumMz);
}

template <bool kMoments>
__attribute__((target("avx512f"))) void thresholdAvx512(const SweepColumns& columns, const std::uint32_t* thresholds,
                                                        const std::uint32_t* addsFrom, const double* numbers,
                                                        std::size_t count, double* sumNx, double* sumMy,
                                                        double* sumMz) {
  // Blocks of fewer vectors when only the axial forces are summed: the
  // registers hold more of them.
  accumulateByThreshold<Lanes8, 8, kMoments ? 7 : 13, kMoments>(columns, thresholds, addsFrom, numbers,
                                                                (count + 7) / 8, sumNx, sumMy, sumMz);
}

bool hasAvx2() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
}

bool hasAvx512() {
  static const bool available = __builtin_cpu_supports("avx512f");
  return available;
}

template <bool kMoments>
ThresholdAccumulator<kMoments> thresholdAccumulator(SweepKernel kernel) {
  if (kernel == SweepKernel::Baseline || !hasAvx2()) return thresholdBaseline<kMoments>;
  if (kernel == SweepKernel::Avx2 || !hasAvx512()) return thresholdAvx2<kMoments>;
  return thresholdAvx512<kMoments>;
}

DistanceAccumulator distanceAccumulator(SweepKernel kernel) {
  return kernel != SweepKernel::Baseline && hasAvx2() ? distanceAvx2 : distanceBaseline;
}

#else

// Other processors: the baseline whatever is asked.
template <bool kMoments>
ThresholdAccumulator<kMoments> thresholdAccumulator(SweepKernel) {
  return thresholdBaseline<kMoments>;
}

DistanceAccumulator distanceAccumulator(SweepKernel) { return distanceBaseline; }

#endif

// Point numbers in ascending order, padded to a multiple of eight with the
// last of them.
std::vector<double> pointNumbers(const std::vector<std::size_t>& points) {
  std::vector<double> numbers;
  numbers.reserve((points.size() + 7) / 8 * 8);
  for (const std::size_t k : points) numbers.push_back(static_cast<double>(k));
  while (numbers.size() % 8 != 0) numbers.push_back(numbers.back());
  return numbers;
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
  return sweepPoints(alpha, mStart, mEnd, count, nullptr, kernel);
}

InteractionCurve PlasticSweep::sweepAxialFirst(double alpha, double mStart, double mEnd, double count,
                                               const PointChooser& choose, SweepKernel kernel) const {
  return sweepPoints(alpha, mStart, mEnd, count, &choose, kernel);
}

InteractionCurve PlasticSweep::sweepPoints(double alpha, double mStart, double mEnd, double count,
                                           const PointChooser* choose, SweepKernel kernel) const {
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
  InteractionCurve curve(points);

  if (!monotonic || kernel == SweepKernel::Distance) {
    // Every point whole, from the distances.
    std::vector<double> sumNx(groups * kLanes, 0.0);
    std::vector<double> sumMy(groups * kLanes, 0.0);
    std::vector<double> sumMz(groups * kLanes, 0.0);
    const auto lanes = [](std::vector<double>& values, std::size_t group) {
      return reinterpret_cast<Lanes*>(values.data() + group * kLanes);
    };
    const DistanceAccumulator accumulate = distanceAccumulator(kernel);
    for (std::size_t first = 0; first < groups; first += kGroupsPerPass) {
      const std::size_t batch = std::min(kGroupsPerPass, groups - first);
      accumulate(columns, batch, lanes(pointY, first), lanes(pointZ, first), c, -s, lanes(sumNx, first),
                 lanes(sumMy, first), lanes(sumMz, first));
    }
    for (std::size_t j = 0; j < points; ++j) curve[j] = {sumNx[j], sumMy[j], sumMz[j]};
    return curve;
  }
  if (points == 0) return curve;

  std::vector<std::uint32_t> thresholds(columns.elements);
  const SweepLines lines{pointY.data(), pointZ.data(), c, -s, points};
  findThresholds(columns, lines, s, c, mStart, (mEnd - mStart) / (count - 1), thresholds.data());
  std::vector<std::uint32_t> addsFrom(columns.elements);
  for (std::size_t i = 0; i < columns.elements; ++i) addsFrom[i] = upperIsZero_[i] ? thresholds[i] : 0;

  std::vector<std::size_t> all(points);
  for (std::size_t k = 0; k < points; ++k) all[k] = k;
  const auto sumPoints = [&](const std::vector<std::size_t>& chosen, bool moments) {
    const std::vector<double> numbers = pointNumbers(chosen);
    std::vector<double> nx(numbers.size()), my(numbers.size()), mz(numbers.size());
    if (moments) {
      thresholdAccumulator<true>(kernel)(columns, thresholds.data(), addsFrom.data(), numbers.data(), numbers.size(),
                                         nx.data(), my.data(), mz.data());
    } else {
      thresholdAccumulator<false>(kernel)(columns, thresholds.data(), addsFrom.data(), numbers.data(), numbers.size(),
                                          nx.data(), my.data(), mz.data());
    }
    for (std::size_t j = 0; j < chosen.size(); ++j) {
      curve[chosen[j]] = {nx[j], moments ? my[j] : kNaN, moments ? mz[j] : kNaN};
    }
  };
  if (choose == nullptr) {
    sumPoints(all, true);
    return curve;
  }
  sumPoints(all, false);
  std::vector<std::size_t> chosen = (*choose)(curve);
  std::erase_if(chosen, [points](std::size_t k) { return k >= points; });
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  if (!chosen.empty()) sumPoints(chosen, true);
  return curve;
}

}  // namespace colsec
