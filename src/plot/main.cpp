// colsec-plot: analyses a composite column section as colsec does and
// draws the results as one self-contained HTML page. Exit status: 0 when
// the page was written, 1 for an input error or a page that cannot be
// written, 2 for a usage error.

#include <exception>
#include <iostream>
#include <string>

#include "app/ErrorHandling.h"
#include "app/InterruptCleanup.h"
#include "plot/PlotJob.h"

namespace {

constexpr const char* kUsage =
    "usage: colsec-plot INPUT\n"
    "Analyses the section described in INPUT as colsec does, in memory (no result\n"
    "file is read or written), and writes INPUT_Plot.html beside it (INPUT without\n"
    "its extension): the section, its stresses, the interaction curves and the\n"
    "verdicts.\n"
    "Exit status: 0 when the page was written, 1 for an input error or a page that\n"
    "cannot be written, 2 for a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "colsec-plot " << COLSEC_VERSION << "\n";
    return 0;
  }
  if (argc != 2) {
    std::cerr << kUsage;
    return 2;
  }
  colsec::installInterruptCleanup();
  try {
    const std::string page = colsec::plot::drawPage(argv[1], std::cerr);
    std::cout << "Plot: " << page << "\n";
  } catch (const std::exception& error) {
    return colsec::reportRunFailure("colsec-plot", error, std::cout, std::cerr);
  }
  return 0;
}
