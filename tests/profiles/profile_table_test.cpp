// The table of profile shapes: one entry per shape, each creating its class
// from the values in input order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/CircProfile.h"
#include "profiles/HEBProfile.h"
#include "profiles/ProfileShapes.h"
#include "profiles/RectProfile.h"

namespace colsec {
namespace {

std::vector<std::string> namesOf(const ProfileShape& shape) {
  std::vector<std::string> names;
  for (const ValueField& field : shape.values) names.push_back(field.name);
  return names;
}

TEST(ProfileTableTest, EveryShapeInInputOrderWithItsLayout) {
  const auto shapes = profileShapes();
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_STREQ(shapes[0].keyword, "HEB");
  EXPECT_EQ(namesOf(shapes[0]), (std::vector<std::string>{"H", "B", "ts", "tg", "r", "rotated"}));
  EXPECT_STREQ(shapes[1].keyword, "RECT");
  EXPECT_EQ(namesOf(shapes[1]), (std::vector<std::string>{"H", "B", "t", "r", "hollow"}));
  EXPECT_STREQ(shapes[2].keyword, "CIRC");
  EXPECT_EQ(namesOf(shapes[2]), (std::vector<std::string>{"offsetY", "offsetZ", "diameter", "t", "hollow"}));
  for (const ProfileShape& shape : shapes) EXPECT_EQ(findProfileShape(shape.keyword), &shape) << shape.keyword;
  EXPECT_EQ(findProfileShape("heb"), nullptr);
  EXPECT_EQ(findProfileShape("IPE"), nullptr);
}

TEST(ProfileTableTest, LengthsMustNotBeNegativeFlagsAreFlagsOffsetsAreFree) {
  struct Case {
    const char* shape;
    const char* value;
    ValueCheck check;
  };
  const Case cases[] = {
      {"HEB", "H", ValueCheck::NonNegative},       {"HEB", "r", ValueCheck::NonNegative},
      {"HEB", "rotated", ValueCheck::Flag},        {"RECT", "t", ValueCheck::NonNegative},
      {"RECT", "hollow", ValueCheck::Flag},        {"CIRC", "offsetY", ValueCheck::Number},
      {"CIRC", "offsetZ", ValueCheck::Number},     {"CIRC", "diameter", ValueCheck::NonNegative},
      {"CIRC", "hollow", ValueCheck::Number},
  };
  for (const Case& c : cases) {
    const ProfileShape* shape = findProfileShape(c.shape);
    ASSERT_NE(shape, nullptr) << c.shape;
    bool found = false;
    for (const ValueField& field : shape->values) {
      if (std::string(field.name) != c.value) continue;
      found = true;
      EXPECT_EQ(field.check, c.check) << c.shape << " " << c.value;
    }
    EXPECT_TRUE(found) << c.shape << " " << c.value;
  }
}

TEST(ProfileTableTest, EachFactoryCreatesItsClassWithTheValuesInOrder) {
  const auto heb = findProfileShape("HEB")->create(4, 5, std::vector<double>{300, 200, 11, 19, 27, 1});
  const auto& h = dynamic_cast<const HEBProfile&>(*heb);
  EXPECT_EQ(std::vector<double>({h.H, h.B, h.ts, h.tg, h.r}), std::vector<double>({300, 200, 11, 19, 27}));
  EXPECT_TRUE(h.rotated);
  EXPECT_EQ(h.number, 4);
  EXPECT_EQ(h.materialNumber, 5);
  // The wall thickness comes before the radius in the input.
  const auto rect = findProfileShape("RECT")->create(4, 5, std::vector<double>{400, 300, 10, 15, 0});
  const auto& r = dynamic_cast<const RectProfile&>(*rect);
  EXPECT_EQ(std::vector<double>({r.H, r.B, r.t, r.r}), std::vector<double>({400, 300, 10, 15}));
  EXPECT_FALSE(r.hollow);
  const auto circ = findProfileShape("CIRC")->create(4, 5, std::vector<double>{-50, 75, 20, 2, 0.5});
  const auto& c = dynamic_cast<const CircProfile&>(*circ);
  EXPECT_EQ(std::vector<double>({c.offsetY, c.offsetZ, c.diameter, c.t}), std::vector<double>({-50, 75, 20, 2}));
  EXPECT_TRUE(c.hollow);  // any value other than 0
}

}  // namespace
}  // namespace colsec
