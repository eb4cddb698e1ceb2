// `colsec --json INPUT`: the JSON result beside the four result files.
// Every number the report prints must be the JSON's number printed the
// same way (six significant digits, kN and kNm where the report uses
// them); the four files and the console stay byte for byte as without the
// option; a failed run leaves no JSON and no temporary file.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/JsonReader.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;
using test::JsonReader;
using test::JsonValue;
using test::readFile;
using test::runColsec;
using test::RunResult;
using test::TempDir;
using test::writeFile;
using test::kResultSuffixes;

std::set<std::string> names(const fs::path& root) {
  std::set<std::string> result;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    result.insert(fs::relative(entry.path(), root).generic_string());
  }
  return result;
}

std::set<std::string> withOutputs(std::set<std::string> files, const std::string& stem, bool json) {
  for (const char* suffix : kResultSuffixes) files.insert(stem + suffix);
  if (json) files.insert(stem + "_Result.json");
  return files;
}

// A double as every text output prints it: the default formatting of a
// stream, six significant digits.
std::string printed(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// Walks through the report from label to label and compares what stands
// there with the JSON's values.
class ReportCursor {
 public:
  ReportCursor(const std::string& report, std::string name) : text_(report), name_(std::move(name)) {}

  // Moves just past the next occurrence of label.
  bool skipTo(const std::string& label) {
    const std::size_t at = text_.find(label, pos_);
    if (at == std::string::npos) {
      ADD_FAILURE() << name_ << ": \"" << test::visible(label) << "\" not found after byte " << pos_;
      return false;
    }
    pos_ = at + label.size();
    return true;
  }

  // The text at the cursor must begin with `expected`; moves past it.
  void expectAt(const std::string& expected, const std::string& what) {
    if (text_.compare(pos_, expected.size(), expected) != 0) {
      ADD_FAILURE() << name_ << ", " << what << ": expected \"" << test::visible(expected) << "\" at \""
                    << test::visible(text_.substr(pos_, 40)) << "\"";
      return;
    }
    pos_ += expected.size();
  }

  // After label: the number the report prints for the JSON value divided
  // by scale; a JSON null stands for a NaN or an infinity.
  void expectNumber(const std::string& label, const JsonValue& value, double scale, const std::string& what) {
    if (!skipTo(label)) return;
    const char* start = text_.c_str() + pos_;
    char* end = nullptr;
    std::strtod(start, &end);
    const std::string token(start, static_cast<std::size_t>(end - start));
    pos_ += token.size();
    if (value.isNull()) {
      EXPECT_TRUE(token == "nan" || token == "-nan" || token == "inf" || token == "-inf")
          << name_ << ", " << what << ": JSON null, report \"" << token << "\"";
    } else {
      EXPECT_EQ(token, printed(value.num() / scale)) << name_ << ", " << what << " (JSON " << value.text << ")";
    }
  }

  // After label: the int as the report prints it.
  void expectInt(const std::string& label, const JsonValue& value, const std::string& what) {
    if (!skipTo(label)) return;
    EXPECT_EQ(text_.compare(pos_, value.text.size(), value.text), 0)
        << name_ << ", " << what << ": JSON " << value.text << ", report \"" << text_.substr(pos_, 12) << "\"";
    pos_ += value.text.size();
  }

 private:
  const std::string& text_;
  std::string name_;
  std::size_t pos_ = 0;
};

const char* yesNo(bool yes) { return yes ? "JA " : "NEIN "; }

void checkForces(ReportCursor& report, const JsonValue& f, const std::string& what) {
  report.expectNumber(" Nx: ", f["nx"], 1000, what + " nx");
  report.expectNumber(" My: ", f["my"], 1e6, what + " my");
  report.expectNumber(" Mz: ", f["mz"], 1e6, what + " mz");
}

void checkExtreme(ReportCursor& report, const std::string& label, const JsonValue& e, const std::string& what) {
  report.expectNumber(label, e["value"], 1, what);
  report.expectNumber("PosY/Z: ", e["posY"], 1, what + " posY");
  report.expectNumber(" / ", e["posZ"], 1, what + " posZ");
  report.expectNumber("SigmaX: ", e["sigX"], 1, what + " sigX");
  report.expectNumber("TauY: ", e["tauY"], 1, what + " tauY");
  report.expectNumber("TauZ: ", e["tauZ"], 1, what + " tauZ");
  report.expectNumber("SigmaX Limits: ", e["sigXLimitLower"], 1, what + " lower limit");
  report.expectNumber("/", e["sigXLimitUpper"], 1, what + " upper limit");
  report.expectNumber("TauY/Z Limit: ", e["tauYLimit"], 1, what + " tauY limit");
  report.expectNumber("/", e["tauZLimit"], 1, what + " tauZ limit");
}

// Every number and verdict of the report against the JSON.
void checkReportAgainstJson(const std::string& reportText, const JsonValue& doc, const std::string& name) {
  ReportCursor report(reportText, name);
  const JsonValue& g = doc["generalMethod"];
  report.expectNumber("EIeff y/z: ", g["EIeff"]["EIy"], 1e6, "EIeff y");
  report.expectNumber("/", g["EIeff"]["EIz"], 1e6, "EIeff z");
  report.expectNumber("EIeffII y/z: ", g["EIeffII"]["EIy"], 1e6, "EIeffII y");
  report.expectNumber("/", g["EIeffII"]["EIz"], 1e6, "EIeffII z");

  const JsonValue& carried = g["carriedForces"];
  report.skipTo("Resultierende Querkräfte [kN/kNm]:\n");
  report.expectAt(g["shearConverged"].flag() ? "\tKonvergiert: " : "\tNICHT KONVERGIERT: ", "shear convergence");
  report.expectNumber(" Qy: ", carried["qy"], 1000, "carried qy");
  report.expectNumber(" Qz: ", carried["qz"], 1000, "carried qz");
  report.skipTo("Resultierende Normalkräfte und Momente [kN/kNm]:\n");
  report.expectAt(g["axialConverged"].flag() ? "\tKonvergiert: " : "\tNICHT KONVERGIERT: ", "axial convergence");
  checkForces(report, carried, "carried");

  report.expectNumber("epsX: ", g["strainState"]["epsX"], 1, "epsX");
  report.expectNumber("kappaY: ", g["strainState"]["kappaY"], 1, "kappaY");
  report.expectNumber("kappaZ: ", g["strainState"]["kappaZ"], 1, "kappaZ");
  report.expectNumber("Offset y/z: ", g["neutralAxis"]["offY"], 1, "neutral axis offY");
  report.expectNumber("/", g["neutralAxis"]["offZ"], 1, "neutral axis offZ");
  report.expectNumber("alpha: ", g["neutralAxis"]["alphaDeg"], 1, "neutral axis angle");

  report.skipTo("Qi: ");
  report.expectAt(yesNo(g["shearConverged"].flag()), "Qi");
  report.skipTo("Nx und Mi: ");
  report.expectAt(yesNo(g["axialConverged"].flag()), "Nx und Mi");
  report.skipTo("Spannungen in Elementen überschritten (siehe Zusammenfassung): ");
  report.expectAt(yesNo(!g["stressesWithinLimits"].flag()), "stresses exceeded");
  report.skipTo("Dehnungen in Elementen überschritten (siehe Zusammenfassung): ");
  report.expectAt(yesNo(!g["strainsWithinLimits"].flag()), "strains exceeded");
  report.skipTo("NACHWEIS ERBRACHT: ");
  report.expectAt(yesNo(g["verified"].flag()), "general verdict");

  for (const JsonValue& m : g["materials"].items) {
    const std::string material = "material " + m["number"].text;
    report.skipTo("Material " + m["number"].text + "\n");
    if (!m["hasElements"].flag()) {
      report.expectAt("\tkeine Elemente\n", material);
      continue;
    }
    const JsonValue& x = m["extremes"];
    checkExtreme(report, "Max Sigma X: ", x["maxSigX"], material + " max sigma");
    checkExtreme(report, "Min Sigma X: ", x["minSigX"], material + " min sigma");
    checkExtreme(report, "Max TauComb: ", x["maxTauComb"], material + " max tau");
    report.expectNumber("Min/Max EpsX: ", x["minEpsX"]["value"], 1, material + " min eps");
    report.expectNumber("/", x["maxEpsX"]["value"], 1, material + " max eps");
  }

  const JsonValue& s = doc["simplifiedMethod"];
  const JsonValue& design = doc["designForces"];
  if (s["computed"].flag()) {
    const auto okWord = [](const JsonValue& check, const char* failed) {
      return std::string(check["ok"].flag() ? "OK" : failed);
    };
    const JsonValue& r = s["ratios"];
    const JsonValue& res = s["resistances"];
    report.skipTo("Einwirkende Kräfte FEd [kN,kNm]\n\t");
    report.expectNumber("Nx: ", design["nx"], 1000, "design nx");
    report.expectNumber(" My: ", design["my"], 1e6, "design my");
    report.expectNumber(" Mz: ", design["mz"], 1e6, "design mz");
    report.expectNumber(" Qy: ", design["qy"], 1000, "design qy");
    report.expectNumber(" Qz: ", design["qz"], 1000, "design qz");
    report.expectNumber("Qpl,Rd,y = ", res["qPlRdY"], 1000, "Qpl,Rd,y");
    report.expectNumber("Qpl,Rd,z = ", res["qPlRdZ"], 1000, "Qpl,Rd,z");
    report.expectNumber("QEd,y / Qpl,Rd,y = ", r["shearY"]["ratio"], 1, "shear y ratio");
    report.expectAt("[-]  " + okWord(r["shearY"], "Nicht erfüllt") + " ", "shear y verdict");
    report.expectNumber("QEd,z / Qpl,Rd,z = ", r["shearZ"]["ratio"], 1, "shear z ratio");
    report.expectAt("[-]  " + okWord(r["shearZ"], "Nicht erfüllt") + " ", "shear z verdict");
    report.expectNumber("Npl,Rd,max = ", res["nPlRdMax"], 1000, "Npl,Rd,max");
    report.expectNumber("Npl,Rd,min = ", res["nPlRdMin"], 1000, "Npl,Rd,min");
    report.expectNumber("NEd/Npl,Rd = ", r["axial"]["ratio"], 1, "axial ratio");
    report.expectAt("   " + okWord(r["axial"], "Nicht erfüllt"), "axial verdict");
    report.expectNumber("Mpl,y,Rd = ", res["mPlYRd"], 1e6, "Mpl,y,Rd");
    report.expectNumber("Mpl,z,Rd = ", res["mPlZRd"], 1e6, "Mpl,z,Rd");
    report.expectNumber("mdy = ", res["mdy"], 1, "mdy");
    report.expectNumber("mdz = ", res["mdz"], 1, "mdz");
    report.expectNumber("[1] My,Ed/mdy/Mpl,y,Rd = ", r["linearY"]["ratio"], 1, "linear y");
    report.expectNumber("[2] Mz,Ed/mdz/Mpl,z,Rd = ", r["linearZ"]["ratio"], 1, "linear z");
    report.expectNumber("[1]+[2] = ", r["linearSum"]["ratio"], 1, "linear sum");
    report.expectAt(" <= 1,0 (siehe 6.7.3.7 (2)) " + okWord(r["linearSum"], "Nicht erfüllt"), "linear verdict");
    report.skipTo("Nächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]:");
    checkForces(report, s["closestPoint"], "closest point");
    report.expectNumber("Ausnutzungsgrad My: ", r["closestMy"]["ratio"], 1, "closest My");
    report.expectAt("   " + okWord(r["closestMy"], "Außerhalb der Fließfläche"), "closest My verdict");
    report.expectNumber("Ausnutzungsgrad Mz: ", r["closestMz"]["ratio"], 1, "closest Mz");
    report.expectAt("   " + okWord(r["closestMz"], "Außerhalb der Fließfläche"), "closest Mz verdict");
  } else {
    report.skipTo("\n Linear Material found, interaction curves not generated.");
  }

  report.skipTo("      Materials:\n");
  for (const JsonValue& m : g["materials"].items) report.skipTo(m["description"].str());
  report.skipTo("      Profiles:\n");
  for (const JsonValue& p : doc["profiles"].items) report.skipTo(p["description"].str());
  report.skipTo("Force FEd [kN/kNm]:");
  checkForces(report, design, "design");
  report.expectNumber(" Qy: ", design["qy"], 1000, "design qy");
  report.expectNumber(" Qz: ", design["qz"], 1000, "design qz");
  report.expectNumber("FE-Size [mm]: ", doc["settings"]["feSize"], 1, "feSize");
  report.expectInt("Angular Subdivisions [-]: ", doc["settings"]["angularSubdivisions"], "angular subdivisions");
  report.expectInt("Offset Subdivisions [-]: ", doc["settings"]["offsetSubdivisions"], "offset subdivisions");
}

// The bundled examples, with the verdicts their comments and the README
// give for them.
struct ExampleCase {
  const char* name;
  bool generalVerified;
  bool simplifiedComputed;
  bool simplifiedVerified;
  std::size_t materials;
  std::size_t profiles;
};

const ExampleCase kExamples[] = {
    {"encased_heb", true, true, true, 3, 6},
    {"filled_circular_tube", true, true, true, 3, 10},
    {"filled_rectangular_tube", true, true, false, 2, 2},
    {"linear_material", false, false, false, 1, 1},
};

TEST(JsonResultEndToEndTest, EveryNumberOfTheReportIsInTheJson) {
  for (const ExampleCase& c : kExamples) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string input = std::string(c.name) + ".txt";
    fs::copy_file(test::sourcePath("examples/" + input), dir.path() / input);
    const RunResult run = runColsec({"--json", input}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(names(dir.path()), withOutputs({input}, c.name, true));

    const JsonValue doc = JsonReader::parse(readFile(dir.file(std::string(c.name) + "_Result.json")));
    EXPECT_EQ(doc["input"].str(), input);
    EXPECT_EQ(doc["program"]["version"].str(), COLSEC_VERSION);
    EXPECT_EQ(doc["generalMethod"]["verified"].flag(), c.generalVerified);
    EXPECT_EQ(doc["simplifiedMethod"]["computed"].flag(), c.simplifiedComputed);
    EXPECT_EQ(doc["simplifiedMethod"]["verified"].flag(), c.simplifiedVerified);
    EXPECT_EQ(doc["generalMethod"]["materials"].items.size(), c.materials);
    EXPECT_EQ(doc["profiles"].items.size(), c.profiles);
    checkReportAgainstJson(readFile(dir.file(std::string(c.name) + "_Validation.res")), doc, c.name);
  }
}

TEST(JsonResultEndToEndTest, DesignForcesAreTheInputsAtFullPrecision) {
  // examples/encased_heb.txt: #FORCEED FED -3000000 150000000 50000000 20000 50000, #SETTINGS SET 8 0 0 19 100
  TempDir dir;
  fs::copy_file(test::sourcePath("examples/encased_heb.txt"), dir.path() / "encased_heb.txt");
  ASSERT_EQ(runColsec({"--json", "encased_heb.txt"}, dir.path()).exitCode, 0);
  const JsonValue doc = JsonReader::parse(readFile(dir.file("encased_heb_Result.json")));
  const JsonValue& f = doc["designForces"];
  EXPECT_EQ(f["nx"].num(), -3000000.0);
  EXPECT_EQ(f["my"].num(), 150000000.0);
  EXPECT_EQ(f["mz"].num(), 50000000.0);
  EXPECT_EQ(f["qy"].num(), 20000.0);
  EXPECT_EQ(f["qz"].num(), 50000.0);
  EXPECT_EQ(doc["settings"]["feSize"].num(), 8.0);
  EXPECT_EQ(doc["settings"]["angularSubdivisions"].text, "19");
  EXPECT_EQ(doc["settings"]["offsetSubdivisions"].text, "100");
  // Materials in the order of the input with their law keywords.
  const char* const laws[] = {"CONC1992_3171", "Steel1993_543", "Steel1992_327b"};
  const JsonValue& materials = doc["generalMethod"]["materials"];
  ASSERT_EQ(materials.items.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(materials[i]["number"].text, std::to_string(i + 1));
    EXPECT_EQ(materials[i]["law"].str(), laws[i]);
  }
  // Full precision: the carried axial force is not rounded to the six
  // digits of the report (it converges to within 0.1 N of -3e6, never
  // exactly onto it in a Newton iteration of the diagonal kind).
  const JsonValue& nx = doc["generalMethod"]["carriedForces"]["nx"];
  EXPECT_NEAR(nx.num(), -3000000.0, 0.1);
  EXPECT_GT(nx.text.size(), std::string("-3e+06").size()) << nx.text;
}

TEST(JsonResultEndToEndTest, TheOptionChangesNothingElse) {
  for (const ExampleCase& c : kExamples) {
    const std::string input = std::string(c.name) + ".txt";
    TempDir plain;
    TempDir json;
    fs::copy_file(test::sourcePath("examples/" + input), plain.path() / input);
    fs::copy_file(test::sourcePath("examples/" + input), json.path() / input);
    const RunResult a = runColsec({input}, plain.path());
    const RunResult b = runColsec({"--json", input}, json.path());
    ASSERT_EQ(a.exitCode, 0) << c.name;
    ASSERT_EQ(b.exitCode, 0) << c.name;
    EXPECT_EQ(a.out, b.out) << c.name;
    EXPECT_EQ(a.err, b.err) << c.name;
    // Without the option: exactly the four files, no JSON.
    EXPECT_EQ(names(plain.path()), withOutputs({input}, c.name, false)) << c.name;
    for (const char* suffix : kResultSuffixes) {
      const std::string file = std::string(c.name) + suffix;
      EXPECT_EQ(readFile(plain.file(file)), readFile(json.file(file))) << file;
    }
  }
}

TEST(JsonResultEndToEndTest, JsonNeedsAnInputAndComesFirst) {
  const std::vector<std::vector<std::string>> argumentLists = {
      {"--json"}, {"col.txt", "--json"}, {"--json", "col.txt", "extra"}, {"--JSON", "col.txt"}, {"-j", "col.txt"}};
  for (const auto& arguments : argumentLists) {
    TempDir dir;
    writeFile(dir.file("col.txt"), "#SETTINGS S 10 0 0 8 20\n");
    const RunResult run = runColsec(arguments, dir.path());
    EXPECT_EQ(run.exitCode, 2) << arguments.front() << " ... (" << arguments.size() << ")";
    EXPECT_EQ(run.out, "Wrong Parameter List");
    EXPECT_EQ(names(dir.path()), std::set<std::string>{"col.txt"});
  }
}

TEST(JsonResultEndToEndTest, HelpNamesTheOption) {
  TempDir dir;
  const RunResult help = runColsec({"--help"}, dir.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--json"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("_Result.json"), std::string::npos) << help.out;
}

TEST(JsonResultEndToEndTest, FailedRunLeavesNoJsonAndEarlierResultsAlone) {
  struct Case {
    const char* what;
    std::string input;
    const char* folder;  // an output name taken by a folder, or null
    std::string err;
  };
  const std::string good = readFile(test::sourcePath("examples/linear_material.txt"));
  const Case cases[] = {
      {"malformed number", "#FORCEED F -5e5 1e7,5 0 0 0\n#SETTINGS S 10 0 0 8 20\n", nullptr,
       "colsec: col.txt:1: #FORCEED my: \"1e7,5\" is not a number\n"},
      {"JSON name taken by a folder", good, "col_Result.json",
       "colsec: cannot create output file 'col_Result.json': a directory of that name exists\n"},
      {"report name taken by a folder", good, "col_Validation.res",
       "colsec: cannot create output file 'col_Validation.res': a directory of that name exists\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    writeFile(dir.file("col.txt"), c.input);
    std::map<std::string, std::string> earlier;
    for (const char* suffix : kResultSuffixes) earlier[std::string("col") + suffix] = "earlier";
    earlier["col_Result.json"] = "{\"earlier\": true}\n";
    for (const auto& [name, content] : earlier) {
      if (c.folder && name == c.folder) {
        fs::create_directory(dir.path() / name);
      } else {
        writeFile(dir.file(name), content);
      }
    }
    const RunResult run = runColsec({"--json", "col.txt"}, dir.path());
    EXPECT_EQ(run.exitCode, 1) << c.what;
    EXPECT_EQ(run.err, c.err) << c.what;
    EXPECT_EQ(test::countTemporaryFiles(dir.path()), 0) << c.what;
    for (const auto& [name, content] : earlier) {
      if (c.folder && name == c.folder) {
        EXPECT_TRUE(fs::is_directory(dir.path() / name)) << c.what;
      } else {
        EXPECT_EQ(readFile(dir.file(name)), content) << c.what << ": " << name;
      }
    }
  }
}

}  // namespace
}  // namespace colsec
