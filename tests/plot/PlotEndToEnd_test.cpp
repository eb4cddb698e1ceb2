// End to end: colsec analyses a copy of an input in a temporary folder,
// then colsec-plot draws its results. The page must be well-formed XML,
// need nothing from outside, and show every element and every curve point.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "plot/PlotTestSupport.h"

namespace colsec::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// Points of one curve in the interaction file, all and those without nan.
struct CurveCount {
  std::size_t all = 0;
  std::size_t finite = 0;
};

CurveCount curvePoints(const std::string& interaction, const std::string& name) {
  CurveCount count;
  for (const std::string& line : linesOf(interaction)) {
    if (line.rfind("#CURVEPOINT " + name + " ", 0) != 0) continue;
    ++count.all;
    if (line.find("nan") == std::string::npos && line.find("inf") == std::string::npos) ++count.finite;
  }
  return count;
}

std::size_t elementLines(const std::string& section) {
  std::size_t count = 0;
  for (const std::string& line : linesOf(section)) count += line.rfind("#ELEMENT ", 0) == 0 ? 1 : 0;
  return count;
}

// Analyses and draws a copy of `input` in `folder`; returns the page.
std::string analyseAndDraw(const fs::path& input, const TempDir& folder) {
  const std::string name = input.filename().string();
  fs::copy_file(input, folder.path() / name);
  const RunResult analysis = runColsec({name}, folder.path());
  EXPECT_EQ(analysis.exitCode, 0) << name << ": " << analysis.err;
  const RunResult plot = runPlot({name}, folder.path());
  const std::string base = input.stem().string();
  EXPECT_EQ(plot.exitCode, 0) << name << ": " << plot.err;
  EXPECT_EQ(plot.out, "Plot: " + base + "_Plot.html\n") << name;
  EXPECT_EQ(countTemporaryFiles(folder.path()), 0) << name;
  const fs::path page = folder.path() / (base + "_Plot.html");
  if (!fs::exists(page)) {
    ADD_FAILURE() << name << ": no page";
    return "";
  }
  return readFile(page);
}

// xmllint from libxml2-utils checks that the page is well-formed.
void expectWellFormed(const fs::path& page) {
  const RunResult lint = runProgram("xmllint", {"--noout", page.string()}, page.parent_path());
  ASSERT_NE(lint.exitCode, 127) << "xmllint is missing: apt-get install libxml2-utils";
  EXPECT_EQ(lint.exitCode, 0) << page << ":\n" << lint.err;
}

void expectSelfContained(const std::string& page, const std::string& name) {
  EXPECT_EQ(countOf(page, "<script"), 0u) << name;
  EXPECT_EQ(countOf(page, "href="), 0u) << name;
  EXPECT_EQ(countOf(page, "src="), 0u) << name;
  EXPECT_EQ(countOf(page, "url("), 0u) << name;
  EXPECT_EQ(countOf(page, "@import"), 0u) << name;
  // The only addresses are the two namespace names, which nothing fetches.
  const std::size_t addresses = countOf(page, "http");
  EXPECT_EQ(addresses, countOf(page, "\"http://www.w3.org/1999/xhtml\"") +
                           countOf(page, "\"http://www.w3.org/2000/svg\""))
      << name;
  EXPECT_NE(page.find("@page { size: A4"), std::string::npos) << name;
}

// One picture element per section element in both section pictures, one
// point per finite curve point.
void expectCompletePictures(const std::string& page, const fs::path& folder, const std::string& base) {
  const std::string section = readFile(folder / (base + "_Section.res"));
  const std::string interaction = readFile(folder / (base + "_Interaction.res"));
  const std::size_t elements = elementLines(section);
  EXPECT_GT(elements, 0u) << base;
  EXPECT_EQ(countOf(page, "<rect class=\"el m"), elements) << base;
  EXPECT_EQ(countOf(page, "<rect class=\"st\""), elements) << base;
  for (const char* curve : {"NMy", "NMz", "MyMzN0", "MyMz"}) {
    const CurveCount count = curvePoints(interaction, curve);
    EXPECT_EQ(countOf(page, std::string("class=\"pt pt-") + curve + "\""), count.finite) << base << " " << curve;
  }
  if (interaction.empty()) {
    EXPECT_NE(page.find("No interaction curves."), std::string::npos) << base;
    EXPECT_NE(page.find("LINEAR material"), std::string::npos) << base;
  }
  // The general verdict as the report states it.
  const std::string report = readFile(folder / (base + "_Validation.res"));
  const bool verified = report.find("NACHWEIS ERBRACHT: JA ") != std::string::npos;
  EXPECT_NE(page.find(verified ? "NACHWEIS ERBRACHT: JA<" : "NACHWEIS ERBRACHT: NEIN<"), std::string::npos) << base;
  // The simplified method passes only when none of its four checks reads
  // "Nicht erfüllt" (the experimental check says "Außerhalb der Fließfläche").
  if (report.find("Vereinfachtes Verfahren") != std::string::npos) {
    const bool allOk = report.find("Nicht erfüllt") == std::string::npos;
    EXPECT_NE(page.find(allOk ? "all four checks OK" : "NOT all checks met"), std::string::npos) << base;
    EXPECT_EQ(page.find(allOk ? "NOT all checks met" : "all four checks OK"), std::string::npos) << base;
  } else {
    EXPECT_NE(page.find("not carried out"), std::string::npos) << base;
  }
}

TEST(PlotEndToEnd, EveryBundledExampleGivesACompletePage) {
  const fs::path examples = sourcePath("examples");
  std::vector<fs::path> inputs;
  if (fs::is_directory(examples)) {
    for (const auto& entry : fs::directory_iterator(examples)) {
      if (entry.path().extension() == ".txt") inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) GTEST_SKIP() << "no examples/*.txt yet";
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.filename().string());
    TempDir folder;
    const std::string page = analyseAndDraw(input, folder);
    const std::string base = input.stem().string();
    expectWellFormed(folder.path() / (base + "_Plot.html"));
    expectSelfContained(page, base);
    expectCompletePictures(page, folder.path(), base);
  }
}

TEST(PlotEndToEnd, TheFourNamedExamplesArePresent) {
  std::vector<std::string> missing;
  for (const char* name :
       {"encased_heb.txt", "filled_circular_tube.txt", "filled_rectangular_tube.txt", "linear_material.txt"}) {
    if (!fs::exists(sourcePath("examples") / name)) missing.push_back(name);
  }
  if (!missing.empty()) GTEST_SKIP() << "examples not written yet: " << missing.front();
}

TEST(PlotEndToEnd, StressesBeyondTheLimitAreOutlined) {
  // LINEAR 100 x 100 with limits ±50 under N = -1000 kN: every one of the
  // 11 x 11 elements (cells of 100 / (floor(100/10) + 1)) carries
  // N/A = -1e6 / 1e4 = -100 N/mm², beyond -50.
  TempDir folder;
  const std::string page = analyseAndDraw(fs::path(COLSEC_TEST_DATA_DIR) / "linear_beyond_limits.txt", folder);
  expectWellFormed(folder.file("linear_beyond_limits_Plot.html"));
  expectCompletePictures(page, folder.path(), "linear_beyond_limits");
  EXPECT_EQ(countOf(page, "<rect class=\"el m0\""), 121u);
  EXPECT_EQ(countOf(page, "<rect class=\"xs\""), 121u);
  EXPECT_EQ(countOf(page, "<rect class=\"xe\""), 0u);
  EXPECT_NE(page.find("NACHWEIS ERBRACHT: NEIN<"), std::string::npos);
  // Uniform compression has no neutral axis.
  EXPECT_NE(page.find("Uniform strain (no curvature)"), std::string::npos);
  EXPECT_EQ(countOf(page, "class=\"na\""), 0u);
}

TEST(PlotEndToEnd, StrainsBeyondTheUltimateStrainAreOutlined) {
  // Concrete 100 x 100 around a LINEAR core 40 x 40. Grid lines at ±50 and
  // ±20 give 4 + 5 + 4 = 13 cells a side, 169 elements, 25 of them the
  // core. N = -(20·8400 + 210000·0.005·1600) = -1848 kN compresses the whole
  // section uniformly to -0.005, beyond epsCu2 = -0.0035: the 144 concrete
  // elements (at the stress plateau -20, exactly their limit) are outlined
  // for their strain only; the core (-1050 N/mm², limits ±2000) is not.
  TempDir folder;
  const std::string page = analyseAndDraw(fs::path(COLSEC_TEST_DATA_DIR) / "strain_beyond_limit.txt", folder);
  expectWellFormed(folder.file("strain_beyond_limit_Plot.html"));
  expectCompletePictures(page, folder.path(), "strain_beyond_limit");
  EXPECT_EQ(countOf(page, "<rect class=\"el m0\""), 144u);
  EXPECT_EQ(countOf(page, "<rect class=\"el m1\""), 25u);
  EXPECT_EQ(countOf(page, "<rect class=\"xe\""), 144u);
  EXPECT_EQ(countOf(page, "<rect class=\"xs\""), 0u);
  EXPECT_NE(page.find("NACHWEIS ERBRACHT: NEIN<"), std::string::npos);
}

TEST(PlotEndToEnd, AnAxialForceBeyondTheResistanceLeavesNoCurveAtNEd) {
  // Steel 100 x 100, fyd 355: Npl = 3550 kN < 5000 kN. The strain iteration
  // does not converge, and no surface curve reaches N = -5000 kN, so the
  // seven points of the MyMz block are nan and none is drawn.
  TempDir folder;
  const std::string page = analyseAndDraw(fs::path(COLSEC_TEST_DATA_DIR) / "beyond_resistance.txt", folder);
  expectWellFormed(folder.file("beyond_resistance_Plot.html"));
  expectCompletePictures(page, folder.path(), "beyond_resistance");
  const std::string interaction = folder.file("beyond_resistance_Interaction.res");
  EXPECT_EQ(curvePoints(readFile(interaction), "MyMz").all, 7u);
  EXPECT_EQ(curvePoints(readFile(interaction), "MyMz").finite, 0u);
  EXPECT_EQ(countOf(page, "class=\"pt pt-MyMz\""), 0u);
  EXPECT_EQ(countOf(page, "class=\"pt pt-MyMzN0\""), 7u);
  EXPECT_EQ(countOf(page, "class=\"pt pt-NMy\""), 20u);
  EXPECT_NE(page.find("7 of them nan and not drawn"), std::string::npos);
  EXPECT_NE(page.find("strain-state iteration <b>did not converge</b>"), std::string::npos);
  EXPECT_NE(page.find("NACHWEIS ERBRACHT: NEIN<"), std::string::npos);
  EXPECT_NE(page.find("NOT all checks met"), std::string::npos);
}

// ------------------------------------------------------------ failures

class PlotFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(COLSEC_TEST_DATA_DIR) / "small_section.txt", folder.path() / "col.txt");
    ASSERT_EQ(runColsec({"col.txt"}, folder.path()).exitCode, 0);
    // A page of an earlier drawing, which a failed one must leave alone.
    writeFile(folder.path() / "col_Plot.html", "earlier page");
  }

  // Runs colsec-plot, which must fail with a message starting `message`.
  void expectFailure(const std::string& message) {
    const RunResult r = runPlot({"col.txt"}, folder.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, message.size()), message) << r.err;
    EXPECT_EQ(readFile(folder.path() / "col_Plot.html"), "earlier page");
    EXPECT_EQ(countTemporaryFiles(folder.path()), 0);
  }

  // Replaces line `number` (from 1) of a result file.
  void replaceLine(const std::string& file, int number, const std::string& text) {
    std::vector<std::string> lines = linesOf(readFile(folder.path() / file));
    ASSERT_LE(number, static_cast<int>(lines.size()));
    lines[static_cast<std::size_t>(number - 1)] = text;
    std::string joined;
    for (const std::string& line : lines) joined += line + "\n";
    writeFile(folder.path() / file, joined);
  }

  int lineContaining(const std::string& file, const std::string& needle) {
    const std::vector<std::string> lines = linesOf(readFile(folder.path() / file));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(needle) != std::string::npos) return static_cast<int>(i + 1);
    }
    ADD_FAILURE() << file << " lacks " << needle;
    return 0;
  }

  TempDir folder;
};

TEST_F(PlotFailure, WithoutAFaultThePageReplacesTheEarlierOne) {
  const RunResult r = runPlot({"col.txt"}, folder.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(readFile(folder.path() / "col_Plot.html"), "earlier page");
  expectWellFormed(folder.path() / "col_Plot.html");
  EXPECT_EQ(countTemporaryFiles(folder.path()), 0);
}

TEST_F(PlotFailure, NoAngularSubdivisionsGiveNoMyMzCurves) {
  std::string input = readFile(folder.path() / "col.txt");
  input.replace(input.find("#SETTINGS SET 10 0 0 5 10"), 25, "#SETTINGS SET 10 0 0 0 10");
  writeFile(folder.path() / "col.txt", input);
  ASSERT_EQ(runColsec({"col.txt"}, folder.path()).exitCode, 0);
  const RunResult r = runPlot({"col.txt"}, folder.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string page = readFile(folder.path() / "col_Plot.html");
  expectWellFormed(folder.path() / "col_Plot.html");
  EXPECT_EQ(countOf(page, "class=\"pt pt-NMy\""), 10u);
  EXPECT_EQ(countOf(page, "class=\"pt pt-MyMz\""), 0u);
  EXPECT_NE(page.find("No My-Mz curves: the input asks for no angular subdivisions."), std::string::npos);
}

TEST_F(PlotFailure, MissingResultFilesAreNamed) {
  for (const char* suffix : {"_Section.res", "_Interaction.res", "_Validation.res"}) {
    SCOPED_TRACE(suffix);
    const fs::path file = folder.path() / (std::string("col") + suffix);
    const std::string kept = readFile(file);
    fs::remove(file);
    expectFailure(std::string("colsec-plot: col") + suffix + ": cannot open the ");
    writeFile(file, kept);
  }
}

TEST_F(PlotFailure, AMissingInputIsNamed) {
  fs::remove(folder.path() / "col.txt");
  expectFailure("colsec-plot: cannot open input file 'col.txt'");
}

TEST_F(PlotFailure, AMalformedElementLineIsNamedWithItsLine) {
  replaceLine("col_Section.res", 4, "#ELEMENT PROF: 1 POS: 0 0 DIM: 1 1 EPSx: 0 sigX/tauY/Z: x 0 0");
  expectFailure("colsec-plot: col_Section.res:4: sigX: \"x\" is not a number");
}

TEST_F(PlotFailure, AMalformedCurvePointIsNamedWithItsLine) {
  replaceLine("col_Interaction.res", 5, "#CURVEPOINT NMy 1 2");
  expectFailure("colsec-plot: col_Interaction.res:5: expected \"#CURVEPOINT NAME nx my mz\"");
}

TEST_F(PlotFailure, AnEmptyInteractionFileOfANonlinearSectionIsAnError) {
  writeFile(folder.path() / "col_Interaction.res", "");
  expectFailure("colsec-plot: col_Interaction.res: the file is empty, but every material of col.txt is nonlinear");
}

TEST_F(PlotFailure, ATruncatedReportIsAnError) {
  const std::string report = readFile(folder.path() / "col_Validation.res");
  const std::string cut = report.substr(0, report.find("NACHWEIS ERBRACHT"));
  writeFile(folder.path() / "col_Validation.res", cut);
  const std::size_t lines = static_cast<std::size_t>(std::count(cut.begin(), cut.end(), '\n'));
  expectFailure("colsec-plot: col_Validation.res:" + std::to_string(lines) +
                ": end of file reached without the verdict of the general method");
}

TEST_F(PlotFailure, AMalformedVerdictIsNamedWithItsLine) {
  const int line = lineContaining("col_Validation.res", "NACHWEIS ERBRACHT");
  replaceLine("col_Validation.res", line, "NACHWEIS ERBRACHT: JEIN");
  expectFailure("colsec-plot: col_Validation.res:" + std::to_string(line) + ": verdict: expected \"JA\" or \"NEIN\"");
}

TEST_F(PlotFailure, ResultsOfAChangedElementSizeAreRejected) {
  // small_section.txt: a rectangle 40 x 20 with feSize 10 gives 5 x 3 = 15
  // elements; with feSize 20 it gives 3 x 2 = 6.
  std::string input = readFile(folder.path() / "col.txt");
  input.replace(input.find("#SETTINGS SET 10"), 16, "#SETTINGS SET 20");
  writeFile(folder.path() / "col.txt", input);
  expectFailure("colsec-plot: col_Section.res:2: element 1 (profile 1 at -16/-6.66667, 8 x 6.66667) differs from "
                "element 1 of col.txt (profile 1 at -13.3333/-5, 13.3333 x 10)");
}

TEST_F(PlotFailure, ResultsOfChangedForcesAreRejected) {
  std::string input = readFile(folder.path() / "col.txt");
  input.replace(input.find("#FORCEED FED -100000"), 20, "#FORCEED FED -200000");
  writeFile(folder.path() / "col.txt", input);
  const int line = lineContaining("col_Validation.res", "Force FEd");
  expectFailure("colsec-plot: col_Validation.res:" + std::to_string(line) +
                ": the design forces (Nx -100 kN, My 0.2 kNm, Mz 0.1 kNm, Qy 0 kN, Qz 0 kN) differ from those of col.txt "
                "(Nx -200,");
}

TEST_F(PlotFailure, ResultsWithMissingElementsAreRejected) {
  std::string section = readFile(folder.path() / "col_Section.res");
  section.erase(section.rfind("#ELEMENT"));
  writeFile(folder.path() / "col_Section.res", section);
  expectFailure("colsec-plot: col_Section.res:15: 14 elements, but col.txt gives 15 elements");
}

TEST_F(PlotFailure, CurvesOfOtherSubdivisionsAreRejected) {
  std::string curves = readFile(folder.path() / "col_Interaction.res");
  curves.erase(curves.find("#CURVEPOINT NMz"), curves.find('\n', curves.find("#CURVEPOINT NMz")) + 1 -
                                                    curves.find("#CURVEPOINT NMz"));
  writeFile(folder.path() / "col_Interaction.res", curves);
  // 10 NMy points, then 9 NMz points end at line 19.
  expectFailure("colsec-plot: col_Interaction.res:19: curve NMz has 9 points, but the input asks for 10");
}

TEST_F(PlotFailure, APageThatCannotBeWrittenLeavesNothingBehind) {
  fs::remove(folder.path() / "col_Plot.html");
  fs::create_directory(folder.path() / "col_Plot.html");
  const RunResult r = runPlot({"col.txt"}, folder.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("col_Plot.html"), std::string::npos) << r.err;
  EXPECT_EQ(countTemporaryFiles(folder.path()), 0);
}

TEST_F(PlotFailure, InputChangedAfterTheRunIsPointedOut) {
  fs::last_write_time(folder.path() / "col.txt", fs::file_time_type::clock::now() + std::chrono::hours(1));
  fs::remove(folder.path() / "col_Plot.html");
  const RunResult r = runPlot({"col.txt"}, folder.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("colsec-plot: warning: col.txt was changed after"), std::string::npos) << r.err;
  EXPECT_NE(readFile(folder.path() / "col_Plot.html").find("was changed after"), std::string::npos);
}

TEST(PlotUsage, ArgumentsAndHelp) {
  TempDir folder;
  const RunResult none = runPlot({}, folder.path());
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("usage: colsec-plot INPUT"), std::string::npos);
  const RunResult two = runPlot({"a.txt", "b.txt"}, folder.path());
  EXPECT_EQ(two.exitCode, 2);
  const RunResult help = runPlot({"--help"}, folder.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("usage: colsec-plot INPUT"), std::string::npos);
  const RunResult version = runPlot({"--version"}, folder.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("colsec-plot ", 0), 0u);
}

}  // namespace
}  // namespace colsec::test
