// Checks of the whole input after reading and pruning: the records that
// must be present, the subdivisions the interaction curves need and the
// size of the element grid.

#include <gtest/gtest.h>

#include <string>

#include "InputTestSupport.h"

namespace colsec {
namespace {

using test::readAndCheck;

const std::string kSteel = "#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n";
const std::string kConcrete = "#MATERIAL CONC1992_3171 Nr 2 Prio 1 P 33000 17 0.85 0.002 0.0035 2\n";
const std::string kLinear = "#MATERIAL LINEAR Nr 3 Prio 3 P 210000 355 -355 81000 205\n";
const std::string kTube = "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n";
const std::string kCore = "#PROFILE RECT Nr 2 Mat 2 Dim 180 180 0 0 0\n";
const std::string kForces = "#FORCEED F -500000 10000000 5000000 10000 5000\n";

// A concrete-filled square tube, nonlinear materials only; the settings
// line comes last, on line 7.
std::string nonlinearColumn(const std::string& settings) {
  return kSteel + kConcrete + kTube + kCore + kForces + "// settings\n" + settings + "\n";
}

TEST(InputChecksTest, WellFormedInputPassesWithoutWarnings) {
  std::string warnings;
  EXPECT_EQ(readAndCheck(nonlinearColumn("#SETTINGS S 10 0 0 8 20"), &warnings), "(no error)");
  EXPECT_EQ(warnings, "");
}

TEST(InputChecksTest, MissingSettingsIsAnError) {
  EXPECT_EQ(readAndCheck(kSteel + kConcrete + kTube + kCore + kForces),
            "col.txt: no #SETTINGS record: the element size (feSize) is missing");
  // Also for an otherwise empty input.
  EXPECT_EQ(readAndCheck(""), "col.txt: no #SETTINGS record: the element size (feSize) is missing");
  // A settings line that is commented out does not count.
  EXPECT_EQ(readAndCheck(kForces + "// #SETTINGS S 10 0 0 8 20\n"),
            "col.txt: no #SETTINGS record: the element size (feSize) is missing");
  // A misspelt one is an error of its own, at its line.
  EXPECT_EQ(readAndCheck(kForces + "// #SETTINGS S 10 0 0 8 20\n#settings S 10 0 0 8 20\n"),
            "col.txt:3: unknown record \"#settings\"; did you mean #SETTINGS?");
}

TEST(InputChecksTest, MissingForcesAreZeroWithAWarning) {
  std::string warnings;
  const std::string text = kSteel + kConcrete + kTube + kCore + "#SETTINGS S 10 0 0 8 20\n";
  EXPECT_EQ(readAndCheck(text, &warnings), "(no error)");
  EXPECT_EQ(warnings, "col.txt: warning: no #FORCEED record; the design forces are taken as 0\n");
}

TEST(InputChecksTest, ProfilesWithoutMaterialAreErrors) {
  // A bar before its material would own no area: the section would lose it.
  const std::string early = kSteel + kTube + "#PROFILE CIRC Nr 7 Mat 2 Dim 50 50 20 0 0\n" + kConcrete + kCore +
                            kForces + "#SETTINGS S 10 0 0 8 20\n";
  EXPECT_EQ(readAndCheck(early),
            "col.txt:3: #PROFILE material number: \"2\" names no material defined before this line; material 2 is "
            "defined on line 4, move it before the profile");
  // A bar whose material is nowhere.
  const std::string nowhere = kSteel + kConcrete + kTube + kCore + "#PROFILE CIRC Nr 8 Mat 12 Dim -50 -50 20 0 0\n" +
                              kForces + "#SETTINGS S 10 0 0 8 20\n";
  EXPECT_EQ(readAndCheck(nowhere),
            "col.txt:5: #PROFILE material number: \"12\" names no material defined before this line");
}

TEST(InputChecksTest, AngularSubdivisionsOfOneAreRejectedForInteractionCurves) {
  EXPECT_EQ(readAndCheck(nonlinearColumn("#SETTINGS S 10 0 0 1 20")),
            "col.txt:7: #SETTINGS angularSubdivisions: \"1\" gives no angle step; use 0 or at least 2");
  // Reported before a bad offset count.
  EXPECT_EQ(readAndCheck(nonlinearColumn("#SETTINGS S 10 0 0 1 1")),
            "col.txt:7: #SETTINGS angularSubdivisions: \"1\" gives no angle step; use 0 or at least 2");
  for (const char* angular : {"0", "-1", "-2147483648", "2", "3", "100000"}) {
    EXPECT_EQ(readAndCheck(nonlinearColumn(std::string("#SETTINGS S 10 0 0 ") + angular + " 20")), "(no error)")
        << angular;
  }
}

TEST(InputChecksTest, OffsetSubdivisionsBelowTwoAreRejectedForInteractionCurves) {
  for (const char* offset : {"1", "0", "-3", "-2147483648"}) {
    EXPECT_EQ(readAndCheck(nonlinearColumn(std::string("#SETTINGS S 10 0 0 8 ") + offset)),
              std::string("col.txt:7: #SETTINGS offsetSubdivisions: \"") + offset +
                  "\" must be at least 2 for the interaction curves")
        << offset;
  }
  for (const char* offset : {"2", "3", "100000"}) {
    EXPECT_EQ(readAndCheck(nonlinearColumn(std::string("#SETTINGS S 10 0 0 8 ") + offset)), "(no error)") << offset;
  }
}

TEST(InputChecksTest, SubdivisionsDoNotMatterWhenALinearMaterialIsUsed) {
  // No interaction curves are built, so the counts are never used.
  const std::string text =
      kSteel + kConcrete + kLinear + kTube + kCore + "#PROFILE CIRC Nr 3 Mat 3 Dim 0 0 20 0 0\n" + kForces;
  for (const char* settings : {"#SETTINGS S 10 0 0 1 20", "#SETTINGS S 10 0 0 8 1", "#SETTINGS S 10 0 0 1 -7"}) {
    EXPECT_EQ(readAndCheck(text + settings + "\n"), "(no error)") << settings;
  }
}

TEST(InputChecksTest, AnUnusedLinearMaterialDoesNotExcuseBadSubdivisions) {
  // The linear material is dropped after reading, so the curves are built.
  const std::string text = kSteel + kConcrete + kLinear + kTube + kCore + kForces;
  EXPECT_EQ(readAndCheck(text + "#SETTINGS S 10 0 0 8 1\n"),
            "col.txt:7: #SETTINGS offsetSubdivisions: \"1\" must be at least 2 for the interaction curves");
}

TEST(InputChecksTest, SubdivisionErrorsNameTheLastSettingsLine) {
  const std::string text =
      kSteel + kConcrete + kTube + kCore + "#SETTINGS S 10 0 0 8 20\n" + kForces + "\n\n#SETTINGS Final 10 0 0 8 0\n";
  EXPECT_EQ(readAndCheck(text),
            "col.txt:9: #SETTINGS offsetSubdivisions: \"0\" must be at least 2 for the interaction curves");
  // And a later good line repairs an earlier bad one.
  const std::string repaired =
      kSteel + kConcrete + kTube + kCore + "#SETTINGS S 10 0 0 1 0\n" + kForces + "#SETTINGS S 10 0 0 8 20\n";
  EXPECT_EQ(readAndCheck(repaired), "(no error)");
}

// A solid rectangle without corner radius has one gap per axis, B wide
// along y and H along z; a gap g splits into floor(g/feSize + 1) cells.
std::string rectangleGrid(const std::string& H, const std::string& B, const std::string& feSize) {
  return kLinear + "#PROFILE RECT Nr 1 Mat 3 Dim " + H + " " + B + " 0 0 0\n" + kForces + "#SETTINGS S " + feSize +
         " 0 0 8 20\n";
}

TEST(InputChecksTest, GridOfExactlyTenMillionCellsIsAccepted) {
  // 9999 / 1 + 1 = 10000 cells along z, 999 / 1 + 1 = 1000 along y.
  EXPECT_EQ(readAndCheck(rectangleGrid("9999", "999", "1")), "(no error)");
  // 19998 / 2 + 1 = 10000, 1998 / 2 + 1 = 1000.
  EXPECT_EQ(readAndCheck(rectangleGrid("19998", "1998", "2")), "(no error)");
  // A gap that is no whole multiple of the size: floor(999.5 + 1) = 1000.
  EXPECT_EQ(readAndCheck(rectangleGrid("9999.5", "999.5", "1")), "(no error)");
  // The same rectangle twice gives the same edges, counted once.
  EXPECT_EQ(readAndCheck(rectangleGrid("9999", "999", "1") + "#PROFILE RECT Nr 2 Mat 3 Dim 9999 999 0 0 0\n"),
            "(no error)");
}

TEST(InputChecksTest, GridAboveTenMillionCellsIsRejected) {
  // 10000 / 1 + 1 = 10001 cells along z times 1000 along y.
  EXPECT_EQ(readAndCheck(rectangleGrid("10000", "999", "1")),
            "col.txt:4: #SETTINGS feSize: the grid would have 10001000 cells at an element size of 1 mm; "
            "at most 10000000 are allowed");
  // 9999 / 1 + 1 = 10000 along z times 1001 along y.
  EXPECT_EQ(readAndCheck(rectangleGrid("9999", "1000", "1")),
            "col.txt:4: #SETTINGS feSize: the grid would have 10010000 cells at an element size of 1 mm; "
            "at most 10000000 are allowed");
  // 20000 / 2 + 1 = 10001 along z times 1998 / 2 + 1 = 1000 along y.
  EXPECT_EQ(readAndCheck(rectangleGrid("20000", "1998", "2")),
            "col.txt:4: #SETTINGS feSize: the grid would have 10001000 cells at an element size of 2 mm; "
            "at most 10000000 are allowed");
  // 100000 / 0.5 + 1 = 200001 along each axis: 40 000 400 001 cells, every digit shown.
  EXPECT_EQ(readAndCheck(rectangleGrid("100000", "100000", "0.5")),
            "col.txt:4: #SETTINGS feSize: the grid would have 40000400001 cells at an element size of 0.5 mm; "
            "at most 10000000 are allowed");
}

TEST(InputChecksTest, GridCountDoesNotOverflowIntoAcceptance) {
  // (400 / 1e-300)² overflows a double; the grid must still be refused.
  const std::string message = readAndCheck(rectangleGrid("400", "400", "1e-300"));
  EXPECT_EQ(message.rfind("col.txt:4: #SETTINGS feSize: the grid would have ", 0), 0u) << message;
  EXPECT_NE(message.find("at most 10000000 are allowed"), std::string::npos) << message;
}

TEST(InputChecksTest, EveryProfileCountsTowardsTheGrid) {
  // A 200 x 200 rectangle alone: 201 x 201 cells at feSize 1. A bar of
  // diameter 20 far out at y = 50000 stretches the grid: edges at -100,
  // 100, 49990 and 50010 along y give 201 + 49891 + 21 = 50113 cells, and
  // edges at -100, -10, 10, 100 along z give 91 + 21 + 91 = 203.
  const std::string rectangle = kLinear + "#PROFILE RECT Nr 1 Mat 3 Dim 200 200 0 0 0\n";
  const std::string tail = kForces + "#SETTINGS S 1 0 0 8 20\n";
  EXPECT_EQ(readAndCheck(rectangle + tail), "(no error)");
  EXPECT_EQ(readAndCheck(rectangle + "#PROFILE CIRC Nr 2 Mat 3 Dim 50000 0 20 0 0\n" + tail),
            "col.txt:5: #SETTINGS feSize: the grid would have 10172939 cells at an element size of 1 mm; "
            "at most 10000000 are allowed");
}

}  // namespace
}  // namespace colsec
