#pragma once
// Turns the profiles into area elements on the section grid refined to
// the element size; where profiles overlap, the highest priority owns.

#include <algorithm>
#include <vector>

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

// Fills model.elements, y cells outer, z cells inner, both ascending.
void discretise(SectionModel& model);

}  // namespace colsec
