// colsec-plot: analyses a composite column section as colsec does and
// draws the results as one self-contained HTML page. Exit status: 0 when
// the page was written, 1 for an input error or a page that cannot be
// written, 2 for a usage error.

#include <exception>
#include <iostream>
#include <string>

#include "app/ErrorHandling.h"
#include "app/InterruptCleanup.h"
#include "app/LargePages.h"
#include "plot/PlotJob.h"

namespace {

constexpr const char* kUsage =
    "usage: colsec-plot [--loads LOADS.csv] INPUT\n"
    "Analyses the section described in INPUT as colsec does, in memory (no result\n"
    "file is read or written), and writes INPUT_Plot.html beside it (INPUT without\n"
    "its extension): the section, its stresses, the interaction curves and the\n"
    "verdicts.\n"
    "With --loads, every combination of the table LOADS.csv is analysed; the page\n"
    "is drawn for the governing combination and shows every combination's design\n"
    "point and the table of combinations.\n"
    "Exit status: 0 when the page was written, 1 for an input error or a page that\n"
    "cannot be written, 2 for a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  colsec::useLargePages();
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "colsec-plot " << COLSEC_VERSION << "\n";
    return 0;
  }
  std::string loads;
  std::string input;
  if (argc == 2 && std::string(argv[1]).rfind("--", 0) != 0) {
    input = argv[1];
  } else if (argc == 4 && std::string(argv[1]) == "--loads") {
    loads = argv[2];
    input = argv[3];
  } else {
    std::cerr << kUsage;
    return 2;
  }
  colsec::installInterruptCleanup();
  try {
    const std::string page = colsec::plot::drawPage(input, std::cerr, loads);
    std::cout << "Plot: " << page << "\n";
  } catch (const std::exception& error) {
    return colsec::reportRunFailure("colsec-plot", error, std::cout, std::cerr);
  }
  return 0;
}
