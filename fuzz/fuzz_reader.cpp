// Any byte sequence as an input file: the reader and the input checks must
// either accept it or reject it with a located message, never crash.

#include <sstream>

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream console;
  colsec::SectionModel model(console);
  readFuzzInput(data, size, model);
  return 0;
}
