// A run either completes all four result files or leaves the earlier ones
// untouched, and the same input always gives the same bytes.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runColsec;
using test::TempDir;
using test::writeFile;

using test::kResultSuffixes;

using test::countTemporaryFiles;

// A million elements under an axial force far beyond their resistance: the
// solver runs to its iteration limit, which takes long enough to interrupt.
const char* const kLongRun =
    "#MATERIAL Steel1992_327b Nr 1 Prio 1 E 200000 435\n"
    "#PROFILE RECT Pos 1 Mat 1 Dim 1000 1000 0 0 0\n"
    "#FORCEED F -1e12 0 0 0 0\n"
    "#SETTINGS S 1 0 0 0 2\n";

TEST(RunReliabilityTest, InterruptedRunLeavesEarlierResultsAndNoTemporaryFiles) {
  struct Case {
    int signalNumber;
    bool json;  // with --json: a fifth temporary file
  };
  for (const Case c : {Case{SIGTERM, false}, Case{SIGINT, false}, Case{SIGTERM, true}}) {
    const int signalNumber = c.signalNumber;
    const int temporaryFiles = c.json ? 5 : 4;
    SCOPED_TRACE(std::string(c.json ? "--json, " : "") + "signal " + std::to_string(signalNumber));
    TempDir dir;
    writeFile(dir.file("long.txt"), kLongRun);
    for (const char* suffix : kResultSuffixes) writeFile(dir.file(std::string("long") + suffix), "earlier");
    writeFile(dir.file("long_Result.json"), "earlier");

    const pid_t child = ::fork();
    if (child == 0) {
      if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
      if (!std::freopen("/dev/null", "w", stdout)) ::_exit(127);
      if (c.json) {
        ::execl(COLSEC_BINARY, COLSEC_BINARY, "--json", "long.txt", static_cast<char*>(nullptr));
      } else {
        ::execl(COLSEC_BINARY, COLSEC_BINARY, "long.txt", static_cast<char*>(nullptr));
      }
      ::_exit(127);
    }
    // Wait until the run has created its temporary files, then interrupt it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (countTemporaryFiles(dir.path()) < temporaryFiles && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(countTemporaryFiles(dir.path()), temporaryFiles) << "the run did not start writing";
    ::kill(child, signalNumber);
    int status = 0;
    ::waitpid(child, &status, 0);

    ASSERT_TRUE(WIFSIGNALED(status)) << "the run finished before it was interrupted";
    EXPECT_EQ(WTERMSIG(status), signalNumber);
    EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
    for (const char* suffix : kResultSuffixes) EXPECT_EQ(readFile(dir.file(std::string("long") + suffix)), "earlier");
    EXPECT_EQ(readFile(dir.file("long_Result.json")), "earlier");
  }
}

TEST(RunReliabilityTest, SameInputGivesSameBytes) {
  const std::string input =
      "#MATERIAL Steel1993_543 Nr 1 Prio 2 E 210000 355 81000\n"
      "#MATERIAL CONC1992_3171 Nr 2 Prio 1 E 33000 17 0.85 0.002 0.0035 2\n"
      "#MATERIAL Steel1992_327b Nr 3 Prio 3 E 200000 435\n"
      "#PROFILE HEB Pos 1 Mat 1 Dim 300 300 11 19 27 0\n"
      "#PROFILE RECT Pos 2 Mat 2 Dim 500 500 0 0 0\n"
      "#PROFILE CIRC Pos 3 Mat 3 Dim 200 200 25 0 0\n"
      "#PROFILE CIRC Pos 4 Mat 3 Dim -200 -200 25 0 0\n"
      "#FORCEED F -3000000 150000000 50000000 50000 100000\n"
      "#SETTINGS S 10 0 0 7 40\n";
  TempDir first;
  TempDir second;
  writeFile(first.file("col.txt"), input);
  writeFile(second.file("col.txt"), input);
  const test::RunResult a = runColsec({"col.txt"}, first.path());
  const test::RunResult b = runColsec({"col.txt"}, second.path());
  ASSERT_EQ(a.exitCode, 0);
  ASSERT_EQ(b.exitCode, 0);
  EXPECT_EQ(a.out, b.out);
  for (const char* suffix : kResultSuffixes) {
    const std::string name = std::string("col") + suffix;
    EXPECT_EQ(readFile(first.file(name)), readFile(second.file(name))) << name;
  }
}

}  // namespace
}  // namespace colsec
