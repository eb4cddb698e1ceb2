#include "app/InputPath.h"

namespace colsec {

InputPathParts splitInputPath(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  const std::size_t baseStart = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = path.find_last_of('.');
  const std::size_t baseEnd = (dot == std::string::npos || dot < baseStart) ? path.size() : dot;
  return {path.substr(0, baseStart), path.substr(baseStart, baseEnd - baseStart)};
}

std::string joinStrings(const std::string& a, const std::string& b) { return a + b; }

std::string outputPath(const std::string& inputPath, const char* suffix) {
  const InputPathParts parts = splitInputPath(inputPath);
  return joinStrings(joinStrings(parts.directory, parts.baseName), suffix);
}

}  // namespace colsec
