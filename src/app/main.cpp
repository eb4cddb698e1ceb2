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
  if (argc != 2) {
    std::cout << "Wrong Parameter List";
    return 2;
  }
  colsec::installInterruptCleanup();
  try {
    colsec::AnalysisJob job(argv[1], std::cout, std::cerr, isatty(STDOUT_FILENO) == 1);
    job.run();
  } catch (const std::exception& error) {
    // The temporary results are gone, the earlier results are untouched.
    return colsec::reportRunFailure("colsec", error, std::cout, std::cerr);
  }
  std::cout.flush();
  return 0;
}
