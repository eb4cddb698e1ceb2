#pragma once
// Reading an input text into a fresh section model, for the reader and
// check tests.

#include <memory>
#include <sstream>
#include <string>

#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

namespace colsec::test {

inline const std::string kFileName = "col.txt";

// The model with everything the reader said on its two streams.
struct ReadResult {
  std::ostringstream console;   // the not-found messages of the material lookup
  std::ostringstream warnings;  // standard error of the program
  SectionModel model{console};
  InputRecordLines lines;
};

inline std::unique_ptr<ReadResult> readText(const std::string& text) {
  auto result = std::make_unique<ReadResult>();
  std::istringstream input(text);
  result->lines = readInput(input, result->model, kFileName, result->warnings);
  return result;
}

// The message of the InputError that reading `text` throws, or
// "(no error)".
inline std::string readError(const std::string& text) {
  try {
    readText(text);
  } catch (const InputError& error) {
    return error.what();
  }
  return "(no error)";
}

// Reads, prunes and checks as a run does; returns the message of the
// InputError or "(no error)". `warnings` receives what the run would print
// on standard error.
inline std::string readAndCheck(const std::string& text, std::string* warnings = nullptr) {
  std::string message = "(no error)";
  std::unique_ptr<ReadResult> result;
  try {
    result = readText(text);
    result->model.pruneMaterials();
    checkInput(result->model, result->lines, kFileName, result->warnings);
  } catch (const InputError& error) {
    message = error.what();
  }
  if (warnings != nullptr) *warnings = result ? result->warnings.str() : std::string();
  return message;
}

}  // namespace colsec::test
