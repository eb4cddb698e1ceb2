#pragma once
// Fast evaluation of many neutral-axis positions of one angle in a single
// pass over the elements. Each curve point keeps its own accumulators,
// which still add the elements' stored plastic triples in sequence order,
// so every point equals the plain section sum bit for bit.

#include <cstddef>
#include <functional>
#include <vector>

#include "analysis/Element.h"
#include "model/Types.h"

namespace colsec {

// Which machine code evaluates the sweep: the widest the processor offers,
// AVX2 (on x86-64 processors that have it; the baseline elsewhere), or the
// portable baseline that runs on every processor; and the signed
// distance of every element and point, which the faster kernels replace by
// one threshold per element (kept for sections where that does not apply,
// and for the tests).
enum class SweepKernel { Automatic, Baseline, Avx2, Distance };

class PlasticSweep {
 public:
  // Copies the positions and plastic triples the sweep reads; the elements
  // must have their resistances updated.
  explicit PlasticSweep(const std::vector<Element>& elements);

  // The curve of `count` points at angle alpha, offsets from mStart to mEnd.
  InteractionCurve sweep(double alpha, double mStart, double mEnd, double count,
                         SweepKernel kernel = SweepKernel::Automatic) const;

  // The same curve where only some points are read whole: first the axial
  // force of every point (a third of the additions), then `choose` names,
  // from those, the points whose moments are summed too. The others keep
  // NaN moments. Where the thresholds do not apply, every point is whole.
  using PointChooser = std::function<std::vector<std::size_t>(const InteractionCurve&)>;
  InteractionCurve sweepAxialFirst(double alpha, double mStart, double mEnd, double count, const PointChooser& choose,
                                   SweepKernel kernel = SweepKernel::Automatic) const;

  std::size_t size() const { return posY_.size(); }

 private:
  InteractionCurve sweepPoints(double alpha, double mStart, double mEnd, double count, const PointChooser* choose,
                               SweepKernel kernel) const;

  std::vector<double> posY_;
  std::vector<double> posZ_;
  std::vector<double> upperNx_;
  std::vector<double> upperMy_;
  std::vector<double> upperMz_;
  std::vector<double> lowerNx_;
  std::vector<double> lowerMy_;
  std::vector<double> lowerMz_;
  std::vector<bool> upperIsZero_;  // tension triple (±0, ±0, ±0)
  double largestPosition_ = 0.0;  // largest |posY| or |posZ|; inf for a NaN
};

}  // namespace colsec
