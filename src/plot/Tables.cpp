// The tables of the page: the design check item by item, the key figures
// of the report, the materials' extremes and the load combinations.

#include <cmath>
#include <utility>

#include "plot/PageParts.h"
#include "plot/Svg.h"
#include "report/Reports.h"
#include "report/ShownItems.h"

namespace colsec::plot {

namespace {

std::string row(const std::string& name, const std::string& value, const std::string& extra = "") {
  return "<tr><td>" + name + "</td><td class=\"v\">" + escapeXml(value) + "</td>" + extra + "</tr>\n";
}

}  // namespace

std::string keyFigures(const PageData& data) {
  const SectionModel& model = data.model;
  const SectionForces d = inKN(model.designForces);
  const SectionForces r = inKN(model.resultForces);
  const StrainState& state = model.strainState;
  const NeutralAxisPosition& axis = model.generalMethod.neutralAxis;
  std::string s = "<table class=\"figures\">\n";
  s += "<tr><th colspan=\"2\">Design forces</th></tr>\n";
  s += row("N<sub>Ed</sub>", figure(d.nx, "kN"));
  s += row("M<sub>y,Ed</sub> / M<sub>z,Ed</sub>", figure(d.my) + " / " + figure(d.mz, "kNm"));
  s += row("Q<sub>y,Ed</sub> / Q<sub>z,Ed</sub>", figure(d.qy) + " / " + figure(d.qz, "kN"));
  s += "<tr><th colspan=\"2\">General method: solved state</th></tr>\n";
  s += row("carried N / My / Mz", figure(r.nx) + " kN / " + figure(r.my) + " / " + figure(r.mz) + " kNm");
  s += row("carried Qy / Qz", figure(r.qy) + " / " + figure(r.qz) + " kN");
  s += row("ε<sub>x</sub> at the origin", figure(state.epsX));
  s += row("κ<sub>y</sub> / κ<sub>z</sub> [1/mm]", figure(state.kappaY) + " / " + figure(state.kappaZ));
  s += row("neutral axis: foot of the perpendicular from the origin, y / z",
           figure(axis.offY) + " / " + figure(axis.offZ, "mm"));
  s += row("neutral axis: angle of its normal", figure(axis.alphaDeg) + "°");
  if (model.simplifiedMethod.computed) {
    const SimplifiedMethodResult& m = model.simplifiedMethod;
    s += "<tr><th colspan=\"2\">Simplified method: plastic resistances</th></tr>\n";
    s += row("N<sub>pl,Rd,max</sub> / N<sub>pl,Rd,min</sub>",
             figure(model.nPlRdMax / 1000) + " / " + figure(model.nPlRdMin / 1000, "kN"));
    s += row("M<sub>pl,y,Rd</sub> / M<sub>pl,z,Rd</sub>",
             figure(model.mPlYRd / 1e6) + " / " + figure(model.mPlZRd / 1e6, "kNm"));
    s += row("m<sub>dy</sub> / m<sub>dz</sub>", figure(model.mdy) + " / " + figure(model.mdz));
    s += row("Q<sub>pl,Rd,y</sub> / Q<sub>pl,Rd,z</sub>",
             figure(model.qPlRdY / 1000) + " / " + figure(model.qPlRdZ / 1000, "kN"));
    s += row("[1] / [2]", figure(m.linearY.ratio) + " / " + figure(m.linearZ.ratio));
    s += row("utilisation along the ray through M<sub>y,Ed</sub>, M<sub>z,Ed</sub> at N<sub>Ed</sub>",
             ratioText(m.ray.ratio));
    s += row("report's experimental check: nearest point of the curve at N<sub>Ed</sub>, M<sub>y</sub> / M<sub>z</sub>",
             figure(m.closestPoint.my / 1e6) + " / " + figure(m.closestPoint.mz / 1e6, "kNm"));
    s += row("its utilisations |M<sub>y,Ed</sub>/M<sub>y</sub>| / |M<sub>z,Ed</sub>/M<sub>z</sub>| (not along the load)",
             figure(m.closestMy.ratio) + " / " + figure(m.closestMz.ratio));
  }
  s += "</table>\n";
  return s;
}

// Per material the extremes the analysis collected.
std::string materialTable(const PageData& data) {
  std::string s = "<table class=\"figures\">\n<tr><th>Material</th><th>elements</th><th>σx min / max "
                  "[N/mm²]</th><th>εx min / max</th><th>beyond limits</th></tr>\n";
  for (std::size_t k = 0; k < data.materials.size(); ++k) {
    const Material& m = *data.materials[k].material;
    const auto range = [](const Element* element, double lo, double hi) {
      return element == nullptr ? std::string("–") : num(lo) + " / " + num(hi);
    };
    s += "<tr><td><span class=\"box\" style=\"background:" + data.materials[k].colour.hex() + "\"></span>" +
         std::to_string(m.number) + " " + escapeXml(data.materials[k].keyword) + "</td><td class=\"v\">" +
         std::to_string(data.elementCount[k]) + "</td><td class=\"v\">" +
         escapeXml(range(m.minSigmaElement, m.minSigma, m.maxSigma)) + "</td><td class=\"v\">" +
         escapeXml(range(m.minEpsElement, m.minEps, m.maxEps)) + "</td><td class=\"v\">" +
         std::to_string(data.beyondCount[k]) + "</td></tr>\n";
  }
  s += "</table>\n";
  return s;
}

std::string designCheckTable(const PageData& data) {
  const DesignCheck& check = data.model.designCheck;
  if (!check.computed) return "";
  // Forces in kN and moments in kNm, as everywhere on the page.
  const auto quantityText = [](double value, CheckQuantity quantity) {
    switch (quantity) {
      case CheckQuantity::Force: return figure(value / 1000, "kN");
      case CheckQuantity::Moment: return figure(value / 1e6, "kNm");
      case CheckQuantity::Ratio: break;
    }
    return num(value);
  };
  std::string s = "<h2>Design check, item by item</h2>\n<table class=\"figures check\">\n"
                  "<tr><th>clause</th><th>condition</th><th class=\"v\">value</th><th class=\"v\">limit</th>"
                  "<th class=\"v\">utilisation</th><th>result</th></tr>\n";
  for (const ShownItem& line : shownItems(check.items)) {
    const DesignCheckItem& item = check.items[line.item];
    const bool governing = static_cast<int>(line.item) == check.governing;
    const std::string result = item.warning ? "warning" : (item.ok ? "passes" : "fails");
    const std::string cls = item.warning ? "warn" : (item.ok ? "ok" : "fail");
    s += "<tr class=\"" + std::string(governing ? "governing " : "") + "r-" + cls + "\"><td>" + escapeXml(item.clause) +
         "</td><td>" + escapeXml(line.what) + (governing ? " <b>(governing)</b>" : "") + "</td><td class=\"v\">" +
         escapeXml(quantityText(item.value, item.quantity)) + "</td><td class=\"v\">" +
         escapeXml(quantityText(item.limit, item.quantity)) + "</td><td class=\"v\">" +
         escapeXml(ratioText(item.utilisation)) + "</td><td class=\"" + cls + "\">" + result + "</td></tr>\n";
  }
  s += "</table>\n<p class=\"note\">Forces in kN, moments in kNm, the other values and limits ratios. A warning "
       "does not decide the verdict.</p>\n";
  return s;
}

// The member block: lengths, stiffnesses, slenderness, curves, χ, Nb,Rd,
// e0 and the amplification factors per axis, as the member check stored them.
std::string memberTable(const PageData& data) {
  const MemberResult& member = data.model.member;
  if (!member.computed) return "";
  const MemberInput& input = data.model.memberInput;
  const MemberAxisResult& y = member.axes[0];
  const MemberAxisResult& z = member.axes[1];
  const auto pair = [&](double MemberAxisResult::*field, double scale, const std::string& unit) {
    return figure(y.*field / scale) + " / " + figure(z.*field / scale, unit);
  };
  const auto curve = [](char c) { return c == 0 ? std::string("none") : std::string(1, c); };
  std::string s = "<h2>Member, EN 1994-1-1 6.7.3.3 to 6.7.3.5</h2>\n<table class=\"figures member\">\n";
  s += "<tr><th colspan=\"2\">Member (about y / about z)</th></tr>\n";
  s += row("length L", figure(member.length, "mm"));
  s += row("buckling lengths L<sub>cr</sub>", pair(&MemberAxisResult::lcr, 1, "mm"));
  s += row("N<sub>pl,Rk</sub> / N<sub>pl,Rd</sub> (γ<sub>a</sub>, γ<sub>c</sub>, γ<sub>s</sub> = " +
               num(input.gammaA) + ", " + num(input.gammaC) + ", " + num(input.gammaS) + ")",
           figure(member.nplRk / 1000) + " / " + figure(member.nplRd / 1000, "kN"));
  s += row(std::string("creep (6.7.3.3 (4))"),
           input.creep ? "φt = " + num(input.phiT) + ", NG,Ed/NEd = " + num(input.permanentRatio)
                       : std::string("not declared: Ec,eff = Ecm"));
  s += row("(EI)<sub>eff</sub> [kNm²] (6.7.3.3 (3))", pair(&MemberAxisResult::eiEff, 1e9, ""));
  s += row("N<sub>cr</sub>", pair(&MemberAxisResult::ncr, 1000, "kN"));
  s += row("λ̄", pair(&MemberAxisResult::lambdaBar, 1, ""));
  s += row("reinforcement ratio ρ<sub>s</sub> = A<sub>s</sub>/A<sub>c</sub>",
           figure(100 * member.reinforcementRatio, "%"));
  s += row("buckling curve (Table 6.5" + std::string(input.curveY != 0 ? ", declared" : "") + ")",
           curve(y.curve) + " / " + curve(z.curve));
  s += row("χ (EN 1993-1-1 6.3.1.2)", pair(&MemberAxisResult::chi, 1, ""));
  s += row("N<sub>b,Rd</sub> = χ·N<sub>pl,Rd</sub>", pair(&MemberAxisResult::nbRd, 1000, "kN"));
  s += row("member imperfection e<sub>0</sub>", pair(&MemberAxisResult::e0, 1, "mm"));
  s += row("(EI)<sub>eff,II</sub> [kNm²] (6.7.3.4 (2))", pair(&MemberAxisResult::eiEffII, 1e9, ""));
  s += row("N<sub>cr,eff</sub>", pair(&MemberAxisResult::ncrEff, 1000, "kN"));
  s += row("β (Table 6.4, r = " + num(input.ratioY) + " / " + num(input.ratioZ) + ")",
           pair(&MemberAxisResult::beta, 1, ""));
  s += row("k<sub>1</sub> (first-order moment) / k<sub>2</sub> (imperfection)",
           figure(y.k1) + ", " + figure(y.k2) + " / " + figure(z.k1) + ", " + figure(z.k2));
  s += "<tr><th colspan=\"2\">Section at the second-order moments (6.7.3.7 (1))</th></tr>\n";
  for (const MemberSecondOrderCheck& check : member.checks) {
    const std::string result = check.verdict ? "passes" : "fails";
    s += row(std::string("e<sub>0</sub> in the plane of M<sub>") + check.imperfectionPlane +
                 "</sub>: N / M<sub>y,II</sub> / M<sub>z,II</sub>",
             figure(check.forces.nx / 1000) + " kN / " + figure(check.forces.my / 1e6) + " / " +
                 figure(check.forces.mz / 1e6, "kNm") + ", " + result);
  }
  s += "</table>\n";
  return s;
}

std::string combinationTable(const PageData& data) {
  if (data.info.loads == nullptr) return "";
  const LoadCaseResults& loads = *data.info.loads;
  // The member's verdict only where the input has a "#MEMBER" record.
  const bool member = !loads.outcomes.empty() && loads.outcomes.front().member.computed;
  std::string s = "<section class=\"combinations\">\n<h2>Load combinations of " + escapeXml(data.info.loadsName) +
                  "</h2>\n<p class=\"note\">" + std::to_string(loads.outcomes.size()) +
                  " combinations; the pictures above show the governing one";
  if (loads.governing >= 0) s += ", " + escapeXml(loads.outcomes[loads.governing].combination.name);
  s += ". Utilisation: the highest of the design check's items.</p>\n<table class=\"figures comb\">\n"
       "<tr><th></th><th>combination</th><th class=\"v\">N [kN]</th><th class=\"v\">M<sub>y</sub> [kNm]</th>"
       "<th class=\"v\">M<sub>z</sub> [kNm]</th><th class=\"v\">Q<sub>y</sub> / Q<sub>z</sub> [kN]</th>"
       "<th class=\"v\">utilisation</th><th>governing item</th><th>design check</th>" +
       std::string(member ? "<th>member</th>" : "") + "<th>general method</th></tr>\n";
  for (std::size_t k = 0; k < loads.outcomes.size(); ++k) {
    const CombinationOutcome& o = loads.outcomes[k];
    const SectionForces f = inKN(o.combination.forces);
    const bool governing = static_cast<int>(k) == loads.governing;
    const DesignCheckItem* item = o.designCheck.governing < 0 ? nullptr : &o.designCheck.items[o.designCheck.governing];
    s += "<tr" + std::string(governing ? " class=\"governing\"" : "") + "><td><span class=\"dot\" style=\"background:" +
         utilisationColour(o.utilisation).hex() + "\"></span></td><td>" + escapeXml(o.combination.name) +
         (governing ? " <b>(governing)</b>" : "") + "</td><td class=\"v\">" + escapeXml(num(f.nx)) +
         "</td><td class=\"v\">" + escapeXml(num(f.my)) + "</td><td class=\"v\">" + escapeXml(num(f.mz)) +
         "</td><td class=\"v\">" + escapeXml(num(f.qy) + " / " + num(f.qz)) + "</td><td class=\"v\">" +
         escapeXml(ratioText(o.utilisation)) + "</td><td>" + (item == nullptr ? "–" : escapeXml(item->clause)) +
         "</td><td class=\"" + (o.designCheck.verdict ? "ok" : "fail") + "\">" +
         (o.designCheck.verdict ? "passes" : "fails") + "</td>" +
         (member ? std::string("<td class=\"") + (o.member.verdict ? "ok" : "fail") + "\">" +
                       (o.member.verdict ? "passes" : "fails") + "</td>"
                 : std::string()) +
         "<td>" + escapeXml(generalVerdictText(o.generalVerified)) + "</td></tr>\n";
  }
  s += "</table>\n<p class=\"note\">Colours of the points in the diagrams: ";
  for (const auto& [u, text] : {std::pair{0.3, "≤ 0.5"}, std::pair{0.7, "≤ 0.8"}, std::pair{0.85, "≤ 0.9"},
                                std::pair{0.95, "≤ 1.0"}, std::pair{2.0, "beyond 1.0 or failed"}}) {
    s += "<span class=\"dot\" style=\"background:" + utilisationColour(u).hex() + "\"></span>" + text + " ";
  }
  s += "</p>\n</section>\n";
  return s;
}

}  // namespace colsec::plot
