#pragma once
// The few quantities held in single precision: squares of coordinates in
// the element inertias and point tests, the sweep radius, segment lengths.

namespace colsec {

// Square of a value held in single precision, the value rounded first.
inline double singleSquare(double value) {
  const float v = static_cast<float>(value);
  const float square = v * v;
  return static_cast<double>(square);
}

}  // namespace colsec
