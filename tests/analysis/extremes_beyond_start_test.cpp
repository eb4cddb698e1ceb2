// A diverged run can leave stresses and strains beyond the ±1e100 start
// values of the material extremes; the first element must still set all
// five, so the report never shows an extreme without its element.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "analysis/ElementResults.h"
#include "materials/LinearMaterial.h"
#include "model/SectionModel.h"

namespace colsec {
namespace {

TEST(MaterialExtremesTest, FirstElementSetsEveryExtremeBeyondTheStartValues) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<LinearMaterial>(1, 1, 210000, 355, -355, 81000, 205));
  const Material* law = model.materials[0].get();
  model.elements.emplace_back(0.0, 0.0, 1.0, 1.0, CellOwner{1, law, 1.0, 1.0}, 1);
  model.elements.emplace_back(1.0, 0.0, 1.0, 1.0, CellOwner{1, law, 1.0, 1.0}, 1);
  // Both beyond +1e100 in stress and beyond -1e100 in strain.
  model.elements[0].sigX = 3e100;
  model.elements[0].epsX = -2e100;
  model.elements[1].sigX = 5e100;
  model.elements[1].epsX = -4e100;

  collectMaterialExtremes(model, console);

  const Material& m = *model.materials[0];
  EXPECT_EQ(m.maxSigmaElement, &model.elements[1]);
  EXPECT_EQ(m.minSigmaElement, &model.elements[0]);
  EXPECT_EQ(m.maxTauElement, &model.elements[1]);  // equal tauComb 0: the last one
  EXPECT_EQ(m.maxEpsElement, &model.elements[0]);
  EXPECT_EQ(m.minEpsElement, &model.elements[1]);
  EXPECT_EQ(m.minSigma, 3e100);
  EXPECT_EQ(m.maxEps, -2e100);
}

}  // namespace
}  // namespace colsec
