// The section model's own operations: material lookup with its console
// message, adding profiles, and the pruning of unused materials that
// decides whether interaction curves are built.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/MaterialLaws.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "profiles/CircProfile.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {
namespace {

std::unique_ptr<Material> makeMaterial(char law, int number) {
  switch (law) {
    case 'L':
      return std::make_unique<LinearMaterial>(number, 1, 210000, 300, -300, 81000, 170);
    case 'S':
      return std::make_unique<Steel1993_543>(number, 2, 210000, 355, 81000);
    case 'R':
      return std::make_unique<Steel1992_327b>(number, 3, 200000, 435);
    case 'C':
      return std::make_unique<Concrete1992_3171>(number, 1, 33000, 17, 0.85, 0.002, 0.0035, 2);
    default:
      return std::make_unique<Concrete1992_3172>(number, 1, 33000, 17, 0.85, 0.00175, 0.0035);
  }
}

TEST(SectionModelTest, StartsEmpty) {
  std::ostringstream console;
  const SectionModel model(console);
  EXPECT_TRUE(model.profiles.empty());
  EXPECT_TRUE(model.materials.empty());
  EXPECT_TRUE(model.gridLinesY.empty());
  EXPECT_TRUE(model.gridLinesZ.empty());
  EXPECT_TRUE(model.elements.empty());
  EXPECT_TRUE(model.curveNMy.empty());
  EXPECT_TRUE(model.curveNMz.empty());
  EXPECT_TRUE(model.curveMyMz.empty());
  EXPECT_TRUE(model.curveMyMzN0.empty());
  EXPECT_TRUE(model.surfaceCurves.empty());
  EXPECT_EQ(model.stiffnessEff.EAx, 0.0);
  EXPECT_EQ(model.stiffnessEff.EIy, 0.0);
  EXPECT_EQ(model.stiffnessEff.EIz, 0.0);
  EXPECT_EQ(model.stiffnessEffII.EAx, 0.0);
  EXPECT_EQ(model.stiffnessEffII.EIy, 0.0);
  EXPECT_EQ(model.stiffnessEffII.EIz, 0.0);
  EXPECT_EQ(model.strainState.epsX, 0.0);
  EXPECT_EQ(model.strainState.kappaY, 0.0);
  EXPECT_EQ(model.strainState.kappaZ, 0.0);
  // Design forces and settings start defined, at zero.
  EXPECT_EQ(model.designForces.nx, 0.0);
  EXPECT_EQ(model.designForces.my, 0.0);
  EXPECT_EQ(model.designForces.mz, 0.0);
  EXPECT_EQ(model.designForces.qy, 0.0);
  EXPECT_EQ(model.designForces.qz, 0.0);
  EXPECT_EQ(model.settings.feSize, 0.0);
  EXPECT_EQ(model.settings.angularSubdivisions, 0);
  EXPECT_EQ(model.settings.offsetSubdivisions, 0);
  EXPECT_EQ(console.str(), "");
}

// ---------------------------------------------------------------------------
// findMaterial

TEST(SectionModelTest, FindMaterialReturnsTheFirstWithThatNumber) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(makeMaterial('S', 5));
  model.materials.push_back(makeMaterial('C', 2));
  model.materials.push_back(makeMaterial('R', 5));
  model.materials.push_back(makeMaterial('L', -3));
  EXPECT_EQ(model.findMaterial(5), model.materials[0].get());
  EXPECT_EQ(model.findMaterial(2), model.materials[1].get());
  EXPECT_EQ(model.findMaterial(-3), model.materials[3].get());
  EXPECT_EQ(console.str(), "");
}

// The message has no blank before "not found" and no line end.
TEST(SectionModelTest, FindMaterialReportsAMissingNumber) {
  struct MissingCase {
    int number;
    const char* message;
  };
  const MissingCase cases[] = {
      {12, "Material 12not found"},
      {7, "Material 7not found"},
      {0, "Material 0not found"},
      {-4, "Material -4not found"},
      {2147483647, "Material 2147483647not found"},
  };
  for (const MissingCase& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    model.materials.push_back(makeMaterial('S', 1));
    EXPECT_EQ(model.findMaterial(c.number), nullptr) << c.number;
    EXPECT_EQ(console.str(), c.message) << c.number;
  }
  // Two misses write two messages back to back.
  std::ostringstream console;
  SectionModel model(console);
  EXPECT_EQ(model.findMaterial(12), nullptr);
  EXPECT_EQ(model.findMaterial(3), nullptr);
  EXPECT_EQ(console.str(), "Material 12not foundMaterial 3not found");
}

// ---------------------------------------------------------------------------
// Adding profiles

TEST(SectionModelTest, AddProfileAttachesMaterialAndGridLines) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(makeMaterial('C', 1));
  model.materials.push_back(makeMaterial('S', 2));
  model.addRectProfile(10, 1, 400, 300, 0, 0, false);
  model.addHebProfile(11, 2, 200, 200, 9, 15, 18, false);
  model.addCircProfile(12, 1, 50, -60, 20, 0, false);
  EXPECT_EQ(console.str(), "");
  ASSERT_EQ(model.profiles.size(), 3u);
  EXPECT_EQ(model.profiles[0]->number, 10);
  EXPECT_EQ(model.profiles[1]->number, 11);
  EXPECT_EQ(model.profiles[2]->number, 12);
  EXPECT_EQ(model.profiles[0]->material, model.materials[0].get());
  EXPECT_EQ(model.profiles[1]->material, model.materials[1].get());
  EXPECT_EQ(model.profiles[2]->material, model.materials[0].get());
  // 4 + 6 + 2 lines across, 4 + 8 + 2 lines along the height.
  EXPECT_EQ(model.gridLinesY.size(), 12u);
  EXPECT_EQ(model.gridLinesZ.size(), 14u);
  EXPECT_EQ(std::count(model.gridLinesY.begin(), model.gridLinesY.end(), 60.0), 1);   // circle y
  EXPECT_EQ(std::count(model.gridLinesZ.begin(), model.gridLinesZ.end(), -70.0), 1);  // circle z
  EXPECT_EQ(std::count(model.gridLinesY.begin(), model.gridLinesY.end(), 150.0), 2);  // RECT, r = 0
  EXPECT_EQ(std::count(model.gridLinesZ.begin(), model.gridLinesZ.end(), -92.5), 1);  // HEB flange mid-plane
}

// The shape operations take the input order; RECT gives t before r.
TEST(SectionModelTest, ShapeOperationsKeepTheirArguments) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(makeMaterial('S', 1));
  model.addHebProfile(1, 1, 300, 280, 11, 19, 27, true);
  model.addRectProfile(2, 1, 400, 300, 8, 20, true);
  model.addCircProfile(3, 1, -15, 25, 323.9, 10, true);

  const auto* heb = dynamic_cast<const HEBProfile*>(model.profiles[0].get());
  ASSERT_NE(heb, nullptr);
  EXPECT_EQ(heb->H, 300.0);
  EXPECT_EQ(heb->B, 280.0);
  EXPECT_EQ(heb->ts, 11.0);
  EXPECT_EQ(heb->tg, 19.0);
  EXPECT_EQ(heb->r, 27.0);
  EXPECT_TRUE(heb->rotated);

  const auto* rect = dynamic_cast<const RectProfile*>(model.profiles[1].get());
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->H, 400.0);
  EXPECT_EQ(rect->B, 300.0);
  EXPECT_EQ(rect->t, 8.0);
  EXPECT_EQ(rect->r, 20.0);
  EXPECT_TRUE(rect->hollow);

  const auto* circ = dynamic_cast<const CircProfile*>(model.profiles[2].get());
  ASSERT_NE(circ, nullptr);
  EXPECT_EQ(circ->offsetY, -15.0);
  EXPECT_EQ(circ->offsetZ, 25.0);
  EXPECT_EQ(circ->diameter, 323.9);
  EXPECT_EQ(circ->t, 10.0);
  EXPECT_TRUE(circ->hollow);
}

// A profile whose material is missing is still kept, without material,
// after the console message.
TEST(SectionModelTest, ProfileWithUnknownMaterialIsKept) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(makeMaterial('S', 1));
  model.addRectProfile(3, 12, 20, 10, 0, 0, false);
  EXPECT_EQ(console.str(), "Material 12not found");
  ASSERT_EQ(model.profiles.size(), 1u);
  EXPECT_EQ(model.profiles[0]->number, 3);
  EXPECT_EQ(model.profiles[0]->material, nullptr);
  EXPECT_EQ(model.profiles[0]->materialNumber, 12);
  EXPECT_EQ(model.gridLinesY.size(), 4u);
  EXPECT_EQ(model.gridLinesZ.size(), 4u);
}

// ---------------------------------------------------------------------------
// pruneMaterials

// Each case: the laws of the materials in input order (their numbers are
// 1, 2, ...), the material numbers the profiles name, the positions of
// the survivors and the expected flag.
struct PruneCase {
  const char* what;
  std::string laws;
  std::vector<int> profileMaterials;
  std::vector<int> expectedSurvivors;  // indices into the input materials
  bool expectedAllNonlinear;
  std::vector<int> numbers = {};       // material numbers, default 1, 2, ...
};

TEST(PruneMaterialsTest, KeepsExactlyTheUsedMaterialsInOrder) {
  const std::vector<PruneCase> cases = {
      {"only the second used", "SC", {2}, {1}, true},
      {"only the first used", "SC", {1, 1}, {0}, true},
      {"both used", "SC", {2, 1}, {0, 1}, true},
      {"no profiles", "SCRL", {}, {}, true},
      {"no materials, no profiles", "", {}, {}, true},
      {"no materials, profile not found", "", {4}, {}, true},
      {"unused LINEAR", "LSC", {2, 3}, {1, 2}, true},
      {"used LINEAR", "LSC", {1, 3}, {0, 2}, false},
      {"only LINEAR used", "SL", {2}, {1}, false},
      {"two unused in a row", "SRCD", {3}, {2}, true},
      {"every other used", "SRCDL", {1, 3, 5}, {0, 2, 4}, false},
      {"unused at both ends", "LSCL", {2, 3, 2}, {1, 2}, true},
      {"profiles only on an unknown number", "SC", {7}, {}, true},
      // Two materials numbered 1: profiles get the first, the second is never
      // found and goes.
      {"duplicate numbers", "SL", {1}, {0}, true, {1, 1}},
      {"duplicate numbers, the LINEAR second", "CLS", {1, 3}, {0, 2}, true, {1, 1, 3}},
  };
  for (const PruneCase& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    std::vector<const Material*> input;
    for (std::size_t i = 0; i < c.laws.size(); ++i) {
      const int number = c.numbers.empty() ? static_cast<int>(i) + 1 : c.numbers[i];
      model.materials.push_back(makeMaterial(c.laws[i], number));
      input.push_back(model.materials.back().get());
    }
    int profileNumber = 1;
    for (int materialNumber : c.profileMaterials) {
      model.addRectProfile(profileNumber++, materialNumber, 20, 10, 0, 0, false);
    }
    model.allNonlinear = !c.expectedAllNonlinear;  // prune must set the flag itself
    model.pruneMaterials();
    std::vector<const Material*> expected;
    for (int index : c.expectedSurvivors) expected.push_back(input[static_cast<std::size_t>(index)]);
    std::vector<const Material*> actual;
    for (const auto& m : model.materials) actual.push_back(m.get());
    EXPECT_EQ(actual, expected) << c.what;
    EXPECT_EQ(model.allNonlinear, c.expectedAllNonlinear) << c.what;
    // Every survivor is the material of some profile, and the profiles
    // still point at survivors.
    for (const Material* m : actual) {
      EXPECT_TRUE(std::any_of(model.profiles.begin(), model.profiles.end(),
                              [&](const auto& p) { return p->material == m; }))
          << c.what;
    }
    for (const auto& p : model.profiles) {
      if (p->material == nullptr) continue;
      EXPECT_NE(std::find(actual.begin(), actual.end(), p->material), actual.end()) << c.what;
    }
  }
}

// Use is decided by the very object, not by the number: a profile that
// names number 1 uses the first material numbered 1 only.
TEST(PruneMaterialsTest, DuplicateNumberProfilesGetTheFirst) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(makeMaterial('S', 1));
  model.materials.push_back(makeMaterial('L', 1));
  const Material* first = model.materials[0].get();
  model.addHebProfile(1, 1, 200, 200, 9, 15, 18, false);
  model.addRectProfile(2, 1, 400, 400, 0, 0, false);
  EXPECT_EQ(model.profiles[0]->material, first);
  EXPECT_EQ(model.profiles[1]->material, first);
  model.pruneMaterials();
  ASSERT_EQ(model.materials.size(), 1u);
  EXPECT_EQ(model.materials[0].get(), first);
  ASSERT_NE(lawOf(*model.materials[0]), nullptr);
  EXPECT_EQ(lawOf(*model.materials[0])->kind, MaterialSteel);
  EXPECT_TRUE(model.allNonlinear);
  EXPECT_EQ(console.str(), "");
}

}  // namespace
}  // namespace colsec
