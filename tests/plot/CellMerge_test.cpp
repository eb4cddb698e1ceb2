// Merging cells into rectangles of one colour: the merged shapes must
// cover exactly the cells of each colour, no more and no less.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "plot/CellMerge.h"
#include "plot/PlotJob.h"

namespace colsec::plot {
namespace {

// A grid of columns and rows of the given widths (as the discretisation
// makes them: every cell of a column shares its y edges), with a key per
// cell; key < 0 leaves the cell empty.
struct Grid {
  std::vector<double> y;  // column edges
  std::vector<double> z;  // row edges
  std::vector<std::vector<int>> keys;  // [column][row]

  std::vector<KeyedRect> cells() const {
    std::vector<KeyedRect> out;
    for (std::size_t i = 0; i + 1 < y.size(); ++i) {
      for (std::size_t j = 0; j + 1 < z.size(); ++j) {
        if (keys[i][j] >= 0) out.push_back({y[i], y[i + 1], z[j], z[j + 1], keys[i][j]});
      }
    }
    return out;
  }
};

Grid uniformGrid(int columns, int rows, double width, double height) {
  Grid g;
  for (int i = 0; i <= columns; ++i) g.y.push_back(-width / 2 + width * i / columns);
  for (int j = 0; j <= rows; ++j) g.z.push_back(-height / 2 + height * j / rows);
  g.keys.assign(columns, std::vector<int>(rows, 0));
  return g;
}

double area(const KeyedRect& r) { return (r.y1 - r.y0) * (r.z1 - r.z0); }

// Checks the merge of `grid`: per key the same area, every cell's centre
// inside exactly one merged rectangle and that one of the cell's key, no
// two rectangles overlapping. Returns the number of rectangles.
std::size_t expectExactCover(const Grid& grid, const std::string& what) {
  const std::vector<KeyedRect> cells = grid.cells();
  const std::vector<KeyedRect> merged = mergeCells(cells, 1e-9);
  std::map<int, double> cellArea, mergedArea;
  for (const KeyedRect& c : cells) cellArea[c.key] += area(c);
  for (const KeyedRect& r : merged) mergedArea[r.key] += area(r);
  EXPECT_EQ(cellArea.size(), mergedArea.size()) << what;
  for (const auto& [key, a] : cellArea) EXPECT_NEAR(mergedArea[key], a, 1e-9 * a) << what << ", key " << key;
  for (const KeyedRect& c : cells) {
    const double cy = (c.y0 + c.y1) / 2, cz = (c.z0 + c.z1) / 2;
    int inside = 0;
    for (const KeyedRect& r : merged) {
      if (r.y0 < cy && cy < r.y1 && r.z0 < cz && cz < r.z1) {
        ++inside;
        EXPECT_EQ(r.key, c.key) << what << ": cell at " << cy << ", " << cz;
      }
    }
    EXPECT_EQ(inside, 1) << what << ": cell at " << cy << ", " << cz;
  }
  for (std::size_t a = 0; a < merged.size(); ++a) {
    for (std::size_t b = a + 1; b < merged.size(); ++b) {
      const double dy = std::fmin(merged[a].y1, merged[b].y1) - std::fmax(merged[a].y0, merged[b].y0);
      const double dz = std::fmin(merged[a].z1, merged[b].z1) - std::fmax(merged[a].z0, merged[b].z0);
      EXPECT_FALSE(dy > 1e-9 && dz > 1e-9) << what << ": rectangles " << a << " and " << b << " overlap";
    }
  }
  return merged.size();
}

TEST(CellMerge, CoversExactlyTheCellsOfEachKey) {
  struct Case {
    const char* what;
    Grid grid;
    std::size_t rectangles;  // by hand; 0: not checked
  };
  std::vector<Case> cases;
  cases.push_back({"one key: one rectangle", uniformGrid(7, 5, 70, 50), 1});
  {
    Grid g = uniformGrid(6, 4, 60, 40);
    for (int i = 0; i < 6; ++i) {
      for (int j = 0; j < 4; ++j) g.keys[i][j] = (i + j) % 2;
    }
    cases.push_back({"checkerboard: nothing to merge", g, 24});
  }
  {
    // Left half key 1, right half key 2: two rectangles.
    Grid g = uniformGrid(6, 4, 60, 40);
    for (int i = 0; i < 6; ++i) {
      for (int j = 0; j < 4; ++j) g.keys[i][j] = i < 3 ? 1 : 2;
    }
    cases.push_back({"two halves", g, 2});
  }
  {
    // An L of key 1 on key 0: the foot's columns are strips of two rows
    // (one rectangle), the shank a column of four rows, the rest of key 0
    // above the foot (one rectangle) — three in all.
    Grid g = uniformGrid(4, 4, 40, 40);
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) g.keys[i][j] = (i == 0 || j < 2) ? 1 : 0;
    }
    cases.push_back({"L shape", g, 3});
  }
  {
    // A hollow square: empty cells in the middle are not covered.
    Grid g = uniformGrid(5, 5, 50, 50);
    for (int i = 1; i < 4; ++i) {
      for (int j = 1; j < 4; ++j) g.keys[i][j] = -1;
    }
    cases.push_back({"hollow square", g, 4});
  }
  {
    // Columns and rows of different widths (a grid refined at profile
    // edges) with keys from a fixed pseudo-random sequence.
    Grid g;
    g.y = {-50, -47.5, -45, -30, -15, 0, 1, 2, 17, 32, 47, 50};
    g.z = {-40, -38, -36, -20, -4, -3, -2, 14, 30, 32, 34, 40};
    std::uint32_t state = 12345;
    g.keys.assign(g.y.size() - 1, std::vector<int>(g.z.size() - 1, 0));
    for (auto& column : g.keys) {
      for (int& key : column) {
        state = state * 1664525u + 1013904223u;
        key = static_cast<int>((state >> 24) % 3) - ((state >> 20) % 7 == 0 ? 1 : 0) * 10;
        if (key < 0) key = -1;
      }
    }
    cases.push_back({"irregular grid, random keys and holes", g, 0});
  }
  for (const Case& c : cases) {
    const std::size_t n = expectExactCover(c.grid, c.what);
    if (c.rectangles > 0) {
      EXPECT_EQ(n, c.rectangles) << c.what;
    }
  }
}

TEST(InputTitle, TheFirstCommentLineThatSaysSomething) {
  struct Case {
    const char* input;
    const char* title;
  } cases[] = {
      {"// Encased HEB\n// ===\n#MATERIAL x\n", "Encased HEB"},
      {"//\n// =========\n//   Filled tube  \r\n", "Filled tube"},
      {"#SETTINGS SET 8 0 0 19 100\n  // Late comment\n", "Late comment"},
      {"#MATERIAL only\n", ""},
      {"", ""},
      {"// ----\n//\n", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(inputTitle(c.input), c.title) << "input: " << c.input;
}

}  // namespace
}  // namespace colsec::plot
