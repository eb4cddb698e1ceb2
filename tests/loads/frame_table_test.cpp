// A table as frame programs export it: shear forces repeating in groups,
// rows beyond the resistance by the axial force and by the moments, and the
// column checked as a member (full Newton iterations in every row). Each
// row's whole JSON result (numbers at full precision) equals its single run's.

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "loads/LoadCaseRun.h"
#include "report/JsonResult.h"
#include "support/InMemoryRun.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

TEST(FrameTable, EveryRowEqualsItsSingleRun) {
  const std::string section =
      "#MATERIAL CONC1992_3171 NR 1 PRIO 1 PAR 33000 17 1.0 0.002 0.0035 2\n"
      "#MATERIAL Steel1993_543 NR 2 PRIO 2 PAR 210000 355 81000\n#MATERIAL Steel1992_327b NR 3 PRIO 3 PAR 200000 435\n"
      "#PROFILE RECT NR 1 MAT 1 DIM 400 400 0 0 0\n#PROFILE HEB NR 2 MAT 2 DIM 200 200 9 15 18 0\n"
      "#PROFILE CIRC NR 3 MAT 3 DIM 150 150 20 0 0\n#PROFILE CIRC NR 4 MAT 3 DIM -150 -150 20 0 0\n"
      "#MEMBER LEN 4000 LCR 4000 4000 RATIO 0.5 -0.5 CREEP 2 0.6\n#SETTINGS SET 10 0 0 7 40\n";
  const std::vector<LoadCombination> rows = {
      {"1", {-1500e3, 80e6, 30e6, 10e3, 20e3}, 2},           {"2 beyond by N", {-7500e3, 20e6, -1e7, 10e3, 20e3}, 3},
      {"3", {-800e3, 150e6, -60e6, 35e3, 70e3}, 4},          {"4 beyond by M", {-3000e3, 450e6, 120e6, 35e3, 70e3}, 5},
      {"5 beyond by M", {-2500e3, -480e6, 110e6, 80e3, 5e3}, 6}, {"6 tension", {400e3, 40e6, 10e6, 80e3, 5e3}, 7}};
  const auto json = [](const SectionModel& m) {
    std::ostringstream text;
    writeJsonResult(text, m, "section.txt");
    return text.str();
  };
  LoadCaseOptions options;
  options.threads = 2;
  options.view = json;
  int last = 0;
  options.progress = [&last](int done, int total) { last = done == total ? done : last; };
  const LoadCaseResults results = runLoadCases(section, "section.txt", rows, options);
  EXPECT_EQ(results.shearStates, 3);
  EXPECT_EQ(last, 6);  // the progress counts every row done, of all rows
  int beyond = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const SectionForces& f = rows[r].forces;
    std::ostringstream input;
    input << std::setprecision(17) << section << "#FORCEED FED " << f.nx << " " << f.my << " " << f.mz << " " << f.qy
          << " " << f.qz << "\n";
    const auto single = test::analyseText(input.str());
    const std::string expected = json(single->model);
    EXPECT_EQ(results.outcomes[r].view, expected) << rows[r].name << test::firstDifference(expected, results.outcomes[r].view);
    EXPECT_TRUE(single->model.member.computed);
    beyond += single->model.strainFallback.beyondResistance ? 1 : 0;
  }
  EXPECT_EQ(beyond, 3);
}

}  // namespace
}  // namespace colsec
