#include "plot/PlotJob.h"

#include <ostream>
#include <streambuf>

#include "app/AnalysisSteps.h"
#include "app/InputPath.h"
#include "app/OutputFile.h"
#include "app/SectionInput.h"
#include "model/SectionModel.h"
#include "plot/PlotPage.h"

namespace colsec::plot {

namespace {

// Accepts and drops everything, and stays good, so the steps run exactly
// as they do for colsec.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

}  // namespace

std::string drawPage(const std::string& inputPath, std::ostream& diagnostics) {
  NullBuffer nothing;
  std::ostream discarded(&nothing);
  SectionModel model(discarded);  // the not-found message of the material lookup
  readSectionInput(inputPath, model, diagnostics);
  // Only the results in the model are drawn; no result file text is made.
  runAnalysisSteps(model, kSolverTolerance, {nullptr, nullptr, nullptr, nullptr, discarded});

  const std::string pagePath = outputPath(inputPath, kPlotPageSuffix);
  writeFileAtomically(pagePath, buildPlotPage(model, splitInputPath(inputPath).baseName, inputPath), 0);
  return pagePath;
}

}  // namespace colsec::plot
