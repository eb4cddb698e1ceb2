#include "app/AnalysisSteps.h"

#include <ostream>

#include "analysis/ElementResults.h"
#include "analysis/GeneralMethod.h"
#include "analysis/SectionSums.h"
#include "check/DesignCheck.h"
#include "analysis/Solvers.h"
#include "interaction/InteractionCurves.h"
#include "interaction/SimplifiedMethod.h"
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
  evaluateGeneralMethod(model);
  writeGeneralMethodReport(streams.validation, model);
  if (model.allNonlinear) {
    computeInteractionCurves(model, streams.interaction, streams.console, streams.clearScreen);
    evaluateSimplifiedMethod(model);
    writeSimplifiedMethodReport(streams.validation, model);
  } else {
    streams.validation << kLinearMaterialLine;
  }
  writeInputSummary(streams.validation, model);
  runDesignCheck(model, tolerance);
}

}  // namespace colsec
