#pragma once
// One run of the picture tool: the analysis of colsec in memory, then the
// page drawn from the model.

#include <iosfwd>
#include <string>

namespace colsec::plot {

// Reads and checks the input at `inputPath` (warnings to `diagnostics`),
// runs the analysis steps of colsec with their text discarded (no result
// file is read or written), builds the full interaction diagram for the
// page and writes "<base>_Plot.html" beside the input through a temporary
// file. With a `loadsPath`, every combination of that table is analysed
// and the page is drawn for the governing one, with all of them on the
// diagrams. Returns the page's path. Throws InputError or OutputError.
std::string drawPage(const std::string& inputPath, std::ostream& diagnostics, const std::string& loadsPath = "");

// The title of an input: its first comment line ("//") that holds more
// than a rule of '=' or '-', without the slashes and surrounding blanks;
// empty when there is none.
std::string inputTitle(const std::string& inputText);

}  // namespace colsec::plot
