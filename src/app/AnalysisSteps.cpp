#include "app/AnalysisSteps.h"

#include <ostream>

#include "analysis/ElementResults.h"
#include "analysis/GeneralMethod.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "check/DesignCheck.h"
#include "interaction/InteractionCurves.h"
#include "interaction/SimplifiedMethod.h"
#include "model/ParallelFor.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"
#include "report/Reports.h"

namespace colsec {

namespace {

// Text that nobody reads: a stream without a buffer drops what it gets.
std::ostream& orDiscard(std::ostream* stream) {
  static thread_local std::ostream discard(nullptr);
  return stream != nullptr ? *stream : discard;
}

}  // namespace

void runAnalysisSteps(SectionModel& model, double tolerance, const RunStreams& streams) {
  discretise(model);
  runShearSteps(model, tolerance, streams.console);
  SharedResults computeHere;
  computeHere.sweepThreads = hardwareThreads();
  runForceSteps(model, tolerance, streams, computeHere);
}

void runShearSteps(SectionModel& model, double tolerance, std::ostream& console) {
  runShearAnalysis(model, tolerance, console);
  updateElementResistances(model.elements);
}

void runForceSteps(SectionModel& model, double tolerance, const RunStreams& streams, const SharedResults& shared) {
  std::ostream& validation = orDiscard(streams.validation);
  runStressAnalysis(model, tolerance, orDiscard(streams.log), streams.console);
  if (streams.section != nullptr) {
    writeElementResults(*streams.section, model.elements, streams.console);
  } else {
    streams.console << "Writing Element Results\n";
  }
  checkElementLimits(model);
  collectMaterialExtremes(model, streams.console);
  evaluateGeneralMethod(model);
  if (streams.validation != nullptr) writeGeneralMethodReport(validation, model);
  if (model.allNonlinear) {
    // Never cleared: on a terminal the console filter shows the progress
    // as one line per phase (app/TerminalConsole.h).
    computeInteractionCurves(model, orDiscard(streams.interaction), streams.console, false, shared.surface,
                             shared.sweepThreads);
    evaluateSimplifiedMethod(model);
    if (streams.validation != nullptr) writeSimplifiedMethodReport(validation, model);
  } else {
    validation << kLinearMaterialLine;
  }
  if (streams.validation != nullptr) writeInputSummary(validation, model);
  runDesignCheck(model, tolerance, shared.sectionItems);
}

}  // namespace colsec
