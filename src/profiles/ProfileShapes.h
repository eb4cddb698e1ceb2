#pragma once
// The table of profile shapes: the keyword of a "#PROFILE" line, the
// layout of its values and the factory, in one entry per shape. Adding a
// shape means writing its class and adding one entry in ProfileShapes.cpp.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "model/Profile.h"
#include "model/ValueLayout.h"

namespace colsec {

struct ProfileShape {
  // The shape keyword of a "#PROFILE" line, matched exactly.
  const char* keyword;
  // The values after the record's third label, in input order.
  std::span<const ValueField> values;
  // Creates the profile from its number, material number and the values,
  // parsed and checked in the order of `values` (flags as 0.0 or 1.0).
  std::unique_ptr<Profile> (*create)(std::int32_t number, std::int32_t materialNumber,
                                     std::span<const double> values);
};

// Every shape, in the order the input description lists them.
std::span<const ProfileShape> profileShapes();
// The shape with exactly this keyword, or nullptr.
const ProfileShape* findProfileShape(std::string_view keyword);

}  // namespace colsec
