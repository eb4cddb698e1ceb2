// A run either completes all four result files or leaves the earlier ones
// untouched, also when it is interrupted.

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

}  // namespace
}  // namespace colsec
