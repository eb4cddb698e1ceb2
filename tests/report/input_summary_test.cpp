#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "materials/Concrete1992_3171.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "report/Reports.h"

namespace colsec {
namespace {

const std::string kSummaryHead =
    "\n\n -------------------------------------\n"
    "   Zusammenfassung der Eingangsdaten"
    "\n -------------------------------------\n";

std::string summary(const SectionModel& model) {
  std::ostringstream out;
  writeInputSummary(out, model);
  return out.str();
}

TEST(InputSummaryTest, ListsUsedMaterialsProfilesForcesAndSettings) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<Steel1993_543>(1, 10, 210000.0, 235.0, 81000.0));
  model.materials.push_back(std::make_unique<Concrete1992_3171>(2, 1, 33000.0, 20.0, 0.85, 0.002, 0.0035, 2.0));
  // Given in the input but used by no profile: not listed.
  model.materials.push_back(std::make_unique<LinearMaterial>(5, 3, 1000.0, 10.0, -10.0, 400.0, 5.0));
  model.addRectProfile(1, 2, 300.0, 250.0, 0.0, 0.0, false);
  model.addHebProfile(2, 1, 200.0, 200.0, 9.0, 15.0, 18.0, false);
  model.addCircProfile(3, 1, 50.0, -50.0, 40.0, 5.0, true);
  model.pruneMaterials();
  // N and Nmm in, kN and kNm out: /1000 and /1e6.
  model.designForces = {-1234567.0, 45600000.0, -100000.0, 500.0, -999.5};
  model.settings.feSize = 5.5;
  model.settings.angularSubdivisions = 36;
  model.settings.offsetSubdivisions = 40;
  const std::string expected =
      kSummaryHead +
      "\n      Materials:\n"
      "Pos.1 Model: Steel1993_543: Priority=10\n\tE=210000\tG=81000\tfyd=235\n"
      "Pos.2 Model: Concrete1992_3171 Priority= 1\n"
      "\tE=33000\tfcd=-20\tfcdRedF=0.85\tepsC2=-0.002\tepsCu2=-0.0035\tn=2\n"
      "\n      Profiles:\n"
      "Pos.1 Rectangular-Profile: Material Number 2\n\tH=300 B=250 t=0 r=0\n\tIs hollow: no\n"
      "Pos.2 HEB-Profile: Material Number 1\n\tH=200 B=200 ts=9 tg=15 r=18\n\tIs rotated: no\n"
      "Pos.3 Circular-Profile: Material Number 1\n\tDiameter=40 t=5 Offset Y/Z=50/-50\tIs hollow: yes\n"
      "\n      Settings:\n"
      "Force FEd [kN/kNm]: Nx: -1234.57 My: 45.6 Mz: -0.1 Qy: 0.5 Qz: -0.9995"
      "\nFE-Size [mm]: 5.5"
      "\nInteraction Surface Angular Subdivisions [-]: 36"
      "\nInteraction Surface Offset Subdivisions [-]: 40";
  EXPECT_EQ(summary(model), expected);
}

TEST(InputSummaryTest, EmptyMaterialListAndNoTrailingLineBreak) {
  std::ostringstream console;
  SectionModel model(console);
  model.designForces = {0.0, 123456789.0, 0.0, 0.0, 2e6};
  model.settings.feSize = 10.0;
  model.settings.angularSubdivisions = -3;
  const std::string expected = kSummaryHead +
                               "\n      Materials:\n"
                               "\n      Profiles:\n"
                               "\n      Settings:\n"
                               "Force FEd [kN/kNm]: Nx: 0 My: 123.457 Mz: 0 Qy: 0 Qz: 2000"
                               "\nFE-Size [mm]: 10"
                               "\nInteraction Surface Angular Subdivisions [-]: -3"
                               "\nInteraction Surface Offset Subdivisions [-]: 0";
  const std::string text = summary(model);
  EXPECT_EQ(text, expected);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
}

}  // namespace
}  // namespace colsec
