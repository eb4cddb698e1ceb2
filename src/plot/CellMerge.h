#pragma once
// Merging the section's cells into fewer rectangles of one colour each,
// so that a section of many thousand elements draws as a few hundred
// shapes that still cover exactly the elements' area.

#include <vector>

namespace colsec::plot {

// An axis-parallel rectangle in section coordinates [mm] with a colour key.
struct KeyedRect {
  double y0 = 0.0;
  double y1 = 0.0;
  double z0 = 0.0;
  double z1 = 0.0;
  int key = 0;
};

// Runs of cells of one key that touch along z within a grid column (equal
// y0 and y1) become strips; strips of equal z0, z1 and key in columns that
// touch along y become one rectangle. Two edges touch when they differ by
// at most `gap` [mm]. The result covers exactly the union of the cells of
// each key, without overlap when the cells do not overlap.
std::vector<KeyedRect> mergeCells(std::vector<KeyedRect> cells, double gap);

}  // namespace colsec::plot
