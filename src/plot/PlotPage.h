#pragma once
// The page: one self-contained XHTML document with inline SVG and CSS,
// no script and nothing fetched, laid out for a screen and for A4 paper.

#include <string>
#include <vector>

#include "model/SectionModel.h"
#include "plot/ResultFiles.h"
#include "plot/Scales.h"

namespace colsec::plot {

// What one material looks like on the page.
struct MaterialStyle {
  const Material* material = nullptr;
  std::string keyword;      // the law as written in the input file
  std::string description;  // kind and main strength, for the legend
  Colour colour;
};

// Everything the page shows. The elements of `model` and `elements` run
// in the same order: elements[i] holds the results of model->elements[i].
struct PlotData {
  std::string title;      // the input's base name
  std::string inputName;  // the input path as given
  std::string sectionFile;
  std::string interactionFile;
  std::string validationFile;
  const SectionModel* model = nullptr;
  std::vector<ElementRecord> elements;
  std::vector<int> materialIndex;  // per element: index into materials
  std::vector<bool> stressExceeded;
  std::vector<bool> strainExceeded;
  std::vector<MaterialStyle> materials;  // as model->materials
  InteractionResults curves;
  ValidationReport report;
  std::vector<std::string> notes;  // shown in a box at the top of the page
};

// The law keyword of the input file for a material ("CONC1992_3171", ...).
std::string materialKeyword(const Material& material);

// The legend entry of a material: kind, strength and colour; the colour
// is a shade of the law's colour, `sameLawIndex` counting the materials
// of the same law before this one.
MaterialStyle describeMaterial(const Material& material, int sameLawIndex);

std::string buildPlotPage(const PlotData& data);

}  // namespace colsec::plot
