#pragma once
// One run: read the input, check it, analyse the section and write the
// four result files beside the input, in a fixed order of steps.

#include <array>
#include <iosfwd>
#include <string>

#include "app/AnalysisSteps.h"
#include "app/OutputFile.h"
#include "model/SectionModel.h"

namespace colsec {

class AnalysisJob {
 public:
  // console receives the progress text, diagnostics the warnings; both
  // must outlive the job. clearScreen: the console is a terminal.
  AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics, bool clearScreen);
  AnalysisJob(const AnalysisJob&) = delete;
  AnalysisJob& operator=(const AnalysisJob&) = delete;

  // Runs every step once, in order. Throws InputError before any output
  // file is touched, OutputError when a result file cannot be written;
  // a run that does not converge is a normal run.
  void run();

  const SectionModel& sectionModel() const { return model; }
  const std::string& outputPath(int index) const { return outputs_[index].finalPath(); }

  // Convergence tolerance of both solvers in kN and kNm.
  const double tolerance = kSolverTolerance;

 private:
  void openOutputs();
  void commitOutputs();

  const std::string inputPath_;
  std::ostream& console_;
  std::ostream& diagnostics_;
  const bool clearScreen_;
  SectionModel model;
  // In the order of opening: ".cclog", "_Interaction.res", "_Section.res",
  // "_Validation.res". Each removes its temporary file unless committed.
  std::array<OutputFile, 4> outputs_;
  OutputFile& logStream = outputs_[0];
  OutputFile& interactionStream = outputs_[1];
  OutputFile& sectionStream = outputs_[2];
  OutputFile& validationStream = outputs_[3];
};

}  // namespace colsec
