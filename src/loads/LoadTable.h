#pragma once
// The table of load combinations of a column, as exported from a frame
// analysis: a header row that names the columns and their units, then one
// row per combination:
//
//   name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]
//   ULS-1,-1737,110.67,36.89,0,0
//
// Forces in [kN] or [N], moments in [kNm] or [Nmm], signs as in the input
// file. Blank lines and lines starting with "#" are skipped. A name may be
// quoted ("...", with "" for a quote) to hold commas.

#include <iosfwd>
#include <string>
#include <vector>

#include "model/Types.h"

namespace colsec {

struct LoadCombination {
  std::string name;
  SectionForces forces;  // N and Nmm
  int line = 0;          // line of the table, from 1
};

// Reads the whole table; throws InputError ("FILE:LINE: ...") for a
// missing or unknown unit, a malformed row (a missing or extra value, a
// decimal comma, text in a number), a duplicate name or an empty table.
std::vector<LoadCombination> readLoadTable(std::istream& input, const std::string& fileName);

// A field for a CSV file: quoted when it holds a comma, a quote, a line
// break or blanks at either end, quotes doubled.
std::string csvField(const std::string& text);

}  // namespace colsec
