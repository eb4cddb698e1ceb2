#pragma once
// Reader of the input file: "#MATERIAL", "#PROFILE", "#FORCEED" and
// "#SETTINGS" records, one per line, tokens by position. Comments (a first
// token starting with "/"), blank lines, unknown records and text after a
// record's last value are ignored. Lines may end in LF, CRLF or CR.

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
// A recognised record with a missing, malformed or undefined value throws
// InputError; unknown profile shapes and material laws are ignored with a
// warning on `warnings`.
InputRecordLines readInput(std::istream& input, SectionModel& model, const std::string& fileName,
                           std::ostream& warnings);

}  // namespace colsec
