// End-to-end runs of the real colsec binary: each case copies one input
// file from cases/ into a fresh folder, runs colsec on it there and
// compares the four result files and the console text byte for byte with
// the files in expected/NAME/. The expected files were worked out by hand
// (see README.md for the closed forms behind every case), not taken from
// a run of the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec::test {
namespace {

namespace fs = std::filesystem;

struct EndToEndCase {
  const char* testName;  // GoogleTest name of the case
  const char* name;      // cases/NAME.txt and expected/NAME/
  const char* covers;    // printed with every failure
};

// Names the case in GoogleTest's messages instead of dumping its bytes.
void PrintTo(const EndToEndCase& c, std::ostream* os) { *os << c.name; }

fs::path dataDir() { return fs::path(COLSEC_TEST_DATA_DIR); }


std::set<std::string> fileNamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class EndToEnd : public ::testing::TestWithParam<EndToEndCase> {};

TEST_P(EndToEnd, WritesTheExpectedFilesAndConsoleText) {
  const EndToEndCase& c = GetParam();
  SCOPED_TRACE(std::string(c.name) + ": " + c.covers);
  const std::string input = std::string(c.name) + ".txt";
  const fs::path expectedDir = dataDir() / "expected" / c.name;

  TempDir dir;
  fs::copy_file(dataDir() / "cases" / input, dir.path() / input);
  const RunResult run = runColsec({input}, dir.path());

  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "") << "nothing belongs on standard error after a good run";
  const std::string console = readFile(expectedDir / "console.txt");
  EXPECT_TRUE(run.out == console) << "console text\n" << firstDifference(console, run.out);

  std::set<std::string> expectedNames{input};
  for (const char* suffix : kResultSuffixes) {
    const std::string file = std::string(c.name) + suffix;
    expectedNames.insert(file);
    ASSERT_TRUE(fs::is_regular_file(dir.path() / file)) << file << " was not written";
    const std::string want = readFile(expectedDir / file);
    const std::string got = readFile(dir.path() / file);
    EXPECT_TRUE(got == want) << file << "\n" << firstDifference(want, got);
  }
  // The input and the four results, nothing else: no temporary file left.
  EXPECT_EQ(fileNamesIn(dir.path()), expectedNames);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndToEnd,
    ::testing::Values(
        EndToEndCase{"LinearRectangle", "linear_rect",
                     "LINEAR 4 x 4 elements under N, My, Mz, Qy, Qz: exact Newton steps, moment residuals falling "
                     "by 1/16, linear-material line, empty interaction file"},
        EndToEndCase{"LinearOverstressed", "linear_overstressed",
                     "LINEAR rectangle in tension and bending about y beyond fyt: stress limits exceeded, verdict "
                     "NEIN, tie rules of the extremes, subdivision counts of 1 accepted without curves"},
        EndToEndCase{"PlasticSteel", "plastic_steel",
                     "Steel1992_327b 2 x 3 elements under N beyond A*fyd: 1000 iterations, NICHT KONVERGIERT, "
                     "stresses at -fyd, carried force -A*fyd, curves with NaN points at the design force"},
        EndToEndCase{"SteelCurves", "steel_curves",
                     "Steel1993_543 4 x 2 elements, shear-reduced yield strength, every interaction curve point, "
                     "plastic resistances, mdy, mdz, Qpl,Rd and the simplified method"},
        EndToEndCase{"CompositeWithUnusedMaterials", "composite_unused",
                     "concrete square with a steel core: priorities, a used material without elements (keine "
                     "Elemente), an unused LINEAR material pruned, concrete curves"}),
    [](const ::testing::TestParamInfo<EndToEndCase>& info) { return std::string(info.param.testName); });

// Results of an earlier run are replaced from the start, not appended to.
TEST(EndToEndRerun, OverwritesLongerResultsOfAnEarlierRun) {
  const std::string name = "linear_rect";
  const std::string input = name + ".txt";
  const fs::path expectedDir = dataDir() / "expected" / name;

  TempDir dir;
  fs::copy_file(dataDir() / "cases" / input, dir.path() / input);
  const std::string stale(100000, 'x');
  for (const char* suffix : kResultSuffixes) writeFile(dir.path() / (name + suffix), stale);

  const RunResult run = runColsec({input}, dir.path());
  EXPECT_EQ(run.exitCode, 0);
  for (const char* suffix : kResultSuffixes) {
    const std::string file = name + suffix;
    const std::string want = readFile(expectedDir / file);
    const std::string got = readFile(dir.path() / file);
    EXPECT_TRUE(got == want) << file << "\n" << firstDifference(want, got);
  }
  EXPECT_EQ(fileNamesIn(dir.path()).size(), 5u) << "input and four results only";
}

}  // namespace
}  // namespace colsec::test
