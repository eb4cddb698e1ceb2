#pragma once
// The analysis steps of one run, in their fixed order, on a model that has
// been read, pruned and checked. Every step runs once; none is skipped
// because an earlier one did not converge.

#include <iosfwd>

namespace colsec {

class SectionModel;

// Where the steps write: the four result streams and the console.
struct RunStreams {
  std::ostream& log;
  std::ostream& interaction;
  std::ostream& section;
  std::ostream& validation;
  std::ostream& console;
};

void runAnalysisSteps(SectionModel& model, double tolerance, const RunStreams& streams);

}  // namespace colsec
