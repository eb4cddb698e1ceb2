#pragma once
// One run of the picture tool: the analysis of colsec in memory, then the
// page drawn from the model.

#include <iosfwd>
#include <string>

namespace colsec::plot {

// Reads and checks the input at `inputPath` (warnings to `diagnostics`),
// runs the analysis steps of colsec with their text discarded (no result
// file is read or written) and writes "<base>_Plot.html" beside the input
// through a temporary file. Returns the page's path. Throws InputError or
// OutputError.
std::string drawPage(const std::string& inputPath, std::ostream& diagnostics);

}  // namespace colsec::plot
