#include "model/SectionModel.h"

#include <algorithm>
#include <ostream>

#include "materials/MaterialLaws.h"
#include "profiles/CircProfile.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {

SectionModel::SectionModel(std::ostream& console) : console_(console) {}

const Material* SectionModel::findMaterial(std::int32_t number) const {
  for (const auto& material : materials) {
    if (material->number == number) return material.get();
  }
  console_ << "Material " << number << "not found";
  return nullptr;
}

void SectionModel::addProfile(std::unique_ptr<Profile> profile) {
  profile->material = findMaterial(profile->materialNumber);
  profile->addGridLines(gridLinesY, gridLinesZ);
  profiles.push_back(std::move(profile));
}

void SectionModel::addHebProfile(std::int32_t number, std::int32_t materialNumber, double H, double B, double ts,
                                 double tg, double r, bool rotated) {
  addProfile(std::make_unique<HEBProfile>(number, materialNumber, H, B, ts, tg, r, rotated));
}

void SectionModel::addRectProfile(std::int32_t number, std::int32_t materialNumber, double H, double B, double t,
                                  double r, bool hollow) {
  addProfile(std::make_unique<RectProfile>(number, materialNumber, H, B, r, t, hollow));
}

void SectionModel::addCircProfile(std::int32_t number, std::int32_t materialNumber, double offsetY, double offsetZ,
                                  double diameter, double t, bool hollow) {
  addProfile(std::make_unique<CircProfile>(number, materialNumber, offsetY, offsetZ, diameter, t, hollow));
}

void SectionModel::pruneMaterials() {
  std::erase_if(materials, [this](const std::unique_ptr<Material>& material) {
    return std::none_of(profiles.begin(), profiles.end(),
                        [&](const std::unique_ptr<Profile>& profile) { return profile->material == material.get(); });
  });
  allNonlinear = std::none_of(materials.begin(), materials.end(),
                              [](const std::unique_ptr<Material>& m) {
                                const MaterialLaw* law = lawOf(*m);
                                return law != nullptr && law->kind == MaterialLinear;
                              });
}

}  // namespace colsec
