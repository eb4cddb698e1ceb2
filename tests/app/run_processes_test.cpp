// Runs of the same input started at once each write their own temporary
// files: all succeed, and every result file is one run's complete file.
// A run on one thread starts none.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec {
namespace {

using test::countTemporaryFiles;
using test::kResultSuffixes;
using test::readFile;
using test::sourcePath;
using test::TempDir;
using test::writeFile;

pid_t startRun(const std::string& folder) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(folder.c_str()) != 0 || !std::freopen("/dev/null", "w", stdout)) ::_exit(127);
    ::execl(COLSEC_BINARY, COLSEC_BINARY, "--json", "col.txt", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

int exitStatus(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(RunProcessesTest, RunsOfOneInputStartedAtOnceAllSucceed) {
  const std::string input = readFile(sourcePath("examples/encased_heb.txt"));
  std::vector<std::string> suffixes(std::begin(kResultSuffixes), std::end(kResultSuffixes));
  suffixes.push_back("_Result.json");
  // What one run alone writes.
  TempDir alone;
  writeFile(alone.file("col.txt"), input);
  ASSERT_EQ(exitStatus(startRun(alone.path())), 0);

  TempDir dir;
  writeFile(dir.file("col.txt"), input);
  for (int round = 0; round < 3; ++round) {
    std::vector<pid_t> runs;
    for (int k = 0; k < 4; ++k) runs.push_back(startRun(dir.path()));
    for (std::size_t k = 0; k < runs.size(); ++k) {
      EXPECT_EQ(exitStatus(runs[k]), 0) << "round " << round << ", run " << k;
    }
    for (const std::string& suffix : suffixes) {
      EXPECT_EQ(readFile(dir.file("col" + suffix)), readFile(alone.file("col" + suffix))) << suffix;
    }
    EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
  }
}

// Threads the run started, as strace sees its clone calls.
int threadsStarted(const std::string& folder, const char* threads) {
  const std::string trace = folder + "/trace";
  // The leak sanitizer of the sanitizer build cannot work under strace.
  const std::string command = "cd '" + folder + "' && ASAN_OPTIONS=detect_leaks=0 strace -f -qq " +
                              "-e trace=clone,clone3 -o '" + trace + "' '" + COLSEC_BINARY + "' --threads " + threads +
                              " col.txt > /dev/null";
  if (std::system(command.c_str()) != 0) return -1;
  std::ifstream lines(trace);
  int clones = 0;
  for (std::string line; std::getline(lines, line);) clones += line.find("clone") != std::string::npos;
  return clones;
}

TEST(RunProcessesTest, OneThreadStartsNone) {
  if (std::system("strace -V > /dev/null 2>&1") != 0) GTEST_SKIP() << "strace is not installed";
  TempDir dir;
  writeFile(dir.file("col.txt"), readFile(sourcePath("examples/encased_heb.txt")));
  EXPECT_EQ(threadsStarted(dir.path(), "1"), 0);
  EXPECT_GT(threadsStarted(dir.path(), "2"), 0);
}

}  // namespace
}  // namespace colsec
