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

// The suffixes of the four result files of colsec, in the order a run
// creates them, and of the page of colsec-plot.
inline constexpr const char* kResultSuffixes[4] = {".cclog", "_Interaction.res", "_Section.res", "_Validation.res"};
// The machine-readable result of `colsec --json`.
inline constexpr const char* kJsonResultSuffix = "_Result.json";
// The results of a table of load combinations.
inline constexpr const char* kLoadCasesCsvSuffix = "_LoadCases.csv";
inline constexpr const char* kLoadCasesJsonSuffix = "_LoadCases.json";
inline constexpr const char* kPlotPageSuffix = "_Plot.html";

// Directory part, base name and suffix of an output beside the input.
std::string outputPath(const std::string& inputPath, const char* suffix);

}  // namespace colsec
