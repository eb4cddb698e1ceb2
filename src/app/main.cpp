// colsec: verification of a composite column cross-section under axial
// force, biaxial bending and biaxial shear. Exit status: 0 after a run
// (whatever its verdict), 1 for an input or output error, 2 for a usage error.

#include <unistd.h>

#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "app/AnalysisJob.h"
#include "app/CommandLine.h"
#include "app/ConsoleSummary.h"
#include "app/ErrorHandling.h"
#include "app/InterruptCleanup.h"
#include "app/LargePages.h"
#include "app/LoadCaseJob.h"
#include "app/TerminalConsole.h"
#include "model/ParallelFor.h"

namespace {

constexpr const char* kUsage =
    "usage: colsec INPUT\n"
    "       colsec [--json] [--loads LOADS.csv] [--threads N] INPUT\n"
    "Verifies the composite column section described in INPUT and writes\n"
    "INPUT.cclog, INPUT_Section.res, INPUT_Interaction.res and INPUT_Validation.res\n"
    "beside it (INPUT without its extension).\n"
    "  --json         also write INPUT_Result.json, the results in machine-readable form\n"
    "  --loads FILE   check every load combination of the table FILE (CSV with the header\n"
    "                 name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]) instead of the\n"
    "                 forces of INPUT; writes INPUT_LoadCases.csv and INPUT_LoadCases.json,\n"
    "                 and the result files of the governing combination\n"
    "  --threads N    use N threads (default: one per core; 1 starts no thread)\n"
    "Exit status: 0 after a run, 1 for an input or output error, 2 for a usage error.\n";

constexpr const char* kUsageLine = "usage: colsec INPUT   (colsec --help for more)\n";

}  // namespace

int main(int argc, char** argv) {
  colsec::useLargePages();
  std::ios::sync_with_stdio(false);
  const bool terminal = isatty(STDOUT_FILENO) == 1;
  const colsec::CommandLine line = colsec::parseCommandLine(argc, argv);
  switch (line.action) {
    case colsec::CommandLine::Action::Help:
      std::cout << kUsage;
      return 0;
    case colsec::CommandLine::Action::Version:
      std::cout << "colsec " << COLSEC_VERSION << "\n";
      return 0;
    case colsec::CommandLine::Action::UsageError:
      // Standard output keeps its historic text, without a line end, for
      // scripts; a terminal gets the line end so the prompt starts afresh.
      std::cout << "Wrong Parameter List" << (terminal ? "\n" : "");
      std::cout.flush();
      if (!line.error.empty()) std::cerr << "colsec: " << line.error << "\n";
      std::cerr << kUsageLine;
      return 2;
    case colsec::CommandLine::Action::Run:
      break;
  }
  colsec::installInterruptCleanup();
  // On a terminal the progress is shown in place and the run ends with its
  // verdicts; into a file or a pipe the text is the plain progress log.
  std::optional<colsec::TerminalConsole> console;
  if (terminal) console.emplace(std::cout, std::cerr, colsec::terminalWidth());
  std::ostream& progress = console ? console->progress() : std::cout;
  std::ostream& diagnostics = console ? console->diagnostics() : std::cerr;
  const auto endConsole = [&] {
    if (console) console->finish();
    std::cout.flush();
  };
  try {
    if (!line.loads.empty()) {
      const int threads = line.threads > 0 ? line.threads : colsec::hardwareThreads();
      colsec::LoadCaseJob job(line.input, line.loads, std::cout, diagnostics, {line.json, threads, terminal});
      job.run();
      endConsole();
    } else {
      colsec::AnalysisJob job(line.input, progress, diagnostics, line.json);
      job.setThreads(line.threads);
      job.run();
      endConsole();
      if (console) colsec::writeConsoleSummary(std::cout, job.sectionModel(), job.reportPath());
    }
  } catch (const std::exception& error) {
    // The temporary results are gone, the earlier results are untouched.
    endConsole();
    return colsec::reportRunFailure("colsec", error, std::cout, std::cerr);
  }
  std::cout.flush();
  return 0;
}
