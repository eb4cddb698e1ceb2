#include "app/AnalysisJob.h"

#include "app/AnalysisSteps.h"
#include "app/InputPath.h"
#include "app/SectionInput.h"

namespace colsec {

AnalysisJob::AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics, bool clearScreen)
    : inputPath_(std::move(inputPath)),
      console_(console),
      diagnostics_(diagnostics),
      clearScreen_(clearScreen),
      model(console) {
  for (int i = 0; i < 4; ++i) outputs_[i].setFinalPath(colsec::outputPath(inputPath_, kResultSuffixes[i]));
}

void AnalysisJob::run() {
  readSectionInput(inputPath_, model, diagnostics_);
  openOutputs();

  runAnalysisSteps(model, tolerance,
                   {&logStream.out(), &interactionStream.out(), &sectionStream.out(), &validationStream.out(),
                    console_, clearScreen_});
  commitOutputs();
}

void AnalysisJob::openOutputs() {
  for (int i = 0; i < 4; ++i) outputs_[i].create(i);
}

void AnalysisJob::commitOutputs() {
  // Closed in the order log, section, interaction, validation; moved to
  // their final names only when all four are complete.
  for (OutputFile* output : {&logStream, &sectionStream, &interactionStream, &validationStream}) output->close();
  for (OutputFile& output : outputs_) output.commit();
}

}  // namespace colsec
