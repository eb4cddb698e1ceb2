#pragma once
// How well the fibres represent each profile: the meshed area against the
// exact area of the shape, for every profile that no profile of higher or
// equal priority overlaps (elsewhere the profile's own area is not what it
// owns).

#include <vector>

#include "model/Results.h"
#include "model/Tolerances.h"

namespace colsec {

class Profile;
class SectionModel;

// Exact area of the shape [mm²]; NaN for an unknown shape.
double exactProfileArea(const Profile& profile);

// Area of the cells of the section grid, refined to feSize, whose centres
// the profile covers [mm²].
double meshedProfileArea(const SectionModel& model, const Profile& profile, double feSize);

// A warning item per profile whose meshed area deviates by more than
// kFibreAreaTolerance, with an element size that brings it within.
std::vector<DesignCheckItem> fibreAreaItems(const SectionModel& model);

}  // namespace colsec
