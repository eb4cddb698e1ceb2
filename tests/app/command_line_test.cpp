// The program as a user starts it: arguments, exit status, messages, and
// which files a run creates, keeps or leaves alone.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runColsec;
using test::RunResult;
using test::TempDir;
using test::writeFile;

using test::kResultSuffixes;

// A concrete-filled square steel tube, nonlinear materials only, so that
// all four result files get content.
const std::string kTubeColumn =
    "// concrete-filled square tube 200 x 10, S355, C30/37\n"
    "#MATERIAL Steel1993_543 Nr 1 Prio 2 E/fyd/G 210000 355 81000\n"
    "#MATERIAL CONC1992_3171 Nr 2 Prio 1 E/fcd/red/eps 33000 17 0.85 0.002 0.0035 2\n"
    "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n"
    "#PROFILE RECT Nr 2 Mat 2 Dim 180 180 0 0 0\n"
    "#FORCEED F -500000 10000000 5000000 10000 5000\n"
    "#SETTINGS S 10 0 0 8 20\n";

// A steel plate of a linear material: no interaction curves.
const std::string kLinearPlate =
    "#MATERIAL LINEAR Nr 1 Prio 1 E/fyt/fyc/G/fys 210000 355 -355 81000 205\n"
    "#PROFILE RECT Nr 1 Mat 1 Dim 100 50 0 0 0\n"
    "#FORCEED F -100000 1000000 0 0 0\n"
    "#SETTINGS S 10 0 0 8 20\n";

// Every file and folder below `root`, relative to it, with the bytes of
// each file ("/" for a folder).
std::map<std::string, std::string> snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).generic_string();
    entries[name] = entry.is_directory() ? "/" : readFile(entry.path());
  }
  return entries;
}

std::set<std::string> names(const fs::path& root) {
  std::set<std::string> result;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    result.insert(fs::relative(entry.path(), root).generic_string());
  }
  return result;
}

std::set<std::string> withOutputs(std::set<std::string> files, const std::string& stem) {
  for (const char* suffix : kResultSuffixes) files.insert(stem + suffix);
  return files;
}

// ---------------------------------------------------------------- usage

TEST(CommandLineTest, WrongArgumentCountIsAUsageError) {
  const std::vector<std::vector<std::string>> argumentLists = {
      {}, {"col.txt", "col.txt"}, {"col.txt", "extra"}, {"--help", "--version"}, {"a", "b", "c"}};
  for (const auto& arguments : argumentLists) {
    TempDir dir;
    writeFile(dir.file("col.txt"), kTubeColumn);
    const RunResult run = runColsec(arguments, dir.path());
    EXPECT_EQ(run.exitCode, 2) << arguments.size() << " arguments";
    // Standard output as it always was, for scripts; the usage on standard error.
    EXPECT_EQ(run.out, "Wrong Parameter List") << arguments.size() << " arguments";
    EXPECT_EQ(run.err, "usage: colsec INPUT   (colsec --help for more)\n") << arguments.size() << " arguments";
    EXPECT_EQ(names(dir.path()), std::set<std::string>{"col.txt"}) << arguments.size() << " arguments";
  }
}

TEST(CommandLineTest, HelpAndVersionGoToStandardOutput) {
  TempDir dir;
  const RunResult help = runColsec({"--help"}, dir.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: colsec INPUT\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("_Validation.res"), std::string::npos) << help.out;
  EXPECT_EQ(help.err, "");

  // -h is --help.
  const RunResult shortHelp = runColsec({"-h"}, dir.path());
  EXPECT_EQ(shortHelp.exitCode, 0);
  EXPECT_EQ(shortHelp.out, help.out);
  EXPECT_EQ(shortHelp.err, "");

  const RunResult version = runColsec({"--version"}, dir.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("colsec ") + COLSEC_VERSION + "\n");
  EXPECT_EQ(version.err, "");

  // Neither reads nor writes anything: no "--help.cclog" or similar.
  EXPECT_TRUE(names(dir.path()).empty());
}

// ---------------------------------------------------------------- input that cannot be read

TEST(CommandLineTest, MissingInputIsReportedAndTouchesNoFile) {
  TempDir dir;
  // Results of an earlier run with this name must survive.
  for (const char* suffix : kResultSuffixes) writeFile(dir.file(std::string("missing") + suffix), "earlier results\n");
  const auto before = snapshot(dir.path());

  const RunResult run = runColsec({"missing.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "colsec: cannot open input file 'missing.txt': No such file or directory\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(snapshot(dir.path()), before);

  const RunResult nested = runColsec({"no.such/dir/col.txt"}, dir.path());
  EXPECT_EQ(nested.exitCode, 1);
  EXPECT_EQ(nested.err, "colsec: cannot open input file 'no.such/dir/col.txt': No such file or directory\n");
  EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(CommandLineTest, InputThatIsAFolderIsReportedAndTouchesNoFile) {
  TempDir dir;
  fs::create_directory(dir.path() / "case.txt");
  const RunResult run = runColsec({"case.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 1) << run.err;
  // The message names the path, as for any input that cannot be read.
  EXPECT_EQ(run.err.rfind("colsec: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("'case.txt'"), std::string::npos) << run.err;
  EXPECT_EQ(names(dir.path()), std::set<std::string>{"case.txt"});
}

// Runs the binary as another user (when the tests run as root) so that
// file permissions hold as they do for an engineer's account.
struct Account {
  uid_t uid;
  gid_t gid;
};

Account unprivilegedAccount() {
  if (::geteuid() != 0) return {::geteuid(), ::getegid()};
  if (const passwd* nobody = ::getpwnam("nobody")) return {nobody->pw_uid, nobody->pw_gid};
  return {65534, 65534};
}

bool becomeAccount(const Account& account) {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setgid(account.gid) == 0 && ::setuid(account.uid) == 0;
}

// errno of open(path, flags) as that account, 0 when it opened.
int openErrorAs(const Account& account, const fs::path& path, int flags) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (!becomeAccount(account)) ::_exit(250);
    const int fd = ::open(path.c_str(), flags);
    ::_exit(fd >= 0 ? 0 : (errno > 0 && errno < 250 ? errno : 251));
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 252;
}

RunResult runColsecAs(const Account& account, const std::vector<std::string>& args, const fs::path& cwd) {
  const auto become = [](const void* context) { return becomeAccount(*static_cast<const Account*>(context)); };
  return test::runProgram(COLSEC_BINARY, args, cwd, become, &account);
}

TEST(CommandLineTest, ReadOnlyInputWorksAndStaysUnchanged) {
  TempDir dir;
  const Account account = unprivilegedAccount();
  // The account writes the results into the folder but may not write the input.
  fs::permissions(dir.path(), fs::perms::all);
  const fs::path input = dir.path() / "col.txt";
  writeFile(input, kTubeColumn);
  fs::permissions(input, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  struct stat before {};
  ASSERT_EQ(::stat(input.c_str(), &before), 0);

  if (openErrorAs(account, input, O_RDONLY) != 0)
    GTEST_SKIP() << "the test folder is not reachable as uid " << account.uid;
  // The premise: opening the input for writing is refused, so a program
  // that did so would fail here.
  ASSERT_EQ(openErrorAs(account, input, O_RDWR), EACCES);

  const RunResult run = runColsecAs(account, {"col.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(names(dir.path()), withOutputs({"col.txt"}, "col"));
  EXPECT_NE(readFile(dir.path() / "col_Validation.res").find("NACHWEIS ERBRACHT: "), std::string::npos);
  EXPECT_EQ(readFile(input), kTubeColumn);
  struct stat after {};
  ASSERT_EQ(::stat(input.c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mode & 07777, 0444u);
}

TEST(CommandLineTest, UnreadableInputIsReportedWithTheReason) {
  TempDir dir;
  const Account account = unprivilegedAccount();
  fs::permissions(dir.path(), fs::perms::all);
  const fs::path input = dir.path() / "col.txt";
  writeFile(input, kTubeColumn);
  if (openErrorAs(account, input, O_RDONLY) != 0)
    GTEST_SKIP() << "the test folder is not reachable as uid " << account.uid;
  fs::permissions(input, fs::perms::none);
  ASSERT_EQ(openErrorAs(account, input, O_RDONLY), EACCES);

  const RunResult run = runColsecAs(account, {"col.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "colsec: cannot open input file 'col.txt': Permission denied\n");
  EXPECT_EQ(names(dir.path()), std::set<std::string>{"col.txt"});
}

// ---------------------------------------------------------------- bad input

TEST(CommandLineTest, BadInputLeavesEarlierResultsByteForByte) {
  struct Case {
    std::string input;
    std::string err;
  };
  const Case cases[] = {
      {"#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
       "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n"
       "#FORCEED F -500000 1e7,5 5000000 10000 5000\n"
       "#SETTINGS S 10 0 0 8 20\n",
       "colsec: col.txt:3: #FORCEED my: \"1e7,5\" is not a number\n"},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
       "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n"
       "#FORCEED F -500000 10000000 5000000 10000\n"
       "#SETTINGS S 10 0 0 8 20\n",
       "colsec: col.txt:3: #FORCEED qz: missing value\n"},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
       "#PROFILE RECT Nr 1 Mat 1 Dim 200 -200 10 0 1\n"
       "#SETTINGS S 10 0 0 8 20\n",
       "colsec: col.txt:2: #PROFILE B: \"-200\" must not be negative\n"},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
       "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n"
       "#FORCEED F -500000 10000000 5000000 10000 5000\n",
       "colsec: col.txt: no #SETTINGS record: the element size (feSize) is missing\n"},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
       "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n"
       "#FORCEED F -500000 10000000 5000000 10000 5000\n"
       "#SETTINGS S 10 0 0 1 20\n",
       "colsec: col.txt:4: #SETTINGS angularSubdivisions: \"1\" gives no angle step; use 0 or at least 2\n"},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
       "#PROFILE RECT Nr 1 Mat 1 Dim 10000 999 0 0 0\n"
       "#FORCEED F -500000 10000000 5000000 10000 5000\n"
       "#SETTINGS S 1 0 0 8 20\n",
       "colsec: col.txt:4: #SETTINGS feSize: the grid would have 10001000 cells at an element size of 1 mm; "
       "at most 10000000 are allowed\n"},
  };
  TempDir dir;
  writeFile(dir.file("col.txt"), kTubeColumn);
  const RunResult good = runColsec({"col.txt"}, dir.path());
  ASSERT_EQ(good.exitCode, 0) << good.err;
  std::map<std::string, std::string> results;
  for (const char* suffix : kResultSuffixes) {
    const std::string name = std::string("col") + suffix;
    results[name] = readFile(dir.file(name));
    ASSERT_FALSE(results[name].empty()) << name;
  }

  for (const Case& c : cases) {
    writeFile(dir.file("col.txt"), c.input);
    const RunResult run = runColsec({"col.txt"}, dir.path());
    EXPECT_EQ(run.exitCode, 1) << c.err;
    EXPECT_EQ(run.err, c.err);
    // Nothing of an analysis has started.
    EXPECT_EQ(run.out.find("Calculating"), std::string::npos) << c.err;
    EXPECT_EQ(names(dir.path()), withOutputs({"col.txt"}, "col")) << c.err;
    for (const auto& [name, content] : results) EXPECT_EQ(readFile(dir.file(name)), content) << name << ", " << c.err;
  }
}

// ---------------------------------------------------------------- good input

TEST(CommandLineTest, GoodInputCreatesTheFourResultFiles) {
  TempDir dir;
  writeFile(dir.file("col.txt"), kTubeColumn);
  const RunResult run = runColsec({"col.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // Exactly the four results beside the input: no temporary file is left.
  EXPECT_EQ(names(dir.path()), withOutputs({"col.txt"}, "col"));
  for (const char* suffix : kResultSuffixes) {
    EXPECT_FALSE(readFile(dir.file(std::string("col") + suffix)).empty()) << suffix;
  }
  EXPECT_NE(readFile(dir.file("col_Interaction.res")).find("#CURVEPOINT "), std::string::npos);
  const std::string report = readFile(dir.file("col_Validation.res"));
  EXPECT_NE(report.find("NACHWEIS ERBRACHT: "), std::string::npos);
  EXPECT_EQ(report.find("Linear Material found"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("col.txt")), kTubeColumn);
}

TEST(CommandLineTest, LinearMaterialLeavesTheInteractionFileEmpty) {
  TempDir dir;
  writeFile(dir.file("plate.txt"), kLinearPlate);
  const RunResult run = runColsec({"plate.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(names(dir.path()), withOutputs({"plate.txt"}, "plate"));
  EXPECT_EQ(readFile(dir.file("plate_Interaction.res")), "");
  EXPECT_NE(
      readFile(dir.file("plate_Validation.res")).find("\n Linear Material found, interaction curves not generated."),
      std::string::npos);
}

TEST(CommandLineTest, EarlierResultsAreReplacedNotAppendedTo) {
  TempDir fresh;
  TempDir used;
  writeFile(fresh.file("col.txt"), kTubeColumn);
  writeFile(used.file("col.txt"), kTubeColumn);
  // Longer than any result, so that a write without truncation would leave a tail.
  const std::string junk(200000, 'J');
  for (const char* suffix : kResultSuffixes) writeFile(used.file(std::string("col") + suffix), junk);

  ASSERT_EQ(runColsec({"col.txt"}, fresh.path()).exitCode, 0);
  ASSERT_EQ(runColsec({"col.txt"}, used.path()).exitCode, 0);
  EXPECT_EQ(names(used.path()), withOutputs({"col.txt"}, "col"));
  for (const char* suffix : kResultSuffixes) {
    const std::string name = std::string("col") + suffix;
    EXPECT_EQ(readFile(used.file(name)), readFile(fresh.file(name))) << name;
  }
}

TEST(CommandLineTest, MissingForcesRunWithZeroForcesAndAWarning) {
  TempDir dir;
  writeFile(dir.file("col.txt"),
            "#MATERIAL Steel1993_543 Nr 1 Prio 2 P 210000 355 81000\n"
            "#PROFILE RECT Nr 1 Mat 1 Dim 200 200 10 0 1\n"
            "#SETTINGS S 10 0 0 8 20\n");
  const RunResult run = runColsec({"col.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "col.txt: warning: no #FORCEED record; the design forces are taken as 0\n");
  EXPECT_EQ(names(dir.path()), withOutputs({"col.txt"}, "col"));
}

// ---------------------------------------------------------------- output files

TEST(CommandLineTest, OutputNameTakenByAFolderStopsBeforeAnyAnalysis) {
  for (const char* taken : kResultSuffixes) {
    TempDir dir;
    writeFile(dir.file("col.txt"), kTubeColumn);
    const std::string folder = std::string("col") + taken;
    fs::create_directory(dir.path() / folder);
    writeFile(dir.path() / folder / "keep.txt", "inside");
    // The other results of an earlier run stay as they were.
    for (const char* suffix : kResultSuffixes) {
      if (suffix != taken) writeFile(dir.file(std::string("col") + suffix), "earlier");
    }
    const auto before = snapshot(dir.path());

    const RunResult run = runColsec({"col.txt"}, dir.path());
    EXPECT_EQ(run.exitCode, 1) << folder;
    EXPECT_EQ(run.err, "colsec: cannot create output file '" + folder + "': a directory of that name exists\n");
    EXPECT_EQ(run.out, "") << folder;
    EXPECT_EQ(snapshot(dir.path()), before) << folder;
  }
}

// ---------------------------------------------------------------- where the results go

TEST(CommandLineTest, ResultsLandBesideTheInput) {
  struct Case {
    std::string cwd;    // below the test folder
    std::string input;  // as given on the command line
    std::string file;   // the input file, below the test folder
    std::string stem;   // the results, below the test folder
  };
  const Case cases[] = {
      {"", "col1.txt", "col1.txt", "col1"},
      {"", "run.v1/case.2/col.in", "run.v1/case.2/col.in", "run.v1/case.2/col"},
      {"", "./run.v1/col", "run.v1/col", "run.v1/col"},
      {"", "run.v1/a.b.txt", "run.v1/a.b.txt", "run.v1/a.b"},
      {"", "run.v1/.txt", "run.v1/.txt", "run.v1/"},
      {"", "run.v1//col.txt", "run.v1/col.txt", "run.v1/col"},
      {"work.d", "../in.put/col.txt", "in.put/col.txt", "in.put/col"},
      {"work.d/sub", "../../in.put/x.y/col", "in.put/x.y/col", "in.put/x.y/col"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const fs::path cwd = dir.path() / c.cwd;
    fs::create_directories(cwd);
    fs::create_directories((dir.path() / c.file).parent_path());
    writeFile(dir.path() / c.file, kLinearPlate);
    std::set<std::string> expected = names(dir.path());
    for (const char* suffix : kResultSuffixes) expected.insert(fs::path(c.stem + suffix).lexically_normal().generic_string());

    const RunResult run = runColsec({c.input}, cwd);
    EXPECT_EQ(run.exitCode, 0) << c.input << ": " << run.err;
    EXPECT_EQ(names(dir.path()), expected) << c.input;
  }
}

TEST(CommandLineTest, AbsoluteInputPathWithDotsInFolders) {
  TempDir dir;
  const fs::path folder = dir.path() / "project.2024" / "col.v2";
  fs::create_directories(folder);
  writeFile(folder / "column.txt", kLinearPlate);
  TempDir elsewhere;
  const RunResult run = runColsec({(folder / "column.txt").string()}, elsewhere.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(names(folder), withOutputs({"column.txt"}, "column"));
  EXPECT_TRUE(names(elsewhere.path()).empty());
  EXPECT_FALSE(fs::exists(dir.path() / "project.cclog"));
}

}  // namespace
}  // namespace colsec
