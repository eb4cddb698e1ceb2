#pragma once
// One run: read the input, check it, analyse the section and write the
// four result files beside the input, in a fixed order of steps.

#include <array>
#include <iosfwd>
#include <stdexcept>
#include <string>

#include "app/DataFile.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

namespace colsec {

// An output file that could not be created, written or closed.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One result file, written under a temporary name beside its final name
// and moved there only when the whole run has succeeded.
struct OutputFile {
  std::string finalPath;
  std::string temporaryPath;
  DataFile file;
  bool created = false;  // the temporary file is ours to remove
};

class AnalysisJob {
 public:
  // console receives the progress text, diagnostics the warnings; both
  // must outlive the job.
  AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics);
  AnalysisJob(const AnalysisJob&) = delete;
  AnalysisJob& operator=(const AnalysisJob&) = delete;
  ~AnalysisJob();

  // Runs every step once, in order. Throws InputError before any output
  // file is touched, OutputError when a result file cannot be written;
  // a run that does not converge is a normal run.
  void run();

  const SectionModel& sectionModel() const { return model; }
  const std::string& outputPath(int index) const { return outputs_[index].finalPath; }
  const std::string& reportPath() const { return validationStream.finalPath; }

  // Convergence tolerance of both solvers in kN and kNm.
  const double tolerance = 0.0001;

 private:
  void readAndCheckInput();
  void warnOnTinyForces();
  void openOutputs();
  void commitOutputs();
  void discardOutputs();

  const std::string inputPath_;
  std::ostream& console_;
  std::ostream& diagnostics_;
  SectionModel model;
  InputRecordLines recordLines_;
  // In the order of opening: ".cclog", "_Interaction.res", "_Section.res",
  // "_Validation.res".
  std::array<OutputFile, 4> outputs_;
  OutputFile& logStream = outputs_[0];
  OutputFile& interactionStream = outputs_[1];
  OutputFile& sectionStream = outputs_[2];
  OutputFile& validationStream = outputs_[3];
};

}  // namespace colsec
