#pragma once
// The page: one self-contained XHTML document with inline SVG and CSS,
// no script and nothing fetched, laid out for a screen and for A4 paper.
// It only formats what the analysis stored in the model.

#include <string>

#include "loads/LoadCaseRun.h"
#include "model/SectionModel.h"
#include "plot/Scales.h"

namespace colsec::plot {

// What one material looks like on the page.
struct MaterialStyle {
  const Material* material = nullptr;
  std::string keyword;      // the law as written in the input file
  std::string description;  // kind and main strength, for the legend
  Colour colour;
};

// The law keyword of the input file for a material ("CONC1992_3171", ...).
std::string materialKeyword(const Material& material);

// The legend entry of a material: kind, strength and colour; the colour
// is a shade of the law's colour, `sameLawIndex` counting the materials
// of the same law before this one.
MaterialStyle describeMaterial(const Material& material, int sameLawIndex);

// The title block of the page and, for a run over load combinations,
// every combination's outcome.
struct PageInfo {
  std::string title;      // the input's first comment line, else its base name
  std::string inputName;  // the input path as given
  std::string runDate;    // when the analysis ran, "YYYY-MM-DD HH:MM UTC"
  std::string version;    // of the program
  // Not owned; null for a run of the input's own design forces. The model
  // drawn is then that of the governing combination.
  const LoadCaseResults* loads = nullptr;
  std::string loadsName;  // the table's path as given
};

// The page of an analysed model (the full diagram computed when the
// section has curves).
std::string buildPlotPage(const SectionModel& model, const PageInfo& info);

}  // namespace colsec::plot
