#pragma once
// Rectangle centred on the origin, height H along z, width B along y, with
// outer corner radius r; hollow with wall thickness t and inner corner
// radius max(r − t, 0). Side walls carry Qz, top and bottom walls Qy.

#include "model/Profile.h"

namespace colsec {

class RectProfile final : public Profile {
 public:
  // Note the order: the corner radius r before the wall thickness t (the
  // input file gives t first).
  RectProfile(std::int32_t number, std::int32_t materialNumber, double H, double B, double r, double t, bool hollow);

  void addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const override;
  CellOwner classify(double y, double z) const override;
  std::string describe() const override;

  const double H;
  const double B;
  const double r;  // outer corner radius
  const double t;  // wall thickness
  const bool hollow;
};

}  // namespace colsec
