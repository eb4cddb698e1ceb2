// The table of material laws: one entry per law, each creating its class
// from the parameters in input order.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/MaterialLaws.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"

namespace colsec {
namespace {

struct Expected {
  const char* keyword;
  std::vector<std::string> parameters;
  MaterialKind kind;
  FibreLaw fibreLaw;
  const char* kindText;
};

const Expected kExpected[] = {
    {"LINEAR", {"E", "fyt", "fyc", "G", "fys"}, MaterialLinear, FibreLaw::Linear, "linear elastic"},
    {"Steel1993_543", {"E", "fyd", "G"}, MaterialSteel, FibreLaw::StructuralSteel, "structural steel"},
    {"Steel1992_327b", {"E", "fyd"}, MaterialSteel, FibreLaw::ReinforcingSteel, "reinforcing steel"},
    {"CONC1992_3171",
     {"E", "fcd", "fcdRedF", "epsC2", "epsCu2", "n"},
     MaterialConcrete,
     FibreLaw::Parabola,
     "concrete, parabola-rectangle"},
    {"CONC1992_3172",
     {"E", "fcd", "fcdRedF", "epsC2", "epsCu2"},
     MaterialConcrete,
     FibreLaw::Bilinear,
     "concrete, bilinear"},
};

TEST(MaterialTableTest, EveryLawInInputOrderWithItsLayoutKindAndFastPath) {
  const auto laws = materialLaws();
  ASSERT_EQ(laws.size(), std::size(kExpected));
  for (std::size_t i = 0; i < laws.size(); ++i) {
    const MaterialLaw& law = laws[i];
    const Expected& want = kExpected[i];
    EXPECT_STREQ(law.keyword, want.keyword) << i;
    std::vector<std::string> names;
    for (const ValueField& field : law.parameters) names.push_back(field.name);
    EXPECT_EQ(names, want.parameters) << want.keyword;
    EXPECT_EQ(law.kind, want.kind) << want.keyword;
    EXPECT_EQ(law.fibreLaw, want.fibreLaw) << want.keyword;
    EXPECT_STREQ(law.kindText, want.kindText) << want.keyword;
    EXPECT_EQ(findMaterialLaw(want.keyword), &law) << want.keyword;
  }
  // Exact keywords only.
  EXPECT_EQ(findMaterialLaw("linear"), nullptr);
  EXPECT_EQ(findMaterialLaw("LINEAR "), nullptr);
  EXPECT_EQ(findMaterialLaw(""), nullptr);
}

TEST(MaterialTableTest, OnlyEpsC2OfTheConcreteLawsMustNotBeZero) {
  for (const MaterialLaw& law : materialLaws()) {
    for (const ValueField& field : law.parameters) {
      const bool divisor = std::string(field.name) == "epsC2";
      EXPECT_EQ(field.check, divisor ? ValueCheck::NonZero : ValueCheck::Number) << law.keyword << " " << field.name;
    }
  }
}

TEST(MaterialTableTest, EachFactoryCreatesItsClassWithTheParametersInOrder) {
  // Distinct values show any exchange of two parameters.
  const std::vector<double> values = {1, 2, 3, 4, 5, 6};
  for (const MaterialLaw& law : materialLaws()) {
    const std::vector<double> parameters(values.begin(), values.begin() + law.parameters.size());
    const auto material = law.create(7, -3, parameters);
    ASSERT_NE(material, nullptr) << law.keyword;
    EXPECT_EQ(lawOf(*material), &law) << law.keyword;
    EXPECT_EQ(material->number, 7) << law.keyword;
    EXPECT_EQ(material->priority, -3) << law.keyword;
  }
  const auto linear = findMaterialLaw("LINEAR")->create(1, 1, values);
  const auto& l = dynamic_cast<const LinearMaterial&>(*linear);
  EXPECT_EQ(std::vector<double>({l.E, l.fyt, l.fyc, l.G, l.fys}), std::vector<double>({1, 2, 3, 4, 5}));
  const auto steel = findMaterialLaw("Steel1993_543")->create(1, 1, values);
  const auto& s = dynamic_cast<const Steel1993_543&>(*steel);
  EXPECT_EQ(std::vector<double>({s.E, s.fyd, s.G}), std::vector<double>({1, 2, 3}));
  const auto bars = findMaterialLaw("Steel1992_327b")->create(1, 1, values);
  const auto& b = dynamic_cast<const Steel1992_327b&>(*bars);
  EXPECT_EQ(std::vector<double>({b.E, b.fyd}), std::vector<double>({1, 2}));
  // The concrete laws store fcd, epsC2 and epsCu2 negative.
  const auto parabola = findMaterialLaw("CONC1992_3171")->create(1, 1, values);
  const auto& p = dynamic_cast<const Concrete1992_3171&>(*parabola);
  EXPECT_EQ(std::vector<double>({p.E, p.fcd, p.fcdRedF, p.epsC2, p.epsCu2, p.n}),
            std::vector<double>({1, -2, 3, -4, -5, 6}));
  const auto bilinear = findMaterialLaw("CONC1992_3172")->create(1, 1, values);
  const auto& c = dynamic_cast<const Concrete1992_3172&>(*bilinear);
  EXPECT_EQ(std::vector<double>({c.E, c.fcd, c.fcdRedF, c.epsC2, c.epsCu2}), std::vector<double>({1, -2, 3, -4, -5}));
}

TEST(MaterialTableTest, LegendColoursAreDistinctWithinAndAcrossFamilies) {
  // Concrete laws share a family; the other laws each have their own.
  std::set<std::string> families;
  for (const MaterialLaw& law : materialLaws()) {
    std::string family;
    std::set<std::string> shades;
    for (const RgbColour& c : law.legendColours) {
      const std::string hex = std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
      shades.insert(hex);
      family += hex + ";";
    }
    EXPECT_EQ(shades.size(), 4u) << law.keyword;
    families.insert(family);
  }
  EXPECT_EQ(families.size(), 4u);
}

TEST(MaterialTableTest, AClassOutsideTheTableHasNoLaw) {
  struct Other final : Material {
    Other() : Material(false, 1, 1) {}
    double stressQuery(int, double, double) const override { return 0.0; }
    double shearQuery(int, double) const override { return 0.0; }
    double tangentModulus(double, double) const override { return 0.0; }
    double shearModulus(double) const override { return 0.0; }
    double ultimateStrain() const override { return 0.0; }
    double effectiveModulus() const override { return 0.0; }
    double effectiveModulusII() const override { return 0.0; }
    std::string describe() const override { return ""; }
  };
  const Other other;
  EXPECT_EQ(lawOf(other), nullptr);
}

}  // namespace
}  // namespace colsec
