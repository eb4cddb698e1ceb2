// Readers of the three result files the picture tool draws from.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "plot/ResultFiles.h"

namespace colsec::plot {
namespace {

std::string errorOf(void (*read)(const std::string&), const std::string& text) {
  try {
    read(text);
  } catch (const ResultFileError& error) {
    return error.what();
  }
  return "(no error)";
}

// ------------------------------------------------------------ numbers

TEST(ResultNumber, ReadsEveryFormTheWriterPrints) {
  struct Case {
    const char* token;
    double value;
  };
  const Case cases[] = {
      {"0", 0.0},           {"355", 355.0},          {"-14.691", -14.691},     {"6.27263e+06", 6272630.0},
      {"-4.65661e-09", -4.65661e-9}, {"1e-05", 1e-5}, {"inf", INFINITY},      {"-inf", -INFINITY},
  };
  for (const Case& c : cases) {
    const std::optional<double> value = parseResultNumber(c.token);
    ASSERT_TRUE(value.has_value()) << c.token;
    EXPECT_EQ(*value, c.value) << c.token;
  }
  for (const char* token : {"nan", "-nan"}) {
    const std::optional<double> value = parseResultNumber(token);
    ASSERT_TRUE(value.has_value()) << token;
    EXPECT_TRUE(std::isnan(*value)) << token;
  }
}

TEST(ResultNumber, RejectsWhatIsNotOneCompleteNumber) {
  for (const char* token : {"", " 1", "1 ", "1,5", "abc", "1.5x", "0x10", "--1", "1e", "e5", "na"}) {
    EXPECT_FALSE(parseResultNumber(token).has_value()) << '"' << token << '"';
  }
}

// ------------------------------------------------------------ elements

std::vector<ElementRecord> readElements(const std::string& text) {
  std::istringstream in(text);
  return readSectionResults(in, "col_Section.res");
}

void readElementsVoid(const std::string& text) { readElements(text); }

TEST(SectionResults, ReadsEveryFieldOfEveryElement) {
  const std::vector<ElementRecord> elements = readElements(
      "//Elements\n"
      "#ELEMENT PROF: 1 POS: 145 -5 DIM: 10 10 EPSx: 0.00234 sigX/tauY/Z: 235 0 0\n"
      "#ELEMENT PROF: 12 POS: -245.312 0.5 DIM: 9.375 1e-05 EPSx: -0.0035 sigX/tauY/Z: -17 8.77193 -11.2587\n");
  ASSERT_EQ(elements.size(), 2u);
  const ElementRecord& a = elements[0];
  EXPECT_EQ(a.profileNumber, 1);
  EXPECT_EQ(a.posY, 145.0);
  EXPECT_EQ(a.posZ, -5.0);
  EXPECT_EQ(a.dimY, 10.0);
  EXPECT_EQ(a.dimZ, 10.0);
  EXPECT_EQ(a.epsX, 0.00234);
  EXPECT_EQ(a.sigX, 235.0);
  EXPECT_EQ(a.tauY, 0.0);
  EXPECT_EQ(a.tauZ, 0.0);
  EXPECT_EQ(a.line, 2);
  const ElementRecord& b = elements[1];
  EXPECT_EQ(b.profileNumber, 12);
  EXPECT_EQ(b.posY, -245.312);
  EXPECT_EQ(b.posZ, 0.5);
  EXPECT_EQ(b.dimY, 9.375);
  EXPECT_EQ(b.dimZ, 1e-5);
  EXPECT_EQ(b.epsX, -0.0035);
  EXPECT_EQ(b.sigX, -17.0);
  EXPECT_EQ(b.tauY, 8.77193);
  EXPECT_EQ(b.tauZ, -11.2587);
  EXPECT_EQ(b.line, 3);
}

TEST(SectionResults, ResultsMayBeNanButTheGeometryMayNot) {
  const std::vector<ElementRecord> elements =
      readElements("//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: nan sigX/tauY/Z: -nan inf -inf\n");
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_TRUE(std::isnan(elements[0].epsX));
  EXPECT_TRUE(std::isnan(elements[0].sigX));
  EXPECT_EQ(elements[0].tauY, INFINITY);
  EXPECT_EQ(elements[0].tauZ, -INFINITY);
}

TEST(SectionResults, HeaderAloneIsASectionWithoutElements) {
  EXPECT_TRUE(readElements("//Elements\n").empty());
  EXPECT_TRUE(readElements("//Elements").empty());
  // A copy through a Windows editor.
  EXPECT_EQ(readElements("//Elements\r\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0\r\n").size(),
            1u);
}

TEST(SectionResults, MalformedFilesNameFileAndLine) {
  const std::string good = "#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0\n";
  struct Case {
    std::string text;
    std::string message;  // the start of the message
  };
  const Case cases[] = {
      {"", "col_Section.res:1: the file is empty"},
      {"//Element\n" + good, "col_Section.res:1: expected \"//Elements\""},
      {good, "col_Section.res:1: expected \"//Elements\""},
      {"//Elements\n" + good + "\n", "col_Section.res:3: expected \"#ELEMENT PROF:"},
      {"//Elements\n" + good + "#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0\n",
       "col_Section.res:3: expected \"#ELEMENT PROF:"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0 0\n",
       "col_Section.res:2: expected"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tau: 0 0 0\n", "col_Section.res:2: expected"},
      {"//Elements\n#ELEMENTS PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0\n", "col_Section.res:2: expected"},
      {"//Elements\n" + good + good + "#ELEMENT PROF: 1.5 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0\n",
       "col_Section.res:4: profile number \"1.5\" is not a whole number"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0,5 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0\n",
       "col_Section.res:2: position y: \"0,5\" is not a number"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 1x 0 0\n",
       "col_Section.res:2: sigX: \"1x\" is not a number"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 z\n",
       "col_Section.res:2: tauZ: \"z\" is not a number"},
      {"//Elements\n#ELEMENT PROF: 1 POS: nan 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: 0 0 0\n",
       "col_Section.res:2: the element position must be finite"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 0 1 EPSx: 0 sigX/tauY/Z: 0 0 0\n",
       "col_Section.res:2: the element widths must be finite and positive"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 -1 EPSx: 0 sigX/tauY/Z: 0 0 0\n",
       "col_Section.res:2: the element widths must be finite and positive"},
      {"//Elements\n#ELEMENT PROF: 1 POS: 0 0 DIM: 1 nan EPSx: 0 sigX/tauY/Z: 0 0 0\n",
       "col_Section.res:2: the element widths must be finite and positive"},
  };
  for (const Case& c : cases) {
    const std::string message = errorOf(readElementsVoid, c.text);
    EXPECT_EQ(message.substr(0, c.message.size()), c.message) << "input:\n" << c.text << "\nmessage: " << message;
  }
}

// -------------------------------------------------------------- curves

InteractionResults readCurves(const std::string& text) {
  std::istringstream in(text);
  return readInteractionResults(in, "col_Interaction.res");
}

void readCurvesVoid(const std::string& text) { readCurves(text); }

TEST(InteractionResults, ReadsTheFourCurvesInTheirBlocks) {
  const InteractionResults r = readCurves(
      "#CURVEPOINT NMy 6.27263e+06 -4.65661e-09 2.04891e-08\n"
      "#CURVEPOINT NMy -9.63795e+06 0 0\n"
      "#CURVEPOINT NMz 100 200 300\n"
      "#CURVEPOINT MyMzN0 0 9.81432e+08 -1.49012e-08\n"
      "#CURVEPOINT MyMz -3e+06 nan -nan\n"
      "#CURVEPOINT MyMz -3e+06 1 2\n");
  ASSERT_EQ(r.nMy.size(), 2u);
  ASSERT_EQ(r.nMz.size(), 1u);
  ASSERT_EQ(r.myMzN0.size(), 1u);
  ASSERT_EQ(r.myMz.size(), 2u);
  EXPECT_EQ(r.lineCount, 6);
  EXPECT_EQ(r.nMy[0].nx, 6272630.0);
  EXPECT_EQ(r.nMy[0].my, -4.65661e-9);
  EXPECT_EQ(r.nMy[0].mz, 2.04891e-8);
  EXPECT_EQ(r.nMy[1].nx, -9637950.0);
  EXPECT_EQ(r.nMz[0].nx, 100.0);
  EXPECT_EQ(r.nMz[0].my, 200.0);
  EXPECT_EQ(r.nMz[0].mz, 300.0);
  EXPECT_EQ(r.myMzN0[0].my, 981432000.0);
  EXPECT_EQ(r.myMz[0].nx, -3e6);
  EXPECT_TRUE(std::isnan(r.myMz[0].my));
  EXPECT_TRUE(std::isnan(r.myMz[0].mz));
  EXPECT_EQ(r.myMz[1].mz, 2.0);
}

TEST(InteractionResults, AnEmptyFileHasNoCurves) {
  const InteractionResults r = readCurves("");
  EXPECT_TRUE(r.nMy.empty());
  EXPECT_TRUE(r.nMz.empty());
  EXPECT_TRUE(r.myMzN0.empty());
  EXPECT_TRUE(r.myMz.empty());
  EXPECT_EQ(r.lineCount, 0);
}

TEST(InteractionResults, EmptyBlocksMayBeSkipped) {
  // angularSubdivisions 0: no My-Mz blocks at all.
  const InteractionResults r = readCurves("#CURVEPOINT NMy 1 2 3\n#CURVEPOINT NMz 4 5 6\n");
  EXPECT_EQ(r.nMy.size(), 1u);
  EXPECT_EQ(r.nMz.size(), 1u);
  EXPECT_TRUE(r.myMz.empty());
}

TEST(InteractionResults, MalformedFilesNameFileAndLine) {
  const std::string a = "#CURVEPOINT NMy 1 2 3\n";
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"#CURVEPOINT NMy 1 2\n", "col_Interaction.res:1: expected \"#CURVEPOINT NAME nx my mz\""},
      {a + "#CURVEPOINT NMy 1 2 3 4\n", "col_Interaction.res:2: expected \"#CURVEPOINT NAME nx my mz\""},
      {a + a + "#CURVEPOINTS NMy 1 2 3\n", "col_Interaction.res:3: expected \"#CURVEPOINT NAME nx my mz\""},
      {a + "\n", "col_Interaction.res:2: expected"},
      {a + "#CURVEPOINT NMx 1 2 3\n", "col_Interaction.res:2: unknown curve \"NMx\""},
      {a + "#CURVEPOINT nmy 1 2 3\n", "col_Interaction.res:2: unknown curve \"nmy\""},
      {"#CURVEPOINT MyMz 1 2 3\n" + a, "col_Interaction.res:2: a point of curve NMy after the block of MyMz"},
      {a + "#CURVEPOINT NMz 1 2 3\n" + a, "col_Interaction.res:3: a point of curve NMy after the block of NMz"},
      {a + a + a + "#CURVEPOINT NMy 1 2,5 3\n", "col_Interaction.res:4: my: \"2,5\" is not a number"},
      {"#CURVEPOINT NMz x 2 3\n", "col_Interaction.res:1: nx: \"x\" is not a number"},
      {"#CURVEPOINT MyMzN0 1 2 3e\n", "col_Interaction.res:1: mz: \"3e\" is not a number"},
  };
  for (const Case& c : cases) {
    const std::string message = errorOf(readCurvesVoid, c.text);
    EXPECT_EQ(message.substr(0, c.message.size()), c.message) << "input:\n" << c.text << "\nmessage: " << message;
  }
}

// -------------------------------------------------------------- report

// A report as the analysis writes it, with round numbers. Each part can be
// replaced to make a variant.
struct ReportText {
  std::string general =
      "\n -------------------------------------\n"
      "   Nachweis nach EN 1994-1-1 6.7.2 Allgemeines Bemessungsverfahren\n"
      " -------------------------------------\n"
      "Informativ: Berechnete wirksame Biegesteifigkeiten:\n"
      "\tEIeff y/z: 1.5e+08/1.2e+08[Nm²]\tEIeffII y/z: 1.1e+08/9e+07[Nm²]\n"
      "\n"
      "Resultierende Querkräfte [kN/kNm]:\n"
      "\tKonvergiert:  Qy: 20 Qz: 50\n"
      "Resultierende Normalkräfte und Momente [kN/kNm]:\n"
      "\tKonvergiert:  Nx: -3000 My: 150 Mz: 50.5\n"
      "\t im Dehnungszustand epsX: -0.00043[-] kappaY: 2.5e-06[1/mm]  kappaZ: -1e-06[1/mm]\n"
      "\t Nullinie Offset y/z: -60/150[mm] alpha: -21.8014[deg]\n"
      "\n"
      "Reaktionskräfte gültig: Qi: JA  Nx und Mi: JA \n"
      "\n"
      "Spannungen in Elementen überschritten (siehe Zusammenfassung): NEIN \n"
      "Dehnungen in Elementen überschritten (siehe Zusammenfassung): NEIN \n"
      "\n"
      "NACHWEIS ERBRACHT: JA \n"
      "\n"
      "  Zusammenfassung der ermittelten Spannungen in den Materialien\n"
      "Material 1\n"
      "Max Sigma X: 0 \tin Element PosY/Z: 245 / 245\n"
      "\t\t\tSigmaX: 0 TauY: 0 TauZ: 0\n"
      "\t\t\tSigmaX Limits: -17/0 TauY/Z Limit: 0/0\n"
      "Min Sigma X: -14.691 \tin Element PosY/Z: -245 / -245\n"
      "\t\t\tSigmaX: -14.691 TauY: 0 TauZ: 0\n"
      "\t\t\tSigmaX Limits: -17/0 TauY/Z Limit: 0/0\n"
      "Max TauComb: 0 \tin Element PosY/Z: 245 / 245\n"
      "\t\t\tSigmaX: 0 TauY: 0 TauZ: 0\n"
      "\t\t\tSigmaX Limits: -17/0 TauY/Z Limit: 0/0\n"
      "Min/Max EpsX: -0.00126/0.0004\n"
      "\n";
  std::string method =
      "\n -------------------------------------\n"
      "   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren\n"
      " -------------------------------------\n"
      "Einwirkende Kräfte FEd [kN,kNm]\n"
      "\tNx: -3000 My: 150 Mz: 50.5 Qy: 20 Qz: 50\n"
      "\n"
      "Querkraft\n"
      "\tQpl,Rd,y = 2000[kN]   Qpl,Rd,z = 1000[kN]\n"
      "\tQEd,y / Qpl,Rd,y = 0.01[-]  OK \tQEd,z / Qpl,Rd,z = 0.05[-]  OK \n"
      "\n"
      "Normalkraft mit Querkraftinteraktion\n"
      "\tNpl,Rd,max = 6000[kN]   Npl,Rd,min = -10000[kN]\n"
      "\tNEd/Npl,Rd = 0.3   OK\n"
      "\n"
      "Momente mit linearer My-Mz-Interaktion\n"
      "\tMpl,y,Rd = 900[kNm]   Mpl,z,Rd = 700[kNm]\n"
      "\tmdy = 1.05[-]   \tmdz = 1.02[-]\n"
      "\t[1] My,Ed/mdy/Mpl,y,Rd = 0.15873[-] siehe alphaM 6.7.3.6(1)\n"
      "\t[2] Mz,Ed/mdz/Mpl,z,Rd = 0.0707283[-] siehe alphaM 6.7.3.6(1)\n"
      "\t   [1]+[2] = 0.229458 <= 1,0 (siehe 6.7.3.7 (2)) OK\n"
      "\n"
      "Momente mit nichtlinearer My-Mz-Interaktion (experimentell)\n"
      "\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]: Nx: -3000 My: 600 Mz: 450\n"
      "\tAusnutzungsgrad My: 0.25   OK\n"
      "\tAusnutzungsgrad Mz: 0.112222   OK";
  std::string summary =
      "\n\n -------------------------------------\n"
      "   Zusammenfassung der Eingangsdaten\n"
      " -------------------------------------\n"
      "\n      Materials:\n"
      "Pos.1 Model: Steel1992_327b: Priority=3\n"
      "\tE=200000\tfyd=435\n"
      "\n      Profiles:\n"
      "Pos.1 Rectangular-Profile: Material Number 1\n"
      "\tH=500 B=500 t=0 r=0\n"
      "\tIs hollow: no\n"
      "\n      Settings:\n"
      "Force FEd [kN/kNm]: Nx: -3000 My: 150 Mz: 50.5 Qy: 20 Qz: 50\n"
      "FE-Size [mm]: 8\n"
      "Interaction Surface Angular Subdivisions [-]: 19\n"
      "Interaction Surface Offset Subdivisions [-]: 100";
  std::string text() const { return general + method + summary; }
};

// Replaces the first occurrence of `from` in `text` (which must be there).
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("fixture lacks: " + from);
  return text.replace(at, from.size(), to);
}

ValidationReport readReport(const std::string& text) {
  std::istringstream in(text);
  return readValidationReport(in, "col_Validation.res");
}

void readReportVoid(const std::string& text) { readReport(text); }

// The line number of the first line of `text` that contains `needle`.
int lineOf(const std::string& text, const std::string& needle) {
  const std::size_t at = text.find(needle);
  if (at == std::string::npos) throw std::logic_error("fixture lacks: " + needle);
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

TEST(ValidationReport, ReadsTheFiguresOfBothMethodsAndTheSummary) {
  const ReportText fixture;
  const ValidationReport r = readReport(fixture.text());
  const GeneralMethodFigures& g = r.general;
  EXPECT_TRUE(g.shearConverged);
  EXPECT_EQ(g.qyKN, 20.0);
  EXPECT_EQ(g.qzKN, 50.0);
  EXPECT_TRUE(g.axialConverged);
  EXPECT_EQ(g.nxKN, -3000.0);
  EXPECT_EQ(g.myKNm, 150.0);
  EXPECT_EQ(g.mzKNm, 50.5);
  EXPECT_EQ(g.strainState.epsX, -0.00043);
  EXPECT_EQ(g.strainState.kappaY, 2.5e-6);
  EXPECT_EQ(g.strainState.kappaZ, -1e-6);
  EXPECT_EQ(g.neutralAxisOffY, -60.0);
  EXPECT_EQ(g.neutralAxisOffZ, 150.0);
  EXPECT_EQ(g.neutralAxisAlphaDeg, -21.8014);
  EXPECT_FALSE(g.stressesExceeded);
  EXPECT_FALSE(g.strainsExceeded);
  EXPECT_TRUE(g.verified);
  EXPECT_EQ(g.verdictLine, lineOf(fixture.text(), "NACHWEIS ERBRACHT"));

  EXPECT_FALSE(r.linearMaterial);
  ASSERT_TRUE(r.simplified.has_value());
  const SimplifiedMethodFigures& s = *r.simplified;
  EXPECT_EQ(s.designKN.nx, -3000.0);
  EXPECT_EQ(s.designKN.my, 150.0);
  EXPECT_EQ(s.designKN.mz, 50.5);
  EXPECT_EQ(s.designKN.qy, 20.0);
  EXPECT_EQ(s.designKN.qz, 50.0);
  EXPECT_EQ(s.qPlRdYKN, 2000.0);
  EXPECT_EQ(s.qPlRdZKN, 1000.0);
  EXPECT_EQ(s.ratioQy, 0.01);
  EXPECT_EQ(s.wordQy, "OK");
  EXPECT_EQ(s.ratioQz, 0.05);
  EXPECT_EQ(s.wordQz, "OK");
  EXPECT_EQ(s.nPlRdMaxKN, 6000.0);
  EXPECT_EQ(s.nPlRdMinKN, -10000.0);
  EXPECT_EQ(s.ratioN, 0.3);
  EXPECT_EQ(s.wordN, "OK");
  EXPECT_EQ(s.mPlYRdKNm, 900.0);
  EXPECT_EQ(s.mPlZRdKNm, 700.0);
  EXPECT_EQ(s.mdy, 1.05);
  EXPECT_EQ(s.mdz, 1.02);
  EXPECT_EQ(s.ratioMy, 0.15873);
  EXPECT_EQ(s.ratioMz, 0.0707283);
  EXPECT_EQ(s.ratioSum, 0.229458);
  EXPECT_EQ(s.wordSum, "OK");
  EXPECT_EQ(s.closestPoint.nx, -3000.0);
  EXPECT_EQ(s.closestPoint.my, 600.0);
  EXPECT_EQ(s.closestPoint.mz, 450.0);
  EXPECT_EQ(s.utilisationMy, 0.25);
  EXPECT_EQ(s.wordMy, "OK");
  EXPECT_EQ(s.utilisationMz, 0.112222);
  EXPECT_EQ(s.wordMz, "OK");
  EXPECT_TRUE(s.allChecksOk());
  EXPECT_TRUE(s.nonlinearOk());

  EXPECT_EQ(r.designKN.nx, -3000.0);
  EXPECT_EQ(r.designKN.my, 150.0);
  EXPECT_EQ(r.designKN.mz, 50.5);
  EXPECT_EQ(r.designKN.qy, 20.0);
  EXPECT_EQ(r.designKN.qz, 50.0);
  EXPECT_EQ(r.designLine, lineOf(fixture.text(), "Force FEd"));
  EXPECT_EQ(r.feSize, 8.0);
}

TEST(ValidationReport, FailedChecksAreReadAsFailed) {
  ReportText f;
  f.general = replaced(f.general, "\tKonvergiert:  Qy:", "\tNICHT KONVERGIERT:  Qy:");
  f.general = replaced(f.general, "\tKonvergiert:  Nx:", "\tNICHT KONVERGIERT:  Nx:");
  f.general = replaced(f.general, "Qi: JA  Nx und Mi: JA ", "Qi: NEIN  Nx und Mi: NEIN ");
  f.general = replaced(f.general, "(siehe Zusammenfassung): NEIN \nDehnungen", "(siehe Zusammenfassung): JA \nDehnungen");
  f.general = replaced(f.general, "(siehe Zusammenfassung): NEIN \n\n", "(siehe Zusammenfassung): JA \n\n");
  f.general = replaced(f.general, "NACHWEIS ERBRACHT: JA ", "NACHWEIS ERBRACHT: NEIN ");
  f.method = replaced(f.method, "0.01[-]  OK \t", "inf[-]  Nicht erfüllt \t");
  f.method = replaced(f.method, "0.05[-]  OK ", "nan[-]  Nicht erfüllt ");
  f.method = replaced(f.method, "0.3   OK", "1.2   Nicht erfüllt");
  f.method = replaced(f.method, "Mpl,y,Rd = 900[kNm]", "Mpl,y,Rd = nan[kNm]");
  f.method = replaced(f.method, "mdy = 1.05", "mdy = nan");
  f.method = replaced(f.method, "= 0.229458 <= 1,0 (siehe 6.7.3.7 (2)) OK", "= nan <= 1,0 (siehe 6.7.3.7 (2)) Nicht erfüllt");
  f.method = replaced(f.method, "My: 0.25   OK", "My: inf   Außerhalb der Fließfläche");
  f.method = replaced(f.method, "Mz: 0.112222   OK", "Mz: -nan   Außerhalb der Fließfläche");
  const ValidationReport r = readReport(f.text());
  EXPECT_FALSE(r.general.shearConverged);
  EXPECT_FALSE(r.general.axialConverged);
  EXPECT_TRUE(r.general.stressesExceeded);
  EXPECT_TRUE(r.general.strainsExceeded);
  EXPECT_FALSE(r.general.verified);
  ASSERT_TRUE(r.simplified.has_value());
  const SimplifiedMethodFigures& s = *r.simplified;
  EXPECT_EQ(s.ratioQy, INFINITY);
  EXPECT_EQ(s.wordQy, "Nicht erfüllt");
  EXPECT_TRUE(std::isnan(s.ratioQz));
  EXPECT_EQ(s.wordQz, "Nicht erfüllt");
  EXPECT_EQ(s.wordN, "Nicht erfüllt");
  EXPECT_TRUE(std::isnan(s.mPlYRdKNm));
  EXPECT_TRUE(std::isnan(s.mdy));
  EXPECT_TRUE(std::isnan(s.ratioSum));
  EXPECT_EQ(s.wordSum, "Nicht erfüllt");
  EXPECT_EQ(s.wordMy, "Außerhalb der Fließfläche");
  EXPECT_EQ(s.wordMz, "Außerhalb der Fließfläche");
  EXPECT_FALSE(s.allChecksOk());
  EXPECT_FALSE(s.nonlinearOk());
}

TEST(ValidationReport, EachFailedCheckAloneFailsTheSimplifiedMethod) {
  const std::pair<std::string, std::string> edits[] = {
      {"0.01[-]  OK \t", "1.5[-]  Nicht erfüllt \t"},
      {"0.05[-]  OK \n", "1.5[-]  Nicht erfüllt \n"},
      {"0.3   OK", "1.5   Nicht erfüllt"},
      {"(2)) OK", "(2)) Nicht erfüllt"},
  };
  for (const auto& [from, to] : edits) {
    ReportText f;
    f.method = replaced(f.method, from, to);
    const ValidationReport r = readReport(f.text());
    ASSERT_TRUE(r.simplified.has_value()) << to;
    EXPECT_FALSE(r.simplified->allChecksOk()) << to;
    EXPECT_TRUE(r.simplified->nonlinearOk()) << to;
  }
}

TEST(ValidationReport, ALinearMaterialReportHasNoSimplifiedMethod) {
  ReportText f;
  f.method = "\n Linear Material found, interaction curves not generated.";
  const ValidationReport r = readReport(f.text());
  EXPECT_TRUE(r.linearMaterial);
  EXPECT_FALSE(r.simplified.has_value());
  EXPECT_EQ(r.methodLine, lineOf(f.text(), "Linear Material found"));
  EXPECT_EQ(r.designKN.mz, 50.5);
}

TEST(ValidationReport, InfiniteNeutralAxisOffsetsOfAPureAxialState) {
  ReportText f;
  f.general = replaced(f.general, "Offset y/z: -60/150[mm] alpha: -21.8014[deg]", "Offset y/z: inf/-inf[mm] alpha: 90[deg]");
  const ValidationReport r = readReport(f.text());
  EXPECT_EQ(r.general.neutralAxisOffY, INFINITY);
  EXPECT_EQ(r.general.neutralAxisOffZ, -INFINITY);
  EXPECT_EQ(r.general.neutralAxisAlphaDeg, 90.0);
}

TEST(ValidationReport, MissingOrMalformedLinesNameFileAndLine) {
  const ReportText f;
  const std::string all = f.text();
  const int lastLine = lineOf(all, "Offset Subdivisions");
  struct Case {
    std::string text;
    std::string message;
  };
  const std::string cut = all.substr(0, all.find("NACHWEIS ERBRACHT"));
  const int cutLines = static_cast<int>(std::count(cut.begin(), cut.end(), '\n'));
  const Case cases[] = {
      {"", "col_Validation.res:1: the file is empty"},
      {cut, "col_Validation.res:" + std::to_string(cutLines) +
                ": end of file reached without the verdict of the general method"},
      {replaced(all, "NACHWEIS ERBRACHT: JA ", "NACHWEIS ERBRACHT: VIELLEICHT"),
       "col_Validation.res:" + std::to_string(lineOf(all, "NACHWEIS")) + ": verdict: expected \"JA\" or \"NEIN\""},
      {replaced(all, "Npl,Rd,max = 6000[kN]", "Npl,Rd,max = 6.000,5[kN]"),
       "col_Validation.res:" + std::to_string(lineOf(all, "Npl,Rd,max")) + ": Npl,Rd,max: \"6.000,5\" is not a number"},
      {replaced(all, "Npl,Rd,max = 6000[kN]", "Npl,Rd,max = 6000 [kN]"),
       "col_Validation.res:" + std::to_string(lineOf(all, "Npl,Rd,max")) + ": Npl,Rd,max: \"6000 \" is not a number"},
      {replaced(all, "Npl,Rd,min = -10000[kN]", "Npl,Rd,min = -10000"),
       "col_Validation.res:" + std::to_string(lineOf(all, "Npl,Rd,max")) + ": malformed axial resistance line"},
      {replaced(all, "kappaY: 2.5e-06[1/mm]", "kappaY: [1/mm]"),
       "col_Validation.res:" + std::to_string(lineOf(all, "epsX:")) + ": kappaY: \"\" is not a number"},
      {replaced(all, "\tKonvergiert:  Nx:", "\tKonvergiert: Nx:"),
       "col_Validation.res:" + std::to_string(lineOf(all, "Nx: -3000 My")) + ": malformed axial force line"},
      {replaced(all, "Qi: JA  Nx und Mi: JA ", "Qi: JA  Nx und Mi: NEIN "),
       "col_Validation.res:" + std::to_string(lineOf(all, "Qi: ")) +
           ": the validity of the reactions contradicts the convergence lines"},
      {replaced(all, "0.3   OK", "0.3   Gut"),
       "col_Validation.res:" + std::to_string(lineOf(all, "NEd/Npl,Rd")) + ": axial force check: expected \"OK\" or "
                                                                             "\"Nicht erfüllt\", found \"Gut\""},
      {replaced(all, "   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren", "   Nachweis 6.7.3"),
       "col_Validation.res:" + std::to_string(lastLine) +
           ": end of file reached without the simplified-method section or the line"},
      {replaced(all, "Force FEd [kN/kNm]: Nx: -3000", "Force FEd [kN/kNm]: Nx: -3e3x"),
       "col_Validation.res:" + std::to_string(lineOf(all, "Force FEd")) + ": Nx: \"-3e3x\" is not a number"},
      {all.substr(0, all.find("FE-Size")),
       "col_Validation.res:" + std::to_string(lineOf(all, "Force FEd")) + ": end of file reached without the element size"},
  };
  for (const Case& c : cases) {
    const std::string message = errorOf(readReportVoid, c.text);
    EXPECT_EQ(message.substr(0, c.message.size()), c.message) << "message: " << message;
  }
}

TEST(LinePattern, FieldsEndWhereTheTextAfterThemBegins) {
  struct Case {
    const char* line;
    const char* pattern;
    bool matches;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"\tmdy = 1.05[-]   \tmdz = nan[-]", "\tmdy = {}[-]   \tmdz = {}[-]", true, {"1.05", "nan"}},
      {"a 1 b 2", "a {} b {}", true, {"1", "2"}},
      {"a 1 b 2 c", "a {} b {}", true, {"1", "2 c"}},  // the last field runs to the end
      {"a 1 b 2", "a {} b {} c", false, {}},
      {"x 1 b 2", "a {} b {}", false, {}},
      {"a  b ", "a {} b {}", true, {"", ""}},
      {"a 1 b 2 extra", "a {} b 2", false, {}},  // the whole line must be used
      {"no fields", "no fields", true, {}},
      {"no fields!", "no fields", false, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> fields;
    EXPECT_EQ(matchLinePattern(c.line, c.pattern, fields), c.matches) << c.line << " | " << c.pattern;
    if (c.matches) {
      EXPECT_EQ(fields, c.fields) << c.line << " | " << c.pattern;
    }
  }
}

TEST(LocatedMessage, FileLineAndText) {
  EXPECT_EQ(locatedMessage("a_Section.res", 7, "bad"), "a_Section.res:7: bad");
  EXPECT_EQ(locatedMessage("a_Section.res", 0, "cannot open"), "a_Section.res: cannot open");
}

}  // namespace
}  // namespace colsec::plot
