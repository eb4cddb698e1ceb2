// colsec: verification of a composite column cross-section under axial
// force, biaxial bending and biaxial shear. Exit status: 0 after a run
// (whatever its verdict), 1 for an input or output error, 2 for a usage error.

#include <unistd.h>

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <thread>

#include "app/AnalysisJob.h"
#include "app/CommandLine.h"
#include "app/ErrorHandling.h"
#include "app/InterruptCleanup.h"
#include "app/LoadCaseJob.h"

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
    "  --threads N    use N threads (default: one per core)\n"
    "Exit status: 0 after a run, 1 for an input or output error, 2 for a usage error.\n";

int threadCount(int requested) {
  if (requested > 0) return requested;
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const colsec::CommandLine line = colsec::parseCommandLine(argc, argv);
  switch (line.action) {
    case colsec::CommandLine::Action::Help:
      std::cout << kUsage;
      return 0;
    case colsec::CommandLine::Action::Version:
      std::cout << "colsec " << COLSEC_VERSION << "\n";
      return 0;
    case colsec::CommandLine::Action::UsageError:
      std::cout << "Wrong Parameter List";
      return 2;
    case colsec::CommandLine::Action::Run:
      break;
  }
  colsec::installInterruptCleanup();
  const bool terminal = isatty(STDOUT_FILENO) == 1;
  try {
    if (!line.loads.empty()) {
      colsec::LoadCaseJob job(line.input, line.loads, std::cout, std::cerr,
                              {line.json, threadCount(line.threads), terminal});
      job.run();
    } else {
      colsec::AnalysisJob job(line.input, std::cout, std::cerr, terminal, line.json);
      job.run();
    }
  } catch (const std::exception& error) {
    // The temporary results are gone, the earlier results are untouched.
    return colsec::reportRunFailure("colsec", error, std::cout, std::cerr);
  }
  std::cout.flush();
  return 0;
}
