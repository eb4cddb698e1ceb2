// colsec: verification of a composite column cross-section under axial
// force, biaxial bending and biaxial shear. Exit status: 0 after a run
// (whatever its verdict), 1 for an input or output error, 2 for a usage error.

#include <unistd.h>

#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "app/AnalysisJob.h"
#include "app/ConsoleSummary.h"
#include "app/InterruptCleanup.h"
#include "app/TerminalConsole.h"
#include "input/InputError.h"

namespace {

constexpr const char* kUsage =
    "usage: colsec INPUT\n"
    "Verifies the composite column section described in INPUT and writes\n"
    "INPUT.cclog, INPUT_Section.res, INPUT_Interaction.res and INPUT_Validation.res\n"
    "beside it (INPUT without its extension).\n"
    "Exit status: 0 after a run, 1 for an input or output error, 2 for a usage error.\n";

constexpr const char* kUsageLine = "usage: colsec INPUT   (colsec --help for more)\n";

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const bool terminal = isatty(STDOUT_FILENO) == 1;
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "colsec " << COLSEC_VERSION << "\n";
    return 0;
  }
  if (argc != 2) {
    // Standard output keeps its historic text, without a line end, for
    // scripts; a terminal gets the line end so the prompt starts afresh.
    std::cout << "Wrong Parameter List" << (terminal ? "\n" : "");
    std::cout.flush();
    std::cerr << kUsageLine;
    return 2;
  }
  colsec::installInterruptCleanup();
  // On a terminal the progress is shown in place and the run ends with its
  // verdicts; into a file or a pipe the text is the plain progress log.
  std::optional<colsec::TerminalConsole> console;
  if (terminal) console.emplace(std::cout, std::cerr, colsec::terminalWidth());
  const auto endConsole = [&] {
    if (console) console->finish();
    std::cout.flush();
  };
  try {
    colsec::AnalysisJob job(argv[1], console ? console->progress() : std::cout,
                            console ? console->diagnostics() : std::cerr);
    job.run();
    endConsole();
    if (console) colsec::writeConsoleSummary(std::cout, job.sectionModel(), job.reportPath());
  } catch (const colsec::InputError& error) {
    endConsole();
    std::cerr << "colsec: " << error.what() << "\n";
    return 1;
  } catch (const colsec::OutputError& error) {
    endConsole();
    std::cerr << "colsec: " << error.what() << "\n";
    return 1;
  } catch (const std::exception& error) {
    // For example exhausted memory: the temporary results are gone, the
    // earlier results are untouched.
    endConsole();
    std::cerr << "colsec: the run failed: " << error.what() << "\n";
    return 1;
  }
  std::cout.flush();
  return 0;
}
