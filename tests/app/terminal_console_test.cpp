// The console on a terminal: progress as one line per phase rewritten in
// place, warnings repeated after it, the verdicts at the end, and never a
// cleared screen; into a pipe the text stays the plain progress log.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/ConsoleSummary.h"
#include "app/TerminalConsole.h"
#include "model/SectionModel.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::visible;
using test::writeFile;

const std::string kErase = "\x1b[K";

// ---------------------------------------------------------------- the filter

std::string rendered(const std::string& progress, int width) {
  std::ostringstream terminal;
  ProgressLines lines(terminal, width);
  std::ostream stream(&lines);
  stream << progress;
  stream.flush();
  lines.breakLine();
  return terminal.str();
}

TEST(ProgressLinesTest, EachPhaseIsOneLineRewrittenInPlace) {
  struct Case {
    const char* name;
    std::string progress;
    std::string expected;
  };
  const Case cases[] = {
      {"iterations update their phase",
       "Calculating Shear Stresses\nIteration 1: fResid [kN]: Qy=1 Qz=2\nIteration 2: fResid [kN]: Qy=0 Qz=0\n"
       "Saving Element Results\n",
       "\rCalculating Shear Stresses" + kErase + "\rCalculating Shear Stresses: Iteration 1: fResid [kN]: Qy=1 Qz=2" +
           kErase + "\rCalculating Shear Stresses: Iteration 2: fResid [kN]: Qy=0 Qz=0" + kErase + "\n" +
           "\rSaving Element Results" + kErase + "\n"},
      {"angles and bars update the curves' line; Done adds nothing",
       "Saving Material Results\n\nDone\nDone\nCalculating Interaction Curves\n Alpha = 0 Degrees\n[>   ] 0 %\r\n"
       "\nDone\nCalculating Interaction Curves\n Alpha = 90 Degrees\n[==> ] 50 %\r\n\nDone\n"
       "Calculating Interaction Curves Done\n\n",
       "\rSaving Material Results" + kErase + "\n" + "\rCalculating Interaction Curves" + kErase +
           "\rCalculating Interaction Curves: Alpha = 0 Degrees" + kErase +
           "\rCalculating Interaction Curves: Alpha = 0 Degrees, 0 %" + kErase +
           "\rCalculating Interaction Curves: Alpha = 90 Degrees" + kErase +
           "\rCalculating Interaction Curves: Alpha = 90 Degrees, 50 %" + kErase +
           "\rCalculating Interaction Curves: Done" + kErase + "\n"},
      {"text without a line end is shown when the line breaks", "Writing Element Results",
       "\rWriting Element Results" + kErase + "\n"},
      {"nothing shown, nothing to break", "\n\r\nDone\n", ""},
  };
  for (const Case& c : cases) {
    const std::string got = rendered(c.progress, 200);
    EXPECT_EQ(got, c.expected) << c.name << "\n got: " << visible(got) << "\nwant: " << visible(c.expected);
    EXPECT_EQ(got.find("\x1b[2J"), std::string::npos) << c.name;
  }
}

TEST(ProgressLinesTest, ALineNeverWrapsTheTerminal) {
  // 30 columns: at most 29 characters, so the cursor stays on the line.
  const std::string got = rendered("Starting Stress analysis\nIteration 12: fResid [kN/kNm]: Nx=1 My=2 Mz=3\n", 30);
  EXPECT_EQ(got, "\rStarting Stress analysis" + kErase + "\rStarting Stress analysis: Ite" + kErase + "\n")
      << visible(got);
}

TEST(TerminalConsoleTest, WarningsGoToStandardErrorAtOnceAndAreRepeatedAfterTheProgress) {
  std::ostringstream terminal;
  std::ostringstream errors;
  TerminalConsole console(terminal, errors, 200);
  console.diagnostics() << "col.txt: warning: first\n";
  console.progress() << "Calculating Shear Stresses\n";
  // A warning in the middle of the progress starts on a line of its own.
  console.diagnostics() << "col.txt:3: warning: second " << 2 << "\n";
  console.progress() << "Starting Stress analysis\n";
  console.finish();
  EXPECT_EQ(errors.str(), "col.txt: warning: first\ncol.txt:3: warning: second 2\n");
  const std::string expected = "\rCalculating Shear Stresses" + kErase + "\n" + "\rStarting Stress analysis" + kErase +
                               "\n" + "\nWarnings:\ncol.txt: warning: first\ncol.txt:3: warning: second 2\n";
  EXPECT_EQ(terminal.str(), expected) << visible(terminal.str());
}

TEST(TerminalConsoleTest, NoWarningsNoHeading) {
  std::ostringstream terminal;
  std::ostringstream errors;
  TerminalConsole console(terminal, errors, 80);
  console.progress() << "Saving Material Results\n";
  console.finish();
  EXPECT_EQ(terminal.str(), "\rSaving Material Results" + kErase + "\n");
  EXPECT_EQ(errors.str(), "");
}

// ---------------------------------------------------------------- the summary

// The summary formats the stored verdicts; it decides none of them.
TEST(ConsoleSummaryTest, VerdictsGoverningItemWarningsAndReportPath) {
  const auto item = [](const char* clause, const char* what, double u, bool ok, bool warning) {
    DesignCheckItem i;
    i.clause = clause;
    i.what = what;
    i.utilisation = u;
    i.ok = ok;
    i.warning = warning;
    return i;
  };
  struct Case {
    const char* name;
    bool general;
    bool simplifiedComputed;
    bool shearOk;
    std::vector<DesignCheckItem> items;
    bool verdict;
    int governing;
    std::string expected;
  };
  const std::string head = "\nGeneral method (EN 1994-1-1, 6.7.2):    ";
  const Case cases[] = {
      {"all pass", true, true, true, {item("6.7.2", "fibres", 0.4, true, false), item("6.7.3.7(2)", "linear", 0.7, true, false)},
       true, 1,
       head + "verified\nSimplified method (EN 1994-1-1, 6.7.3): verified\nDesign check (EN 1994-1-1, 6.7):        "
              "verified\n  governing: 6.7.3.7(2) linear: utilisation 0.7\nReport: dir/col_Validation.res\n"},
      {"failing items and a warning", false, true, false,
       {item("6.7.2", "fibres", 1.3, false, false), item("6.7.3.6(1)", "alpha", 1.1, false, false),
        item("fibres", "area of profile 3", 2.2, false, true)},
       false, 0,
       head + "NOT verified\nSimplified method (EN 1994-1-1, 6.7.3): NOT verified\nDesign check (EN 1994-1-1, 6.7):"
              "        NOT verified\n  governing: 6.7.2 fibres: utilisation 1.3 (fails)\n  also fails: 6.7.3.6(1) alpha\n"
              "  warning: fibres area of profile 3\nReport: dir/col_Validation.res\n"},
      {"a failure without a number", false, true, true,
       {item("6.7.2", "general method: the design forces lie outside the resistance of the section", std::nan(""),
             false, false)},
       false, 0,
       head + "NOT verified\nSimplified method (EN 1994-1-1, 6.7.3): verified\nDesign check (EN 1994-1-1, 6.7):"
              "        NOT verified\n  governing: 6.7.2 general method: the design forces lie outside the resistance "
              "of the section (fails)\nReport: dir/col_Validation.res\n"},
      {"no simplified method with a LINEAR material", true, false, true, {}, true, -1,
       head + "verified\nSimplified method (EN 1994-1-1, 6.7.3): not applied (a LINEAR material is in use)\n"
              "Design check (EN 1994-1-1, 6.7):        verified\nReport: dir/col_Validation.res\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream unused;
    SectionModel model(unused);
    model.generalMethod.verified = c.general;
    model.simplifiedMethod.computed = c.simplifiedComputed;
    for (RatioCheck* r : {&model.simplifiedMethod.shearY, &model.simplifiedMethod.shearZ, &model.simplifiedMethod.axial,
                          &model.simplifiedMethod.linearSum}) {
      r->ok = true;
    }
    model.simplifiedMethod.shearY.ok = c.shearOk;
    model.designCheck.computed = true;
    model.designCheck.items = c.items;
    model.designCheck.verdict = c.verdict;
    model.designCheck.governing = c.governing;
    std::ostringstream console;
    writeConsoleSummary(console, model, "dir/col_Validation.res");
    EXPECT_EQ(console.str(), c.expected) << c.name;
  }
}

// ---------------------------------------------------------------- the program on a pseudo-terminal

struct TerminalRun {
  int exitCode = -1;
  std::string terminal;  // everything written to the terminal (stdout)
  std::string err;       // standard error, kept apart in a file
};

// Runs colsec with its standard output on a pseudo-terminal of `columns`
// columns in raw mode (no "\n" -> "\r\n"), standard error into a file.
TerminalRun runOnTerminal(const std::vector<std::string>& args, const fs::path& cwd, int columns) {
  TerminalRun run;
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return run;
  const std::string slaveName = ::ptsname(master);
  const std::string errPath = (cwd / "stderr.capture").string();
  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    const int slave = ::open(slaveName.c_str(), O_RDWR);
    if (slave < 0) ::_exit(127);
    termios mode{};
    ::tcgetattr(slave, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(slave, TCSANOW, &mode);
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = 24;
    ::ioctl(slave, TIOCSWINSZ, &size);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (::chdir(cwd.c_str()) != 0 || err < 0) ::_exit(127);
    ::dup2(slave, STDIN_FILENO);
    ::dup2(slave, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::close(slave);
    ::close(err);
    ::close(master);
    std::vector<std::string> copies(args);
    std::string binary = COLSEC_BINARY;
    std::vector<char*> argv{binary.data()};
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  // Read until the child has closed the terminal (EIO on Linux).
  char buffer[4096];
  while (true) {
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n > 0) {
      run.terminal.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(master);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.err = readFile(errPath);
  fs::remove(errPath);
  return run;
}

// What a terminal shows at the end: per line the text after its last "\r",
// with the erase sequences taken out.
std::vector<std::string> finalScreen(const std::string& text) {
  std::vector<std::string> screen;
  for (std::string line : test::splitLines(text)) {
    const std::size_t cr = line.rfind('\r');
    if (cr != std::string::npos) line = line.substr(cr + 1);
    for (std::size_t at; (at = line.find(kErase)) != std::string::npos;) line.erase(at, kErase.size());
    screen.push_back(line);
  }
  return screen;
}

// The last line of `console` that starts with `prefix` before `before`.
std::string lastLineBefore(const std::string& console, const std::string& prefix, const std::string& before) {
  std::string found;
  for (const std::string& line : test::splitLines(console.substr(0, console.find(before)))) {
    if (line.rfind(prefix, 0) == 0) found = line;
  }
  return found;
}

TEST(TerminalRunTest, OneLinePerPhaseThenTheVerdictsAndNeverAClearedScreen) {
  const fs::path cases = fs::path(COLSEC_SOURCE_DIR) / "tests/e2e";
  const std::string input = readFile(cases / "cases/steel_curves.txt");
  const std::string console = readFile(cases / "expected/steel_curves/console.txt");
  TempDir dir;
  writeFile(dir.file("col.txt"), input);

  // Into a pipe: today's console text, byte for byte.
  const test::RunResult piped = test::runColsec({"col.txt"}, dir.path());
  EXPECT_EQ(piped.exitCode, 0);
  EXPECT_TRUE(piped.out == console) << test::firstDifference(console, piped.out);
  const std::string report = readFile(dir.path() / "col_Validation.res");

  const TerminalRun run = runOnTerminal({"col.txt"}, dir.path(), 100);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.terminal.find("\x1b[2J"), std::string::npos) << visible(run.terminal);
  // The same results as from the run into the pipe.
  EXPECT_EQ(readFile(dir.path() / "col_Validation.res"), report);

  const std::string shear = lastLineBefore(console, "Iteration", "Saving Element Results");
  const std::string stress = lastLineBefore(console, "Iteration", "Writing Element Results");
  // The verdicts as the report states them: both methods pass.
  ASSERT_NE(report.find("NACHWEIS ERBRACHT: JA"), std::string::npos);
  ASSERT_EQ(report.find("Nicht erfüllt"), std::string::npos);
  const std::vector<std::string> expected = {
      "Calculating Shear Stresses: " + shear,
      "Saving Element Results",
      ("Starting Stress analysis: " + stress).substr(0, 99),
      "Saving Element Results",
      "Writing Element Results",
      "Saving Material Results",
      "Calculating Interaction Curves: Done",
      "",
      "General method (EN 1994-1-1, 6.7.2):    verified",
      "Simplified method (EN 1994-1-1, 6.7.3): verified",
      "Design check (EN 1994-1-1, 6.7):        verified",
      "  governing: 6.7.2 general method: fibre limits (concrete strain against εcu, LINEAR stress limits, shear "
      "stress against τlim): utilisation 0.64378",
      "Report: col_Validation.res",
      "",
  };
  EXPECT_EQ(finalScreen(run.terminal), expected) << visible(run.terminal);
}

TEST(TerminalRunTest, WarningsAreRepeatedBeforeTheVerdicts) {
  TempDir dir;
  // No "#FORCEED": the forces are 0, with a warning.
  writeFile(dir.file("col.txt"),
            "#MATERIAL Steel1993_543 Nr 1 Prio 1 P 200000 235 80000\n"
            "#PROFILE RECT Pos 1 Mat 1 Dim 24 48 0 0 0\n"
            "#SETTINGS S 14 0 0 3 6\n");
  const std::string warning = "col.txt: warning: no #FORCEED record; the design forces are taken as 0\n";
  const TerminalRun run = runOnTerminal({"col.txt"}, dir.path(), 80);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, warning);
  const std::string text = "\n" + run.terminal;
  const std::size_t warnings = text.find("\nWarnings:\n" + warning);
  const std::size_t verdict = text.find("\nGeneral method");
  ASSERT_NE(warnings, std::string::npos) << visible(run.terminal);
  EXPECT_LT(text.find("Calculating Interaction Curves: Done"), warnings) << visible(run.terminal);
  EXPECT_LT(warnings, verdict) << visible(run.terminal);
}

TEST(TerminalRunTest, UsageOnATerminal) {
  TempDir dir;
  const TerminalRun none = runOnTerminal({}, dir.path(), 80);
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_EQ(none.terminal, "Wrong Parameter List\n");
  EXPECT_EQ(none.err, "usage: colsec INPUT   (colsec --help for more)\n");
  const TerminalRun help = runOnTerminal({"-h"}, dir.path(), 80);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.terminal.rfind("usage: colsec INPUT\n", 0), 0u) << help.terminal;
}

}  // namespace
}  // namespace colsec
