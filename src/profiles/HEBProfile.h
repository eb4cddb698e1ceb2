#pragma once
// Rolled I-section centred on the origin. Not rotated: height H along z,
// flange width B along y (web parallel to z); rotated: H along y.
//
//        B
//   +---------+  ---
//   +---+ +---+   tg
//       | |       H
//   +---+ +---+  (root fillets of radius r at the four web corners)
//   +---------+
//        ts

#include "model/Profile.h"

namespace colsec {

class HEBProfile final : public Profile {
 public:
  HEBProfile(std::int32_t number, std::int32_t materialNumber, double H, double B, double ts, double tg, double r,
             bool rotated);

  void addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const override;
  CellOwner classify(double y, double z) const override;
  std::string describe() const override;

  const double H;
  const double B;
  const double ts;  // web thickness
  const double tg;  // flange thickness
  const double r;   // root radius
  const bool rotated;
};

}  // namespace colsec
