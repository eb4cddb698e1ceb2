#pragma once
// A whole analysis of an input text in memory: read, prune, every step of
// the run; the result files' text is discarded.

#include <memory>
#include <sstream>
#include <string>

#include "input/InputReader.h"
#include "model/SectionModel.h"
#include "run/AnalysisSteps.h"

namespace colsec::test {

struct InMemoryRun {
  InMemoryRun() : model(console) {}
  std::ostringstream console;
  std::ostringstream warnings;
  SectionModel model;
};

inline std::unique_ptr<InMemoryRun> analyseText(const std::string& text) {
  auto run = std::make_unique<InMemoryRun>();
  std::istringstream input(text);
  readInput(input, run->model, "input.txt", run->warnings);
  run->model.pruneMaterials();
  std::ostringstream log, interaction, section, validation;
  runAnalysisSteps(run->model, kSolverTolerance, {&log, &interaction, &section, &validation, run->console});
  return run;
}

// Steel rectangle B = 100 (y) × H = 200 (z), fyd = 355, in an even
// number of cells both ways, 19 angles and 101 offsets (the middle one on
// the centre line): at NEd = 0, μd = 1 and Mpl,y,Rd = fyd·B·H²/4 = 355e6
// Nmm, Mpl,z,Rd = fyd·H·B²/4 = 177.5e6 Nmm, each with the sign of its
// design moment. Forces in Nmm.
inline std::string steelRectangleInput(double my, double mz) {
  return "#MATERIAL Steel1993_543 NR 1 PRIO 1 PAR 210000 355 81000\n"
         "#PROFILE RECT NR 1 MAT 1 DIM 200 100 0 0 0\n"
         "#FORCEED FED 0 " +
         std::to_string(my) + " " + std::to_string(mz) +
         " 0 0\n"
         "#SETTINGS SET 13 0 0 19 101\n";
}


}  // namespace colsec::test
