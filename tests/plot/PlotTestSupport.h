#pragma once
// Helpers of the picture tool's tests: running the built colsec-plot, and
// counting marked-up items on a page.

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec::test {

// colsec-plot is built into the root of the build folder, beside colsec.
inline std::filesystem::path plotBinary() {
  return std::filesystem::path(COLSEC_BINARY).parent_path() / "colsec-plot";
}

inline RunResult runPlot(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  return runProgram(plotBinary(), args, cwd);
}

// Non-overlapping occurrences of `needle` in `text`.
inline std::size_t countOf(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

}  // namespace colsec::test
