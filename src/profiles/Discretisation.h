#pragma once
// Turns the profiles into area elements on the section grid refined to
// the element size; where profiles overlap, the highest priority owns.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/Profile.h"

namespace colsec {

class SectionModel;

// One cell of the grid along one axis [mm].
struct GridCell {
  double centre;
  double width;
};

// Sorts the list and removes exact duplicates in place, then splits every
// gap into floor(gap/feSize) + 1 equal cells.
std::vector<GridCell> subdivideGridLines(std::vector<double>& gridLines, double feSize);

// Number of cells subdivideGridLines would make for an already sorted,
// duplicate-free list, counted without allocating them.
double countGridCells(const std::vector<double>& sortedGridLines, double feSize);

// Cells of the section grid along each axis, counted on sorted copies of
// the model's grid lines without building them.
struct GridSize {
  double y;
  double z;
  // The most cells the discretisation handles at once: the whole grid, or
  // one axis when the other has no gap (a flat profile).
  double largest() const { return std::max({y * z, y, z}); }
};
GridSize countSectionGrid(const SectionModel& model);

// Who owns a point of the section: of the profiles that cover it, the one
// whose material has the highest priority (the first of equals); no
// material when none covers it.
struct PointOwner {
  CellOwner owner;
  std::int32_t profileNumber = 0;
};
PointOwner ownerAt(const std::vector<std::unique_ptr<Profile>>& profiles, double y, double z);

// Fills model.elements, y cells outer, z cells inner, both ascending.
void discretise(SectionModel& model);

}  // namespace colsec
