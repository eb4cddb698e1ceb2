#pragma once
// Circle of outer diameter `diameter` centred on (offsetY, offsetZ); hollow
// with wall thickness t. A point on the inner circle belongs to the hole.
// A tube's points carry shear with the factor 2/π, a solid disc's with 1.

#include "model/Profile.h"

namespace colsec {

class CircProfile final : public Profile {
 public:
  CircProfile(std::int32_t number, std::int32_t materialNumber, double offsetY, double offsetZ, double diameter,
              double t, bool hollow);

  void addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const override;
  CellOwner classify(double y, double z) const override;
  std::string describe() const override;

  const double offsetY;
  const double offsetZ;
  const double diameter;
  const double t;
  const bool hollow;
};

}  // namespace colsec
