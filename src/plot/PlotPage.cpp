// The document frame of the page: title block, verdicts, the order of the
// parts, and the style sheet for screen and A4 print.

#include "plot/PlotPage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "materials/MaterialLaws.h"
#include "model/NumberText.h"
#include "plot/PageParts.h"
#include "plot/Svg.h"
#include "report/Reports.h"
#include "report/ShownItems.h"

namespace colsec::plot {

std::string num(double value) {
  std::string text;
  appendNumber(text, value);
  return text;
}

std::string figure(double value, const std::string& unit) {
  if (std::isnan(value)) return "nan";
  return num(value) + (unit.empty() ? "" : " " + unit);
}

std::string ratioText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", value);
  std::string text = buffer;
  return text == "-0.000" ? "0.000" : text;
}

SectionForces inKN(const SectionForces& f) { return {f.nx / 1000, f.my / 1e6, f.mz / 1e6, f.qy / 1000, f.qz / 1000}; }

namespace {

// Sizes in the pictures are in picture units (about 0.2 mm each in print);
// text on paper is at least 8 pt.
const char* const kStyle = R"(
@page { size: A4 portrait; margin: 11mm 11mm 12mm; }
* { box-sizing: border-box; }
body { margin: 0; background: #fff; color: #1d1d1d; font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif;
  font-size: 13px; line-height: 1.35; -webkit-print-color-adjust: exact; print-color-adjust: exact; }
main { max-width: 1140px; margin: 0 auto; padding: 14px 18px 24px; }
header.title { border: 1.5px solid #333; display: grid; grid-template-columns: 1fr auto; gap: 2px 16px; padding: 6px 10px; margin-bottom: 10px; }
header.title h1 { font-size: 19px; margin: 0; grid-column: 1 / 3; }
header.title dl { margin: 0; display: grid; grid-template-columns: auto 1fr; gap: 0 8px; font-size: 12px; }
header.title dt { color: #555; } header.title dd { margin: 0; }
h2 { font-size: 15px; margin: 14px 0 6px; border-bottom: 1px solid #bbb; padding-bottom: 2px; break-after: avoid; }
.verdicts { display: grid; grid-template-columns: 1fr 1fr 1.35fr; gap: 10px; }
.verdict { padding: 6px 10px; border-left: 7px solid #888; background: #f3f3f3; break-inside: avoid; }
.verdict.ok { border-color: #2e7d32; background: #edf6ee; }
.verdict.fail { border-color: #c62828; background: #fbeaea; }
.verdict .method { font-weight: bold; }
.verdict .word { font-size: 16px; font-weight: bold; margin: 3px 0; }
.verdict.ok .word { color: #1b5e20; }
.verdict.fail .word { color: #b71c1c; }
.verdict ul { margin: 2px 0 0; padding-left: 16px; }
.verdict ul.inline { list-style: none; padding-left: 0; }
.verdict ul.inline li { display: inline; white-space: nowrap; }
.verdict ul.inline li + li::before { content: " · "; }
.pair { display: grid; grid-template-columns: 1fr 1fr; gap: 12px; margin-bottom: 10px; }
figure { margin: 0; border: 1px solid #d6d6d6; padding: 6px 8px 8px; break-inside: avoid; page-break-inside: avoid; }
figure h3 { font-size: 13px; margin: 0 0 2px; }
figure > svg { display: block; width: 100%; height: auto; }
figcaption { font-size: 12px; color: #333; }
.legend, ul.callouts { list-style: none; margin: 4px 0 0; padding: 0; font-size: 12px; }
.legend li, ul.callouts li { margin: 1px 0; }
.box { display: inline-block; width: 12px; height: 12px; border: 1px solid #555; vertical-align: -2px; margin-right: 5px; }
.dot { display: inline-block; width: 10px; height: 10px; border-radius: 50%; border: 1px solid #333; vertical-align: -1px; margin: 0 4px 0 2px; }
svg.swatch { display: inline-block; width: 24px; height: 12px; vertical-align: -2px; margin-right: 5px; overflow: visible; }
.nocurves { border: 1px dashed #999; background: #fafafa; padding: 10px 12px; margin-bottom: 8px; }
table.figures { border-collapse: collapse; width: 100%; font-size: 12px; break-inside: auto; }
table.figures th { text-align: left; background: #eee; padding: 3px 6px; }
table.figures th.v { text-align: right; }
table.figures td { padding: 2px 6px; border-bottom: 1px solid #e6e6e6; vertical-align: top; }
table.figures tr { break-inside: avoid; }
table.figures td.v { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
table.figures tr.governing td { background: #fff6d5; }
td.ok { color: #1b5e20; font-weight: bold; } td.fail { color: #b71c1c; font-weight: bold; } td.warn { color: #8a5a00; font-weight: bold; }
p.note { font-size: 11.5px; color: #444; margin: 3px 0 6px; }
h3.tablehead { font-size: 13px; margin: 4px 0 4px; }
.standalone { max-width: 640px; }
footer { margin-top: 8px; font-size: 11px; color: #555; }
svg text { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 15px; fill: #1d1d1d; }
svg .tl { font-size: 14.5px; fill: #222; }
svg .axistitle { font-size: 15px; }
svg .axislabel { font-size: 16px; font-style: italic; }
svg .dimtext { font-size: 14.5px; }
svg .halo { paint-order: stroke; stroke: #fff; stroke-width: 4px; stroke-linejoin: round; }
svg .cells rect { stroke-width: 0.4; }
svg .mesh { fill: none; stroke: #fff; stroke-opacity: 0.7; stroke-width: 0.5; }
svg .ring { fill: none; stroke: #000; stroke-width: 2.4; }
svg .ring-halo { fill: none; stroke: #fff; stroke-width: 5.5; }
svg .tag { fill: #000; stroke: #fff; stroke-width: 1.5; }
svg .tagtext { fill: #fff; font-size: 14px; font-weight: bold; }
svg .tick, svg .frame { stroke: #555; stroke-width: 0.9; }
svg .ext { stroke: #777; stroke-width: 0.7; }
svg .dimline { stroke: #333; stroke-width: 0.9; }
svg .arrow { fill: #333; stroke: none; }
svg .axis { stroke: #333; stroke-width: 1; stroke-dasharray: 10 2 2 2; }
svg .na { stroke: #111; stroke-width: 2; stroke-dasharray: 9 3 2 3; }
svg .nalabel { font-size: 14px; font-weight: bold; }
svg .barframe { fill: none; stroke: #555; stroke-width: 0.8; }
svg .gridline { stroke: #e4e4e4; stroke-width: 0.9; }
svg .zero { stroke: #8a8a8a; stroke-width: 1.1; }
svg .plotframe { fill: none; stroke: #999; stroke-width: 0.9; }
svg polygon, svg polyline { stroke-linejoin: round; }
svg .domain { fill: #1f5fa8; fill-opacity: 0.08; stroke: #1f5fa8; stroke-width: 1.9; }
svg .c-MyMz { fill: #1f5fa8; fill-opacity: 0.07; stroke: #1f5fa8; stroke-width: 1.9; }
svg .c-MyMzN0 { fill: none; stroke: #7a7a7a; stroke-width: 1.5; stroke-dasharray: 7 4; }
svg polyline.c-MyMz, svg polyline.domain { fill: none; }
svg line.domain, svg line.c-MyMz { stroke: #1f5fa8; stroke-width: 2; }
svg line.c-MyMzN0 { stroke: #7a7a7a; stroke-width: 1.6; stroke-dasharray: 6 3; }
svg .lin { fill: none; stroke: #d84315; stroke-width: 2; }
svg .alpham { fill: none; stroke: #d84315; stroke-width: 1.4; stroke-dasharray: 5 3; }
svg .ray { fill: none; stroke: #2e7d32; stroke-width: 1.5; stroke-dasharray: 2 3; }
svg .pt { fill: #1f5fa8; }
svg .pt-MyMzN0 { fill: #7a7a7a; }
svg .pt-NMy, svg .pt-NMz { fill: #0d3c75; }
svg .mk-design { fill: #d32f2f; stroke: #000; stroke-width: 0.9; }
svg .mk-res { fill: #333; stroke: none; }
svg .mk-second { fill: #fff; stroke: #d32f2f; stroke-width: 2; }
svg .mk-ray { fill: #fff; stroke: #2e7d32; stroke-width: 2.2; }
svg .mk-comb { stroke: #222; stroke-width: 0.6; }
svg .marklabel { font-size: 15px; }
@media print {
  main { max-width: none; padding: 0; }
  body { font-size: 9pt; }
  header.title h1 { font-size: 13pt; }
  header.title dl { font-size: 8.5pt; }
  h2 { margin: 3.5mm 0 1.5mm; font-size: 11pt; }
  figure h3, h3.tablehead { font-size: 9.5pt; }
  .pair, .verdicts { gap: 3mm; }
  .pair { margin-bottom: 2mm; }
  figure { padding: 1.5mm 2mm; }
  .verdict .word { font-size: 11pt; }
  figcaption, .legend, ul.callouts, table.figures, p.note, .verdict ul, .nocurves, footer { font-size: 8pt; }
  table.figures td { padding: 0.3mm 1.5mm; line-height: 1.25; }
  table.figures th { padding: 0.5mm 1.5mm; }
}
)";

std::string materialCss(const PageData& data) {
  std::string s;
  for (std::size_t k = 0; k < data.materials.size(); ++k) {
    const std::string hex = data.materials[k].colour.hex();
    s += "svg .m" + std::to_string(k) + " { fill: " + hex + "; stroke: " + hex + "; }\n";
  }
  return s;
}

std::string generalVerdict(const PageData& data) {
  const SectionModel& model = data.model;
  const bool verified = model.generalMethod.verified;
  std::string s = "<div class=\"verdict " + std::string(verified ? "ok" : "fail") + "\">\n";
  s += "<div class=\"method\">General method, EN 1994-1-1 6.7.2</div>\n";
  s += "<div class=\"word\">" + escapeXml(generalVerdictText(verified)) + "</div>\n<ul>\n";
  if (model.shearConverged && model.axialConverged) {
    s += "<li>both iterations converged</li>\n";
  } else {
    s += std::string("<li>shear iteration ") + (model.shearConverged ? "converged" : "<b>did not converge</b>") +
         ", strain-state iteration " + (model.axialConverged ? "converged" : "<b>did not converge</b>") + "</li>\n";
  }
  if (model.stressesWithinLimits && model.strainsWithinLimits) {
    s += "<li>no stress or strain beyond its limit</li>\n";
  } else {
    s += "<li>beyond limits: <b>" + std::to_string(data.stressesExceeded) + "</b> stresses, <b>" +
         std::to_string(data.strainsExceeded) + "</b> strains (ε<sub>cu</sub>)</li>\n";
  }
  s += "</ul>\n</div>\n";
  return s;
}

// The report's line in place of the simplified method, without its
// leading line end and blank.
std::string linearMaterialText() { return std::string(kLinearMaterialLine).substr(2); }

std::string quoted(const std::string& text) { return "\xe2\x80\x9c" + escapeXml(text) + "\xe2\x80\x9d"; }

std::string simplifiedVerdict(const PageData& data) {
  const SimplifiedMethodResult& m = data.model.simplifiedMethod;
  if (!m.computed) {
    return "<div class=\"verdict\">\n<div class=\"method\">Simplified method, EN 1994-1-1 6.7.3</div>\n"
           "<div class=\"word\">not carried out</div>\n<ul><li>the section uses a LINEAR material, for which no "
           "rigid-plastic interaction curves exist; the report says " +
           quoted(linearMaterialText()) + "</li></ul>\n</div>\n";
  }
  const bool ok = m.methodOk();
  std::string s = "<div class=\"verdict " + std::string(ok ? "ok" : "fail") + "\">\n";
  s += "<div class=\"method\">Simplified method, EN 1994-1-1 6.7.3</div>\n";
  s += "<div class=\"word\">" + std::string(ok ? "all four checks OK" : "NOT all checks met") +
       "</div>\n<ul class=\"inline\">\n";
  const auto item = [](const std::string& name, const RatioCheck& check) {
    const std::string word = quoted(checkWord(check.ok));
    return "<li>" + name + " " + escapeXml(ratioText(check.ratio)) + " " + (check.ok ? word : "<b>" + word + "</b>") +
           "</li>\n";
  };
  s += item("Q<sub>y</sub>", m.shearY);
  s += item("Q<sub>z</sub>", m.shearZ);
  s += item("N", m.axial);
  s += item("M<sub>y</sub>-M<sub>z</sub> linear (6.7.3.7 (2))", m.linearSum);
  s += "</ul>\n<ul>\n<li>My-Mz curve at N<sub>Ed</sub> along the ray through M<sub>Ed</sub>: " +
       escapeXml(ratioText(m.ray.ratio)) + "</li>\n";
  // The report's ratios leave out αM and the side of the moments.
  if (const DesignCheckItem* refused = data.model.designCheck.firstFailing("6.7.3"); ok && refused != nullptr) {
    s += "<li><b>the design check refuses it</b>: " + escapeXml(refused->clause) + " " + escapeXml(refused->what) +
         "</li>\n";
  }
  s += "</ul>\n</div>\n";
  return s;
}

std::string designCheckVerdict(const PageData& data) {
  const DesignCheck& check = data.model.designCheck;
  if (!check.computed) return "";
  // Warnings as the table lists them: alike ones of several profiles are one.
  std::size_t warnings = 0;
  std::size_t warningItems = 0;
  for (const ShownItem& line : shownItems(check.items)) warnings += check.items[line.item].warning ? 1 : 0;
  for (const DesignCheckItem& item : check.items) warningItems += item.warning ? 1 : 0;
  std::string s = "<div class=\"verdict " + std::string(check.verdict ? "ok" : "fail") + "\">\n";
  s += "<div class=\"method\">Design check, EN 1994-1-1 6.7</div>\n";
  s += "<div class=\"word\">" + std::string(check.verdict ? "verified" : "NOT verified") + "</div>\n<ul>\n";
  if (check.governing >= 0) {
    const DesignCheckItem& g = check.items[check.governing];
    s += "<li>governing " + escapeXml(g.clause) + ": " + escapeXml(ratioText(g.utilisation)) + "</li>\n";
  }
  std::size_t failing = 0;
  for (const DesignCheckItem& item : check.items) failing += !item.warning && !item.ok ? 1 : 0;
  const std::size_t items = check.items.size() - warningItems;
  s += "<li>" + std::to_string(items) + (items == 1 ? " item, " : " items, ") + std::to_string(failing) + " failing" +
       (warnings > 0 ? ", <b>" + std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") + "</b>" : "") +
       "</li>\n";
  s += "</ul>\n</div>\n";
  return s;
}

std::string memberVerdict(const PageData& data) {
  const MemberResult& member = data.model.member;
  if (!member.computed) return "";
  const DesignCheck& check = data.model.designCheck;
  std::string s = "<div class=\"verdict " + std::string(member.verdict ? "ok" : "fail") + "\">\n";
  s += "<div class=\"method\">Member, EN 1994-1-1 6.7.3.3 to 6.7.3.5</div>\n";
  s += "<div class=\"word\">" + std::string(member.verdict ? "verified" : "NOT verified") + "</div>\n<ul>\n";
  if (member.governing >= 0 && static_cast<std::size_t>(member.governing) < check.items.size()) {
    const DesignCheckItem& g = check.items[member.governing];
    s += "<li>governing " + escapeXml(g.clause) + ": " + escapeXml(ratioText(g.utilisation)) + "</li>\n";
  }
  s += "</ul>\n</div>\n";
  return s;
}

std::string titleBlock(const PageData& data) {
  const PageInfo& info = data.info;
  std::string s = "<header class=\"title\">\n<h1>" + escapeXml(info.title) + "</h1>\n<dl>\n";
  s += "<dt>input</dt><dd>" + escapeXml(info.inputName) + "</dd>\n";
  if (info.loads != nullptr) {
    s += "<dt>load table</dt><dd>" + escapeXml(info.loadsName) + " (" + std::to_string(info.loads->outcomes.size()) +
         " combinations)</dd>\n";
    if (info.loads->governing >= 0) {
      s += "<dt>drawn for</dt><dd>the governing combination " +
           escapeXml(info.loads->outcomes[info.loads->governing].combination.name) + "</dd>\n";
    }
  }
  s += "</dl>\n<dl>\n";
  s += "<dt>analysed</dt><dd>" + escapeXml(info.runDate) + "</dd>\n";
  s += "<dt>program</dt><dd>colsec-plot " + escapeXml(info.version) + "</dd>\n";

  s += "</dl>\n</header>\n";
  return s;
}

}  // namespace

std::string materialKeyword(const Material& material) {
  const MaterialLaw* law = lawOf(material);
  return law != nullptr ? law->keyword : "material";
}

MaterialStyle describeMaterial(const Material& material, int sameLawIndex) {
  MaterialStyle style;
  style.material = &material;
  style.keyword = materialKeyword(material);
  const MaterialLaw* law = lawOf(material);
  if (law == nullptr) {
    style.description = "material";
    style.colour = {0x99, 0x99, 0x99};
    return style;
  }
  const RgbColour shade = law->legendColours[static_cast<std::size_t>(sameLawIndex % 4)];
  style.colour = {shade.r, shade.g, shade.b};
  // The strength the law is checked against, read through the law itself.
  const double lower = material.stressQuery(QueryLimitLower, 0.0, 0.0);
  const double upper = material.stressQuery(QueryLimitUpper, 0.0, 0.0);
  style.description = law->kindText;
  switch (law->kind) {
    case MaterialConcrete:
      style.description += ", f<sub>cd</sub> = " + num(std::fabs(lower)) + " N/mm²";
      break;
    case MaterialSteel:
      style.description += ", f<sub>yd</sub> = " + num(upper) + " N/mm²";
      break;
    case MaterialLinear:
      style.description += ", E = " + num(material.tangentModulus(0.0, 0.0)) + " N/mm², limits " + num(lower) +
                           " / " + num(upper) + " N/mm²";
      break;
  }
  return style;
}

std::string buildPlotPage(const SectionModel& model, const PageInfo& info) {
  PageData data{model, info, {}, {}, {}, {}, 0, 0};
  for (std::size_t k = 0; k < model.materials.size(); ++k) {
    int sameLaw = 0;
    for (std::size_t j = 0; j < k; ++j) {
      sameLaw += materialKeyword(*model.materials[j]) == materialKeyword(*model.materials[k]) ? 1 : 0;
    }
    data.materials.push_back(describeMaterial(*model.materials[k], sameLaw));
  }
  data.materialIndex.reserve(model.elements.size());
  data.elementCount.assign(model.materials.size(), 0);
  data.beyondCount.assign(model.materials.size(), 0);
  for (const Element& e : model.elements) {
    int index = 0;
    for (std::size_t k = 0; k < model.materials.size(); ++k) {
      if (model.materials[k].get() == e.material) index = static_cast<int>(k);
    }
    data.materialIndex.push_back(index);
    ++data.elementCount[static_cast<std::size_t>(index)];
    data.beyondCount[static_cast<std::size_t>(index)] += e.stressExceeded || e.strainExceeded ? 1 : 0;
    data.stressesExceeded += e.stressExceeded ? 1 : 0;
    data.strainsExceeded += e.strainExceeded ? 1 : 0;
  }

  std::string s;
  s.reserve(60000);
  s += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n";
  s += "<title>" + escapeXml(info.title) + "</title>\n<style>" + std::string(kStyle) + materialCss(data) +
       utilisationCss() + "</style>\n</head>\n<body>\n<main>\n";
  s += titleBlock(data);
  s += "<div class=\"verdicts\">\n" + designCheckVerdict(data) + memberVerdict(data) + generalVerdict(data) +
       simplifiedVerdict(data) + "</div>\n";
  s += sectionPictures(data);
  s += materialTable(data);
  s += designCheckTable(data);
  s += memberTable(data);
  s += interactionCharts(data);
  s += combinationTable(data);
  s += "<footer>Drawn by colsec-plot from its own run of colsec's analysis steps; no result file was read or "
       "written. The report (in German) is the verification. Units kN, kNm, N/mm², mm; tension positive.</footer>\n";
  s += "</main>\n</body>\n</html>\n";
  return s;
}

}  // namespace colsec::plot
