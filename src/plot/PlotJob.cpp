#include "plot/PlotJob.h"

#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <system_error>
#include <unistd.h>

#include "analysis/Element.h"
#include "app/InputPath.h"
#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "profiles/Discretisation.h"

namespace colsec::plot {

namespace {

// Values of the result files carry six significant digits; a stress or
// strain counts as beyond its limit only when it exceeds it by more than
// that precision, so that an element exactly at its (shear-reduced) yield
// strength is never outlined because of rounding.
constexpr double kPrintedPrecision = 1e-5;

bool exceedsUpper(double value, double limit) { return value - limit > kPrintedPrecision * std::fabs(limit); }
bool exceedsLower(double value, double limit) { return limit - value > kPrintedPrecision * std::fabs(limit); }

std::string reason() { return std::strerror(errno); }

std::string readWholeFile(const std::string& path, const std::string& what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw ResultFileError(locatedMessage(path, 0, "cannot open the " + what + " (" + reason() +
                                                      "); run colsec on the input first"));
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ResultFileError(locatedMessage(path, 0, "read error"));
  return text.str();
}

// Same text as the writer of the result files would print for the value.
bool samePrinted(double printed, double exact) { return formatReportNumber(printed) == formatReportNumber(exact); }

const char* const kRerun = "; the results are from another input or an earlier version of it: run colsec again";

void matchElements(const PlotData& data, const std::string& inputPath) {
  const std::vector<Element>& model = data.model->elements;
  const std::vector<ElementRecord>& records = data.elements;
  const std::size_t common = std::min(model.size(), records.size());
  for (std::size_t i = 0; i < common; ++i) {
    const Element& e = model[i];
    const ElementRecord& r = records[i];
    if (e.profileNumber != r.profileNumber || !samePrinted(r.posY, e.posY) || !samePrinted(r.posZ, e.posZ) ||
        !samePrinted(r.dimY, e.dimY) || !samePrinted(r.dimZ, e.dimZ)) {
      std::ostringstream text;
      text << "element " << i + 1 << " (profile " << r.profileNumber << " at " << r.posY << "/" << r.posZ
           << ", " << r.dimY << " x " << r.dimZ << ") differs from element " << i + 1 << " of " << inputPath
           << " (profile " << e.profileNumber << " at " << e.posY << "/" << e.posZ << ", " << e.dimY << " x "
           << e.dimZ << ")" << kRerun;
      throw ResultFileError(locatedMessage(data.sectionFile, r.line, text.str()));
    }
  }
  if (model.size() != records.size()) {
    std::ostringstream text;
    text << records.size() << " elements, but " << inputPath << " gives " << model.size()
         << " elements with an element size of " << data.model->settings.feSize << " mm" << kRerun;
    const int line = records.size() > model.size() ? records[model.size()].line
                                                   : (records.empty() ? 1 : records.back().line);
    throw ResultFileError(locatedMessage(data.sectionFile, line, text.str()));
  }
}

void checkCurveCount(const InteractionCurve& curve, const char* name, int expected, const char* setting,
                     const PlotData& data, int& line) {
  line += static_cast<int>(curve.size());
  if (static_cast<int>(curve.size()) == expected) return;
  std::ostringstream text;
  text << "curve " << name << " has " << curve.size() << " points, but the input asks for " << expected << " ("
       << setting << ")" << kRerun;
  throw ResultFileError(locatedMessage(data.interactionFile, std::max(line, 1), text.str()));
}

void checkCurves(const PlotData& data, const std::string& inputPath) {
  const SectionModel& model = *data.model;
  const ValidationReport& report = data.report;
  if (!model.allNonlinear) {
    if (!report.linearMaterial) {
      throw ResultFileError(locatedMessage(data.validationFile, report.methodLine,
                                           "the report has the simplified method, but " + inputPath +
                                               " uses a LINEAR material" + kRerun));
    }
    if (data.curves.lineCount != 0) {
      throw ResultFileError(locatedMessage(data.interactionFile, 1,
                                           "curve points, but " + inputPath +
                                               " uses a LINEAR material, for which no curves are built" + kRerun));
    }
    return;
  }
  if (report.linearMaterial) {
    throw ResultFileError(locatedMessage(data.validationFile, report.methodLine,
                                         "the report says a linear material was found, but every material of " +
                                             inputPath + " is nonlinear" + kRerun));
  }
  if (data.curves.lineCount == 0) {
    throw ResultFileError(locatedMessage(data.interactionFile, 0,
                                         "the file is empty, but every material of " + inputPath +
                                             " is nonlinear, so a complete run writes the curves" + kRerun));
  }
  const Settings& s = model.settings;
  const int angles = std::max(s.angularSubdivisions, 0);
  int line = 0;
  checkCurveCount(data.curves.nMy, "NMy", s.offsetSubdivisions, "offset subdivisions", data, line);
  checkCurveCount(data.curves.nMz, "NMz", s.offsetSubdivisions, "offset subdivisions", data, line);
  checkCurveCount(data.curves.myMzN0, "MyMzN0", angles, "angular subdivisions", data, line);
  checkCurveCount(data.curves.myMz, "MyMz", angles, "angular subdivisions", data, line);
}

void checkReport(const PlotData& data, const std::string& inputPath) {
  const SectionForces& f = data.model->designForces;
  const SectionForces& r = data.report.designKN;
  if (!samePrinted(r.nx, f.nx / 1000) || !samePrinted(r.my, f.my / 1e6) || !samePrinted(r.mz, f.mz / 1e6) ||
      !samePrinted(r.qy, f.qy / 1000) || !samePrinted(r.qz, f.qz / 1000)) {
    std::ostringstream text;
    text << "the design forces (Nx " << r.nx << " kN, My " << r.my << " kNm, Mz " << r.mz << " kNm, Qy " << r.qy
         << " kN, Qz " << r.qz << " kN) differ from those of " << inputPath << " (Nx " << f.nx / 1000 << ", My "
         << f.my / 1e6 << ", Mz " << f.mz / 1e6 << ", Qy " << f.qy / 1000 << ", Qz " << f.qz / 1000 << ")" << kRerun;
    throw ResultFileError(locatedMessage(data.validationFile, data.report.designLine, text.str()));
  }
  if (!samePrinted(data.report.feSize, data.model->settings.feSize)) {
    std::ostringstream text;
    text << "element size " << data.report.feSize << " mm, but " << inputPath << " gives "
         << data.model->settings.feSize << " mm" << kRerun;
    throw ResultFileError(locatedMessage(data.validationFile, data.report.feSizeLine, text.str()));
  }
}

// Outlines follow the element check of the analysis: the stress against the
// element's own (shear-reduced) limits and the combined shear stress
// against the material's shear limit; the strain against the ultimate
// compressive strain where the material has one.
void markExceededElements(PlotData& data, SectionModel& model) {
  const std::size_t n = model.elements.size();
  data.stressExceeded.assign(n, false);
  data.strainExceeded.assign(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    Element& e = model.elements[i];
    const ElementRecord& r = data.elements[i];
    e.sigX = r.sigX;
    e.epsX = r.epsX;
    e.tauY = r.tauY;
    e.tauZ = r.tauZ;
    e.tauComb = combinedShearStress(r.tauY, r.tauZ);
    const double upper = e.stress(QueryLimitUpper, 0.0);
    const double lower = e.stress(QueryLimitLower, 0.0);
    const double shear = e.material->shearQuery(QueryLimitUpper, 0.0);
    data.stressExceeded[i] = exceedsUpper(e.sigX, upper) || exceedsLower(e.sigX, lower) ||
                             exceedsUpper(e.tauComb, shear);
    data.strainExceeded[i] = e.material->hasStrainLimit && exceedsLower(e.epsX, e.material->ultimateStrain());
  }
}

void addConsistencyNotes(PlotData& data, const std::string& inputPath, std::ostream& warnings) {
  std::size_t stresses = 0;
  std::size_t strains = 0;
  for (std::size_t i = 0; i < data.elements.size(); ++i) {
    stresses += data.stressExceeded[i] ? 1 : 0;
    strains += data.strainExceeded[i] ? 1 : 0;
  }
  const GeneralMethodFigures& g = data.report.general;
  const auto note = [&](const std::string& text) {
    data.notes.push_back(text);
    warnings << "colsec-plot: warning: " << text << "\n";
  };
  if (g.stressesExceeded && stresses == 0) {
    note("The report finds stresses beyond their limits, but in the element list (six significant digits) no "
         "element exceeds its limit by more than the printing precision, so none is outlined.");
  }
  if (!g.stressesExceeded && stresses > 0) {
    note("The element list shows " + std::to_string(stresses) +
         " elements with stresses beyond their limits, but the report says none: the files may come from "
         "different runs.");
  }
  if (g.strainsExceeded && strains == 0) {
    note("The report finds strains beyond the ultimate strain, but in the element list (six significant digits) "
         "no element exceeds it by more than the printing precision, so none is outlined.");
  }
  if (!g.strainsExceeded && strains > 0) {
    note("The element list shows " + std::to_string(strains) +
         " elements with strains beyond the ultimate strain, but the report says none: the files may come from "
         "different runs.");
  }
  std::error_code error;
  const auto inputTime = std::filesystem::last_write_time(inputPath, error);
  if (error) return;
  for (const std::string* file : {&data.sectionFile, &data.interactionFile, &data.validationFile}) {
    const auto resultTime = std::filesystem::last_write_time(*file, error);
    if (!error && inputTime > resultTime) {
      note(inputPath + " was changed after " + *file + " was written; if the section, materials or settings "
                                                       "changed, run colsec again.");
      break;
    }
  }
}

// The temporary page while it is being written, for the interrupt handler.
std::atomic<const char*> temporaryPage{nullptr};

extern "C" void removeTemporaryPageAndStop(int signalNumber) {
  const char* path = temporaryPage.exchange(nullptr);
  if (path != nullptr) ::unlink(path);
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

PlotData collectPlotData(const std::string& inputPath, SectionModel& model, std::ostream& warnings) {
  std::ostringstream ignored;  // colsec has shown the input's warnings already
  {
    std::ifstream input(inputPath, std::ios::binary);
    if (!input) throw InputError("cannot open input file '" + inputPath + "': " + reason());
    const InputRecordLines lines = readInput(input, model, inputPath, ignored);
    if (input.bad()) throw InputError("cannot read input file '" + inputPath + "': " + reason());
    model.pruneMaterials();
    checkInput(model, lines, inputPath, ignored);
  }
  discretise(model);

  PlotData data;
  const InputPathParts parts = splitInputPath(inputPath);
  const std::string stem = parts.directory + parts.baseName;
  data.title = parts.baseName;
  data.inputName = inputPath;
  data.sectionFile = stem + "_Section.res";
  data.interactionFile = stem + "_Interaction.res";
  data.validationFile = stem + "_Validation.res";
  data.model = &model;

  {
    std::istringstream in(readWholeFile(data.sectionFile, "element list"));
    data.elements = readSectionResults(in, data.sectionFile);
  }
  {
    std::istringstream in(readWholeFile(data.interactionFile, "interaction curves"));
    data.curves = readInteractionResults(in, data.interactionFile);
  }
  {
    std::istringstream in(readWholeFile(data.validationFile, "verification report"));
    data.report = readValidationReport(in, data.validationFile);
  }

  matchElements(data, inputPath);
  checkReport(data, inputPath);
  checkCurves(data, inputPath);

  for (std::size_t k = 0; k < model.materials.size(); ++k) {
    int sameLaw = 0;
    for (std::size_t j = 0; j < k; ++j) {
      sameLaw += materialKeyword(*model.materials[j]) == materialKeyword(*model.materials[k]) ? 1 : 0;
    }
    data.materials.push_back(describeMaterial(*model.materials[k], sameLaw));
  }
  data.materialIndex.reserve(model.elements.size());
  for (const Element& e : model.elements) {
    int index = 0;
    for (std::size_t k = 0; k < model.materials.size(); ++k) {
      if (model.materials[k].get() == e.material) index = static_cast<int>(k);
    }
    data.materialIndex.push_back(index);
  }
  markExceededElements(data, model);
  addConsistencyNotes(data, inputPath, warnings);
  return data;
}

void writePageAtomically(const std::string& path, const std::string& page) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw PlotOutputError("cannot write '" + path + "': a directory of that name exists");
  }
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw PlotOutputError("cannot create '" + temporary + "': " + reason());
    temporaryPage.store(temporary.c_str());
    out << page;
    out.flush();
    out.close();
    if (!out) {
      temporaryPage.store(nullptr);
      std::filesystem::remove(temporary, error);
      throw PlotOutputError("cannot write '" + temporary + "': " + reason());
    }
  }
  std::filesystem::rename(temporary, path, error);
  temporaryPage.store(nullptr);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw PlotOutputError("cannot write '" + path + "': " + error.message());
  }
}

std::string runPlot(const std::string& inputPath, std::ostream& warnings) {
  std::ostringstream console;  // the not-found message of the material lookup
  SectionModel model(console);
  const PlotData data = collectPlotData(inputPath, model, warnings);
  const InputPathParts parts = splitInputPath(inputPath);
  const std::string pagePath = parts.directory + parts.baseName + "_Plot.html";
  writePageAtomically(pagePath, buildPlotPage(data));
  return pagePath;
}

void installPlotInterruptCleanup() {
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, removeTemporaryPageAndStop);
}

}  // namespace colsec::plot
