// colsec: verification of a composite column cross-section under axial
// force, biaxial bending and biaxial shear. Exit status: 0 after a run
// (whatever its verdict), 1 for an input or output error, 2 for a usage error.

#include <unistd.h>

#include <exception>
#include <iostream>
#include <string>

#include "app/AnalysisJob.h"
#include "app/ErrorHandling.h"
#include "app/InterruptCleanup.h"

namespace {

constexpr const char* kUsage =
    "usage: colsec INPUT\n"
    "Verifies the composite column section described in INPUT and writes\n"
    "INPUT.cclog, INPUT_Section.res, INPUT_Interaction.res and INPUT_Validation.res\n"
    "beside it (INPUT without its extension).\n"
    "  --json  also write INPUT_Result.json, the results in machine-readable form\n"
    "Exit status: 0 after a run, 1 for an input or output error, 2 for a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "colsec " << COLSEC_VERSION << "\n";
    return 0;
  }
  // "--json INPUT" also writes the JSON result; "--json" alone names no input.
  const bool json = argc == 3 && std::string(argv[1]) == "--json";
  if ((argc != 2 && !json) || (argc == 2 && std::string(argv[1]) == "--json")) {
    std::cout << "Wrong Parameter List";
    return 2;
  }
  const char* const inputPath = argv[argc - 1];
  colsec::installInterruptCleanup();
  try {
    colsec::AnalysisJob job(inputPath, std::cout, std::cerr, isatty(STDOUT_FILENO) == 1, json);
    job.run();
  } catch (const std::exception& error) {
    // The temporary results are gone, the earlier results are untouched.
    return colsec::reportRunFailure("colsec", error, std::cout, std::cerr);
  }
  std::cout.flush();
  return 0;
}
