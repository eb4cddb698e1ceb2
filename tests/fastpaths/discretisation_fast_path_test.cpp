// The discretisation asks a profile only for the cells within its extent;
// it must give every element, bit for bit, that asking every profile for
// every cell gives.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "materials/Concrete1992_3171.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"

namespace colsec {
namespace {

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Every cell against every profile, as the plain definition has it.
std::vector<Element> plainElements(SectionModel& model) {
  std::vector<double> ys = model.gridLinesY;
  std::vector<double> zs = model.gridLinesZ;
  const std::vector<GridCell> yCells = subdivideGridLines(ys, model.settings.feSize);
  const std::vector<GridCell> zCells = subdivideGridLines(zs, model.settings.feSize);
  std::vector<Element> elements;
  for (const GridCell& cy : yCells) {
    for (const GridCell& cz : zCells) {
      const PointOwner point = ownerAt(model.profiles, cy.centre, cz.centre);
      if (point.owner.material != nullptr) {
        elements.emplace_back(cy.centre, cz.centre, cy.width, cz.width, point.owner, point.profileNumber);
      }
    }
  }
  return elements;
}

void expectSameElements(const std::vector<Element>& fast, const std::vector<Element>& plain, const std::string& what) {
  ASSERT_EQ(fast.size(), plain.size()) << what;
  for (std::size_t i = 0; i < fast.size(); ++i) {
    const Element& a = fast[i];
    const Element& b = plain[i];
    const bool same = a.profileNumber == b.profileNumber && a.material == b.material && bits(a.posY) == bits(b.posY) &&
                      bits(a.posZ) == bits(b.posZ) && bits(a.area) == bits(b.area) &&
                      bits(a.inertiaY) == bits(b.inertiaY) && bits(a.inertiaZ) == bits(b.inertiaZ) &&
                      bits(a.shearFactorY) == bits(b.shearFactorY) && bits(a.shearFactorZ) == bits(b.shearFactorZ);
    ASSERT_TRUE(same) << what << ": element " << i << " at " << a.posY << "/" << a.posZ;
  }
}

TEST(DiscretisationFastPath, GeneratedSectionsGiveThePlainElements) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> offset(-180.0, 180.0);
  std::uniform_real_distribution<double> diameter(4.0, 90.0);
  std::uniform_real_distribution<double> size(1.7, 13.0);
  for (int trial = 0; trial < 25; ++trial) {
    std::ostringstream console;
    SectionModel model(console);
    model.materials.push_back(std::make_unique<Concrete1992_3171>(1, 1, 33000, 17, 1.0, 0.002, 0.0035, 2));
    model.materials.push_back(std::make_unique<Steel1993_543>(2, 2, 210000, 355, 81000));
    model.materials.push_back(std::make_unique<Steel1992_327b>(3, 3, 200000, 435));
    model.settings.feSize = size(random);
    model.addRectProfile(1, 1, 400 + trial, 360 - trial, 0, 12.5 * (trial % 3), trial % 4 == 3);
    model.addHebProfile(2, 2, 200 + trial, 180, 9.5, 14.7, 18, trial % 2 == 1);
    for (int k = 0; k < 8; ++k) {
      const double d = diameter(random);
      // Circles touching each other, the HEB and the rectangle's edges;
      // some hollow, some of equal priority overlapping.
      model.addCircProfile(3 + k, k % 2 == 0 ? 3 : 2, offset(random), offset(random), d, d * 0.2, k % 3 == 0);
    }
    model.addCircProfile(20, 3, 0.1 + 1e-13, 0.2, 33.3333333333, 0, false);
    model.addCircProfile(21, 3, 0.1, 0.2 + 33.3333333333, 33.3333333333, 0, false);
    std::vector<Element> plain = plainElements(model);
    discretise(model);
    expectSameElements(model.elements, plain, "trial " + std::to_string(trial));
  }
}

}  // namespace
}  // namespace colsec
