#include "app/ErrorHandling.h"

#include <ostream>

#include "app/OutputFile.h"
#include "input/InputError.h"

namespace colsec {

int reportRunFailure(const char* program, const std::exception& error, std::ostream& console,
                     std::ostream& errors) {
  console.flush();
  const bool expected =
      dynamic_cast<const InputError*>(&error) != nullptr || dynamic_cast<const OutputError*>(&error) != nullptr;
  errors << program << ": " << (expected ? "" : "the run failed: ") << error.what() << "\n";
  return 1;
}

}  // namespace colsec
