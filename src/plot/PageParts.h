#pragma once
// What the parts of the page share: the model with the looks of its
// materials, the text of numbers, and the parts themselves. Every part
// only formats what the analysis stored in the model.

#include <string>
#include <vector>

#include "model/SectionModel.h"
#include "plot/PlotPage.h"

namespace colsec::plot {

// The model and how its materials look: materialIndex[i] is the index into
// materials of model.elements[i]; per material its element count and the
// elements beyond a limit.
struct PageData {
  const SectionModel& model;
  const PageInfo& info;
  std::vector<MaterialStyle> materials;
  std::vector<int> materialIndex;
  std::vector<std::size_t> elementCount;
  std::vector<std::size_t> beyondCount;
  std::size_t stressesExceeded = 0;  // elements
  std::size_t strainsExceeded = 0;
};

// Six significant digits, as the report prints numbers.
std::string num(double value);
// A figure as the report prints it, with its unit; "nan" for NaN.
std::string figure(double value, const std::string& unit = "");
// A utilisation with three decimals ("0.943"), "nan" for NaN.
std::string ratioText(double value);
// Forces in kN and moments in kNm, as the report prints them.
SectionForces inKN(const SectionForces& f);

// The parts of the page, each a piece of XHTML.
std::string sectionPictures(const PageData& data);     // SectionPictures.cpp
std::string interactionCharts(const PageData& data);   // Charts.cpp
std::string designCheckTable(const PageData& data);    // Tables.cpp
std::string keyFigures(const PageData& data);          // Tables.cpp
std::string materialTable(const PageData& data);       // Tables.cpp
std::string combinationTable(const PageData& data);    // Tables.cpp
std::string memberTable(const PageData& data);         // Tables.cpp, empty without "#MEMBER"

// One class per step of the utilisation legend: u0 … u22.
std::string utilisationCss();  // SectionPictures.cpp

// The colour of a utilisation, as the legend of the combinations shows it.
Colour utilisationColour(double utilisation);

}  // namespace colsec::plot
