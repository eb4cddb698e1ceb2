#pragma once
// One run: read the input, check it, analyse the section and write the
// four result files beside the input, in a fixed order of steps; on
// request also the machine-readable result "_Result.json".

#include <array>
#include <iosfwd>
#include <string>

#include "app/OutputFile.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"
#include "run/AnalysisSteps.h"

namespace colsec {

class AnalysisJob {
 public:
  // console receives the progress text, diagnostics the warnings; both
  // must outlive the job.
  // jsonResult: also write "_Result.json" after the whole analysis.
  AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics, bool jsonResult = false);
  AnalysisJob(const AnalysisJob&) = delete;
  AnalysisJob& operator=(const AnalysisJob&) = delete;

  // Runs every step once, in order. Throws InputError before any output
  // file is touched, OutputError when a result file cannot be written;
  // a run that does not converge is a normal run.
  void run();

  // The design forces of the input are replaced by these (a load
  // combination of a table); call before run().
  void overrideDesignForces(const SectionForces& forces) { forcesOverride_ = forces; hasOverride_ = true; }
  // The input's text as the caller has already read it, so that the file
  // is read once; call before run().
  void useInputText(std::string text) { inputText_ = std::move(text); hasInputText_ = true; }
  // Threads of the run (0: one per core; 1: none started); call before run().
  void setThreads(int threads) { threads_ = threads; }

  const SectionModel& sectionModel() const { return model; }
  // 0 to 3: the four result files in the order of opening; 4: the JSON
  // result (named even when it is not written).
  const std::string& outputPath(int index) const { return outputs_[index].finalPath(); }
  const std::string& reportPath() const { return validationStream.finalPath(); }

  // Convergence tolerance of both solvers in kN and kNm.
  const double tolerance = kSolverTolerance;

 private:
  void openOutputs();
  void commitOutputs();
  int outputCount() const { return jsonResult_ ? 5 : 4; }
  void warnOnTinyForces();

  const std::string inputPath_;
  std::ostream& console_;
  std::ostream& diagnostics_;
  const bool jsonResult_;
  InputRecordLines recordLines_;
  SectionForces forcesOverride_;
  bool hasOverride_ = false;
  std::string inputText_;
  bool hasInputText_ = false;
  int threads_ = 0;
  SectionModel model;
  // In the order of opening: ".cclog", "_Interaction.res", "_Section.res",
  // "_Validation.res", then "_Result.json" when it is requested. Each
  // removes its temporary file unless committed.
  std::array<OutputFile, 5> outputs_;
  OutputFile& logStream = outputs_[0];
  OutputFile& interactionStream = outputs_[1];
  OutputFile& sectionStream = outputs_[2];
  OutputFile& validationStream = outputs_[3];
  OutputFile& jsonStream = outputs_[4];
};

}  // namespace colsec
