#include "plot/Scales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace colsec::plot {

double niceNumber(double x, bool round) {
  const double exponent = std::floor(std::log10(x));
  const double power = std::pow(10.0, exponent);
  const double fraction = x / power;
  double nice = 10.0;
  if (round) {
    if (fraction < 1.5) {
      nice = 1.0;
    } else if (fraction < 3.0) {
      nice = 2.0;
    } else if (fraction < 7.0) {
      nice = 5.0;
    }
  } else {
    // A little slack so that 2.0000000001 from a division still counts as 2.
    if (fraction <= 1.0 + 1e-9) {
      nice = 1.0;
    } else if (fraction <= 2.0 + 1e-9) {
      nice = 2.0;
    } else if (fraction <= 5.0 + 1e-9) {
      nice = 5.0;
    }
  }
  return nice * power;
}

Ticks niceTicks(double lo, double hi, int target) {
  if (!std::isfinite(lo)) lo = 0.0;
  if (!std::isfinite(hi)) hi = 0.0;
  if (hi < lo) std::swap(lo, hi);
  if (hi == lo) {
    const double widen = lo == 0.0 ? 1.0 : std::fabs(lo) * 0.1;
    lo -= widen;
    hi += widen;
  }
  target = std::max(target, 1);
  return ticksWithStep(lo, hi, niceNumber((hi - lo) / target, true));
}

Ticks ticksWithStep(double lo, double hi, double step) {
  Ticks ticks;
  ticks.step = step;
  // Tick indices rather than a running sum, so that no error accumulates;
  // the tiny slack keeps a limit that is a multiple of the step from
  // gaining one more step through rounding.
  const double firstIndex = std::floor(lo / step + 1e-9);
  const double lastIndex = std::ceil(hi / step - 1e-9);
  for (double k = firstIndex; k <= lastIndex; k += 1.0) {
    double value = k * step;
    if (std::fabs(value) < step * 1e-9) value = 0.0;
    ticks.values.push_back(value);
  }
  if (ticks.values.size() < 2) {
    const double first = ticks.values.empty() ? 0.0 : ticks.values.front();
    ticks.values = {first, first + step};
  }
  return ticks;
}

std::string formatTick(double value, double step) {
  int decimals = 0;
  if (step > 0.0 && std::isfinite(step)) {
    decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  }
  decimals = std::min(decimals, 12);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  // "-0", "-0.0" and the like: a value that rounds to zero has no sign.
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

void Extent::add(double v) {
  if (!std::isfinite(v)) return;
  if (!any) {
    lo = hi = v;
    any = true;
    return;
  }
  lo = std::min(lo, v);
  hi = std::max(hi, v);
}

std::string Colour::hex() const {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", r & 0xff, g & 0xff, b & 0xff);
  return buffer;
}

const Colour DivergingScale::kNegativeEnd{0x05, 0x71, 0xb0};
const Colour DivergingScale::kNegativeMid{0x92, 0xc5, 0xde};
const Colour DivergingScale::kCentre{0xf7, 0xf7, 0xf7};
const Colour DivergingScale::kPositiveMid{0xf4, 0xa5, 0x82};
const Colour DivergingScale::kPositiveEnd{0xca, 0x00, 0x20};
const Colour DivergingScale::kNoValue{0x9e, 0x9e, 0x9e};

namespace {

Colour mix(const Colour& a, const Colour& b, double t) {
  const auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

}  // namespace

Colour DivergingScale::colour(double value) const {
  if (std::isnan(value)) return kNoValue;
  if (!(limit_ > 0.0) || !std::isfinite(limit_)) return kCentre;
  const double t = std::clamp(value / limit_, -1.0, 1.0);
  const double a = std::fabs(t);
  const Colour& mid = t < 0 ? kNegativeMid : kPositiveMid;
  const Colour& end = t < 0 ? kNegativeEnd : kPositiveEnd;
  return a <= 0.5 ? mix(kCentre, mid, a * 2.0) : mix(mid, end, (a - 0.5) * 2.0);
}

}  // namespace colsec::plot
