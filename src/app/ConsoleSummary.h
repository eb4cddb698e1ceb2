#pragma once
// The few lines a run on a terminal ends with: the verdicts of both
// methods and where the report is. Only for a terminal: the console text
// of a run into a file or a pipe stays as it always was.

#include <iosfwd>
#include <string>

namespace colsec {

class SectionModel;

// The general-method verdict as the report states it: both iterations
// converged and no element beyond its limits.
bool generalMethodVerified(const SectionModel& model);

// The simplified-method verdict as the report's checks state it: shear,
// axial force and the linear My-Mz interaction each within 1.0. Only
// meaningful when the curves were built (model.allNonlinear).
// Interim: derived here from the resistances until the model stores the
// verdict of the simplified method itself; replace by that field then.
bool simplifiedMethodVerifiedInterim(const SectionModel& model);

// "General method (EN 1994-1-1, 6.7.2): ...", the same for 6.7.3 (or why
// there is none) and "Report: <path>".
void writeConsoleSummary(std::ostream& console, const SectionModel& model, const std::string& reportPath);

}  // namespace colsec
