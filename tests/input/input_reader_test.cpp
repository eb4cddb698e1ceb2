// Reading well-formed input files: every record kind with every field,
// what is ignored, and how lines are split and counted.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InputTestSupport.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/MaterialLaws.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "profiles/CircProfile.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {
namespace {

using test::readError;
using test::readText;

// Material 1, for lines that test a profile on its own.
const std::string kBarSteel = "#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435\n";

// An HEB 300 (rotated, height along y) in a concrete-filled rectangular
// tube, bars, a concrete-filled tube and a linear insert: every law and
// every shape once, each field with a value of its own.
const char* const kFullInput =
    "// Composite column, all record kinds\n"
    "#MATERIAL Steel1993_543 Nr 1 Prio 3 E/fyd/G 210000 355 81000\n"
    "#MATERIAL CONC1992_3171 Nr 2 Prio 1 E/fcd/fcdRedF/epsC2/epsCu2/n 33000 17 0.85 0.002 0.0035 2\n"
    "#MATERIAL Steel1992_327b Nr 3 Prio 5 E/fyd 200000 435\n"
    "#MATERIAL CONC1992_3172 Nr 4 Prio 0 E/fcd/fcdRedF/epsC3/epsCu3 30000 -20 1 -0.00175 -0.0035\n"
    "#MATERIAL LINEAR Nr 5 Prio -2 E/fyt/fyc/G/fys 70000 250 -240 26000 140\n"
    "#PROFILE HEB Nr 10 Mat 1 H/B/ts/tg/r/rot 310 300 11 19 27 1\n"
    "#PROFILE RECT Nr 11 Mat 2 H/B/t/r/hollow 400 300 10 15 1\n"
    "#PROFILE CIRC Nr 12 Mat 3 y/z/d/t/hollow -50 75 20 0 0\n"
    "#PROFILE CIRC Nr 13 Mat 4 y/z/d/t/hollow 0 0 200 8 0.5\n"
    "#PROFILE RECT Nr 14 Mat 5 H/B/t/r/hollow 100 50 0 0 0\n"
    "#PROFILE HEB Nr 15 Mat 1 H/B/ts/tg/r/rot 300 290 12 20 25 0\n"
    "#FORCEED Design -1500000 120000000 -30000000 25000 -40000\n"
    "#SETTINGS Mesh 5 1.5 -2.5 36 50\n";

TEST(InputReaderTest, ReadsEveryMaterialLawWithEveryParameter) {
  const auto read = readText(kFullInput);
  const SectionModel& model = read->model;
  ASSERT_EQ(model.materials.size(), 5u);

  const auto* steel = dynamic_cast<const Steel1993_543*>(model.materials[0].get());
  ASSERT_NE(steel, nullptr);
  EXPECT_EQ(steel->number, 1);
  EXPECT_EQ(steel->priority, 3);
  EXPECT_EQ(lawOf(*steel)->kind, MaterialSteel);
  EXPECT_EQ(steel->E, 210000.0);
  EXPECT_EQ(steel->fyd, 355.0);
  EXPECT_EQ(steel->G, 81000.0);

  // Compressive values of concrete are kept negative whatever sign the file uses.
  const auto* parabola = dynamic_cast<const Concrete1992_3171*>(model.materials[1].get());
  ASSERT_NE(parabola, nullptr);
  EXPECT_EQ(parabola->number, 2);
  EXPECT_EQ(parabola->priority, 1);
  EXPECT_EQ(lawOf(*parabola)->kind, MaterialConcrete);
  EXPECT_EQ(parabola->E, 33000.0);
  EXPECT_EQ(parabola->fcd, -17.0);
  EXPECT_EQ(parabola->fcdRedF, 0.85);
  EXPECT_EQ(parabola->epsC2, -0.002);
  EXPECT_EQ(parabola->epsCu2, -0.0035);
  EXPECT_EQ(parabola->n, 2.0);

  const auto* bars = dynamic_cast<const Steel1992_327b*>(model.materials[2].get());
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->number, 3);
  EXPECT_EQ(bars->priority, 5);
  EXPECT_EQ(lawOf(*bars)->kind, MaterialSteel);
  EXPECT_EQ(bars->E, 200000.0);
  EXPECT_EQ(bars->fyd, 435.0);

  const auto* bilinear = dynamic_cast<const Concrete1992_3172*>(model.materials[3].get());
  ASSERT_NE(bilinear, nullptr);
  EXPECT_EQ(bilinear->number, 4);
  EXPECT_EQ(bilinear->priority, 0);
  EXPECT_EQ(lawOf(*bilinear)->kind, MaterialConcrete);
  EXPECT_EQ(bilinear->E, 30000.0);
  EXPECT_EQ(bilinear->fcd, -20.0);
  EXPECT_EQ(bilinear->fcdRedF, 1.0);
  EXPECT_EQ(bilinear->epsC2, -0.00175);
  EXPECT_EQ(bilinear->epsCu2, -0.0035);
  // Slope of the linear branch: 20 / 0.00175 = 11428.571... N/mm².
  EXPECT_NEAR(bilinear->branchModulus, 11428.571428571428, 1e-9);

  // G is the fourth parameter of the linear law, after the two limits.
  const auto* linear = dynamic_cast<const LinearMaterial*>(model.materials[4].get());
  ASSERT_NE(linear, nullptr);
  EXPECT_EQ(linear->number, 5);
  EXPECT_EQ(linear->priority, -2);
  EXPECT_EQ(lawOf(*linear)->kind, MaterialLinear);
  EXPECT_EQ(linear->E, 70000.0);
  EXPECT_EQ(linear->fyt, 250.0);
  EXPECT_EQ(linear->fyc, -240.0);
  EXPECT_EQ(linear->G, 26000.0);
  EXPECT_EQ(linear->fys, 140.0);

  EXPECT_EQ(read->console.str(), "");
  EXPECT_EQ(read->warnings.str(), "");
}

TEST(InputReaderTest, ReadsEveryProfileShapeWithEveryValue) {
  const auto read = readText(kFullInput);
  const SectionModel& model = read->model;
  ASSERT_EQ(model.profiles.size(), 6u);

  const auto* heb = dynamic_cast<const HEBProfile*>(model.profiles[0].get());
  ASSERT_NE(heb, nullptr);
  EXPECT_EQ(heb->number, 10);
  EXPECT_EQ(heb->materialNumber, 1);
  EXPECT_EQ(heb->material, model.materials[0].get());
  EXPECT_EQ(heb->H, 310.0);
  EXPECT_EQ(heb->B, 300.0);
  EXPECT_EQ(heb->ts, 11.0);
  EXPECT_EQ(heb->tg, 19.0);
  EXPECT_EQ(heb->r, 27.0);
  EXPECT_TRUE(heb->rotated);

  // The file gives the wall thickness before the corner radius.
  const auto* tube = dynamic_cast<const RectProfile*>(model.profiles[1].get());
  ASSERT_NE(tube, nullptr);
  EXPECT_EQ(tube->number, 11);
  EXPECT_EQ(tube->materialNumber, 2);
  EXPECT_EQ(tube->material, model.materials[1].get());
  EXPECT_EQ(tube->H, 400.0);
  EXPECT_EQ(tube->B, 300.0);
  EXPECT_EQ(tube->t, 10.0);
  EXPECT_EQ(tube->r, 15.0);
  EXPECT_TRUE(tube->hollow);

  const auto* bar = dynamic_cast<const CircProfile*>(model.profiles[2].get());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->number, 12);
  EXPECT_EQ(bar->materialNumber, 3);
  EXPECT_EQ(bar->material, model.materials[2].get());
  EXPECT_EQ(bar->offsetY, -50.0);
  EXPECT_EQ(bar->offsetZ, 75.0);
  EXPECT_EQ(bar->diameter, 20.0);
  EXPECT_EQ(bar->t, 0.0);
  EXPECT_FALSE(bar->hollow);

  const auto* ring = dynamic_cast<const CircProfile*>(model.profiles[3].get());
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(ring->number, 13);
  EXPECT_EQ(ring->materialNumber, 4);
  EXPECT_EQ(ring->material, model.materials[3].get());
  EXPECT_EQ(ring->offsetY, 0.0);
  EXPECT_EQ(ring->offsetZ, 0.0);
  EXPECT_EQ(ring->diameter, 200.0);
  EXPECT_EQ(ring->t, 8.0);
  EXPECT_TRUE(ring->hollow);

  const auto* insert = dynamic_cast<const RectProfile*>(model.profiles[4].get());
  ASSERT_NE(insert, nullptr);
  EXPECT_EQ(insert->number, 14);
  EXPECT_EQ(insert->material, model.materials[4].get());
  EXPECT_EQ(insert->H, 100.0);
  EXPECT_EQ(insert->B, 50.0);
  EXPECT_EQ(insert->t, 0.0);
  EXPECT_EQ(insert->r, 0.0);
  EXPECT_FALSE(insert->hollow);

  const auto* upright = dynamic_cast<const HEBProfile*>(model.profiles[5].get());
  ASSERT_NE(upright, nullptr);
  EXPECT_EQ(upright->number, 15);
  EXPECT_EQ(upright->material, model.materials[0].get());
  EXPECT_EQ(upright->H, 300.0);
  EXPECT_EQ(upright->B, 290.0);
  EXPECT_EQ(upright->ts, 12.0);
  EXPECT_EQ(upright->tg, 20.0);
  EXPECT_EQ(upright->r, 25.0);
  EXPECT_FALSE(upright->rotated);
}

TEST(InputReaderTest, ReadsForcesAndSettingsUnchanged) {
  const auto read = readText(kFullInput);
  const SectionModel& model = read->model;
  // Stored in N and Nmm exactly as written; only the reports convert.
  EXPECT_EQ(model.designForces.nx, -1500000.0);
  EXPECT_EQ(model.designForces.my, 120000000.0);
  EXPECT_EQ(model.designForces.mz, -30000000.0);
  EXPECT_EQ(model.designForces.qy, 25000.0);
  EXPECT_EQ(model.designForces.qz, -40000.0);
  EXPECT_EQ(model.settings.feSize, 5.0);
  EXPECT_EQ(model.settings.settingsExtra1, 1.5);
  EXPECT_EQ(model.settings.settingsExtra2, -2.5);
  EXPECT_EQ(model.settings.angularSubdivisions, 36);
  EXPECT_EQ(model.settings.offsetSubdivisions, 50);
  EXPECT_EQ(read->lines.forcesLine, 13);
  EXPECT_EQ(read->lines.settingsLine, 14);
}

TEST(InputReaderTest, RectangleTakesWallThicknessBeforeRadius) {
  // H = 400, B = 300, t = 10, r = 15, hollow. Outer edges at ±150 / ±200,
  // outer corner arcs start 15 inside them; inner edges 10 inside the outer
  // ones, inner radius 15 − 10 = 5. Swapping t and r would give ±140 for
  // the outer arcs and no inner radius.
  const auto read = readText(kBarSteel + "#PROFILE RECT Nr 1 Mat 1 Dim 400 300 10 15 1\n");
  const std::vector<double> expectedY = {-150, -135, 135, 150, -140, -135, 135, 140};
  const std::vector<double> expectedZ = {-200, -185, 185, 200, -190, -185, 185, 190};
  EXPECT_EQ(read->model.gridLinesY, expectedY);
  EXPECT_EQ(read->model.gridLinesZ, expectedZ);
}

TEST(InputReaderTest, CircleHollowIsAnyNonZeroNumber) {
  struct Case {
    const char* value;
    bool hollow;
  };
  const Case cases[] = {{"0.5", true}, {"1", true},  {"-1", true},    {"2", true},   {"1e-300", true},
                        {"0", false},  {"0.0", false}, {"-0", false}, {"0e5", false}};
  for (const Case& c : cases) {
    const auto read = readText(kBarSteel + "#PROFILE CIRC Nr 1 Mat 1 Dim 0 0 300 10 " + c.value + "\n");
    ASSERT_EQ(read->model.profiles.size(), 1u) << c.value;
    const auto* circle = dynamic_cast<const CircProfile*>(read->model.profiles[0].get());
    ASSERT_NE(circle, nullptr) << c.value;
    EXPECT_EQ(circle->hollow, c.hollow) << c.value;
  }
}

TEST(InputReaderTest, NegativeCircleOffsetsAreAccepted) {
  const auto read = readText(kBarSteel + "#PROFILE CIRC Nr 1 Mat 1 Dim -120.5 -80 25 0 0\n");
  ASSERT_EQ(read->model.profiles.size(), 1u);
  const auto* circle = dynamic_cast<const CircProfile*>(read->model.profiles[0].get());
  ASSERT_NE(circle, nullptr);
  EXPECT_EQ(circle->offsetY, -120.5);
  EXPECT_EQ(circle->offsetZ, -80.0);
  // Edges at the offsets ∓ the radius 12.5.
  EXPECT_EQ(read->model.gridLinesY, (std::vector<double>{-133.0, -108.0}));
  EXPECT_EQ(read->model.gridLinesZ, (std::vector<double>{-92.5, -67.5}));
}

TEST(InputReaderTest, PhysicallyOddButDefinedValuesAreAccepted) {
  // A zero modulus, a wall thicker than half the width, a zero element
  // dimension: odd, but every law and shape is still defined.
  const char* const lines[] = {
      "#MATERIAL Steel1993_543 Nr 1 Prio 1 P 0 355 0\n",
      "#MATERIAL LINEAR Nr 1 Prio 1 P 0 0 0 0 0\n",
      "#MATERIAL CONC1992_3172 Nr 1 Prio 1 P 0 0 0 0.002 0\n",
      "#PROFILE RECT Nr 1 Mat 1 Dim 100 100 80 0 1\n",
      "#PROFILE CIRC Nr 1 Mat 1 Dim 0 0 100 70 1\n",
      "#PROFILE HEB Nr 1 Mat 1 Dim 0 0 0 0 0 0\n",
      "#SETTINGS S 10 0 0 -5 0\n",
  };
  for (const char* line : lines) EXPECT_EQ(readError(kBarSteel + line), "(no error)") << line;
}

TEST(InputReaderTest, LabelsAreTakenByPositionWhateverTheyLookLike) {
  const auto read = readText(
      "#MATERIAL Steel1992_327b 99 7 #PROFILE 2 -1e5 200000 435\n"
      "#PROFILE RECT 3.5 4 #SETTINGS 7 // 200 100 0 0 0\n"
      "#FORCEED 123 1 2 3 4 5\n"
      "#SETTINGS #FORCEED 10 0 0 8 20\n");
  ASSERT_EQ(read->model.materials.size(), 1u);
  EXPECT_EQ(read->model.materials[0]->number, 7);
  EXPECT_EQ(read->model.materials[0]->priority, 2);
  ASSERT_EQ(read->model.profiles.size(), 1u);
  const auto* rect = dynamic_cast<const RectProfile*>(read->model.profiles[0].get());
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->number, 4);
  EXPECT_EQ(rect->materialNumber, 7);
  EXPECT_EQ(rect->material, read->model.materials[0].get());
  EXPECT_EQ(rect->H, 200.0);
  EXPECT_EQ(rect->B, 100.0);
  EXPECT_EQ(read->model.designForces.nx, 1.0);
  EXPECT_EQ(read->model.designForces.qz, 5.0);
  EXPECT_EQ(read->model.settings.feSize, 10.0);
  EXPECT_EQ(read->model.settings.offsetSubdivisions, 20);
  EXPECT_EQ(read->console.str(), "");
}

TEST(InputReaderTest, IgnoresCommentsBlankLinesUnknownRecordsAndTrailingRemarks) {
  const auto read = readText(
      "\n"
      "   \n"
      "\t\t\n"
      "// #FORCEED F 9 9 9 9 9\n"
      "/#SETTINGS S 1 0 0 4 4\n"
      "/\n"
      "   //  indented comment #MATERIAL LINEAR Nr 1 Prio 1 P 1 1 1 1 1\n"
      "\t/* another kind of comment */\n"
      "#CURVEPOINT 1 2 3\n"
      "#CURVEPOINT -1500 20 30\n"
      "NMy\n"
      "#NOTE some text\n"
      "# FORCEED F 9 9 9 9 9\n"
      "#ELEMENT PROF: 1 POS: -5 -5 DIM: 10 10 EPSx: 0 sigX/tauY/Z: 0 0 0\n"
      "Loads F 9 9 9 9 9\n"
      "#PROFILE_LIST RECT Nr 1 Mat 1 Dim 10 10 0 0 0\n"
      "#MAT LINEAR Nr 1 Prio 1 P 1 1 1 1 1\n"
      "#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435 B500, 435 = 500/1.15\n"
      "#PROFILE CIRC Nr 1 Mat 1 Dim 0 0 20 0 0 bar 20 mm, 7 more words\n"
      "#SETTINGS S 10 0 0 8 20 // element size 10 mm\n"
      "#FORCEED F 1 2 3 4 5 6 7 are not read\n");
  const SectionModel& model = read->model;
  ASSERT_EQ(model.materials.size(), 1u);
  EXPECT_NE(dynamic_cast<const Steel1992_327b*>(model.materials[0].get()), nullptr);
  ASSERT_EQ(model.profiles.size(), 1u);
  EXPECT_NE(dynamic_cast<const CircProfile*>(model.profiles[0].get()), nullptr);
  EXPECT_EQ(model.designForces.nx, 1.0);
  EXPECT_EQ(model.designForces.my, 2.0);
  EXPECT_EQ(model.designForces.mz, 3.0);
  EXPECT_EQ(model.designForces.qy, 4.0);
  EXPECT_EQ(model.designForces.qz, 5.0);
  EXPECT_EQ(model.settings.feSize, 10.0);
  EXPECT_EQ(model.settings.angularSubdivisions, 8);
  EXPECT_EQ(model.settings.offsetSubdivisions, 20);
  EXPECT_EQ(read->lines.settingsLine, 20);
  EXPECT_EQ(read->lines.forcesLine, 21);
  // Unknown records and comments pass without a word.
  EXPECT_EQ(read->warnings.str(), "");
  EXPECT_EQ(read->console.str(), "");
}

TEST(InputReaderTest, LeadingBlanksAndTabsAndRunsOfWhiteSpaceSeparateTokens) {
  const auto read = readText(
      "    #FORCEED F 1 2 3 4 5\n"
      "\t\t#SETTINGS\tS\t10\t0\t0\t8\t20\n"
      " \t #MATERIAL  \t Steel1992_327b   Nr\t\t1 Prio 1 P   200000\t435   \n"
      "\t#PROFILE RECT Nr 1 Mat 1 Dim 200 100 \t 0 0 0\t\n");
  const SectionModel& model = read->model;
  EXPECT_EQ(model.designForces.nx, 1.0);
  EXPECT_EQ(model.designForces.qz, 5.0);
  EXPECT_EQ(model.settings.feSize, 10.0);
  EXPECT_EQ(model.settings.offsetSubdivisions, 20);
  ASSERT_EQ(model.materials.size(), 1u);
  ASSERT_EQ(model.profiles.size(), 1u);
  EXPECT_EQ(model.profiles[0]->material, model.materials[0].get());
  EXPECT_EQ(read->lines.forcesLine, 1);
  EXPECT_EQ(read->lines.settingsLine, 2);
}

TEST(InputReaderTest, LaterForcesAndSettingsOverrideEarlierOnes) {
  const auto read = readText(
      "#FORCEED First 1 2 3 4 5\n"
      "#SETTINGS First 10 1 1 8 20\n"
      "// the final values\n"
      "#FORCEED Second -100 -200 -300 -400 -500\n"
      "#SETTINGS Second 2.5 7 8 0 3\n");
  const SectionModel& model = read->model;
  EXPECT_EQ(model.designForces.nx, -100.0);
  EXPECT_EQ(model.designForces.my, -200.0);
  EXPECT_EQ(model.designForces.mz, -300.0);
  EXPECT_EQ(model.designForces.qy, -400.0);
  EXPECT_EQ(model.designForces.qz, -500.0);
  EXPECT_EQ(model.settings.feSize, 2.5);
  EXPECT_EQ(model.settings.settingsExtra1, 7.0);
  EXPECT_EQ(model.settings.settingsExtra2, 8.0);
  EXPECT_EQ(model.settings.angularSubdivisions, 0);
  EXPECT_EQ(model.settings.offsetSubdivisions, 3);
  EXPECT_EQ(read->lines.forcesLine, 4);
  EXPECT_EQ(read->lines.settingsLine, 5);
}

TEST(InputReaderTest, MissingForcesAndSettingsLeaveZerosAndNoLines) {
  const auto read = readText("#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435\n");
  EXPECT_EQ(read->lines.forcesLine, 0);
  EXPECT_EQ(read->lines.settingsLine, 0);
  EXPECT_EQ(read->model.designForces.nx, 0.0);
  EXPECT_EQ(read->model.designForces.my, 0.0);
  EXPECT_EQ(read->model.designForces.mz, 0.0);
  EXPECT_EQ(read->model.designForces.qy, 0.0);
  EXPECT_EQ(read->model.designForces.qz, 0.0);
  EXPECT_EQ(read->model.settings.feSize, 0.0);
}

TEST(InputReaderTest, ProfileWithMaterialNumberZeroIsIgnoredWithItsValuesUnread) {
  const char* const lines[] = {
      "#PROFILE RECT Nr 5 Mat 0 Dim 400 300 10 15 1\n",
      "#PROFILE RECT Nr 5 Mat 0 Dim x y z\n",
      "#PROFILE RECT Nr 5 Mat 0\n",
      "#PROFILE HEB Nr 5 Mat 0 Dim -300 300 11 19 27 7\n",
      "#PROFILE CIRC Nr 5 Mat 0 Dim inf nan 1e400 -1 abc\n",
      "#PROFILE CIRC Nr 5 Mat -0 Dim 0 0 -20 0 0\n",
      "#PROFILE HEB Nr 5 Mat +0\n",
  };
  for (const char* line : lines) {
    const auto read = readText(std::string("#MATERIAL Steel1992_327b Nr 0 Prio 1 P 200000 435\n") + line);
    EXPECT_TRUE(read->model.profiles.empty()) << line;
    EXPECT_TRUE(read->model.gridLinesY.empty()) << line;
    EXPECT_TRUE(read->model.gridLinesZ.empty()) << line;
    EXPECT_EQ(read->console.str(), "") << line;
    EXPECT_EQ(read->warnings.str(), "") << line;
  }
}

TEST(InputReaderTest, ProfileBeforeItsMaterialIsAnError) {
  // The profile would own no area: the section would lose a part in silence.
  EXPECT_EQ(readError("#PROFILE RECT Nr 1 Mat 2 Dim 200 200 0 0 0\n"
                      "#MATERIAL Steel1992_327b Nr 2 Prio 1 P 200000 435\n"
                      "#SETTINGS S 10 0 0 8 20\n"),
            "col.txt:1: #PROFILE material number: \"2\" names no material defined before this line; material 2 is "
            "defined on line 2, move it before the profile");
  // The first later definition is named.
  EXPECT_EQ(readError("#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435\n"
                      "#PROFILE CIRC Nr 3 Mat 12 Dim 0 0 20 0 0\n"
                      "// #MATERIAL LINEAR Nr 12 Prio 1 P 210000 355 -355 81000 205\n"
                      "#MATERIAL LINEAR Nr 12 Prio 1 P 210000 355 -355 81000 205\n"
                      "#MATERIAL LINEAR Nr 12 Prio 1 P 210000 355 -355 81000 205\n"),
            "col.txt:2: #PROFILE material number: \"12\" names no material defined before this line; material 12 is "
            "defined on line 4, move it before the profile");
  // Nowhere defined; the number is shown as written.
  EXPECT_EQ(readError("#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435\n"
                      "#PROFILE HEB Nr 3 Mat +7 Dim 300 300 11 19 27 0\n"),
            "col.txt:2: #PROFILE material number: \"+7\" names no material defined before this line");
}

TEST(InputReaderTest, ProfileFindsTheFirstOfTwoMaterialsWithItsNumberWithAWarning) {
  auto read = readText(
      "#MATERIAL Steel1992_327b Nr 2 Prio 1 P 200000 435\n"
      "#PROFILE RECT Nr 1 Mat 2 Dim 200 200 0 0 0\n"
      "// a second material 2\n"
      "#MATERIAL LINEAR Nr 2 Prio 1 P 210000 355 -355 81000 205\n"
      "#PROFILE CIRC Nr 2 Mat 2 Dim 0 0 20 0 0\n"
      "#MATERIAL LINEAR Nr 2 Prio 1 P 210000 355 -355 81000 205\n");
  SectionModel& model = read->model;
  EXPECT_EQ(read->warnings.str(),
            "col.txt:4: warning: material 2 is already defined on line 1; profiles use the one on line 1 and this "
            "one is unused\n"
            "col.txt:6: warning: material 2 is already defined on line 1; profiles use the one on line 1 and this "
            "one is unused\n");
  EXPECT_EQ(read->console.str(), "");
  ASSERT_EQ(model.profiles.size(), 2u);
  ASSERT_EQ(model.materials.size(), 3u);
  EXPECT_EQ(model.profiles[0]->material, model.materials[0].get());
  EXPECT_EQ(model.profiles[1]->material, model.materials[0].get());
  model.pruneMaterials();
  ASSERT_EQ(model.materials.size(), 1u);
  EXPECT_TRUE(model.allNonlinear);
}

TEST(InputReaderTest, UnknownLawsAndShapesAreErrorsThatListTheKnownOnes) {
  const std::string laws = "known laws: LINEAR, Steel1993_543, Steel1992_327b, CONC1992_3171, CONC1992_3172";
  const std::string shapes = "known shapes: HEB, RECT, CIRC";
  struct Case {
    std::string line;
    std::string message;  // after "col.txt:2: "
  };
  const Case cases[] = {
      // Keywords are matched exactly; the nearest is found whatever the case.
      {"#MATERIAL steel1992_327b Nr 1 Prio 1 P 200000 435",
       "#MATERIAL law: \"steel1992_327b\" is not a known law; " + laws + "; did you mean Steel1992_327b?"},
      {"#MATERIAL conc1992_3171 Nr 2 Prio 1 P 33000 17 0.85 0.002 0.0035 2",
       "#MATERIAL law: \"conc1992_3171\" is not a known law; " + laws + "; did you mean CONC1992_3171?"},
      {"#MATERIAL CONC1992_3173 Nr 8 Prio 1 E 1 2 3 4 5",
       "#MATERIAL law: \"CONC1992_3173\" is not a known law; " + laws + "; did you mean CONC1992_3171?"},
      {"#MATERIAL Steel1993_534 Nr 8 Prio 1 E 1 2 3",
       "#MATERIAL law: \"Steel1993_534\" is not a known law; " + laws + "; did you mean Steel1993_543?"},
      {"#MATERIAL Timber Nr 3 Prio 1 P 11000 24",
       "#MATERIAL law: \"Timber\" is not a known law; " + laws + "; did you mean LINEAR?"},
      {"#PROFILE rect Nr 1 Mat 1 Dim 200 200 0 0 0",
       "#PROFILE shape: \"rect\" is not a known shape; " + shapes + "; did you mean RECT?"},
      {"#PROFILE Circ Nr 1 Mat 1 Dim 0 0 20 0 0",
       "#PROFILE shape: \"Circ\" is not a known shape; " + shapes + "; did you mean CIRC?"},
      {"#PROFILE HEB300 Nr 1 Mat 1 Dim 300 300 11 19 27 0",
       "#PROFILE shape: \"HEB300\" is not a known shape; " + shapes + "; did you mean HEB?"},
      {"#PROFILE IPE Nr 1 Mat 1 Dim 300 150 7.1 10.7 15 0",
       "#PROFILE shape: \"IPE\" is not a known shape; " + shapes + "; did you mean HEB?"},
      {"#PROFILE", "#PROFILE shape: missing value"},
      {"#MATERIAL", "#MATERIAL law: missing value"},
  };
  for (const Case& c : cases) {
    const auto text = kBarSteel + c.line + "\n";
    EXPECT_EQ(readError(text), "col.txt:2: " + c.message) << c.line;
  }
}

TEST(InputReaderTest, AProfileSwitchedOffNeedsNoKnownShape) {
  // Material 0 switches the line off before its shape matters.
  for (const char* line : {"#PROFILE IPE Nr 1 Mat 0 Dim 300 150 7.1 10.7 15 0", "#PROFILE heb Nr 1 Mat 0",
                           "#PROFILE x Nr 1 Mat -0 Dim"}) {
    const auto read = readText(std::string(line) + "\n");
    EXPECT_TRUE(read->model.profiles.empty()) << line;
    EXPECT_EQ(read->warnings.str(), "") << line;
  }
}

TEST(InputReaderTest, EmptyInputGivesAnEmptyModel) {
  for (const char* text : {"", "\n", "\r\n", "\xEF\xBB\xBF", "   ", "// only a comment"}) {
    const auto read = readText(text);
    EXPECT_TRUE(read->model.materials.empty()) << '"' << text << '"';
    EXPECT_TRUE(read->model.profiles.empty());
    EXPECT_EQ(read->lines.forcesLine, 0);
    EXPECT_EQ(read->lines.settingsLine, 0);
    EXPECT_EQ(read->warnings.str(), "");
  }
}

TEST(InputReaderTest, ByteOrderMarkAtTheStartIsSkipped) {
  const auto read = readText("\xEF\xBB\xBF#SETTINGS S 10 0 0 8 20\n#FORCEED F 1 2 3 4 5\n");
  EXPECT_EQ(read->lines.settingsLine, 1);
  EXPECT_EQ(read->lines.forcesLine, 2);
  EXPECT_EQ(read->model.settings.feSize, 10.0);
  EXPECT_EQ(read->model.designForces.qz, 5.0);

  const auto material = readText("\xEF\xBB\xBF#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435\r\n");
  EXPECT_EQ(material->model.materials.size(), 1u);
  EXPECT_EQ(material->warnings.str(), "");
}

TEST(InputReaderTest, LineEndsOfEveryKindGiveTheSameModel) {
  const std::vector<std::string> lines = {
      "// header", "", "#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435", "   ",
      "#PROFILE RECT Nr 1 Mat 1 Dim 400 300 10 15 1", "#FORCEED F 1 2 3 4 5", "#SETTINGS S 10 0 0 8 20"};
  for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
    for (const bool finalLineEnd : {true, false}) {
      std::string text;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || finalLineEnd) text += lineEnd;
      }
      const std::string what = "line end " + std::to_string(lineEnd.size()) + (lineEnd == "\r" ? " CR" : "") +
                               (finalLineEnd ? ", final line end" : ", no final line end");
      const auto read = readText(text);
      ASSERT_EQ(read->model.materials.size(), 1u) << what;
      ASSERT_EQ(read->model.profiles.size(), 1u) << what;
      const auto* tube = dynamic_cast<const RectProfile*>(read->model.profiles[0].get());
      ASSERT_NE(tube, nullptr) << what;
      EXPECT_TRUE(tube->hollow) << what;
      EXPECT_EQ(read->model.designForces.qz, 5.0) << what;
      // The last value of the last line: a carriage return left on it would make it unreadable.
      EXPECT_EQ(read->model.settings.offsetSubdivisions, 20) << what;
      EXPECT_EQ(read->lines.forcesLine, 6) << what;
      EXPECT_EQ(read->lines.settingsLine, 7) << what;
    }
  }
}

TEST(InputReaderTest, MixedLineEndsAreCountedOneLineEach) {
  const auto read = readText(
      "// LF\n"
      "// CRLF\r\n"
      "// CR\r"
      "\r\n"
      "\n"
      "\r"
      "#FORCEED F 1 2 3 4 5\r"
      "#SETTINGS S 10 0 0 8 20");
  // Lines: 1 LF, 2 CRLF, 3 CR, 4 empty CRLF, 5 empty LF, 6 empty CR, 7 CR, 8 at the end.
  EXPECT_EQ(read->lines.forcesLine, 7);
  EXPECT_EQ(read->lines.settingsLine, 8);
  EXPECT_EQ(read->model.settings.offsetSubdivisions, 20);
}

}  // namespace
}  // namespace colsec
