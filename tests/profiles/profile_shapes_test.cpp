// The three profile shapes: the edge coordinates they add to the grid,
// the point tests on and near their boundaries with the shear factors,
// and the description texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "profiles/CircProfile.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTwoOverPi = 2.0 / std::numbers::pi;

double up(double x) { return std::nextafter(x, kInf); }
double down(double x) { return std::nextafter(x, -kInf); }

std::vector<double> sorted(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values;
}

struct GridLines {
  std::vector<double> y;
  std::vector<double> z;
};

GridLines gridLinesOf(const Profile& p) {
  GridLines lines;
  p.addGridLines(lines.y, lines.z);
  return lines;
}

// ---------------------------------------------------------------------------
// Grid lines

TEST(ProfileGridLinesTest, EdgesOfEveryShape) {
  struct GridCase {
    const char* what;
    const Profile* profile;
    std::vector<double> y;
    std::vector<double> z;
  };
  const HEBProfile heb(1, 1, 200, 200, 9, 15, 18, false);
  const HEBProfile hebRotated(1, 1, 200, 200, 9, 15, 18, true);
  // H 300, B 280 to tell the two axes apart.
  const HEBProfile heb300(1, 1, 300, 280, 11, 19, 27, false);
  const HEBProfile heb300Rotated(1, 1, 300, 280, 11, 19, 27, true);
  const RectProfile rect(2, 1, 20, 10, 0, 0, false);
  const RectProfile rounded(2, 1, 100, 60, 10, 5, false);
  const RectProfile hollow(2, 1, 100, 60, 10, 5, true);
  const RectProfile hollowSharpHole(2, 1, 100, 60, 3, 5, true);
  const CircProfile circ(3, 1, 10, -20, 50, 5, false);
  const CircProfile tube(3, 1, 10, -20, 50, 5, true);
  const GridCase cases[] = {
      {"HEB 200", &heb, {-100, -22.5, -4.5, 4.5, 22.5, 100}, {-100, -92.5, -85, -67, 67, 85, 92.5, 100}},
      {"HEB 200 rotated", &hebRotated, {-100, -92.5, -85, -67, 67, 85, 92.5, 100}, {-100, -22.5, -4.5, 4.5, 22.5, 100}},
      // flange 140, web 5.5, fillet ends 5.5 + 27 = 32.5;
      // z: 150, 150 − 9.5 = 140.5, 150 − 19 = 131, 131 − 27 = 104
      {"HEB 300x280", &heb300, {-140, -32.5, -5.5, 5.5, 32.5, 140}, {-150, -140.5, -131, -104, 104, 131, 140.5, 150}},
      {"HEB 300x280 rotated",
       &heb300Rotated,
       {-150, -140.5, -131, -104, 104, 131, 140.5, 150},
       {-140, -32.5, -5.5, 5.5, 32.5, 140}},
      // r = 0 gives every edge twice; the duplicates go only in the discretisation.
      {"RECT 20x10 r=0", &rect, {-5, -5, 5, 5}, {-10, -10, 10, 10}},
      {"RECT 100x60 r=10", &rounded, {-30, -20, 20, 30}, {-50, -40, 40, 50}},
      // inner: bi = 25, hi = 45, ri = 5
      {"RECT 100x60 r=10 t=5 hollow",
       &hollow,
       {-30, -25, -20, -20, 20, 20, 25, 30},
       {-50, -45, -40, -40, 40, 40, 45, 50}},
      // r = 3 < t = 5: ri = 0
      {"RECT 100x60 r=3 t=5 hollow",
       &hollowSharpHole,
       {-30, -27, -25, -25, 25, 25, 27, 30},
       {-50, -47, -45, -45, 45, 45, 47, 50}},
      {"CIRC D=50 at (10,-20)", &circ, {-15, 35}, {-45, 5}},
      {"CIRC D=50 t=5 hollow at (10,-20)", &tube, {-15, -10, 30, 35}, {-45, -40, 0, 5}},
  };
  for (const GridCase& c : cases) {
    const GridLines lines = gridLinesOf(*c.profile);
    EXPECT_EQ(sorted(lines.y), c.y) << c.what;
    EXPECT_EQ(sorted(lines.z), c.z) << c.what;
  }
}

TEST(ProfileGridLinesTest, AppendsToWhatIsAlreadyThere) {
  const CircProfile circ(3, 1, 0, 0, 10, 0, false);
  std::vector<double> y = {7.0};
  std::vector<double> z = {-7.0, 8.0};
  circ.addGridLines(y, z);
  EXPECT_EQ(sorted(y), (std::vector<double>{-5, 5, 7}));
  EXPECT_EQ(sorted(z), (std::vector<double>{-7, -5, 5, 8}));
}

// ---------------------------------------------------------------------------
// Point tests

struct PointCase {
  const char* what;
  double y;
  double z;
  bool covered;
  double factorY;  // only checked when covered
  double factorZ;
};

void checkPoints(const Profile& p, const Material& material, const std::vector<PointCase>& cases) {
  for (const PointCase& c : cases) {
    const CellOwner o = p.classify(c.y, c.z);
    if (c.covered) {
      EXPECT_EQ(o.material, &material) << c.what << " at (" << c.y << ", " << c.z << ")";
      EXPECT_EQ(o.profileNumber, p.number) << c.what;
      EXPECT_DOUBLE_EQ(o.shearFactorY, c.factorY) << c.what << " at (" << c.y << ", " << c.z << ")";
      EXPECT_DOUBLE_EQ(o.shearFactorZ, c.factorZ) << c.what << " at (" << c.y << ", " << c.z << ")";
    } else {
      EXPECT_EQ(o.material, nullptr) << c.what << " at (" << c.y << ", " << c.z << ")";
    }
  }
}

// Empty results of the I-section and the rectangle also have both factors 0.
void checkEmptyHasNoFactors(const Profile& p, const std::vector<PointCase>& cases) {
  for (const PointCase& c : cases) {
    if (c.covered) continue;
    const CellOwner o = p.classify(c.y, c.z);
    EXPECT_EQ(o.shearFactorY, 0.0) << c.what;
    EXPECT_EQ(o.shearFactorZ, 0.0) << c.what;
  }
}

class ProfileClassifyTest : public ::testing::Test {
 protected:
  const Steel1993_543 steel{1, 1, 210000, 235, 81000};
};

// HEB 200: flanges 200 x 15, web 9, fillets r = 18. Flange factor for
// 85 ≤ |z| ≤ 100; web factor for |z| ≤ 92.5 and |y| ≤ 22.5.
const std::vector<PointCase>& heb200Points() {
  static const std::vector<PointCase> cases = {
      {"web centre", 0, 0, true, 0, 1},
      {"web face", 4.5, 0, true, 0, 1},
      {"web face, negative side", -4.5, -50, true, 0, 1},
      {"just outside the web face", up(4.5), 0, false, 0, 0},
      {"web at the fillet end", 0, 67, true, 0, 1},
      {"flange, inner half next to the web", 10, 90, true, 1, 1},
      {"flange, web strip edge", 22.5, 90, true, 1, 1},
      {"flange, just outside the web strip", up(22.5), 90, true, 1, 0},
      {"flange mid-plane", 10, 92.5, true, 1, 1},
      {"flange, just beyond the mid-plane", 10, up(92.5), true, 1, 0},
      {"flange, outer half", 0, 96, true, 1, 0},
      {"flange, away from the web", 50, 95, true, 1, 0},
      {"flange inner face", 50, 85, true, 1, 0},
      {"just inside the inner flange face, away from the web", 50, down(85), false, 0, 0},
      {"flange corner", 100, 100, true, 1, 0},
      {"flange corner, negative", -100, -100, true, 1, 0},
      {"beyond the flange tip", up(100), 100, false, 0, 0},
      {"above the flange", 0, up(100), false, 0, 0},
      {"below the lower flange", -50, down(-100), false, 0, 0},
      {"beside the web", 50, 0, false, 0, 0},
  };
  return cases;
}

TEST_F(ProfileClassifyTest, HebFlangesWebAndShearFactors) {
  HEBProfile heb(7, 1, 200, 200, 9, 15, 18, false);
  heb.material = &steel;
  checkPoints(heb, steel, heb200Points());
  checkEmptyHasNoFactors(heb, heb200Points());
}

// Rotated, the height runs along y: the same points with y and z exchanged
// are covered the same way, and the two shear factors change places.
TEST_F(ProfileClassifyTest, RotatedHebSwapsAxesAndFactors) {
  HEBProfile rotated(7, 1, 200, 200, 9, 15, 18, true);
  rotated.material = &steel;
  std::vector<PointCase> swapped;
  for (const PointCase& c : heb200Points()) swapped.push_back({c.what, c.z, c.y, c.covered, c.factorZ, c.factorY});
  checkPoints(rotated, steel, swapped);
}

// H 200, B 200, ts 10, tg 16, r 20: the fillet arc is centred at
// |z| = 100 − 16 − 20 = 64, |y| = 5 + 20 = 25. At |z| = 76 the arc is at
// |y| = 25 − √(400 − 12²) = 9.
TEST_F(ProfileClassifyTest, HebRootFillets) {
  HEBProfile heb(3, 1, 200, 200, 10, 16, 20, false);
  heb.material = &steel;
  const std::vector<PointCase> cases = {
      {"on the fillet arc", 9, 76, true, 0, 1},
      {"on the fillet arc, other quadrant", -9, -76, true, 0, 1},
      {"just outside the fillet arc", up(9), 76, false, 0, 0},
      {"fillet near the web", 5.9, 70, true, 0, 1},
      {"corner between web and flange, outside the arc", 20, 80, false, 0, 0},
      {"fillet next to the flange face", 22.5, 83.9, true, 0, 1},
      {"outside the arc next to the flange face", 24, 83.9, false, 0, 0},
      {"flange face at the end of the fillet", 25, 84, true, 1, 1},
  };
  checkPoints(heb, steel, cases);
  HEBProfile rotated(3, 1, 200, 200, 10, 16, 20, true);
  rotated.material = &steel;
  std::vector<PointCase> swapped;
  for (const PointCase& c : cases) swapped.push_back({c.what, c.z, c.y, c.covered, c.factorZ, c.factorY});
  checkPoints(rotated, steel, swapped);
}

TEST_F(ProfileClassifyTest, SolidRectangle) {
  RectProfile rect(2, 1, 20, 10, 0, 0, false);
  rect.material = &steel;
  const std::vector<PointCase> cases = {
      {"centre", 0, 0, true, 1, 1},
      {"corner", 5, 10, true, 1, 1},
      {"opposite corner", -5, -10, true, 1, 1},
      {"just beside", up(5), 0, false, 0, 0},
      {"just above", 0, up(10), false, 0, 0},
      {"just below", 0, down(-10), false, 0, 0},
  };
  checkPoints(rect, steel, cases);
  checkEmptyHasNoFactors(rect, cases);
}

// H 100, B 60, r 10: corner arcs centred at (±20, ±40).
TEST_F(ProfileClassifyTest, RectangleWithRoundedCorners) {
  RectProfile rect(2, 1, 100, 60, 10, 0, false);
  rect.material = &steel;
  const std::vector<PointCase> cases = {
      {"on the corner arc (6, 8 from its centre)", 26, 48, true, 1, 1},
      {"on the corner arc, other quadrant", -26, -48, true, 1, 1},
      {"just outside the corner arc", 26, up(48), false, 0, 0},
      {"side face at the end of the arc", 30, 40, true, 1, 1},
      {"beside the arc", 30, 41, false, 0, 0},
      {"top face at the end of the arc", 20, 50, true, 1, 1},
      {"above the arc", 21, 50, false, 0, 0},
      {"sharp corner cut off", 30, 50, false, 0, 0},
  };
  checkPoints(rect, steel, cases);
  checkEmptyHasNoFactors(rect, cases);
}

// H 100, B 60, r 10, t 5: wall from |y| 25 to 30 and |z| 45 to 50; the hole
// has corners of radius 5 centred at (±20, ±40), as the outer arcs.
TEST_F(ProfileClassifyTest, HollowRectangleWithRoundedHole) {
  RectProfile rect(2, 1, 100, 60, 10, 5, true);
  rect.material = &steel;
  const std::vector<PointCase> cases = {
      {"hole centre", 0, 0, false, 0, 0},
      {"hole side edge", 25, 0, false, 0, 0},
      {"side wall just beyond the hole edge", up(25), 0, true, 0, 1},
      {"side wall", 27.5, 0, true, 0, 1},
      {"outer side face", 30, 0, true, 0, 1},
      {"just outside", up(30), 0, false, 0, 0},
      {"hole top edge", 0, 45, false, 0, 0},
      {"top wall just beyond the hole edge", 0, up(45), true, 1, 0},
      {"top wall", 0, 47.5, true, 1, 0},
      {"bottom wall", -10, -47.5, true, 1, 0},
      {"corner square of the wall", 27, 47, true, 1, 1},
      {"outer arc in the corner", 26, 48, true, 1, 1},
      {"just outside the outer arc", 26, up(48), false, 0, 0},
      {"on the hole arc (3, 4 from its centre)", 23, 44, false, 0, 0},
      {"beyond the hole arc: rounded inner corner carries no shear", 23, 44.00001, true, 0, 0},
      {"rounded inner corner", 24, 44, true, 0, 0},
      {"rounded inner corner, other quadrant", -24, -44, true, 0, 0},
  };
  checkPoints(rect, steel, cases);
  checkEmptyHasNoFactors(rect, cases);
}

// The distance to the hole arc is formed from single-precision offsets, so
// a point one double step outside the arc still lies in the hole.
TEST_F(ProfileClassifyTest, HoleArcTestIsInSinglePrecision) {
  RectProfile rect(2, 1, 100, 60, 10, 5, true);
  rect.material = &steel;
  EXPECT_EQ(rect.classify(23, up(44)).material, nullptr);
  EXPECT_EQ(rect.classify(up(23), 44).material, nullptr);
}

// r = 3 ≤ t = 5: the inner corner radius is 0, the hole a plain rectangle
// of 50 x 90.
TEST_F(ProfileClassifyTest, HollowRectangleWithSharpHole) {
  RectProfile rect(2, 1, 100, 60, 3, 5, true);
  rect.material = &steel;
  const std::vector<PointCase> cases = {
      {"hole corner", 25, 45, false, 0, 0},
      {"hole corner, other quadrant", -25, -45, false, 0, 0},
      {"top wall just above the hole", 0, 46, true, 1, 0},
      {"top wall just above the hole corner", 25, up(45), true, 1, 1},
      {"side wall just beside the hole corner", up(25), 45, true, 1, 1},
      {"side wall", 26, 0, true, 0, 1},
      {"outer arc r = 3", 29, 49, true, 1, 1},
      {"sharp outer corner cut off", 30, 50, false, 0, 0},
  };
  checkPoints(rect, steel, cases);
  checkEmptyHasNoFactors(rect, cases);
}

TEST_F(ProfileClassifyTest, SolidCircleWithOffset) {
  CircProfile circ(3, 1, 10, -20, 100, 0, false);
  circ.material = &steel;
  const std::vector<PointCase> cases = {
      {"centre", 10, -20, true, 1, 1},
      {"on the outer circle (30, 40 from the centre)", 40, 20, true, 1, 1},
      {"just outside", 40, 20.001, false, 0, 0},
      {"on the circle along y", -40, -20, true, 1, 1},
      {"just outside along y", -40.001, -20, false, 0, 0},
      {"the origin is inside", 0, 0, true, 1, 1},
      {"bounding box corner", 60, 30, false, 0, 0},
  };
  checkPoints(circ, steel, cases);
}

// D 100, t 20: the ring from radius 30 (excluded) to 50 (included).
TEST_F(ProfileClassifyTest, HollowCircle) {
  CircProfile tube(3, 1, 0, 0, 100, 20, true);
  tube.material = &steel;
  const std::vector<PointCase> cases = {
      {"centre", 0, 0, false, 0, 0},
      {"on the inner circle (18, 24)", 18, 24, false, 0, 0},
      {"on the inner circle along z", 0, 30, false, 0, 0},
      {"just outside the inner circle", 0, 30.0001, true, kTwoOverPi, kTwoOverPi},
      {"in the wall", 30, 30, true, kTwoOverPi, kTwoOverPi},
      {"on the outer circle (30, 40)", 30, 40, true, kTwoOverPi, kTwoOverPi},
      {"on the outer circle along z", 0, -50, true, kTwoOverPi, kTwoOverPi},
      {"just outside the outer circle", 0, 50.001, false, 0, 0},
  };
  checkPoints(tube, steel, cases);
  EXPECT_DOUBLE_EQ(tube.classify(40, 0).shearFactorY, 0.6366197723675814);
}

// The circle offsets are rounded to single precision before squaring: one
// double step beyond the radius is still on the circle.
TEST_F(ProfileClassifyTest, CircleTestIsInSinglePrecision) {
  CircProfile circ(3, 1, 0, 0, 100, 0, false);
  circ.material = &steel;
  EXPECT_EQ(circ.classify(up(50), 0).material, &steel);
  EXPECT_EQ(circ.classify(0, down(-50)).material, &steel);
}

// A profile whose material was not found covers nothing.
TEST_F(ProfileClassifyTest, WithoutMaterialNothingIsCovered) {
  const HEBProfile heb(1, 12, 200, 200, 9, 15, 18, false);
  const RectProfile rect(2, 12, 20, 10, 0, 0, false);
  const RectProfile hollow(3, 12, 100, 60, 10, 5, true);
  const CircProfile circ(4, 12, 0, 0, 100, 0, false);
  const CircProfile tube(5, 12, 0, 0, 100, 20, true);
  struct NoMaterialCase {
    const Profile* profile;
    double y;
    double z;
  };
  const NoMaterialCase cases[] = {
      {&heb, 0, 0}, {&heb, 50, 95}, {&rect, 0, 0}, {&hollow, 27.5, 0}, {&circ, 0, 0}, {&tube, 40, 0},
  };
  for (const NoMaterialCase& c : cases) {
    const CellOwner o = c.profile->classify(c.y, c.z);
    EXPECT_EQ(o.material, nullptr) << "profile " << c.profile->number;
  }
  for (const NoMaterialCase& c : {cases[0], cases[1], cases[2], cases[3]}) {
    const CellOwner o = c.profile->classify(c.y, c.z);
    EXPECT_EQ(o.shearFactorY, 0.0) << "profile " << c.profile->number;
    EXPECT_EQ(o.shearFactorZ, 0.0) << "profile " << c.profile->number;
  }
}

// ---------------------------------------------------------------------------
// Descriptions

TEST(ProfileDescribeTest, TextsOfEveryShape) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<Steel1993_543>(7, 1, 210000, 235, 81000));
  model.materials.push_back(std::make_unique<Steel1993_543>(3, 1, 210000, 355, 81000));
  model.addHebProfile(1, 7, 200, 200, 9, 15, 18, false);
  model.addHebProfile(2, 3, 300.5, 300, 11, 19, 27, true);
  // Input order t before r: t = 5, r = 10.
  model.addRectProfile(3, 3, 100, 60, 5, 10, true);
  model.addRectProfile(4, 7, 400, 300, 0, 0, false);
  model.addCircProfile(5, 7, 10, -12.75, 100, 20, true);
  model.addCircProfile(6, 3, 0, 0, 25, 0, false);
  model.addCircProfile(-8, 7, 1234567, 0.0001, 0.00001, 0, false);
  ASSERT_EQ(console.str(), "");
  const char* expected[] = {
      "Pos.1 HEB-Profile: Material Number 7\n\tH=200 B=200 ts=9 tg=15 r=18\n\tIs rotated: no\n",
      "Pos.2 HEB-Profile: Material Number 3\n\tH=300.5 B=300 ts=11 tg=19 r=27\n\tIs rotated: yes\n",
      "Pos.3 Rectangular-Profile: Material Number 3\n\tH=100 B=60 t=5 r=10\n\tIs hollow: yes\n",
      "Pos.4 Rectangular-Profile: Material Number 7\n\tH=400 B=300 t=0 r=0\n\tIs hollow: no\n",
      "Pos.5 Circular-Profile: Material Number 7\n\tDiameter=100 t=20 Offset Y/Z=10/-12.75\tIs hollow: yes\n",
      "Pos.6 Circular-Profile: Material Number 3\n\tDiameter=25 t=0 Offset Y/Z=0/0\tIs hollow: no\n",
      "Pos.-8 Circular-Profile: Material Number 7\n\tDiameter=1e-05 t=0 Offset Y/Z=1.23457e+06/0.0001\tIs "
      "hollow: no\n",
  };
  ASSERT_EQ(model.profiles.size(), std::size(expected));
  for (std::size_t i = 0; i < model.profiles.size(); ++i) {
    EXPECT_EQ(model.profiles[i]->describe(), expected[i]) << "profile " << i;
  }
}

// A material number that names no material is printed as written,
// marked as not found.
TEST(ProfileDescribeTest, MaterialNotFound) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<Steel1993_543>(7, 1, 210000, 235, 81000));
  model.addHebProfile(1, 12, 200, 200, 9, 15, 18, false);
  model.addRectProfile(2, -4, 20, 10, 0, 0, false);
  model.addCircProfile(3, 70, 0, 0, 50, 5, true);
  EXPECT_EQ(model.profiles[0]->describe(),
            "Pos.1 HEB-Profile: Material Number 12 (not found)\n\tH=200 B=200 ts=9 tg=15 r=18\n\tIs rotated: no\n");
  EXPECT_EQ(model.profiles[1]->describe(),
            "Pos.2 Rectangular-Profile: Material Number -4 (not found)\n\tH=20 B=10 t=0 r=0\n\tIs hollow: no\n");
  EXPECT_EQ(model.profiles[2]->describe(),
            "Pos.3 Circular-Profile: Material Number 70 (not found)\n\tDiameter=50 t=5 Offset Y/Z=0/0\tIs hollow: "
            "yes\n");
}

}  // namespace
}  // namespace colsec
