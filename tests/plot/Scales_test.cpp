// Axis ticks, scales, colours and the text helpers of the pictures.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "plot/Scales.h"
#include "plot/Svg.h"

namespace colsec::plot {
namespace {

TEST(NiceNumber, OneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    double x;
    bool round;
    double expected;
  };
  const Case cases[] = {
      {1.94, true, 2},    {3.18, true, 5},   {7.2, true, 10},     {1.2, true, 1},   {1.5, true, 2},
      {2.99, true, 2},    {3.0, true, 5},    {6.99, true, 5},     {45, true, 50},   {0.012, true, 0.01},
      {3182, true, 5000}, {2.5, false, 5},   {2.0, false, 2},     {1.01, false, 2}, {5.0, false, 5},
      {5.1, false, 10},   {0.3, false, 0.5}, {1000, false, 1000},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(niceNumber(c.x, c.round), c.expected, c.expected * 1e-12) << c.x << (c.round ? " round" : " ceil");
  }
}

TEST(NiceTicks, CoverTheRangeInNiceSteps) {
  struct Case {
    double lo, hi;
    int target;
    double step, first, last;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      // 9.7 / 5 = 1.94 -> step 2; 0 and ceil(4.85)·2 = 10.
      {0, 9.7, 5, 2, 0, 10},
      // A range across 0, as N from Npl,Rd,min to Npl,Rd,max: 15910.58 / 5 = 3182 -> 5000.
      {-9637.95, 6272.63, 5, 5000, -10000, 10000},
      // Wholly negative: 240 / 5 = 48 -> 50; -250 is itself a tick, and the top tick is 0 (not -0).
      {-250, -10, 5, 50, -250, 0},
      // Given the wrong way round.
      {10, 0, 5, 2, 0, 10},
      // Zero width around 3: widened by a tenth to [2.7, 3.3]; 0.6 / 5 = 0.12 -> 0.1.
      {3, 3, 5, 0.1, 2.7, 3.3},
      // Zero width around a negative value: [-5.5, -4.5]; 1 / 5 = 0.2 -> 0.2.
      {-5, -5, 5, 0.2, -5.6, -4.4},
      // Zero width at 0: [-1, 1]; 2 / 5 = 0.4 -> 0.5.
      {0, 0, 5, 0.5, -1, 1},
      // A NaN limit counts as 0.
      {nan, 5, 5, 1, 0, 5},
      // Strains: 0.0043 / 4 = 0.001075 -> 0.001.
      {-0.003, 0.0013, 4, 0.001, -0.003, 0.002},
      // A symmetric stress range: 454.926 / 12 = 37.9 -> 50.
      {-227.463, 227.463, 12, 50, -250, 250},
  };
  for (const Case& c : cases) {
    const Ticks t = niceTicks(c.lo, c.hi, c.target);
    const std::string name = std::to_string(c.lo) + " .. " + std::to_string(c.hi);
    ASSERT_GE(t.values.size(), 2u) << name;
    EXPECT_NEAR(t.step, c.step, c.step * 1e-12) << name;
    EXPECT_NEAR(t.first(), c.first, c.step * 1e-9) << name;
    EXPECT_NEAR(t.last(), c.last, c.step * 1e-9) << name;
    const std::size_t count = static_cast<std::size_t>(std::llround((c.last - c.first) / c.step)) + 1;
    EXPECT_EQ(t.values.size(), count) << name;
    for (std::size_t k = 1; k < t.values.size(); ++k) {
      EXPECT_NEAR(t.values[k] - t.values[k - 1], c.step, c.step * 1e-9) << name << " tick " << k;
    }
    for (double v : t.values) {
      if (v == 0.0) {
        EXPECT_FALSE(std::signbit(v)) << name << ": a tick of -0";
      }
    }
  }
}

TEST(NiceTicks, ZeroIsATickWheneverTheRangeContainsIt) {
  for (const auto& [lo, hi] : std::vector<std::pair<double, double>>{{-0.3, 0.7}, {-17, 3}, {-1e-9, 1}, {-98, 1}}) {
    const Ticks t = niceTicks(lo, hi, 6);
    bool zero = false;
    for (double v : t.values) zero = zero || v == 0.0;
    EXPECT_TRUE(zero) << lo << " .. " << hi;
  }
}

TEST(TicksWithStep, CoverTheRangeWithAtLeastTwoTicks) {
  struct Case {
    double lo, hi, step;
    std::vector<double> values;
  };
  const Case cases[] = {
      {-130, 470, 100, {-200, -100, 0, 100, 200, 300, 400, 500}},
      {-100, 300, 100, {-100, 0, 100, 200, 300}},  // limits on ticks add none
      {0, 0, 50, {0, 50}},                          // one tick would give no scale
      {200, 200, 100, {200, 300}},
  };
  for (const Case& c : cases) {
    const Ticks t = ticksWithStep(c.lo, c.hi, c.step);
    const std::string name = std::to_string(c.lo) + " .. " + std::to_string(c.hi) + " by " + std::to_string(c.step);
    EXPECT_EQ(t.step, c.step) << name;
    EXPECT_EQ(t.values, c.values) << name;
  }
}

TEST(FormatTick, DecimalsFollowTheStepAndZeroHasNoSign) {
  struct Case {
    double value, step;
    const char* text;
  };
  const Case cases[] = {
      {0.30000000000000004, 0.1, "0.3"},
      {-0.0, 1, "0"},
      {-1e-17, 0.5, "0.0"},
      {-0.5, 0.5, "-0.5"},
      {5000, 5000, "5000"},
      {-10000, 2000, "-10000"},
      {0.002, 0.001, "0.002"},
      {-0.0025, 0.0005, "-0.0025"},
      {250, 50, "250"},
      {2.7, 0.1, "2.7"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatTick(c.value, c.step), c.text) << c.value << " step " << c.step;
}

TEST(LinearScale, MapsAndInverts) {
  const LinearScale up{0, 10, 100, 300};
  EXPECT_DOUBLE_EQ(up(0), 100);
  EXPECT_DOUBLE_EQ(up(10), 300);
  EXPECT_DOUBLE_EQ(up(2.5), 150);
  // The y axis of a picture runs downwards.
  const LinearScale down{-10000, 10000, 400, 0};
  EXPECT_DOUBLE_EQ(down(-10000), 400);
  EXPECT_DOUBLE_EQ(down(0), 200);
  EXPECT_DOUBLE_EQ(down(5000), 100);
}

TEST(Extent, IgnoresValuesThatCannotBeDrawn) {
  Extent e;
  EXPECT_TRUE(e.empty());
  e.add(std::numeric_limits<double>::quiet_NaN());
  e.add(std::numeric_limits<double>::infinity());
  EXPECT_TRUE(e.empty());
  e.add(-3);
  e.add(7);
  e.add(-std::numeric_limits<double>::infinity());
  EXPECT_FALSE(e.empty());
  EXPECT_EQ(e.lo, -3);
  EXPECT_EQ(e.hi, 7);
}

TEST(DivergingScale, CentredOnZeroWithClampedEnds) {
  const DivergingScale scale(250);
  struct Case {
    double value;
    const char* colour;
  };
  const Case cases[] = {
      {0, "#f7f7f7"},                                      // centre
      {250, "#ca0020"},   {1000, "#ca0020"},               // tension end, clamped beyond
      {-250, "#0571b0"},  {-1e9, "#0571b0"},               // compression end
      {125, "#f4a582"},   {-125, "#92c5de"},               // the two middle colours
      // Halfway from the centre (247, 247, 247) to the middle (146, 197, 222):
      // (196.5, 222, 234.5), rounded half away from zero: (197, 222, 235).
      {-62.5, "#c5deeb"},
      // Three quarters: halfway from (244, 165, 130) to (202, 0, 32):
      // (223, 82.5, 81) -> (223, 83, 81).
      {187.5, "#df5351"},
      {std::numeric_limits<double>::infinity(), "#ca0020"},
      {std::numeric_limits<double>::quiet_NaN(), "#9e9e9e"},  // no value: grey
  };
  for (const Case& c : cases) EXPECT_EQ(scale.colour(c.value).hex(), c.colour) << c.value;
}

TEST(DivergingScale, ALimitOfZeroGivesTheCentreColour) {
  for (double limit : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
    const DivergingScale scale(limit);
    EXPECT_EQ(scale.colour(0).hex(), "#f7f7f7") << limit;
    EXPECT_EQ(scale.colour(12).hex(), "#f7f7f7") << limit;
    EXPECT_EQ(scale.colour(-12).hex(), "#f7f7f7") << limit;
  }
}

TEST(EscapeXml, MarkupCharactersBecomeReferences) {
  EXPECT_EQ(escapeXml("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;");
  EXPECT_EQ(escapeXml("σx [N/mm²]"), "σx [N/mm²]");
  EXPECT_EQ(escapeXml(std::string("a\x01" "b")), "a?b");
}

TEST(Coord, TwoDecimalsAtMostAndNoNegativeZero) {
  EXPECT_EQ(coord(2.5), "2.5");
  EXPECT_EQ(coord(3.10), "3.1");
  EXPECT_EQ(coord(100), "100");
  EXPECT_EQ(coord(-0.001), "0");
  EXPECT_EQ(coord(-12.345678), "-12.35");
  EXPECT_EQ(coord(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(Box, OverlapIsStrict) {
  const Box a{0, 0, 10, 10};
  EXPECT_TRUE(a.overlaps({5, 5, 15, 15}));
  EXPECT_TRUE(a.overlaps({2, 2, 3, 3}));
  EXPECT_FALSE(a.overlaps({10, 0, 20, 10}));  // touching edges
  EXPECT_FALSE(a.overlaps({0, 11, 10, 20}));
  EXPECT_TRUE(Box({1, 1, 9, 9}).inside(a));
  EXPECT_FALSE(Box({1, 1, 11, 9}).inside(a));
}

// The x and y attributes of a placed <text>.
std::pair<double, double> position(const std::string& svg) {
  const auto value = [&](const std::string& name) {
    const std::size_t at = svg.find(" " + name + "=\"") + name.size() + 3;
    return std::stod(svg.substr(at, svg.find('"', at) - at));
  };
  return {value("x"), value("y")};
}

TEST(LabelPlacer, LabelsOfOnePointDoNotOverlapAndStayInside) {
  const Box frame{0, 0, 300, 200};
  LabelPlacer placer(frame);
  const double fontSize = 11;
  std::vector<Box> boxes;
  for (const char* label : {"Npl,Rd,max", "Mpl,y,Rd", "Ed", "closest"}) {
    const std::string svg = placer.place(150, 100, label, fontSize, "l");
    const auto [x, y] = position(svg);
    const Box box{x, y - fontSize * 0.8, x + textWidth(label, fontSize), y + fontSize * 0.25};
    EXPECT_TRUE(box.inside(frame)) << label;
    for (const Box& other : boxes) EXPECT_FALSE(box.overlaps(other)) << label;
    boxes.push_back(box);
  }
}

TEST(LabelPlacer, APointAtTheRightEdgeGetsItsLabelOnTheLeft) {
  LabelPlacer placer({0, 0, 300, 200});
  const auto [x, y] = position(placer.place(295, 100, "Mpl,y,Rd", 11, "l"));
  EXPECT_LT(x + textWidth("Mpl,y,Rd", 11), 295);
  EXPECT_NEAR(y, 100, 12);
}

TEST(LabelPlacer, ReservedBoxesAreAvoided) {
  LabelPlacer placer({0, 0, 300, 200});
  placer.reserve({150, 80, 300, 120});  // everything right of the point
  const auto [x, y] = position(placer.place(150, 100, "Ed", 11, "l"));
  EXPECT_LT(x, 150);
}

}  // namespace
}  // namespace colsec::plot
