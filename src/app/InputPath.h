#pragma once
// Output names are derived from the input path: the directory part ends
// at the last "\" or "/", the base name runs from there to the last dot
// after it (or to the end).

#include <string>

namespace colsec {

struct InputPathParts {
  std::string directory;  // including its final separator; may be empty
  std::string baseName;
};

InputPathParts splitInputPath(const std::string& path);

std::string joinStrings(const std::string& a, const std::string& b);

}  // namespace colsec
