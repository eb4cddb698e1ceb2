// The EN 1994-1-1 6.7.3 section of the verification report: special cases
// on resistances set by hand, and one whole section of a hand-checked
// four-element steel square.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/SectionSums.h"
#include "interaction/InteractionCurves.h"
#include "interaction/SimplifiedMethod.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"
#include "report/Reports.h"

namespace colsec {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ReportSection {
  ReportSection() : model(console) {
    // Resistances: Qpl,Rd 1000 kN both ways, Npl,Rd +2000/-4000 kN,
    // Mpl,y,Rd 200 kNm, Mpl,z,Rd 100 kNm, mdy = mdz = 1.
    model.qPlRdY = 1e6;
    model.qPlRdZ = 1e6;
    model.nPlRdMax = 2e6;
    model.nPlRdMin = -4e6;
    model.mPlYRd = 2e8;
    model.mPlZRd = 1e8;
    model.mdy = 1.0;
    model.mdz = 1.0;
    // A surface whose My-Mz curve at any axial force within ±1e7 N runs
    // straight from (200, 0) kNm to (0, 100) kNm.
    model.surfaceCurves = {{{1e7, 2e8, 0}, {-1e7, 2e8, 0}}, {{1e7, 0, 1e8}, {-1e7, 0, 1e8}}};
  }
  // The ratios are decided by the analysis, then printed.
  std::string report() {
    evaluateSimplifiedMethod(model);
    std::ostringstream text;
    writeSimplifiedMethodReport(text, model);
    return text.str();
  }
  std::ostringstream console;
  SectionModel model;
};

// The line of the text that starts with prefix, without its line break.
std::string lineStartingWith(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(prefix, 0) == 0) return line;
  }
  return "<no line starting with " + prefix + ">";
}

TEST(SimplifiedMethodReport, ShearChecksWithTrailingBlanks) {
  struct Case {
    const char* name;
    double qy;
    double qz;
    double qPlRdY;
    double qPlRdZ;
    const char* line;
  };
  const Case cases[] = {
      {"pass and fail", 5e5, 2e6, 1e6, 1e6,
       "\tQEd,y / Qpl,Rd,y = 0.5[-]  OK \tQEd,z / Qpl,Rd,z = 2[-]  Nicht erfüllt "},
      {"negative forces by magnitude", -5e5, -2e6, 1e6, 1e6,
       "\tQEd,y / Qpl,Rd,y = 0.5[-]  OK \tQEd,z / Qpl,Rd,z = 2[-]  Nicht erfüllt "},
      {"ratio exactly 1 passes", 1e6, 0, 1e6, 1e6, "\tQEd,y / Qpl,Rd,y = 1[-]  OK \tQEd,z / Qpl,Rd,z = 0[-]  OK "},
      {"no shear resistance", 1000, 0, 0, 0,
       "\tQEd,y / Qpl,Rd,y = inf[-]  Nicht erfüllt \tQEd,z / Qpl,Rd,z = nan[-]  Nicht erfüllt "},
  };
  for (const Case& c : cases) {
    ReportSection section;
    section.model.designForces.qy = c.qy;
    section.model.designForces.qz = c.qz;
    section.model.qPlRdY = c.qPlRdY;
    section.model.qPlRdZ = c.qPlRdZ;
    EXPECT_EQ(lineStartingWith(section.report(), "\tQEd,y"), c.line) << c.name;
  }
}

TEST(SimplifiedMethodReport, AxialForceAgainstTheResistanceOfItsSign) {
  struct Case {
    const char* name;
    double nx;
    const char* line;
  };
  // Npl,Rd,max = 2000 kN, Npl,Rd,min = -4000 kN.
  const Case cases[] = {
      {"exactly 0", 0.0, "\tNEd/Npl,Rd = 0   OK"},
      {"tension above Npl,Rd,max", 3e6, "\tNEd/Npl,Rd = 1.5   Nicht erfüllt"},
      {"tension at Npl,Rd,max", 2e6, "\tNEd/Npl,Rd = 1   OK"},
      {"compression against Npl,Rd,min", -3e6, "\tNEd/Npl,Rd = 0.75   OK"},
      {"compression beyond Npl,Rd,min", -5e6, "\tNEd/Npl,Rd = 1.25   Nicht erfüllt"},
      {"NaN force", kNaN, "\tNEd/Npl,Rd = nan   Nicht erfüllt"},
  };
  for (const Case& c : cases) {
    ReportSection section;
    section.model.designForces.nx = c.nx;
    const std::string text = section.report();
    EXPECT_EQ(lineStartingWith(text, "\tNEd/Npl,Rd"), c.line) << c.name;
    // No blank after the verdict: the next heading follows at once.
    EXPECT_NE(text.find(std::string(c.line) + "\n\nMomente mit linearer"), std::string::npos) << c.name;
  }
}

TEST(SimplifiedMethodReport, LinearInteractionUsesMagnitudes) {
  struct Case {
    const char* name;
    double my;
    double mz;
    double mdy;
    double mdz;
    const char* r1;
    const char* r2;
    const char* sum;
  };
  // Mpl,y,Rd = 200 kNm, Mpl,z,Rd = 100 kNm.
  const Case cases[] = {
      {"sum exactly 1 passes", 1e8, 5e7, 1, 1, "0.5", "0.5", "1 <= 1,0 (siehe 6.7.3.7 (2)) OK"},
      // |-400/200| = 2: a large negative moment must fail (signed: -1.8).
      {"large negative My", -4e8, 2e7, 1, 1, "2", "0.2", "2.2 <= 1,0 (siehe 6.7.3.7 (2)) Nicht erfüllt"},
      {"negative Mz", 0, -5e7, 1, 1, "0", "0.5", "0.5 <= 1,0 (siehe 6.7.3.7 (2)) OK"},
      // 50/0.5/200 = 0.5 and 20/0.8/100 = 0.25.
      {"reduction factors", 5e7, 2e7, 0.5, 0.8, "0.5", "0.25", "0.75 <= 1,0 (siehe 6.7.3.7 (2)) OK"},
      {"mdy not found", 5e7, 2e7, kNaN, 0.8, "nan", "0.25", "nan <= 1,0 (siehe 6.7.3.7 (2)) Nicht erfüllt"},
  };
  for (const Case& c : cases) {
    ReportSection section;
    section.model.designForces.my = c.my;
    section.model.designForces.mz = c.mz;
    section.model.mdy = c.mdy;
    section.model.mdz = c.mdz;
    const std::string text = section.report();
    EXPECT_EQ(lineStartingWith(text, "\t[1]"),
              std::string("\t[1] My,Ed/mdy/Mpl,y,Rd = ") + c.r1 + "[-] siehe alphaM 6.7.3.6(1)")
        << c.name;
    EXPECT_EQ(lineStartingWith(text, "\t[2]"),
              std::string("\t[2] Mz,Ed/mdz/Mpl,z,Rd = ") + c.r2 + "[-] siehe alphaM 6.7.3.6(1)")
        << c.name;
    EXPECT_EQ(lineStartingWith(text, "\t   [1]+[2]"), std::string("\t   [1]+[2] = ") + c.sum) << c.name;
  }
}

TEST(SimplifiedMethodReport, NonlinearInteractionAgainstTheClosestPoint) {
  struct Case {
    const char* name;
    double my;
    double mz;
    const char* point;
    const char* uy;
    const char* uz;
  };
  // Curve from A = (200, 0) to B = (0, 100) kNm.
  const Case cases[] = {
      // T = (100, 0): t = (T - A)·(B - A)/|B - A|² = 2e16/5e16 = 0.4,
      // foot (120, 40): uy = 100/120, uz = 0/40.
      {"My only", 1e8, 0, " Nx: 0 My: 120 Mz: 40", "0.833333   OK", "0   OK"},
      // T = (300, -50) lies before A: vertex A, whose Mz is 0: |-50/0| = inf.
      {"zero Mz of the closest point", 3e8, -5e7, " Nx: 0 My: 200 Mz: 0", "1.5   Außerhalb der Fließfläche",
       "inf   Außerhalb der Fließfläche"},
      // T = (300, 0): vertex A again, 0/0 = NaN.
      {"zero Mz of both", 3e8, 0, " Nx: 0 My: 200 Mz: 0", "1.5   Außerhalb der Fließfläche",
       "nan   Außerhalb der Fließfläche"},
  };
  for (const Case& c : cases) {
    ReportSection section;
    section.model.designForces.my = c.my;
    section.model.designForces.mz = c.mz;
    const std::string text = section.report();
    EXPECT_EQ(lineStartingWith(text, "\tNächstgelegener"),
              std::string("\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]:") + c.point)
        << c.name;
    EXPECT_EQ(lineStartingWith(text, "\tAusnutzungsgrad My"), std::string("\tAusnutzungsgrad My: ") + c.uy) << c.name;
    // The last line of the section, without a line break.
    const std::string last = std::string("\n\tAusnutzungsgrad Mz: ") + c.uz;
    ASSERT_GE(text.size(), last.size()) << c.name;
    EXPECT_EQ(text.substr(text.size() - last.size()), last) << c.name;
  }
}

// 200 × 200 mm of steel with fyd = 235 N/mm² in four cells of 100 × 100 mm.
// Hand calculation:
//   Npl,Rd = ±235·40000 = ±9400 kN; Mpl,y,Rd = Mpl,z,Rd = 235·200·200²/4 = 470 kNm.
//   Qpl,Rd = 40000·235/1.7320508 (√3 in single precision) = 5427092.6 N → 5427.09 kN.
//   Design: N 4700, My 100, Mz -50 kNm, Qy 2000, Qz 6000 kN.
//   Qy/Qpl = 0.368521, Qz/Qpl = 1.10556 (fails).
//   N/Npl,max = 0.5.
//   Mz < 0: the curves are built in the quadrant My ≥ 0, Mz < 0, so
//   Mpl,z,Rd = -470 kNm, the resistance to a negative Mz.
//   N-My through (9400, 0), (0, 470), (-9400, 0): at 4700 kN M = 235 → mdy = mdz = 0.5.
//   [1] = 100/0.5/470 = 0.425532, [2] = |-50/0.5/-470| = 0.212766, sum 0.638298.
//   My-Mz at 4700 kN: (0, -235) to (235, 0) kNm. Foot of (100, -50):
//   v = (100 + 185)/√2 along (1, 1)/√2 → foot (142.5, -235 + 142.5) = (142.5, -92.5).
//   uy = 100/142.5 = 0.701754, uz = 50/92.5 = 0.540541.
const char* const kFourElementSection =
    "\n -------------------------------------\n"
    "   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren"
    "\n -------------------------------------\n"
    "Einwirkende Kräfte FEd [kN,kNm]\n"
    "\tNx: 4700 My: 100 Mz: -50 Qy: 2000 Qz: 6000"
    "\n\nQuerkraft\n"
    "\tQpl,Rd,y = 5427.09[kN]   Qpl,Rd,z = 5427.09[kN]\n"
    "\tQEd,y / Qpl,Rd,y = 0.368521[-]  OK "
    "\tQEd,z / Qpl,Rd,z = 1.10556[-]  Nicht erfüllt "
    "\n\nNormalkraft mit Querkraftinteraktion\n"
    "\tNpl,Rd,max = 9400[kN]   Npl,Rd,min = -9400[kN]\n"
    "\tNEd/Npl,Rd = 0.5   OK"
    "\n\nMomente mit linearer My-Mz-Interaktion\n"
    "\tMpl,y,Rd = 470[kNm]   Mpl,z,Rd = -470[kNm]\n"
    "\tmdy = 0.5[-]   \tmdz = 0.5[-]\n"
    "\t[1] My,Ed/mdy/Mpl,y,Rd = 0.425532[-] siehe alphaM 6.7.3.6(1)\n"
    "\t[2] Mz,Ed/mdz/Mpl,z,Rd = 0.212766[-] siehe alphaM 6.7.3.6(1)\n"
    "\t   [1]+[2] = 0.638298 <= 1,0 (siehe 6.7.3.7 (2)) OK"
    "\n\nMomente mit nichtlinearer My-Mz-Interaktion (experimentell)"
    "\n\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]: Nx: 4700 My: 142.5 Mz: -92.5"
    "\n\tAusnutzungsgrad My: 0.701754   OK"
    "\n\tAusnutzungsgrad Mz: 0.540541   OK";

// Builds the square, sets the design forces and runs the curve generation
// with angles 0° and 90° and three offsets.
void buildSquare(SectionModel& model, const SectionForces& design) {
  model.materials.push_back(std::make_unique<Steel1993_543>(1, 1, 210000.0, 235.0, 81000.0));
  model.addRectProfile(1, 1, 200, 200, 0, 0, false);
  model.settings.feSize = 150;  // 200/150 + 1 → 2 cells of 100 per axis
  model.settings.angularSubdivisions = 2;
  model.settings.offsetSubdivisions = 3;
  model.designForces = design;
  discretise(model);
  updateElementResistances(model.elements);
  std::ostringstream interaction;
  std::ostringstream console;
  computeInteractionCurves(model, interaction, console, false);
}

TEST(SimplifiedMethodReport, WholeSectionOfTheFourElementSquare) {
  std::ostringstream console;
  SectionModel model(console);
  buildSquare(model, {4.7e6, 1e8, -5e7, 2e6, 6e6});
  ASSERT_EQ(model.elements.size(), 4u);
  evaluateSimplifiedMethod(model);
  std::ostringstream text;
  writeSimplifiedMethodReport(text, model);
  EXPECT_EQ(text.str(), kFourElementSection);
}

TEST(SimplifiedMethodReport, TensionBeyondTheResistanceFailsEveryMomentCheck) {
  // N = 10000 kN > Npl,Rd,max = 9400 kN: 10000/9400 = 1.06383; mdy and mdz
  // are not found; the My-Mz curve is all NaN, so the closest point falls
  // back to (N, 0, 0) and both utilisations are infinite.
  std::ostringstream console;
  SectionModel model(console);
  buildSquare(model, {1e7, 1e8, -5e7, 0, 0});
  evaluateSimplifiedMethod(model);
  std::ostringstream out;
  writeSimplifiedMethodReport(out, model);
  const std::string text = out.str();
  EXPECT_EQ(lineStartingWith(text, "\tNEd/Npl,Rd"), "\tNEd/Npl,Rd = 1.06383   Nicht erfüllt");
  EXPECT_EQ(lineStartingWith(text, "\tmdy"), "\tmdy = nan[-]   \tmdz = nan[-]");
  EXPECT_EQ(lineStartingWith(text, "\t[1]"), "\t[1] My,Ed/mdy/Mpl,y,Rd = nan[-] siehe alphaM 6.7.3.6(1)");
  EXPECT_EQ(lineStartingWith(text, "\t   [1]+[2]"), "\t   [1]+[2] = nan <= 1,0 (siehe 6.7.3.7 (2)) Nicht erfüllt");
  EXPECT_EQ(lineStartingWith(text, "\tNächstgelegener"),
            "\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]: Nx: 10000 My: 0 Mz: 0");
  EXPECT_EQ(lineStartingWith(text, "\tAusnutzungsgrad My"), "\tAusnutzungsgrad My: inf   Außerhalb der Fließfläche");
  EXPECT_EQ(lineStartingWith(text, "\tAusnutzungsgrad Mz"), "\tAusnutzungsgrad Mz: inf   Außerhalb der Fließfläche");
}

}  // namespace
}  // namespace colsec
