// Whole runs on small sections: every accepted input must run through all
// analysis steps and write a complete report. Large grids and fine curve
// subdivisions are skipped to keep each execution short.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/AnalysisSteps.h"
#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"

namespace {

double cells(std::vector<double> lines, double feSize) {
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return colsec::countGridCells(lines, feSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream console;
  std::ostringstream warnings;
  colsec::SectionModel model(console);
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const colsec::InputRecordLines lines = colsec::readInput(input, model, "fuzz.txt", warnings);
    model.pruneMaterials();
    colsec::checkInput(model, lines, "fuzz.txt", warnings);
  } catch (const colsec::InputError&) {
    return 0;
  }
  const colsec::Settings& settings = model.settings;
  if (cells(model.gridLinesY, settings.feSize) * cells(model.gridLinesZ, settings.feSize) > 400) return 0;
  if (settings.angularSubdivisions > 8 || settings.offsetSubdivisions > 40) return 0;

  std::ostringstream log, interaction, section, validation;
  colsec::runAnalysisSteps(model, 0.0001, {log, interaction, section, validation, console, false});

  // The report is always complete and the element list has every element.
  const std::string report = validation.str();
  if (report.find("NACHWEIS ERBRACHT: ") == std::string::npos) std::abort();
  if (report.find("Interaction Surface Offset Subdivisions [-]: ") == std::string::npos) std::abort();
  const std::string list = section.str();
  if (static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) != model.elements.size() + 1) std::abort();
  return 0;
}
