// The atomic output file shared by colsec and colsec-plot, and the shared
// report of a failed run.

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/ErrorHandling.h"
#include "app/OutputFile.h"
#include "input/InputError.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;
using test::countTemporaryFiles;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(OutputFileTest, TheFinalNameAppearsOnlyWhenCommitted) {
  TempDir dir;
  OutputFile file;
  file.setFinalPath(dir.file("a.res"));
  file.create(0);
  EXPECT_EQ(countTemporaryFiles(dir.path()), 1);
  EXPECT_FALSE(fs::exists(dir.file("a.res")));
  file.out() << "text";
  file.close();
  EXPECT_FALSE(fs::exists(dir.file("a.res")));
  file.commit();
  EXPECT_EQ(readFile(dir.file("a.res")), "text");
  EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
}

TEST(OutputFileTest, AnUncommittedFileLeavesTheEarlierOneAndNoTemporaryFile) {
  TempDir dir;
  writeFile(dir.file("a.res"), "earlier");
  {
    OutputFile file;
    file.setFinalPath(dir.file("a.res"));
    file.create(0);
    file.out() << "new";
  }
  EXPECT_EQ(readFile(dir.file("a.res")), "earlier");
  EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
}

TEST(OutputFileTest, AFolderOfTheFinalNameIsAnOutputError) {
  TempDir dir;
  fs::create_directory(dir.file("a.res"));
  OutputFile file;
  file.setFinalPath(dir.file("a.res"));
  try {
    file.create(0);
    FAIL() << "no OutputError";
  } catch (const OutputError& error) {
    EXPECT_EQ(std::string(error.what()),
              "cannot create output file '" + dir.file("a.res") + "': a directory of that name exists");
  }
  EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
}

TEST(OutputFileTest, WriteFileAtomicallyReplacesTheWholeFile) {
  TempDir dir;
  writeFile(dir.file("page.html"), "an earlier and longer page");
  writeFileAtomically(dir.file("page.html"), "page", 0);
  EXPECT_EQ(readFile(dir.file("page.html")), "page");
  EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
}

struct FailureCase {
  const char* name;
  const std::exception& error;
  const char* message;
};

TEST(ErrorHandlingTest, OneLineNamingTheProgramAndStatusOne) {
  const InputError input("col.txt:3: #PROFILE H: \"-1\" must not be negative");
  const OutputError output("cannot write output file 'col.cclog': No space left on device");
  const std::bad_alloc memory;
  const std::runtime_error other("odd");
  const FailureCase cases[] = {
      {"input", input, "prog: col.txt:3: #PROFILE H: \"-1\" must not be negative\n"},
      {"output", output, "prog: cannot write output file 'col.cclog': No space left on device\n"},
      {"memory", memory, "prog: the run failed: std::bad_alloc\n"},
      {"other", other, "prog: the run failed: odd\n"},
  };
  for (const FailureCase& c : cases) {
    std::ostringstream console;
    std::ostringstream errors;
    EXPECT_EQ(reportRunFailure("prog", c.error, console, errors), 1) << c.name;
    EXPECT_EQ(errors.str(), c.message) << c.name;
    EXPECT_EQ(console.str(), "") << c.name;
  }
}

}  // namespace
}  // namespace colsec
