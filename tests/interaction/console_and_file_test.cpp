// Console progress display, the "#CURVEPOINT" blocks of the interaction
// result file, and one whole run of the program on a hand-checked section.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "InteractionTestSections.h"
#include "interaction/InteractionCurves.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

using test::TestSection;

const std::string kClear = "\x1b[2J\x1b[H";

// The expected bar: `equals` times "=", the ">" and blanks to 70 characters.
std::string bar(int equals, int percent) {
  std::ostringstream text;
  text << '[' << std::string(equals, '=') << '>' << std::string(69 - equals, ' ') << "] " << percent << " %\r";
  return text.str();
}

TEST(ProgressBar, FirstBarIsAnArrowAndZeroPercent) {
  std::ostringstream console;
  printProgressBar(console, 0, 7);
  EXPECT_EQ(console.str(), "[>" + std::string(69, ' ') + "] 0 %\r");
}

TEST(ProgressBar, PositionAndPercentage) {
  // f = float(i)/float(n); k = int(float(f·70)); percentage int(double(f)·100.0).
  // Worked with python struct arithmetic in single precision:
  struct Case {
    int i;
    int n;
    int k;
    int percent;
  };
  const Case cases[] = {
      {1, 2, 35, 50},  // last bar of two angles: f = 0.5
      {1, 3, 23, 33},  // f = 0.33333334, f·70 = 23.333334
      {2, 3, 46, 66},  // last of three: f = 0.6666667, f·70 = 46.666668
      // f = 0.69999999 (float 0.7): f·70 rounds to 49.0 in single precision
      // (48.9999992 in double), f·100 = 69.9999988 in double → 69.
      {7, 10, 49, 69},
      // Last of ten: f = 0.89999998, f·70 = 62.9999983 rounds to 63.0 in
      // single precision; f·100 = 89.9999976 → 89.
      {9, 10, 63, 89},
      {3, 10, 21, 30},  // f·100 = 30.0000012 → 30
      {6, 7, 60, 85},
  };
  for (const Case& c : cases) {
    std::ostringstream console;
    printProgressBar(console, c.i, c.n);
    EXPECT_EQ(console.str(), bar(c.k, c.percent)) << "i = " << c.i << ", n = " << c.n;
  }
}

// The four-element steel square with offsetSubdivisions 3.
void runFourElementSquare(SectionModel& model, int angles, std::ostream& interaction, std::ostream& console,
                          bool clearScreen) {
  test::buildFourElementSquare(model);
  model.settings.angularSubdivisions = angles;
  model.settings.offsetSubdivisions = 3;
  model.designForces.nx = 4.7e6;
  computeInteractionCurves(model, interaction, console, clearScreen);
}

std::string angleBlock(const std::string& degrees, const std::string& progress) {
  return "\nCalculating Interaction Curves\n Alpha = " + degrees + " Degrees\n" + progress + "\n\nDone";
}

TEST(InteractionConsole, ThreeAngles) {
  const std::string body0 = angleBlock("0", bar(0, 0));
  const std::string body45 = angleBlock("45", bar(23, 33));
  const std::string body90 = angleBlock("90", bar(46, 66));
  const std::string done = "\nCalculating Interaction Curves Done\n\n";
  struct Case {
    bool clearScreen;
    std::string expected;
  };
  const Case cases[] = {
      {false, "\nDone\nDone" + body0 + body45 + body90 + done},
      {true, "\nDone\nDone" + kClear + body0 + kClear + body45 + kClear + body90 + kClear + done},
  };
  for (const Case& c : cases) {
    TestSection section;
    std::ostringstream interaction;
    std::ostringstream console;
    runFourElementSquare(section.model, 3, interaction, console, c.clearScreen);
    EXPECT_EQ(console.str(), c.expected) << "clearScreen " << c.clearScreen;
    EXPECT_EQ(section.console.str(), "") << "clearScreen " << c.clearScreen;
  }
}

TEST(InteractionConsole, NoAngles) {
  struct Case {
    bool clearScreen;
    std::string expected;
  };
  const Case cases[] = {
      {false, "\nDone\nDone\nCalculating Interaction Curves Done\n\n"},
      {true, "\nDone\nDone" + kClear + "\nCalculating Interaction Curves Done\n\n"},
  };
  for (const Case& c : cases) {
    TestSection section;
    std::ostringstream interaction;
    std::ostringstream console;
    runFourElementSquare(section.model, 0, interaction, console, c.clearScreen);
    EXPECT_EQ(console.str(), c.expected) << "clearScreen " << c.clearScreen;
    // Only the two axis curves are written.
    EXPECT_EQ(interaction.str(),
              "#CURVEPOINT NMy 9.4e+06 0 0\n"
              "#CURVEPOINT NMy 0 4.7e+08 0\n"
              "#CURVEPOINT NMy -9.4e+06 0 0\n"
              "#CURVEPOINT NMz 9.4e+06 0 0\n"
              "#CURVEPOINT NMz 0 0 4.7e+08\n"
              "#CURVEPOINT NMz -9.4e+06 0 0\n")
        << "clearScreen " << c.clearScreen;
  }
}

TEST(CurveFile, PointLineFormat) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const InteractionCurve curve = {
      {94000, 0, 0}, {1234567.8, -0.000125, 1e-7}, {nan, nan, nan}, {-2.5e6, 123456789, 470000}};
  std::ostringstream text;
  writeCurve(text, curve, "NMy");
  EXPECT_EQ(text.str(),
            "#CURVEPOINT NMy 94000 0 0\n"
            "#CURVEPOINT NMy 1.23457e+06 -0.000125 1e-07\n"
            "#CURVEPOINT NMy nan nan nan\n"
            "#CURVEPOINT NMy -2.5e+06 1.23457e+08 470000\n");
  std::ostringstream empty;
  writeCurve(empty, {}, "MyMz");
  EXPECT_EQ(empty.str(), "");
}

// The four-element square, 200 × 200 mm of fyd 235 in cells of 100 × 100
// centred on (±50, ±50): each cell carries ±2.35e6 N, ±1.175e8 Nmm.
// R = √(100² + 100²); offsets -R, 0, +R.
//   NMy: all in tension (9.4e6, 0, 0); z < 0 compressed (0, 4·1.175e8, 0);
//        all compressed (-9.4e6, 0, 0). NMz the same with the moment in mz.
//   Angles 0° and 90° (two subdivisions): the surface curves are NMy, NMz.
//   At N = 0 the pair (9.4e6, 0)-(0, 4.7e8) gives t = 1: (0, 4.7e8, 0),
//   and (0, 0, 4.7e8) at 90°.
//   At N = 4.7e6: t = 0.5: (4.7e6, 2.35e8, 0) and (4.7e6, 0, 2.35e8).
const char* const kFourElementInteractionFile =
    "#CURVEPOINT NMy 9.4e+06 0 0\n"
    "#CURVEPOINT NMy 0 4.7e+08 0\n"
    "#CURVEPOINT NMy -9.4e+06 0 0\n"
    "#CURVEPOINT NMz 9.4e+06 0 0\n"
    "#CURVEPOINT NMz 0 0 4.7e+08\n"
    "#CURVEPOINT NMz -9.4e+06 0 0\n"
    "#CURVEPOINT MyMzN0 0 4.7e+08 0\n"
    "#CURVEPOINT MyMzN0 0 0 4.7e+08\n"
    "#CURVEPOINT MyMz 4.7e+06 2.35e+08 0\n"
    "#CURVEPOINT MyMz 4.7e+06 0 2.35e+08\n";

// The same square under My > 0, Mz < 0 (quadrant 3): N-Mz is swept at
// 270°, where the tension side of the stress block is y > 0, so the
// moment at N = 0 is -4.7e8; the surface runs from 270° to 360°, that is
// from (0, 0, -4.7e8) to (0, 4.7e8, 0) at N = 0 and from
// (4.7e6, 0, -2.35e8) to (4.7e6, 2.35e8, 0) at N = 4.7e6.
const char* const kFourElementQuadrant3File =
    "#CURVEPOINT NMy 9.4e+06 0 0\n"
    "#CURVEPOINT NMy 0 4.7e+08 0\n"
    "#CURVEPOINT NMy -9.4e+06 0 0\n"
    "#CURVEPOINT NMz 9.4e+06 0 0\n"
    "#CURVEPOINT NMz 0 0 -4.7e+08\n"
    "#CURVEPOINT NMz -9.4e+06 0 0\n"
    "#CURVEPOINT MyMzN0 0 0 -4.7e+08\n"
    "#CURVEPOINT MyMzN0 0 4.7e+08 0\n"
    "#CURVEPOINT MyMz 4.7e+06 0 -2.35e+08\n"
    "#CURVEPOINT MyMz 4.7e+06 2.35e+08 0\n";

TEST(CurveFile, FourElementSquare) {
  TestSection section;
  std::ostringstream interaction;
  std::ostringstream console;
  runFourElementSquare(section.model, 2, interaction, console, false);
  EXPECT_EQ(interaction.str(), kFourElementInteractionFile);
  const SectionModel& m = section.model;
  EXPECT_EQ(m.mPlYRd, 4.7e8);
  EXPECT_EQ(m.mPlZRd, 4.7e8);
  EXPECT_EQ(m.nPlRdMax, 9.4e6);
  EXPECT_EQ(m.nPlRdMin, -9.4e6);
  EXPECT_EQ(m.mdy, 0.5);
  EXPECT_EQ(m.mdz, 0.5);
}

TEST(CurveFile, DesignForceBeyondTheResistancePrintsNaNPoints) {
  TestSection section;
  test::buildFourElementSquare(section.model);
  section.model.settings.angularSubdivisions = 2;
  section.model.settings.offsetSubdivisions = 3;
  section.model.designForces.nx = -1e7;  // below Npl,Rd,min = -9.4e6
  std::ostringstream interaction;
  std::ostringstream console;
  computeInteractionCurves(section.model, interaction, console, false);
  const std::string text = interaction.str();
  const std::string tail = "#CURVEPOINT MyMz nan nan nan\n#CURVEPOINT MyMz nan nan nan\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
}

TEST(InteractionRun, FileOutputAndNoClearSequenceWhenStdoutIsAFile) {
  test::TempDir dir;
  test::writeFile(dir.path() / "square.txt",
                  "// four-element steel square\n"
                  "#MATERIAL Steel1993_543 NR 1 PRIO 1 PAR 210000 235 81000\n"
                  "#PROFILE RECT NR 1 MAT 1 DIM 200 200 0 0 0\n"
                  "#FORCEED FED 4700000 100000000 -50000000 0 0\n"
                  "#SETTINGS SET 150 0 0 2 3\n");
  const test::RunResult run = test::runColsec({"square.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 0);
  // Without design shear forces the element strengths are not reduced.
  EXPECT_EQ(test::readFile(dir.path() / "square_Interaction.res"), kFourElementQuadrant3File);
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nDone\nDone\nCalculating Interaction Curves\n Alpha = 270 Degrees\n" + bar(0, 0) +
                         "\n\nDone\nCalculating Interaction Curves\n Alpha = 360 Degrees\n" + bar(35, 50) +
                         "\n\nDone\nCalculating Interaction Curves Done\n\n"),
            std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace colsec
