#include "app/AnalysisJob.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "analysis/ForcePlausibility.h"
#include "app/AnalysisSteps.h"
#include "app/InputPath.h"
#include "app/InterruptCleanup.h"
#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"

namespace colsec {

namespace {

constexpr const char* kSuffixes[4] = {".cclog", "_Interaction.res", "_Section.res", "_Validation.res"};

std::string reason() { return std::strerror(errno); }

}  // namespace

AnalysisJob::AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics)
    : inputPath_(std::move(inputPath)), console_(console), diagnostics_(diagnostics), model(console) {
  const InputPathParts parts = splitInputPath(inputPath_);
  const std::string stem = joinStrings(parts.directory, parts.baseName);
  for (int i = 0; i < 4; ++i) {
    outputs_[i].finalPath = joinStrings(stem, kSuffixes[i]);
    outputs_[i].temporaryPath = joinStrings(outputs_[i].finalPath, ".tmp");
  }
}

AnalysisJob::~AnalysisJob() { discardOutputs(); }

void AnalysisJob::run() {
  readAndCheckInput();
  openOutputs();

  runAnalysisSteps(model, tolerance,
                   {logStream.file.out(), interactionStream.file.out(), sectionStream.file.out(),
                    validationStream.file.out(), console_});
  warnOnTinyForces();
  commitOutputs();
}

void AnalysisJob::readAndCheckInput() {
  std::error_code error;
  if (std::filesystem::is_directory(inputPath_, error)) {
    throw InputError("cannot open input file '" + inputPath_ + "': it is a directory");
  }
  DataFile inputStream;
  if (!inputStream.openStream(inputPath_, false)) {
    throw InputError("cannot open input file '" + inputPath_ + "': " + reason());
  }
  try {
    recordLines_ = readInput(inputStream.in(), model, inputPath_, diagnostics_);
  } catch (const std::ios_base::failure&) {
    throw InputError("cannot read input file '" + inputPath_ + "': " + reason());
  }
  if (inputStream.in().bad()) throw InputError("cannot read input file '" + inputPath_ + "': " + reason());
  inputStream.closeStream();
  model.pruneMaterials();
  checkInput(model, recordLines_, inputPath_, diagnostics_);
}

void AnalysisJob::warnOnTinyForces() {
  if (!designForcesLookTiny(model)) return;
  diagnostics_ << inputPath_ << ":" << recordLines_.forcesLine
               << ": warning: the design forces are tiny compared with the resistance: they are read in N and Nmm; "
                  "were they given in kN and kNm?\n";
}

void AnalysisJob::openOutputs() {
  for (int i = 0; i < 4; ++i) {
    OutputFile& output = outputs_[i];
    std::error_code error;
    if (std::filesystem::is_directory(output.finalPath, error)) {
      throw OutputError("cannot create output file '" + output.finalPath + "': a directory of that name exists");
    }
    if (!output.file.openStream(output.temporaryPath, true)) {
      throw OutputError("cannot create output file '" + output.finalPath + "': " + reason());
    }
    output.created = true;
    registerTemporaryFile(i, output.temporaryPath.c_str());
  }
}

void AnalysisJob::commitOutputs() {
  // Closed in the order log, section, interaction, validation.
  for (OutputFile* output : {&logStream, &sectionStream, &interactionStream, &validationStream}) {
    if (!output->file.closeStream()) {
      throw OutputError("cannot write output file '" + output->finalPath + "': " + reason());
    }
  }
  for (int i = 0; i < 4; ++i) {
    OutputFile& output = outputs_[i];
    std::error_code error;
    std::filesystem::rename(output.temporaryPath, output.finalPath, error);
    if (error) throw OutputError("cannot write output file '" + output.finalPath + "': " + error.message());
    withdrawTemporaryFile(i);
    output.created = false;
  }
}

void AnalysisJob::discardOutputs() {
  // Whatever was not moved to its final name is left over from a failed run.
  for (int i = 0; i < 4; ++i) {
    OutputFile& output = outputs_[i];
    if (output.file.isOpen()) output.file.closeStream();
    if (!output.created) continue;
    withdrawTemporaryFile(i);
    std::error_code error;
    std::filesystem::remove(output.temporaryPath, error);
    output.created = false;
  }
}

}  // namespace colsec
