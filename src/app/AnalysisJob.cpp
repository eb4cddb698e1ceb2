#include "app/AnalysisJob.h"

#include "analysis/ForcePlausibility.h"
#include "app/InputPath.h"
#include "app/SectionInput.h"
#include "report/JsonResult.h"
#include "run/AnalysisSteps.h"

namespace colsec {

AnalysisJob::AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics, bool jsonResult)
    : inputPath_(std::move(inputPath)),
      console_(console),
      diagnostics_(diagnostics),
      jsonResult_(jsonResult),
      model(console) {
  for (int i = 0; i < 4; ++i) outputs_[i].setFinalPath(colsec::outputPath(inputPath_, kResultSuffixes[i]));
  jsonStream.setFinalPath(colsec::outputPath(inputPath_, kJsonResultSuffix));
}

void AnalysisJob::run() {
  if (!hasInputText_) inputText_ = readInputText(inputPath_);
  recordLines_ = readSectionText(inputText_, inputPath_, model, diagnostics_);
  if (hasOverride_) model.designForces = forcesOverride_;
  openOutputs();

  runAnalysisSteps(model, tolerance,
                   {&logStream.out(), &interactionStream.out(), &sectionStream.out(), &validationStream.out(),
                    console_},
                   threads_);
  warnOnTinyForces();
  // Last, so that it sees everything the analysis has stored.
  if (jsonResult_) writeJsonResult(jsonStream.out(), model, inputPath_);
  commitOutputs();
}

void AnalysisJob::warnOnTinyForces() {
  if (!designForcesLookTiny(model)) return;
  diagnostics_ << inputPath_ << ":" << recordLines_.forcesLine
               << ": warning: the design forces are tiny compared with the resistance: they are read in N and Nmm; "
                  "were they given in kN and kNm?\n";
}

void AnalysisJob::openOutputs() {
  for (int i = 0; i < outputCount(); ++i) outputs_[i].create(i);
}

void AnalysisJob::commitOutputs() {
  // Closed in the order log, section, interaction, validation, JSON;
  // moved to their final names only when all are complete and on the disk.
  for (OutputFile* output : {&logStream, &sectionStream, &interactionStream, &validationStream}) output->close();
  if (jsonResult_) jsonStream.close();
  for (int i = 0; i < outputCount(); ++i) outputs_[i].sync();
  for (int i = 0; i < outputCount(); ++i) outputs_[i].commit(false);
  OutputFile::flushFolderOf(logStream.finalPath());
}

}  // namespace colsec
