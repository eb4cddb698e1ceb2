// End-to-end runs of the real colsec binary against expected files: one
// test per folder of tests/e2e/expected (input tests/e2e/cases/NAME.txt),
// of tests/examples/expected (input examples/NAME.txt) and of
// tests/regression/expected (input tests/regression/cases/NAME.txt). Each input is
// copied into a fresh folder and run there with --json; the console text,
// the four result files and NAME_Result.json must equal the files in the
// case's folder byte for byte, and nothing else may be left behind.
// How the expected files were checked: README.md beside each folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec::test {
namespace {

namespace fs = std::filesystem;

struct Case {
  std::string name;
  fs::path input;     // the input file
  fs::path expected;  // folder of the expected files
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<Case> cases() {
  const fs::path root(COLSEC_SOURCE_DIR);
  const std::pair<fs::path, fs::path> suites[] = {{root / "tests/e2e/cases", root / "tests/e2e/expected"},
                                                  {root / "examples", root / "tests/examples/expected"},
                                                  {root / "tests/regression/cases", root / "tests/regression/expected"}};
  std::vector<Case> found;
  for (const auto& [inputs, expected] : suites) {
    std::set<fs::path> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(expected)) {
      if (entry.is_directory()) folders.insert(entry.path());
    }
    for (const fs::path& folder : folders) {
      const std::string name = folder.filename().string();
      found.push_back({name, inputs / (name + ".txt"), folder});
    }
  }
  return found;
}

std::set<std::string> fileNamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

class ExpectedFiles : public ::testing::TestWithParam<Case> {};

TEST_P(ExpectedFiles, ConsoleResultFilesAndJsonAreByteForByte) {
  const Case& c = GetParam();
  const std::string input = c.name + ".txt";
  TempDir dir;
  fs::copy_file(c.input, dir.path() / input);
  const RunResult run = runColsec({"--json", input}, dir.path());
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "") << "nothing belongs on standard error after a good run";
  const std::string console = readFile(c.expected / "console.txt");
  EXPECT_TRUE(run.out == console) << "console text\n" << firstDifference(console, run.out);

  std::set<std::string> expectedNames{input};
  for (const std::string suffix : {".cclog", "_Interaction.res", "_Section.res", "_Validation.res", "_Result.json"}) {
    const std::string file = c.name + suffix;
    expectedNames.insert(file);
    ASSERT_TRUE(fs::is_regular_file(dir.path() / file)) << file << " was not written";
    const std::string want = readFile(c.expected / file);
    const std::string got = readFile(dir.path() / file);
    EXPECT_TRUE(got == want) << file << "\n" << firstDifference(want, got);
  }
  EXPECT_EQ(fileNamesIn(dir.path()), expectedNames) << "the input and the results only, no temporary file";
}

// On a terminal (100 columns) the console is one line per phase rewritten
// in place, then the verdicts: terminal.txt holds the terminal's bytes.
TEST_P(ExpectedFiles, TerminalShowsOneLinePerPhaseAndTheVerdicts) {
  const Case& c = GetParam();
  TempDir dir;
  fs::copy_file(c.input, dir.path() / (c.name + ".txt"));
  const RunResult run = runColsec({"--json", c.name + ".txt"}, dir.path(), 100);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  const std::string terminal = readFile(c.expected / "terminal.txt");
  EXPECT_TRUE(run.out == terminal) << firstDifference(terminal, run.out);
  const std::string json = c.name + "_Result.json";
  EXPECT_TRUE(readFile(dir.path() / json) == readFile(c.expected / json)) << "the same results as into a file";
}

INSTANTIATE_TEST_SUITE_P(Folders, ExpectedFiles, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

// Results of an earlier, longer run are replaced from the start, not
// appended to; a plain run (no --json) writes no JSON.
TEST(ExpectedFilesRerun, OverwritesLongerResultsOfAnEarlierRun) {
  const Case c = cases().front();
  TempDir dir;
  fs::copy_file(c.input, dir.path() / (c.name + ".txt"));
  for (const char* suffix : kResultSuffixes) writeFile(dir.path() / (c.name + suffix), std::string(100000, 'x'));
  EXPECT_EQ(runColsec({c.name + ".txt"}, dir.path()).exitCode, 0);
  for (const char* suffix : kResultSuffixes) {
    const std::string want = readFile(c.expected / (c.name + suffix));
    const std::string got = readFile(dir.path() / (c.name + suffix));
    EXPECT_TRUE(got == want) << suffix << "\n" << firstDifference(want, got);
  }
  EXPECT_EQ(fileNamesIn(dir.path()).size(), 5u) << "input and four results only";
}

}  // namespace
}  // namespace colsec::test
