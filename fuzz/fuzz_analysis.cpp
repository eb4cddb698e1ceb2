// Whole runs on small sections: every accepted input must run through all
// analysis steps and write a complete report. Large grids and fine curve
// subdivisions are skipped to keep each execution short.

#include <algorithm>
#include <sstream>

#include "FuzzInput.h"
#include "profiles/Discretisation.h"
#include "run/AnalysisSteps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream console;
  colsec::SectionModel model(console);
  if (!readFuzzInput(data, size, model)) return 0;
  const colsec::Settings& settings = model.settings;
  if (colsec::countSectionGrid(model).largest() > 400) return 0;
  if (settings.angularSubdivisions > 8 || settings.offsetSubdivisions > 40) return 0;

  std::ostringstream log, interaction, section, validation;
  colsec::runAnalysisSteps(model, colsec::kSolverTolerance, {&log, &interaction, &section, &validation, console});

  // The report is always complete and the element list has every element.
  const std::string report = validation.str();
  if (report.find("NACHWEIS ERBRACHT: ") == std::string::npos) std::abort();
  if (report.find("Interaction Surface Offset Subdivisions [-]: ") == std::string::npos) std::abort();
  const std::string list = section.str();
  if (static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) != model.elements.size() + 1) std::abort();
  return 0;
}
