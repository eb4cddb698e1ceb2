// colsec-plot: draws the results of an earlier colsec run as one
// self-contained HTML page. Exit status: 0 when the page was written, 1 for
// a missing or malformed input or result file or a page that cannot be
// written, 2 for a usage error.

#include <exception>
#include <iostream>
#include <string>

#include "input/InputError.h"
#include "plot/PlotJob.h"
#include "plot/ResultFiles.h"

namespace {

constexpr const char* kUsage =
    "usage: colsec-plot INPUT\n"
    "Reads INPUT and the result files an earlier run of colsec wrote beside it\n"
    "(INPUT_Section.res, INPUT_Interaction.res, INPUT_Validation.res) and writes\n"
    "INPUT_Plot.html there (INPUT without its extension): the section, its\n"
    "stresses, the interaction curves and the verdicts. Nothing is recomputed.\n"
    "Exit status: 0 when the page was written, 1 for a missing or malformed file,\n"
    "2 for a usage error.\n";

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
  colsec::plot::installPlotInterruptCleanup();
  try {
    const std::string page = colsec::plot::runPlot(argv[1], std::cerr);
    std::cout << "Plot: " << page << "\n";
  } catch (const colsec::InputError& error) {
    std::cerr << "colsec-plot: " << error.what() << "\n";
    return 1;
  } catch (const colsec::plot::ResultFileError& error) {
    std::cerr << "colsec-plot: " << error.what() << "\n";
    return 1;
  } catch (const colsec::plot::PlotOutputError& error) {
    std::cerr << "colsec-plot: " << error.what() << "\n";
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "colsec-plot: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
