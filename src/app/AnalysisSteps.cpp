#include "app/AnalysisSteps.h"

#include <ostream>

#include "analysis/ElementResults.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "interaction/InteractionCurves.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"
#include "report/Reports.h"

namespace colsec {

void runAnalysisSteps(SectionModel& model, double tolerance, const RunStreams& streams) {
  discretise(model);
  runShearAnalysis(model, tolerance, streams.console);
  updateElementResistances(model.elements);
  runStressAnalysis(model, tolerance, streams.log, streams.console);
  writeElementResults(streams.section, model.elements, streams.console);
  checkElementLimits(model);
  collectMaterialExtremes(model, streams.console);
  writeGeneralMethodReport(streams.validation, model);
  if (model.allNonlinear) {
    // Never cleared: on a terminal the console filter shows the progress
    // as one line per phase (app/TerminalConsole.h).
    computeInteractionCurves(model, streams.interaction, streams.console, false);
    writeSimplifiedMethodReport(streams.validation, model);
  } else {
    streams.validation << kLinearMaterialLine;
  }
  writeInputSummary(streams.validation, model);
}

}  // namespace colsec
