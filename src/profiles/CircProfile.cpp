#include "profiles/CircProfile.h"

#include <cmath>
#include <sstream>

namespace colsec {

namespace {
constexpr double kTwoOverPi = 0.6366197723675814;
}

CircProfile::CircProfile(std::int32_t number_, std::int32_t materialNumber_, double offsetY_, double offsetZ_,
                         double diameter_, double t_, bool hollow_)
    : Profile(number_, materialNumber_),
      offsetY(offsetY_),
      offsetZ(offsetZ_),
      diameter(diameter_),
      t(t_),
      hollow(hollow_) {}

void CircProfile::addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const {
  const double R = diameter * 0.5;
  gridLinesY.insert(gridLinesY.end(), {offsetY - R, R + offsetY});
  gridLinesZ.insert(gridLinesZ.end(), {offsetZ - R, R + offsetZ});
  if (!hollow) return;
  const double Ri = R - t;
  gridLinesY.insert(gridLinesY.end(), {offsetY - Ri, Ri + offsetY});
  gridLinesZ.insert(gridLinesZ.end(), {offsetZ - Ri, Ri + offsetZ});
}

CellOwner CircProfile::classify(double y, double z) const {
  // The radius of the point is evaluated in single precision.
  const float u = static_cast<float>(y - offsetY);
  const float v = static_cast<float>(z - offsetZ);
  const float u2 = u * u;
  const float v2 = v * v;
  const double rho = std::sqrt(static_cast<double>(u2) + static_cast<double>(v2));

  CellOwner owner;
  owner.profileNumber = number;
  const bool covered = rho <= diameter * 0.5 && (!hollow || rho > diameter * 0.5 - t);
  if (covered) owner.material = material;
  owner.shearFactorY = hollow ? kTwoOverPi : 1.0;
  owner.shearFactorZ = owner.shearFactorY;
  return owner;
}

std::string CircProfile::describe() const {
  std::ostringstream text;
  text << "Pos." << number << " Circular-Profile: Material Number " << materialLabel() << "\n"
       << "\tDiameter=" << diameter << " t=" << t << " Offset Y/Z=" << offsetY << "/" << offsetZ
       << "\tIs hollow: " << (hollow ? "yes" : "no") << "\n";
  return text.str();
}

}  // namespace colsec
