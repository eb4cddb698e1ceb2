// Any byte sequence as an input file: the reader and the input checks must
// either accept it or reject it with a located message, never crash.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream console;
  std::ostringstream warnings;
  colsec::SectionModel model(console);
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const colsec::InputRecordLines lines = colsec::readInput(input, model, "fuzz.txt", warnings);
    model.pruneMaterials();
    colsec::checkInput(model, lines, "fuzz.txt", warnings);
  } catch (const colsec::InputError& error) {
    // Every rejection names the file.
    if (std::string(error.what()).rfind("fuzz.txt", 0) != 0) std::abort();
  }
  return 0;
}
