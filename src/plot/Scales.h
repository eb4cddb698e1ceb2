#pragma once
// Axis ranges, ticks and colour scales of the pictures.

#include <string>
#include <vector>

namespace colsec::plot {

// The "nice" number 1, 2 or 5 times a power of ten near x > 0: rounded to
// the nearest (round) or the next at or above x (otherwise).
double niceNumber(double x, bool round);

// Ticks covering [lo, hi]: equal steps of a nice number, the first tick at
// or below lo and the last at or above hi, about `target` steps. The range
// may be negative or given in either order; a range of zero width is
// widened around its value (by a tenth of it, or to [-1, 1] around 0);
// non-finite limits count as 0.
struct Ticks {
  std::vector<double> values;
  double step = 1.0;
  double first() const { return values.front(); }
  double last() const { return values.back(); }
};
Ticks niceTicks(double lo, double hi, int target);

// Ticks of the given step covering [lo, hi], lo ≤ hi; at least two.
Ticks ticksWithStep(double lo, double hi, double step);

// Tick label: fixed notation with as many decimals as the step needs,
// never "-0".
std::string formatTick(double value, double step);

// Maps the domain [d0, d1] linearly onto the range [r0, r1].
struct LinearScale {
  double d0 = 0.0;
  double d1 = 1.0;
  double r0 = 0.0;
  double r1 = 1.0;
  double operator()(double v) const { return r0 + (v - d0) / (d1 - d0) * (r1 - r0); }
};

// Smallest and largest finite value seen; empty() until one is added.
struct Extent {
  double lo = 0.0;
  double hi = 0.0;
  bool any = false;
  void add(double v);
  bool empty() const { return !any; }
};

// An RGB colour as "#rrggbb".
struct Colour {
  int r = 0;
  int g = 0;
  int b = 0;
  std::string hex() const;
  bool operator==(const Colour&) const = default;
};

// Diverging colour scale centred on 0: blue for negative (compression),
// white at 0, red for positive (tension); values beyond ±limit take the
// end colours, NaN a neutral grey. A limit that is not positive maps every
// number to the centre colour.
class DivergingScale {
 public:
  explicit DivergingScale(double limit) : limit_(limit) {}
  Colour colour(double value) const;
  double limit() const { return limit_; }

  static const Colour kNegativeEnd;
  static const Colour kNegativeMid;
  static const Colour kCentre;
  static const Colour kPositiveMid;
  static const Colour kPositiveEnd;
  static const Colour kNoValue;

 private:
  double limit_;
};

}  // namespace colsec::plot
