// The section grid and the elements cut from it: the gap rule, element
// counts, widths and areas of worked sections, the priority rule with its
// ties, and the element order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <sstream>
#include <tuple>
#include <vector>

#include "materials/Concrete1992_3171.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"

namespace colsec {
namespace {

constexpr double kTwoOverPi = 2.0 / std::numbers::pi;

// A model with a console that is kept for inspection.
struct TestModel {
  std::ostringstream console;
  SectionModel model{console};

  explicit TestModel(double feSize) { model.settings.feSize = feSize; }

  const Material* addSteel(int number, int priority) {
    model.materials.push_back(std::make_unique<Steel1993_543>(number, priority, 210000, 235, 81000));
    return model.materials.back().get();
  }
  const Material* addConcrete(int number, int priority) {
    model.materials.push_back(std::make_unique<Concrete1992_3171>(number, priority, 33000, 20, 0.85, 0.002, 0.0035, 2));
    return model.materials.back().get();
  }
};

double totalArea(const SectionModel& model) {
  double sum = 0.0;
  for (const Element& e : model.elements) sum += e.area;
  return sum;
}

// Elements come y cell by y cell, and within one y cell by ascending z.
void expectGridOrder(const SectionModel& model, const char* what) {
  for (std::size_t i = 1; i < model.elements.size(); ++i) {
    const Element& a = model.elements[i - 1];
    const Element& b = model.elements[i];
    const bool ordered = a.posY < b.posY || (a.posY == b.posY && a.posZ < b.posZ);
    EXPECT_TRUE(ordered) << what << ": element " << i - 1 << " at (" << a.posY << ", " << a.posZ << ") before ("
                         << b.posY << ", " << b.posZ << ")";
  }
}

std::vector<double> widthsOf(const std::vector<GridCell>& cells) {
  std::vector<double> widths;
  for (const GridCell& c : cells) widths.push_back(c.width);
  return widths;
}

// ---------------------------------------------------------------------------
// Gap rule

TEST(SubdivideGridLinesTest, GapsSplitIntoFloorOfGapOverSizePlusOneCells) {
  struct GapCase {
    const char* what;
    std::vector<double> lines;
    double feSize;
    std::vector<double> expectedLines;  // the list afterwards
    std::vector<GridCell> expectedCells;
  };
  const double third = 10.0 / 3.0;
  const std::vector<GapCase> cases = {
      {"gap 10, size 5: three cells", {0, 10}, 5, {0, 10}, {{5.0 / 3, third}, {5, third}, {25.0 / 3, third}}},
      {"gap 9, size 5: two cells", {0, 9}, 5, {0, 9}, {{2.25, 4.5}, {6.75, 4.5}}},
      {"gap 4, size 5: one cell", {0, 4}, 5, {0, 4}, {{2, 4}}},
      {"gap 5, size 5: two cells, always narrower", {0, 5}, 5, {0, 5}, {{1.25, 2.5}, {3.75, 2.5}}},
      {"gap 10, size 20: one cell", {-5, 5}, 20, {-5, 5}, {{0, 10}}},
      {"unsorted with duplicates",
       {10, 0, 10, 4, 0},
       5,
       {0, 4, 10},
       {{2, 4}, {5.5, 3}, {8.5, 3}}},
      {"negative coordinates", {-20, -8}, 5, {-20, -8}, {{-18, 4}, {-14, 4}, {-10, 4}}},
      {"one line", {3}, 5, {3}, {}},
      {"one line repeated", {2, 2, 2}, 5, {2}, {}},
      {"no lines", {}, 5, {}, {}},
      // A count that truncates to 0 gives no cell (only a negative size does that).
      {"count truncates to zero", {0, 10}, -20, {0, 10}, {}},
  };
  for (const GapCase& c : cases) {
    std::vector<double> lines = c.lines;
    const std::vector<GridCell> cells = subdivideGridLines(lines, c.feSize);
    EXPECT_EQ(lines, c.expectedLines) << c.what;
    ASSERT_EQ(cells.size(), c.expectedCells.size()) << c.what;
    for (std::size_t k = 0; k < cells.size(); ++k) {
      EXPECT_NEAR(cells[k].centre, c.expectedCells[k].centre, 1e-12) << c.what << ", cell " << k;
      EXPECT_NEAR(cells[k].width, c.expectedCells[k].width, 1e-12) << c.what << ", cell " << k;
    }
  }
}

// Only exactly equal neighbours are merged: two values one rounding step
// apart leave a cell of that width.
TEST(SubdivideGridLinesTest, NearlyEqualLinesGiveAThinCell) {
  const double next = std::nextafter(1.0, 2.0);
  std::vector<double> lines = {next, 1.0, 1.0, 3.0};
  const std::vector<GridCell> cells = subdivideGridLines(lines, 5);
  EXPECT_EQ(lines, (std::vector<double>{1.0, next, 3.0}));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].width, next - 1.0);
  EXPECT_NEAR(cells[1].width, 2.0, 1e-12);
}

TEST(SubdivideGridLinesTest, CountAgreesWithSubdivision) {
  struct CountCase {
    const char* what;
    std::vector<double> lines;
    double feSize;
  };
  const std::vector<CountCase> cases = {
      {"HEB 200 y lines, size 10", {-100, -22.5, -4.5, 4.5, 22.5, 100}, 10},
      {"HEB 200 z lines, size 10", {-100, -92.5, -85, -67, 67, 85, 92.5, 100}, 10},
      {"HEB 200 z lines, size 3", {-100, -92.5, -85, -67, 67, 85, 92.5, 100}, 3},
      {"HEB 200 z lines, size 0.7", {-100, -92.5, -85, -67, 67, 85, 92.5, 100}, 0.7},
      {"exact multiple", {0, 10}, 5},
      {"just above a multiple", {0, 10}, 5.0000001},
      {"just below a multiple", {0, 10}, 4.9999999},
      {"gap smaller than the size", {0, 0.001}, 1},
      {"thin cell", {1.0, std::nextafter(1.0, 2.0)}, 1},
      {"circle", {-50, 50}, 10},
      {"tube and disc", {-50, -40, 40, 50}, 10},
      {"one line", {3}, 5},
      {"no lines", {}, 5},
      {"negative size, count truncates to 0", {0, 10}, -20},
      {"negative size, count below 0", {0, 10}, -5},
  };
  for (const CountCase& c : cases) {
    std::vector<double> lines = c.lines;
    const std::size_t cells = subdivideGridLines(lines, c.feSize).size();
    EXPECT_EQ(countGridCells(lines, c.feSize), static_cast<double>(cells)) << c.what;
  }
}

// The count is what the size check uses before anything is allocated, so
// it must also work far beyond any grid that could be built.
TEST(SubdivideGridLinesTest, CountsHugeGridsWithoutBuildingThem) {
  EXPECT_EQ(countGridCells({0, 1e6}, 0.01), 100000001.0);
  EXPECT_EQ(countGridCells({-500, 500}, 0.0001), 10000001.0);
  EXPECT_EQ(countGridCells({0, 10, 20}, 5), 6.0);
}

// ---------------------------------------------------------------------------
// Worked sections

// RECT H 20, B 10, r 0, size 5: y −5..5 in 3 cells, z −10..10 in 5 cells.
TEST(DiscretiseTest, SolidRectangle20By10) {
  TestModel t(5);
  t.addSteel(1, 1);
  t.model.addRectProfile(4, 1, 20, 10, 0, 0, false);
  discretise(t.model);
  EXPECT_EQ(t.model.gridLinesY, (std::vector<double>{-5, 5}));
  EXPECT_EQ(t.model.gridLinesZ, (std::vector<double>{-10, 10}));
  ASSERT_EQ(t.model.elements.size(), 15u);
  const double yCentres[] = {-10.0 / 3, 0, 10.0 / 3};
  const double zCentres[] = {-8, -4, 0, 4, 8};
  for (std::size_t i = 0; i < 15; ++i) {
    const Element& e = t.model.elements[i];
    EXPECT_NEAR(e.posY, yCentres[i / 5], 1e-12) << "element " << i;
    EXPECT_NEAR(e.posZ, zCentres[i % 5], 1e-12) << "element " << i;
    EXPECT_NEAR(e.dimY, 10.0 / 3, 1e-12) << "element " << i;
    EXPECT_NEAR(e.dimZ, 4, 1e-12) << "element " << i;
    EXPECT_EQ(e.shearFactorY, 1.0) << "element " << i;
    EXPECT_EQ(e.shearFactorZ, 1.0) << "element " << i;
    EXPECT_EQ(e.material, t.model.materials[0].get()) << "element " << i;
    EXPECT_EQ(e.profileNumber, 4) << "element " << i;
  }
  EXPECT_NEAR(totalArea(t.model), 200, 1e-9);
  expectGridOrder(t.model, "rectangle");
}

// HEB 200 (H 200, B 200, ts 9, tg 15, r 18), size 10. Worked by hand:
//   y lines −100, −22.5, −4.5, 4.5, 22.5, 100: gaps 77.5 → 8 cells of
//   9.6875, 18 → 2 of 9, 9 → 1 of 9.
//   z lines −100, −92.5, −85, −67, 67, 85, 92.5, 100: gaps 7.5 → 1, 7.5 → 1,
//   18 → 2 of 9, 134 → 14 of 9.5714.
//   Flanges: 2 x 2 z cells x 21 y cells = 84 elements, 6000 mm².
//   Web: the one y cell of 9 x the 18 z cells between the flanges, 1530 mm².
//   Fillets: of the 2 x 2 cells of 9 x 9 in each corner only the one at
//   |y| = 9, |z| = 80.5 has its centre inside the arc (limit |y| ≤ 22.5 −
//   √(18² − 13.5²) = 10.6): 4 elements, 324 mm².
//   106 elements, 7854 mm². Web factor: web 1530 + fillets 324 + the five
//   y cells within |y| ≤ 22.5 of the inner flange halves, 2 x 45 x 7.5:
//   2529 mm².
TEST(DiscretiseTest, Heb200) {
  TestModel t(10);
  const Material* steel = t.addSteel(1, 1);
  t.model.addHebProfile(2, 1, 200, 200, 9, 15, 18, false);
  std::vector<double> ys = t.model.gridLinesY;
  std::vector<double> zs = t.model.gridLinesZ;
  const std::vector<GridCell> yCells = subdivideGridLines(ys, 10);
  const std::vector<GridCell> zCells = subdivideGridLines(zs, 10);
  EXPECT_EQ(ys, (std::vector<double>{-100, -22.5, -4.5, 4.5, 22.5, 100}));
  EXPECT_EQ(zs, (std::vector<double>{-100, -92.5, -85, -67, 67, 85, 92.5, 100}));

  std::vector<double> yWidths(8, 9.6875);
  for (int k = 0; k < 5; ++k) yWidths.push_back(9);
  for (int k = 0; k < 8; ++k) yWidths.push_back(9.6875);
  EXPECT_EQ(widthsOf(yCells), yWidths);
  const std::vector<double> zWidths = widthsOf(zCells);
  ASSERT_EQ(zWidths.size(), 22u);
  const double zExpected[] = {7.5, 7.5, 9, 9};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(zWidths[k], zExpected[k], 1e-12) << "z cell " << k;
    EXPECT_NEAR(zWidths[21 - k], zExpected[k], 1e-12) << "z cell " << 21 - k;
  }
  for (int k = 4; k < 18; ++k) EXPECT_NEAR(zWidths[k], 134.0 / 14, 1e-12) << "z cell " << k;

  discretise(t.model);
  ASSERT_EQ(t.model.elements.size(), 106u);
  EXPECT_NEAR(totalArea(t.model), 7854, 1e-9);
  double areaY = 0;
  double areaZ = 0;
  int flangeElements = 0;
  for (const Element& e : t.model.elements) {
    EXPECT_EQ(e.material, steel);
    EXPECT_EQ(e.profileNumber, 2);
    areaY += e.shearFactorY * e.area;
    areaZ += e.shearFactorZ * e.area;
    if (e.shearFactorY == 1) ++flangeElements;
  }
  EXPECT_NEAR(areaY, 6000, 1e-9);
  EXPECT_NEAR(areaZ, 2529, 1e-9);
  EXPECT_EQ(flangeElements, 84);
  expectGridOrder(t.model, "HEB 200");
}

// The rotated section is the unrotated one with y and z exchanged, and
// with the two shear factors exchanged.
TEST(DiscretiseTest, RotatedHebIsTheTransposedSection) {
  TestModel plain(10);
  plain.addSteel(1, 1);
  plain.model.addHebProfile(2, 1, 200, 200, 9, 15, 18, false);
  discretise(plain.model);
  TestModel rotated(10);
  rotated.addSteel(1, 1);
  rotated.model.addHebProfile(2, 1, 200, 200, 9, 15, 18, true);
  discretise(rotated.model);

  using Key = std::tuple<double, double, double, double, double, double>;
  std::vector<Key> expected;
  for (const Element& e : plain.model.elements) {
    expected.emplace_back(e.posZ, e.posY, e.dimZ, e.dimY, e.shearFactorZ, e.shearFactorY);
  }
  std::vector<Key> actual;
  for (const Element& e : rotated.model.elements) {
    actual.emplace_back(e.posY, e.posZ, e.dimY, e.dimZ, e.shearFactorY, e.shearFactorZ);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(actual.size(), 106u);
  EXPECT_EQ(actual, expected);  // the rotated list is already in grid order
  expectGridOrder(rotated.model, "rotated HEB");
}

// Circle D 100, size 10: 11 x 11 cells of 100/11; 97 cell centres lie
// within the circle.
TEST(DiscretiseTest, Circle100) {
  TestModel t(10);
  t.addSteel(1, 1);
  t.model.addCircProfile(3, 1, 0, 0, 100, 0, false);
  std::vector<double> ys = t.model.gridLinesY;
  const std::vector<GridCell> yCells = subdivideGridLines(ys, 10);
  ASSERT_EQ(yCells.size(), 11u);
  for (const GridCell& c : yCells) EXPECT_NEAR(c.width, 9.0909, 1e-4);
  discretise(t.model);
  EXPECT_EQ(t.model.elements.size(), 97u);
  for (const Element& e : t.model.elements) {
    EXPECT_LE(std::hypot(e.posY, e.posZ), 50.0 + 1e-9);
    EXPECT_EQ(e.shearFactorY, 1.0);
    EXPECT_EQ(e.shearFactorZ, 1.0);
  }
  expectGridOrder(t.model, "circle");
}

// The area of a discretised circle approaches πR² as the cells shrink: a
// misjudged cell lies within half a cell diagonal of the circle, so the
// error is below the area of that band, 2πR·√2·w.
TEST(DiscretiseTest, CircleAreaConvergesWithCellSize) {
  const double sizes[] = {10, 5, 2.5, 1.25};
  for (double size : sizes) {
    TestModel t(size);
    t.addSteel(1, 1);
    t.model.addCircProfile(3, 1, 15, -25, 100, 0, false);
    discretise(t.model);
    const double w = t.model.elements.front().dimY;
    const double bound = 2 * std::numbers::pi * 50 * std::sqrt(2.0) * w;
    EXPECT_NEAR(totalArea(t.model), std::numbers::pi * 2500, bound) << "size " << size;
  }
}

// ---------------------------------------------------------------------------
// Ownership of overlapping profiles

struct Overlap {
  const char* what;
  int outerPriority;
  int innerPriority;
  bool innerFirst;
  int innerOwner;  // profile number expected in the inner cells
};

// Outer RECT 40 x 40 (profile 1), inner RECT 20 x 20 (profile 2), size 10:
// 7 x 7 cells, the 3 x 3 in the middle covered by both.
TEST(DiscretiseTest, PriorityRuleAndEqualPriorityTies) {
  const Overlap cases[] = {
      {"inner higher, outer first", 1, 2, false, 2},
      {"inner higher, inner first", 1, 2, true, 2},
      {"outer higher, outer first", 2, 1, false, 1},
      {"outer higher, inner first", 2, 1, true, 1},
      {"equal, outer first", 1, 1, false, 1},
      {"equal, inner first", 1, 1, true, 2},
      {"equal negative, inner first", -999, -999, true, 2},
      {"lower one at -1000 never owns", -1000, 5, false, 2},
  };
  for (const Overlap& c : cases) {
    TestModel t(10);
    const Material* outerMaterial = t.addSteel(1, c.outerPriority);
    const Material* innerMaterial = t.addConcrete(2, c.innerPriority);
    if (c.innerFirst) {
      t.model.addRectProfile(2, 2, 20, 20, 0, 0, false);
      t.model.addRectProfile(1, 1, 40, 40, 0, 0, false);
    } else {
      t.model.addRectProfile(1, 1, 40, 40, 0, 0, false);
      t.model.addRectProfile(2, 2, 20, 20, 0, 0, false);
    }
    discretise(t.model);
    const bool outerOwnsAnything = c.outerPriority > -1000;
    ASSERT_EQ(t.model.elements.size(), outerOwnsAnything ? 49u : 9u) << c.what;
    for (const Element& e : t.model.elements) {
      const bool inner = std::fabs(e.posY) < 10 && std::fabs(e.posZ) < 10;
      const int owner = inner ? c.innerOwner : 1;
      EXPECT_EQ(e.profileNumber, owner) << c.what << " at (" << e.posY << ", " << e.posZ << ")";
      EXPECT_EQ(e.material, owner == 1 ? outerMaterial : innerMaterial)
          << c.what << " at (" << e.posY << ", " << e.posZ << ")";
    }
    expectGridOrder(t.model, c.what);
  }
}

TEST(DiscretiseTest, PriorityOfMinus1000OrLessNeverOwns) {
  const int priorities[] = {-1000, -1001, -2147483647 - 1};
  for (int priority : priorities) {
    TestModel t(5);
    t.addSteel(1, priority);
    t.model.addRectProfile(1, 1, 20, 10, 0, 0, false);
    discretise(t.model);
    EXPECT_TRUE(t.model.elements.empty()) << "priority " << priority;
  }
  TestModel t(5);
  t.addSteel(1, -999);
  t.model.addRectProfile(1, 1, 20, 10, 0, 0, false);
  discretise(t.model);
  EXPECT_EQ(t.model.elements.size(), 15u);
}

// A profile that covers every point and counts how often it is asked.
class CountingProfile final : public Profile {
 public:
  CountingProfile(std::int32_t number, std::int32_t materialNumber) : Profile(number, materialNumber) {}
  void addGridLines(std::vector<double>&, std::vector<double>&) const override {}
  CellOwner classify(double, double) const override {
    ++calls;
    return {number, material, 0.5, 0.25};
  }
  std::string describe() const override { return ""; }
  mutable int calls = 0;
};

// A profile whose priority does not exceed the best so far is not asked at
// all, and a profile without material is never asked.
TEST(DiscretiseTest, ProfilesThatCannotWinAreNotClassified) {
  struct SkipCase {
    const char* what;
    int counterPriority;
    bool counterHasMaterial;
    bool counterAsked;
    bool counterOwns;
  };
  const SkipCase cases[] = {
      {"lower priority", 2, true, false, false},
      {"equal priority", 3, true, false, false},
      {"higher priority", 4, true, true, true},
      {"no material", 4, false, false, false},
  };
  for (const SkipCase& c : cases) {
    TestModel t(5);
    t.addSteel(1, 3);
    if (c.counterHasMaterial) t.addConcrete(2, c.counterPriority);
    t.model.addRectProfile(1, 1, 20, 10, 0, 0, false);
    auto counter = std::make_unique<CountingProfile>(9, 2);
    const CountingProfile* spy = counter.get();
    t.model.addProfile(std::move(counter));
    discretise(t.model);
    ASSERT_EQ(t.model.elements.size(), 15u) << c.what;
    EXPECT_EQ(spy->calls, c.counterAsked ? 15 : 0) << c.what;
    for (const Element& e : t.model.elements) {
      EXPECT_EQ(e.profileNumber, c.counterOwns ? 9 : 1) << c.what;
      EXPECT_EQ(e.shearFactorY, c.counterOwns ? 0.5 : 1.0) << c.what;
      EXPECT_EQ(e.shearFactorZ, c.counterOwns ? 0.25 : 1.0) << c.what;
    }
  }
}

// HEB 200 of steel (priority 2) encased in a concrete RECT 300 x 300
// (priority 1), size 10: y and z get 6 cells of 50/6 on each side of the
// HEB grid, 33 x 34 = 1122 cells, all in the rectangle; the steel keeps
// its 106 elements and 7854 mm² including the fillet cells.
TEST(DiscretiseTest, HebEncasedInConcrete) {
  TestModel t(10);
  const Material* concrete = t.addConcrete(1, 1);
  const Material* steel = t.addSteel(2, 2);
  t.model.addRectProfile(1, 1, 300, 300, 0, 0, false);
  t.model.addHebProfile(2, 2, 200, 200, 9, 15, 18, false);
  discretise(t.model);
  ASSERT_EQ(t.model.elements.size(), 1122u);
  double steelArea = 0;
  double concreteArea = 0;
  int steelElements = 0;
  for (const Element& e : t.model.elements) {
    if (e.material == steel) {
      steelArea += e.area;
      ++steelElements;
      EXPECT_EQ(e.profileNumber, 2);
    } else {
      EXPECT_EQ(e.material, concrete);
      EXPECT_EQ(e.profileNumber, 1);
      EXPECT_EQ(e.shearFactorY, 1.0);
      EXPECT_EQ(e.shearFactorZ, 1.0);
      concreteArea += e.area;
    }
  }
  EXPECT_EQ(steelElements, 106);
  EXPECT_NEAR(steelArea, 7854, 1e-9);
  EXPECT_NEAR(concreteArea, 90000 - 7854, 1e-8);
  // The concrete cells are cut at the steel's edges: the HEB lines are grid
  // lines of the whole section.
  for (double line : {-22.5, -4.5, 4.5, 22.5}) {
    EXPECT_TRUE(std::count(t.model.gridLinesY.begin(), t.model.gridLinesY.end(), line) == 1) << line;
  }
  // Around the fillet at (+y, +z): the cell at (9, 80.5) lies inside the arc,
  // its neighbours at (18, 80.5) and (9, 71.5) do not.
  struct CellCase {
    double y;
    double z;
    const Material* owner;
  };
  const CellCase cells[] = {
      {9, 80.5, steel}, {18, 80.5, concrete}, {9, 71.5, concrete}, {-9, -80.5, steel}, {0, 71.5, steel},
  };
  for (const CellCase& c : cells) {
    const auto it = std::find_if(t.model.elements.begin(), t.model.elements.end(), [&](const Element& e) {
      return std::fabs(e.posY - c.y) < 1e-9 && std::fabs(e.posZ - c.z) < 1e-9;
    });
    ASSERT_NE(it, t.model.elements.end()) << "(" << c.y << ", " << c.z << ")";
    EXPECT_EQ(it->material, c.owner) << "(" << c.y << ", " << c.z << ")";
  }
  expectGridOrder(t.model, "encased HEB");
}

// Hollow CIRC D 100, t 10 of steel (priority 2) around a concrete disc of
// the same diameter (priority 1), size 10: 13 x 13 cells (2 of 5, 9 of
// 80/9, 2 of 5 on each axis). The ring (40 < ρ ≤ 50) is the tube's with
// factors 2/π, the inner circle the disc's with factors 1; by hand, 40
// ring cells and 69 disc cells. No cell centre lies within 0.2 mm of
// either circle, so the count does not hang on rounding.
TEST(DiscretiseTest, HollowTubeAroundDisc) {
  TestModel t(10);
  const Material* steel = t.addSteel(1, 2);
  const Material* concrete = t.addConcrete(2, 1);
  t.model.addCircProfile(1, 1, 0, 0, 100, 10, true);
  t.model.addCircProfile(2, 2, 0, 0, 100, 0, false);
  discretise(t.model);
  int tube = 0;
  int disc = 0;
  for (const Element& e : t.model.elements) {
    const double rho = std::hypot(e.posY, e.posZ);
    if (rho > 40) {
      ++tube;
      EXPECT_EQ(e.material, steel) << "(" << e.posY << ", " << e.posZ << ")";
      EXPECT_EQ(e.profileNumber, 1);
      EXPECT_DOUBLE_EQ(e.shearFactorY, kTwoOverPi);
      EXPECT_DOUBLE_EQ(e.shearFactorZ, kTwoOverPi);
    } else {
      ++disc;
      EXPECT_EQ(e.material, concrete) << "(" << e.posY << ", " << e.posZ << ")";
      EXPECT_EQ(e.profileNumber, 2);
      EXPECT_EQ(e.shearFactorY, 1.0);
      EXPECT_EQ(e.shearFactorZ, 1.0);
    }
  }
  EXPECT_EQ(tube, 40);
  EXPECT_EQ(disc, 69);
  expectGridOrder(t.model, "tube and disc");
}

// ---------------------------------------------------------------------------
// Sections that give no elements

TEST(DiscretiseTest, ProfileWithoutMaterialOwnsNothingButCutsTheGrid) {
  TestModel t(10);
  t.addSteel(1, 1);
  t.model.addRectProfile(1, 12, 40, 40, 0, 0, false);  // material 12 does not exist
  t.model.addRectProfile(2, 1, 20, 20, 0, 0, false);
  EXPECT_EQ(t.console.str(), "Material 12not found");
  discretise(t.model);
  EXPECT_EQ(t.model.gridLinesY, (std::vector<double>{-20, -10, 10, 20}));
  ASSERT_EQ(t.model.elements.size(), 9u);
  for (const Element& e : t.model.elements) {
    EXPECT_EQ(e.profileNumber, 2);
    EXPECT_NEAR(e.dimY, 20.0 / 3, 1e-12);
  }
}

TEST(DiscretiseTest, NoProfilesOrADegenerateAxisGiveNoElements) {
  {
    TestModel t(10);
    t.addSteel(1, 1);
    discretise(t.model);
    EXPECT_TRUE(t.model.elements.empty());
  }
  {
    TestModel t(10);
    t.addSteel(1, 1);
    t.model.addRectProfile(1, 1, 20, 0, 0, 0, false);  // B = 0: one distinct y line
    discretise(t.model);
    EXPECT_EQ(t.model.gridLinesY, (std::vector<double>{0}));
    EXPECT_TRUE(t.model.elements.empty());
  }
}

}  // namespace
}  // namespace colsec
