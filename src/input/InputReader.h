#pragma once
// Reader of the input file: "#MATERIAL", "#PROFILE", "#FORCEED" and
// "#SETTINGS" records, one per line, tokens by position; the laws and shapes
// and the layout of their values come from the tables in
// materials/MaterialLaws.h and profiles/ProfileShapes.h. Comments (a first
// token starting with "/"), blank lines, records far from every keyword and
// text after a record's last value are ignored. Lines may end in LF, CRLF
// or CR.

#include <iosfwd>
#include <string>

namespace colsec {

class SectionModel;

// Where the two single records were found; 0 when absent. A later record
// overrides an earlier one, so these are the lines of the last ones.
struct InputRecordLines {
  int forcesLine = 0;
  int settingsLine = 0;
};

// Reads the whole stream into the model. fileName prefixes every message.
// Throws InputError, at the first bad line, for a first token near a record
// keyword (a typing error), an unknown law or shape, a record without its
// labels, a missing, malformed or undefined value, and a profile whose
// material is not defined before it. Warns on `warnings` about a second
// material with the same number.
InputRecordLines readInput(std::istream& input, SectionModel& model, const std::string& fileName,
                           std::ostream& warnings);

}  // namespace colsec
