#include "profiles/HEBProfile.h"

#include <cmath>
#include <sstream>

namespace colsec {

HEBProfile::HEBProfile(std::int32_t number_, std::int32_t materialNumber_, double H_, double B_, double ts_,
                       double tg_, double r_, bool rotated_)
    : Profile(number_, materialNumber_), H(H_), B(B_), ts(ts_), tg(tg_), r(r_), rotated(rotated_) {}

void HEBProfile::addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const {
  // Lines across the height go to z, those across the width to y; swapped when rotated.
  std::vector<double>& across = rotated ? gridLinesZ : gridLinesY;
  std::vector<double>& along = rotated ? gridLinesY : gridLinesZ;
  across.insert(across.end(), {-(B * 0.5), -(ts * 0.5), -(ts * 0.5 + r), ts * 0.5 + r, ts * 0.5, B * 0.5});
  along.insert(along.end(), {-(H * 0.5), -(H * 0.5 - tg * 0.5), -(H * 0.5 - tg), -(H * 0.5 - tg - r),
                             H * 0.5 - tg - r, H * 0.5 - tg, H * 0.5 - tg * 0.5, H * 0.5});
}

CellOwner HEBProfile::classify(double y, double z) const {
  // a is measured along the height, b across it.
  const double a = rotated ? std::fabs(y) : std::fabs(z);
  const double b = rotated ? std::fabs(z) : std::fabs(y);
  const bool inFlange = H * 0.5 - tg <= a && a <= H * 0.5 && b <= B * 0.5;
  bool inFillet = false;
  if (H * 0.5 - tg - r <= a && a <= H * 0.5 - tg) {
    const double da = a - (H * 0.5 - tg - r);
    inFillet = b <= ts * 0.5 + r - std::sqrt(r * r - da * da);
  }
  const bool inWeb = a <= H * 0.5 - tg - r && b <= ts * 0.5;

  CellOwner owner;
  owner.profileNumber = number;
  if (!(inFlange || inFillet || inWeb) || material == nullptr) return owner;
  owner.material = material;
  const double webFactor = (a <= H * 0.5 - tg * 0.5 && b <= ts * 0.5 + r) ? 1.0 : 0.0;
  const double flangeFactor = (H * 0.5 - tg <= a && a <= H * 0.5) ? 1.0 : 0.0;
  owner.shearFactorY = rotated ? webFactor : flangeFactor;
  owner.shearFactorZ = rotated ? flangeFactor : webFactor;
  return owner;
}

std::string HEBProfile::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " HEB-Profile: Material Number " << materialLabel() << "\n"
       << "\tH=" << H << " B=" << B << " ts=" << ts << " tg=" << tg << " r=" << r
       << "\n\tIs rotated: " << (rotated ? "yes" : "no") << "\n";
  return text.str();
}

}  // namespace colsec
