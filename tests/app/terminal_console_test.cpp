// What the pinned terminal runs (tests/e2e, terminal.txt) do not show: a
// warning that arrives in the middle of a progress line goes to standard
// error at once and starts a line of its own; the warnings are repeated
// after the progress.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/TerminalConsole.h"

namespace colsec {
namespace {

TEST(TerminalConsole, AWarningInTheMiddleOfTheProgressStartsALineOfItsOwn) {
  const std::string erase = "\x1b[K";
  // Standard error and output on one terminal, as an engineer sees them.
  std::ostringstream terminal;
  TerminalConsole console(terminal, terminal, 200);
  console.diagnostics() << "col.txt: warning: first\n";
  console.progress() << "Calculating Shear Stresses\n";
  console.diagnostics() << "col.txt:3: warning: second " << 2 << "\n";
  console.progress() << "Starting Stress analysis\n";
  console.finish();
  EXPECT_EQ(terminal.str(), "col.txt: warning: first\n\rCalculating Shear Stresses" + erase +
                                "\ncol.txt:3: warning: second 2\n\rStarting Stress analysis" + erase +
                                "\n\nWarnings:\ncol.txt: warning: first\ncol.txt:3: warning: second 2\n");
}

}  // namespace
}  // namespace colsec
