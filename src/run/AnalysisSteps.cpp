#include "run/AnalysisSteps.h"

#include <future>
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

void runAnalysisSteps(SectionModel& model, double tolerance, const RunStreams& streams, int threads) {
  const int workers = threads > 0 ? threads : hardwareThreads();
  discretise(model);
  runShearSteps(model, tolerance, streams.console);
  // The plastic surface and the section's check items depend only on the
  // shear-reduced elements, and the strain state only on the elements'
  // laws: other threads sweep while this one solves and writes the
  // element list. Each result is computed whole by one thread, so the
  // bits are those of the steps one after another. The other threads read
  // only what the strain steps leave alone (positions, triples, laws).
  PlasticSurface surface;
  SectionCheckItems sectionItems;
  const auto computeResistances = [&](int sweepThreads) {
    if (model.allNonlinear) surface = sweepPlasticSurface(model, sweepThreads);
    sectionItems = sectionCheckItems(model);
  };
  // On one thread the steps run one after another. Otherwise the sweeps
  // get all `workers` threads beside the strain steps: whichever finishes
  // first leaves its core to the other (the sweeps on one thread fewer were
  // slower by a third on a busy machine).
  if (workers == 1) {
    runStrainSteps(model, tolerance, streams, nullptr, 1);
    computeResistances(1);
  } else {
    std::future<void> resistances = std::async(std::launch::async, computeResistances, workers);
    runStrainSteps(model, tolerance, streams, nullptr, workers);
    resistances.get();
  }
  SharedResults computed;
  computed.surface = &surface;
  computed.sectionItems = &sectionItems;
  runResistanceSteps(model, tolerance, streams, computed);
}

void runShearSteps(SectionModel& model, double tolerance, std::ostream& console) {
  runShearAnalysis(model, tolerance, console);
  updateElementResistances(model.elements);
}

void runForceSteps(SectionModel& model, double tolerance, const RunStreams& streams, const SharedResults& shared) {
  runStrainSteps(model, tolerance, streams, shared.fibres);
  runResistanceSteps(model, tolerance, streams, shared);
}

void runStrainSteps(SectionModel& model, double tolerance, const RunStreams& streams, const FibreTable* fibres,
                    int threads) {
  runStressAnalysis(model, tolerance, orDiscard(streams.log), streams.console, fibres);
  if (streams.section != nullptr) {
    writeElementResults(*streams.section, model.elements, streams.console, threads);
  } else {
    streams.console << "Writing Element Results\n";
  }
  checkElementLimits(model);
  collectMaterialExtremes(model, streams.console);
  evaluateGeneralMethod(model);
  if (streams.validation != nullptr) writeGeneralMethodReport(*streams.validation, model);
}

void runResistanceSteps(SectionModel& model, double tolerance, const RunStreams& streams,
                        const SharedResults& shared) {
  std::ostream& validation = orDiscard(streams.validation);
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
  runDesignCheck(model, tolerance, shared.sectionItems, shared.fibres);
}

}  // namespace colsec
