#pragma once
// Reads fuzzer bytes as an input file into a model, with the checks of a
// real run. False when the input is rejected; every rejection must name
// the file.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

inline bool readFuzzInput(const std::uint8_t* data, std::size_t size, colsec::SectionModel& model) {
  std::ostringstream warnings;
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const colsec::InputRecordLines lines = colsec::readInput(input, model, "fuzz.txt", warnings);
    model.pruneMaterials();
    colsec::checkInput(model, lines, "fuzz.txt", warnings);
    return true;
  } catch (const colsec::InputError& error) {
    if (std::string(error.what()).rfind("fuzz.txt", 0) != 0) std::abort();
    return false;
  }
}
