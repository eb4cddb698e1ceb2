#pragma once
// The few lines a run on a terminal ends with: the verdicts of both
// methods and of the design check, the governing item, the design check's
// warnings and where the report is. Only for a terminal: the console text
// of a run into a file or a pipe stays as it always was. Formats what the
// analysis stored.

#include <iosfwd>
#include <string>

namespace colsec {

class SectionModel;

void writeConsoleSummary(std::ostream& console, const SectionModel& model, const std::string& reportPath);

}  // namespace colsec
