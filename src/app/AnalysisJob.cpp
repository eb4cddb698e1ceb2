#include "app/AnalysisJob.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/AnalysisSteps.h"
#include "app/InputPath.h"
#include "app/InterruptCleanup.h"
#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "report/JsonResult.h"

namespace colsec {

namespace {

constexpr const char* kSuffixes[5] = {".cclog", "_Interaction.res", "_Section.res", "_Validation.res",
                                      "_Result.json"};

std::string reason() { return std::strerror(errno); }

}  // namespace

AnalysisJob::AnalysisJob(std::string inputPath, std::ostream& console, std::ostream& diagnostics, bool clearScreen,
                         bool jsonResult)
    : inputPath_(std::move(inputPath)),
      console_(console),
      diagnostics_(diagnostics),
      clearScreen_(clearScreen),
      jsonResult_(jsonResult),
      model(console) {
  const InputPathParts parts = splitInputPath(inputPath_);
  const std::string stem = joinStrings(parts.directory, parts.baseName);
  for (int i = 0; i < 5; ++i) {
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
                    validationStream.file.out(), console_, clearScreen_});
  // Last, so that it sees everything the analysis has stored.
  if (jsonResult_) writeJson();
  commitOutputs();
}

void AnalysisJob::writeJson() { writeJsonResult(jsonStream.file.out(), model, inputPath_); }

void AnalysisJob::readAndCheckInput() {
  std::error_code error;
  if (std::filesystem::is_directory(inputPath_, error)) {
    throw InputError("cannot open input file '" + inputPath_ + "': it is a directory");
  }
  DataFile inputStream;
  if (!inputStream.openStream(inputPath_, false)) {
    throw InputError("cannot open input file '" + inputPath_ + "': " + reason());
  }
  InputRecordLines lines;
  try {
    lines = readInput(inputStream.in(), model, inputPath_, diagnostics_);
  } catch (const std::ios_base::failure&) {
    throw InputError("cannot read input file '" + inputPath_ + "': " + reason());
  }
  if (inputStream.in().bad()) throw InputError("cannot read input file '" + inputPath_ + "': " + reason());
  inputStream.closeStream();
  model.pruneMaterials();
  checkInput(model, lines, inputPath_, diagnostics_);
}

void AnalysisJob::openOutputs() {
  for (int i = 0; i < outputCount(); ++i) {
    OutputFile& output = outputs_[i];
    std::error_code error;
    if (std::filesystem::is_directory(output.finalPath, error)) {
      throw OutputError("cannot create output file '" + output.finalPath + "': a directory of that name exists");
    }
    // Registered before the file exists: an interruption between creating
    // and registering it would leave it behind. Removing a path that does
    // not exist yet is harmless.
    registerTemporaryFile(i, output.temporaryPath.c_str());
    if (!output.file.openStream(output.temporaryPath, true)) {
      const std::string why = reason();
      withdrawTemporaryFile(i);
      throw OutputError("cannot create output file '" + output.finalPath + "': " + why);
    }
    output.created = true;
  }
}

void AnalysisJob::commitOutputs() {
  // Closed in the order log, section, interaction, validation, JSON.
  for (OutputFile* output : {&logStream, &sectionStream, &interactionStream, &validationStream, &jsonStream}) {
    if (output == &jsonStream && !jsonResult_) continue;
    if (!output->file.closeStream()) {
      throw OutputError("cannot write output file '" + output->finalPath + "': " + reason());
    }
  }
  for (int i = 0; i < outputCount(); ++i) {
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
  for (int i = 0; i < outputCount(); ++i) {
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
