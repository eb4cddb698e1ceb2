#include "model/Material.h"

namespace colsec {

Material::Material(bool hasStrainLimit_, std::int32_t number_, std::int32_t priority_)
    : hasStrainLimit(hasStrainLimit_), number(number_), priority(priority_) {}

}  // namespace colsec
