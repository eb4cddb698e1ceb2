#include "model/Profile.h"

namespace colsec {

Profile::Profile(std::int32_t number_, std::int32_t materialNumber_)
    : number(number_), materialNumber(materialNumber_) {}

std::string Profile::materialLabel() const {
  std::string label = std::to_string(materialNumber);
  if (material == nullptr) label += " (not found)";
  return label;
}

}  // namespace colsec
