#pragma once
// A whole analysis of an input text in memory: read, prune, every step of
// the run; the result files' text is discarded.

#include <memory>
#include <sstream>
#include <string>

#include "app/AnalysisSteps.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

namespace colsec::test {

struct InMemoryRun {
  InMemoryRun() : model(console) {}
  std::ostringstream console;
  std::ostringstream warnings;
  SectionModel model;
};

// `prepare` may change the model after reading, before the analysis.
template <typename Prepare>
std::unique_ptr<InMemoryRun> analyseText(const std::string& text, Prepare prepare) {
  auto run = std::make_unique<InMemoryRun>();
  std::istringstream input(text);
  readInput(input, run->model, "input.txt", run->warnings);
  run->model.pruneMaterials();
  prepare(run->model);
  std::ostringstream log, interaction, section, validation;
  runAnalysisSteps(run->model, kSolverTolerance, {&log, &interaction, &section, &validation, run->console});
  return run;
}

inline std::unique_ptr<InMemoryRun> analyseText(const std::string& text) {
  return analyseText(text, [](SectionModel&) {});
}

}  // namespace colsec::test
