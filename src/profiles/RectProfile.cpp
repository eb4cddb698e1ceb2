#include "profiles/RectProfile.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace colsec {

RectProfile::RectProfile(std::int32_t number_, std::int32_t materialNumber_, double H_, double B_, double r_,
                         double t_, bool hollow_)
    : Profile(number_, materialNumber_), H(H_), B(B_), r(r_), t(t_), hollow(hollow_) {}

void RectProfile::addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const {
  gridLinesY.insert(gridLinesY.end(), {-(B * 0.5), -(B * 0.5 - r), B * 0.5 - r, B * 0.5});
  gridLinesZ.insert(gridLinesZ.end(), {-(H * 0.5), -(H * 0.5 - r), H * 0.5 - r, H * 0.5});
  if (!hollow) return;
  const double bi = (B - 2 * t) * 0.5;
  const double hi = (H - 2 * t) * 0.5;
  const double ri = std::max(r - t, 0.0);
  gridLinesY.insert(gridLinesY.end(), {-bi, -(bi - ri), bi - ri, bi});
  gridLinesZ.insert(gridLinesZ.end(), {-hi, -(hi - ri), hi - ri, hi});
}

CellOwner RectProfile::classify(double y, double z) const {
  const double d = std::fabs(y);
  const double e = std::fabs(z);
  CellOwner owner;
  owner.profileNumber = number;

  const double cy = d - (B * 0.5 - r);
  const double cz = e - (H * 0.5 - r);
  const bool inside = (d <= B * 0.5 && e <= H * 0.5 - r) || (d <= B * 0.5 - r && e <= H * 0.5) ||
                      std::sqrt(cy * cy + cz * cz) <= r;
  if (!inside || material == nullptr) return owner;

  if (!hollow) {
    owner.material = material;
    owner.shearFactorY = 1.0;
    owner.shearFactorZ = 1.0;
    return owner;
  }

  const double bi = (B - 2 * t) * 0.5;
  const double hi = (H - 2 * t) * 0.5;
  const double ri = std::max(r - t, 0.0);
  // The inner corner test is evaluated in single precision.
  const float u = static_cast<float>(d - (bi - ri));
  const float v = static_cast<float>(e - (hi - ri));
  const float u2 = u * u;
  const float v2 = v * v;
  const bool inHole = (d <= bi && e <= hi - ri) || (d <= bi - ri && e <= hi) ||
                      std::sqrt(static_cast<double>(u2) + static_cast<double>(v2)) <= ri;
  if (inHole) return owner;

  owner.material = material;
  owner.shearFactorZ = d >= B * 0.5 - t ? 1.0 : 0.0;
  owner.shearFactorY = e >= H * 0.5 - t ? 1.0 : 0.0;
  return owner;
}

std::string RectProfile::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Rectangular-Profile: Material Number " << materialLabel() << "\n"
       << "\tH=" << H << " B=" << B << " t=" << t << " r=" << r << "\n\tIs hollow: " << (hollow ? "yes" : "no")
       << "\n";
  return text.str();
}

}  // namespace colsec
