#pragma once
// Abstract profile of the composite section: an I-section, rectangle or
// circle made of one material. Coordinates in mm, y first, z second.

#include <cstdint>
#include <string>
#include <vector>

namespace colsec {

class Material;

// How one profile answers for one point of the section.
struct CellOwner {
  std::int32_t profileNumber = 0;
  const Material* material = nullptr;  // empty when the point is not covered
  double shearFactorY = 0.0;           // share in carrying Qy: 0, 1 or 2/π
  double shearFactorZ = 0.0;           // share in carrying Qz
};

class Profile {
 public:
  Profile(std::int32_t number, std::int32_t materialNumber);
  virtual ~Profile() = default;
  Profile(const Profile&) = delete;
  Profile& operator=(const Profile&) = delete;

  // Appends the profile's edge coordinates to the section's grid lines.
  virtual void addGridLines(std::vector<double>& gridLinesY, std::vector<double>& gridLinesZ) const = 0;
  // Whether (y, z) is covered, with the shear factors of that point.
  virtual CellOwner classify(double y, double z) const = 0;
  // Description for the input summary of the report.
  virtual std::string describe() const = 0;

  // Attached by the section model when the profile is added; owned by the
  // model's materials. Empty when no material has the input's number.
  const Material* material = nullptr;
  const std::int32_t number;
  // The material number as written in the input.
  const std::int32_t materialNumber;

 protected:
  // The material number for the description, marked when it named no material.
  std::string materialLabel() const;
};

}  // namespace colsec
