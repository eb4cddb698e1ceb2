// Every file of the catalogue must give exactly its message and exit
// status, and a failed run must leave the results of an earlier run beside
// it byte for byte as they were.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runColsec;
using test::TempDir;
using test::writeFile;

using test::kResultSuffixes;

std::vector<std::string> catalogue() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(COLSEC_TEST_DATA_DIR) / "cases")) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

using test::countTemporaryFiles;

// Runs one input beside a set of earlier results and checks the outcome.
void checkCase(const std::string& name, const std::string& input, int expectedStatus, const std::string& expectedErr) {
  TempDir dir;
  writeFile(dir.file(name + ".txt"), input);
  for (const char* suffix : kResultSuffixes) writeFile(dir.file(name + suffix), std::string("earlier result") + suffix);

  const test::RunResult result = runColsec({name + ".txt"}, dir.path());
  EXPECT_EQ(result.exitCode, expectedStatus) << name;
  EXPECT_EQ(result.err, expectedErr) << name;
  EXPECT_EQ(countTemporaryFiles(dir.path()), 0) << name;
  for (const char* suffix : kResultSuffixes) {
    const std::string content = readFile(dir.file(name + suffix));
    if (expectedStatus != 0) {
      EXPECT_EQ(content, std::string("earlier result") + suffix) << name << suffix;
    } else {
      EXPECT_NE(content, std::string("earlier result") + suffix) << name << suffix;
    }
  }
}

TEST(BadInputsTest, CatalogueIsComplete) { EXPECT_GE(catalogue().size(), 40u); }

TEST(BadInputsTest, EveryCaseGivesItsMessageAndLeavesEarlierResults) {
  for (const std::string& name : catalogue()) {
    const fs::path cases = fs::path(COLSEC_TEST_DATA_DIR) / "cases";
    const std::string expected = readFile(cases / (name + ".expected"));
    const std::size_t lineEnd = expected.find('\n');
    ASSERT_NE(lineEnd, std::string::npos) << name;
    checkCase(name, readFile(cases / (name + ".txt")), std::stoi(expected.substr(0, lineEnd)),
              expected.substr(lineEnd + 1));
  }
}

TEST(BadInputsTest, AMillionUnknownRecordsAreIgnored) {
  std::string input;
  input.reserve(12'000'000);
  for (int i = 0; i < 1'000'000; ++i) input += "#NOTE x\n";
  input +=
      "#MATERIAL Steel1992_327b Nr 1 Prio 1 E 200000 435\n"
      "#PROFILE RECT Pos 1 Mat 1 Dim 100 50 0 0 0\n"
      "#FORCEED F 0 0 0 0 0\n"
      "#SETTINGS S 10 0 0 0 2\n"
      "#FORCEED F 1,5 0 0 0 0\n";
  checkCase("million", input, 1, "colsec: million.txt:1000005: #FORCEED nx: \"1,5\" is not a number\n");
}

// Every table of load-tables/ is run as loads.csv against section.txt: a
// malformed one must give its message, write nothing and leave the earlier
// results; a good one writes section_LoadCases.csv as NAME_LoadCases.csv.
TEST(BadInputsTest, EveryLoadTableGivesItsMessageOrItsTable) {
  const fs::path tables = fs::path(COLSEC_TEST_DATA_DIR) / "load-tables";
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(tables)) {
    if (entry.path().extension() == ".csv" && entry.path().stem().string().find("_LoadCases") == std::string::npos) {
      names.push_back(entry.path().stem());
    }
  }
  std::sort(names.begin(), names.end());
  EXPECT_GE(names.size(), 20u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string expected = readFile(tables / (name + ".expected"));
    const int status = std::stoi(expected.substr(0, expected.find('\n')));
    TempDir dir;
    fs::copy_file(tables / "section.txt", dir.path() / "section.txt");
    fs::copy_file(tables / (name + ".csv"), dir.path() / "loads.csv");
    for (const char* suffix : kResultSuffixes) writeFile(dir.file(std::string("section") + suffix), "earlier");
    const test::RunResult run = runColsec({"--loads", "loads.csv", "section.txt"}, dir.path());
    EXPECT_EQ(run.exitCode, status);
    EXPECT_EQ(run.err, expected.substr(expected.find('\n') + 1));
    EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
    if (status != 0) {
      EXPECT_FALSE(fs::exists(dir.path() / "section_LoadCases.csv"));
      for (const char* suffix : kResultSuffixes) EXPECT_EQ(readFile(dir.file(std::string("section") + suffix)), "earlier");
    } else {
      EXPECT_EQ(readFile(dir.path() / "section_LoadCases.csv"), readFile(tables / (name + "_LoadCases.csv")));
    }
  }
}

}  // namespace
}  // namespace colsec
