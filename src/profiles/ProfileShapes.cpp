#include "profiles/ProfileShapes.h"

#include "profiles/CircProfile.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {

namespace {

constexpr ValueCheck kLength = ValueCheck::NonNegative;

constexpr ValueField kHebValues[] = {{"H", kLength},  {"B", kLength}, {"ts", kLength},
                                    {"tg", kLength}, {"r", kLength}, {"rotated", ValueCheck::Flag}};
// The wall thickness comes before the radius in the input.
constexpr ValueField kRectValues[] = {
    {"H", kLength}, {"B", kLength}, {"t", kLength}, {"r", kLength}, {"hollow", ValueCheck::Flag}};
// "hollow" of a circle is a number: anything but 0 means hollow.
constexpr ValueField kCircValues[] = {{"offsetY", ValueCheck::Number},
                                     {"offsetZ", ValueCheck::Number},
                                     {"diameter", kLength},
                                     {"t", kLength},
                                     {"hollow", ValueCheck::Number}};

std::unique_ptr<Profile> createHeb(std::int32_t number, std::int32_t materialNumber, std::span<const double> v) {
  return std::make_unique<HEBProfile>(number, materialNumber, v[0], v[1], v[2], v[3], v[4], v[5] != 0.0);
}
std::unique_ptr<Profile> createRect(std::int32_t number, std::int32_t materialNumber, std::span<const double> v) {
  // The class takes the radius before the wall thickness.
  return std::make_unique<RectProfile>(number, materialNumber, v[0], v[1], v[3], v[2], v[4] != 0.0);
}
std::unique_ptr<Profile> createCirc(std::int32_t number, std::int32_t materialNumber, std::span<const double> v) {
  return std::make_unique<CircProfile>(number, materialNumber, v[0], v[1], v[2], v[3], v[4] != 0.0);
}

const ProfileShape kShapes[] = {
    {"HEB", kHebValues, createHeb},
    {"RECT", kRectValues, createRect},
    {"CIRC", kCircValues, createCirc},
};

}  // namespace

std::span<const ProfileShape> profileShapes() { return kShapes; }

const ProfileShape* findProfileShape(std::string_view keyword) {
  for (const ProfileShape& shape : kShapes) {
    if (keyword == shape.keyword) return &shape;
  }
  return nullptr;
}

}  // namespace colsec
