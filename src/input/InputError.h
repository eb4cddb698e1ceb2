#pragma once

#include <stdexcept>
#include <string>

namespace colsec {

// A problem with the input file that stops the run before any output file
// is touched. The message is complete, starting with "FILE:LINE: " where a
// line is known.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace colsec
