// The fibre-area warning and its suggested element size, against cells
// counted independently: a circle of d = 100 at feSize 30 lies in 4 x 4
// cells of 25 mm, the corner ones outside, 12 · 625 = 7500 mm² against
// 7853.98 (−4.5 %); going down by 10 % a step (27, 24, 21, 19, 17, 15, 13,
// 12, 11 after rounding to two digits) 11 mm is the first size within 2 %.
// Beside a circle at y = 60 of equal priority that comes second, at feSize
// 35: grid lines −50, 10, 50 give 8666.67 mm² (+10.3 %) and 28 mm.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "check/FibreArea.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

namespace colsec {
namespace {

struct Row {
  const char* name;
  const char* profiles;  // concrete is material 1 (priority 1), steel material 2 (priority 2)
  double feSize;
  std::vector<int> warned;  // profile numbers, in order
  double meshed;            // of the first one warned [mm²]
  const char* suggestion;   // what the first one's item says about the size
};

TEST(FibreArea, WarningsAndSuggestedSizesOfEachProfile) {
  const Row rows[] = {
      {"lone circle", "#PROFILE CIRC NR 1 MAT 1 DIM 0 0 100 0 0\n", 30, {1}, 7500, "an element size of 11 mm"},
      {"fine enough", "#PROFILE CIRC NR 1 MAT 1 DIM 0 0 100 0 0\n", 2, {}, 0, ""},
      {"touching a steel square: not overlapped",
       "#PROFILE RECT NR 1 MAT 2 DIM 100 100 0 0 0\n#PROFILE CIRC NR 2 MAT 1 DIM 100 0 100 0 0\n", 30, {2}, 7500,
       "an element size of 11 mm"},
      {"touching the steel square's left side",
       "#PROFILE RECT NR 1 MAT 2 DIM 100 100 0 0 0\n#PROFILE CIRC NR 2 MAT 1 DIM -100 0 100 0 0\n", 30, {2}, 7500,
       "an element size of 11 mm"},
      {"touching its top", "#PROFILE RECT NR 1 MAT 2 DIM 100 100 0 0 0\n#PROFILE CIRC NR 2 MAT 1 DIM 0 100 100 0 0\n",
       30, {2}, 7500, "an element size of 11 mm"},
      {"touching its bottom", "#PROFILE RECT NR 1 MAT 2 DIM 100 100 0 0 0\n#PROFILE CIRC NR 2 MAT 1 DIM 0 -100 100 0 0\n",
       30, {2}, 7500, "an element size of 11 mm"},
      {"overlapped by a steel square", "#PROFILE RECT NR 1 MAT 2 DIM 100 100 0 0 0\n#PROFILE CIRC NR 2 MAT 1 DIM 60 0 100 0 0\n",
       30, {}, 0, ""},
      {"equal priority: the first one only",
       "#PROFILE CIRC NR 1 MAT 1 DIM 0 0 100 0 0\n#PROFILE CIRC NR 2 MAT 1 DIM 60 0 100 0 0\n", 35, {1},
       26000.0 / 3, "an element size of 28 mm"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::ostringstream console, warnings;
    SectionModel model(console);
    std::istringstream input(std::string("#MATERIAL CONC1992_3171 NR 1 PRIO 1 PAR 33000 17 0.85 0.002 0.0035 2\n"
                                         "#MATERIAL Steel1993_543 NR 2 PRIO 2 PAR 210000 355 81000\n") +
                             r.profiles + "#FORCEED FED 0 0 0 0 0\n#SETTINGS SET " + std::to_string(r.feSize) +
                             " 0 0 2 10\n");
    readInput(input, model, "input.txt", warnings);
    const std::vector<DesignCheckItem> items = fibreAreaItems(model);
    ASSERT_EQ(items.size(), r.warned.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_NE(items[i].what.find("fibre area of profile " + std::to_string(r.warned[i]) + ":"), std::string::npos)
          << items[i].what;
      EXPECT_TRUE(items[i].warning && !items[i].ok);
    }
    if (items.empty()) continue;
    EXPECT_NEAR(items[0].value, r.meshed / 7853.981633974483 - 1, 1e-12);
    EXPECT_NEAR(items[0].utilisation, std::fabs(items[0].value) / 0.02, 1e-12);
    EXPECT_NE(items[0].what.find(r.suggestion), std::string::npos) << items[0].what;
  }
}

}  // namespace
}  // namespace colsec
