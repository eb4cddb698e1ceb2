#pragma once
// One run of the picture tool: read the input and the result files of the
// earlier analysis beside it, check that they belong together, and write
// "<base>_Plot.html" beside them under a temporary name that is renamed
// only when the page is complete.

#include <iosfwd>
#include <stdexcept>
#include <string>

#include "plot/PlotPage.h"

namespace colsec::plot {

// The page could not be written.
class PlotOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads and cross-checks everything the page needs. Throws InputError for
// the input file, ResultFileError for a result file. `model` receives the
// input and its elements; it must outlive the returned data.
PlotData collectPlotData(const std::string& inputPath, SectionModel& model, std::ostream& warnings);

// Writes the page to `path` through "path.tmp"; throws PlotOutputError and
// leaves neither file behind when that fails.
void writePageAtomically(const std::string& path, const std::string& page);

// The whole run; returns the path of the page. Warnings (results older
// than the input, a report and element list that disagree) go to
// `warnings` and onto the page.
std::string runPlot(const std::string& inputPath, std::ostream& warnings);

// Removes a page's temporary file when the process is interrupted by
// SIGINT, SIGTERM or SIGHUP. Call once at program start.
void installPlotInterruptCleanup();

}  // namespace colsec::plot
