#include "plot/PlotJob.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <thread>

#include "app/InputPath.h"
#include "app/OutputFile.h"
#include "app/SectionInput.h"
#include "input/InputError.h"
#include "interaction/FullDiagram.h"
#include "loads/LoadCaseRun.h"
#include "loads/LoadTable.h"
#include "model/SectionModel.h"
#include "plot/PlotPage.h"
#include "run/AnalysisSteps.h"

namespace colsec::plot {

namespace {

// Accepts and drops everything, and stays good, so the steps run exactly
// as they do for colsec.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

std::string utcNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm parts{};
  gmtime_r(&now, &parts);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M UTC", &parts);
  return buffer;
}

}  // namespace

std::string inputTitle(const std::string& inputText) {
  std::istringstream in(inputText);
  for (std::string line; std::getline(in, line);) {
    const std::size_t start = line.find_first_not_of(" \t\r\xef\xbb\xbf");
    if (start == std::string::npos || line.compare(start, 2, "//") != 0) continue;
    std::string text = line.substr(start + 2);
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    text = text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    if (text.find_first_not_of("=-_*#/ ") == std::string::npos) continue;
    return text;
  }
  return "";
}

std::string drawPage(const std::string& inputPath, std::ostream& diagnostics, const std::string& loadsPath) {
  NullBuffer nothing;
  std::ostream discarded(&nothing);
  SectionModel model(discarded);  // the not-found message of the material lookup
  const std::string inputText = readInputText(inputPath);
  readSectionText(inputText, inputPath, model, diagnostics);

  PageInfo info;
  info.title = inputTitle(inputText);
  if (info.title.empty()) info.title = splitInputPath(inputPath).baseName;
  info.inputName = inputPath;
  info.runDate = utcNow();
  info.version = COLSEC_VERSION;

  LoadCaseResults loads;
  if (!loadsPath.empty()) {
    std::istringstream table(readTextFile(loadsPath, "load table"));
    const std::vector<LoadCombination> combinations = readLoadTable(table, loadsPath);
    LoadCaseOptions options;
    options.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    loads = runLoadCases(inputText, inputPath, combinations, options);
    // The page is that of the governing combination, as colsec --loads
    // writes its report.
    model.designForces = loads.outcomes[loads.governing].combination.forces;
    info.loads = &loads;
    info.loadsName = loadsPath;
  }

  // Only the results in the model are drawn; no result file text is made.
  runAnalysisSteps(model, kSolverTolerance, {nullptr, nullptr, nullptr, nullptr, discarded});
  computeFullDiagram(model);

  const std::string pagePath = outputPath(inputPath, kPlotPageSuffix);
  writeFileAtomically(pagePath, buildPlotPage(model, info), 0);
  return pagePath;
}

}  // namespace colsec::plot
