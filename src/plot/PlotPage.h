#pragma once
// The page: one self-contained XHTML document with inline SVG and CSS,
// no script and nothing fetched, laid out for a screen and for A4 paper.
// It only formats what the analysis stored in the model.

#include <string>

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

// The page of an analysed model. title: the input's base name;
// inputName: the input path as given.
std::string buildPlotPage(const SectionModel& model, const std::string& title, const std::string& inputName);

}  // namespace colsec::plot
