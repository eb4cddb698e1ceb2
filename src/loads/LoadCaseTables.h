#pragma once
// Views of the results of many load combinations: the CSV table written
// beside the input and the compact table that ends the console output.

#include <iosfwd>

namespace colsec {

struct LoadCaseResults;

// One row per combination in table order: its forces (kN, kNm), the
// verdicts of both methods and of the design check, the governing item
// and its utilisation, the strain state, and which combination governs.
void writeLoadCaseCsv(std::ostream& stream, const LoadCaseResults& results);

// A compact table for the console, the governing combination marked.
void writeLoadCaseConsoleTable(std::ostream& stream, const LoadCaseResults& results);

// How the strain state was found: "converged", "converged (full Newton)",
// "beyond the resistance" or "not converged".
const char* strainStateWord(bool shearConverged, bool axialConverged, bool fallbackConverged, bool beyondResistance);

}  // namespace colsec
