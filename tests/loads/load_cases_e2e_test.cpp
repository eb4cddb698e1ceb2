// colsec --loads end to end: the files it writes, what it refuses, and the
// example table checked row by row against single runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/TestSupport.h"

namespace colsec {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> csvRows(const std::string& text) {
  std::vector<std::string> rows = test::splitLines(text);
  if (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}

// Fields of one CSV line; quoted fields may hold commas and doubled quotes.
std::vector<std::string> csvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string sixDigits(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

TEST(LoadCasesEndToEnd, ExampleTableAgreesWithSingleRunsOfEveryRow) {
  test::TempDir dir;
  fs::copy_file(test::sourcePath("examples/encased_heb.txt"), dir.path() / "column.txt");
  fs::copy_file(test::sourcePath("examples/encased_heb_loads.csv"), dir.path() / "loads.csv");
  const test::RunResult run = test::runColsec({"--loads", "loads.csv", "column.txt"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // The table, its JSON and the console text, byte for byte.
  const std::pair<std::string, std::string> pinned[] = {{"column_LoadCases.csv", "encased_heb_LoadCases.csv"},
                                                        {"column_LoadCases.json", "encased_heb_LoadCases.json"}};
  for (const auto& [written, expected] : pinned) {
    const std::string want = test::readFile(test::sourcePath("tests/loads/expected/" + expected));
    EXPECT_TRUE(test::readFile(dir.path() / written) == want)
        << written << "\n" << test::firstDifference(want, test::readFile(dir.path() / written));
  }
  const std::string console = test::readFile(test::sourcePath("tests/loads/expected/encased_heb_console.txt"));
  EXPECT_TRUE(run.out == console) << test::firstDifference(console, run.out);
  const std::string table = test::readFile(dir.path() / "column_LoadCases.csv");
  const std::string input = test::readFile(dir.path() / "column.txt");
  const std::vector<std::string> rows = csvRows(table);
  ASSERT_EQ(rows.size(), 21u);
  int governing = -1;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> f = csvFields(rows[r]);
    ASSERT_EQ(f.size(), 14u) << rows[r];
    if (f[13] == "yes") governing = static_cast<int>(r);
    // The same forces as a single run of the input.
    std::ostringstream single;
    single << input << "\n#FORCEED FED " << std::setprecision(17) << std::stod(f[1]) * 1e3 << " "
           << std::stod(f[2]) * 1e6 << " " << std::stod(f[3]) * 1e6 << " " << std::stod(f[4]) * 1e3 << " "
           << std::stod(f[5]) * 1e3 << "\n";
    test::writeFile(dir.path() / "single.txt", single.str());
    const test::RunResult one = test::runColsec({"--json", "single.txt"}, dir.path());
    ASSERT_EQ(one.exitCode, 0) << one.err;
    nlohmann::json result = nlohmann::json::parse(test::readFile(dir.path() / "single_Result.json"));
    const std::string what = "row " + std::to_string(r) + " " + f[0];
    EXPECT_EQ(f[6], result["generalMethod"]["verified"].get<bool>() ? "ok" : "fails") << what;
    EXPECT_EQ(f[7], result["simplifiedMethod"]["verified"].get<bool>() ? "ok" : "fails") << what;
    EXPECT_EQ(f[8], result["designCheck"]["verdict"].get<bool>() ? "ok" : "fails") << what;
    nlohmann::json& item = result["designCheck"]["items"][result["designCheck"]["governing"].get<std::size_t>()];
    EXPECT_EQ(f[9], item["clause"].get<std::string>()) << what;
    EXPECT_EQ(f[10], item["what"].get<std::string>()) << what;
    EXPECT_EQ(f[11], sixDigits(item["utilisation"].get<double>())) << what;
  }
  EXPECT_EQ(governing, 20) << "the accidental combination governs";
  // The four result files document the governing combination.
  const std::string report = test::readFile(dir.path() / "column_Validation.res");
  EXPECT_NE(report.find("Force FEd [kN/kNm]: Nx: -3120 My: 312.5 Mz: 244.8 Qy: 118 Qz: 96.2"), std::string::npos);
  nlohmann::json all = nlohmann::json::parse(test::readFile(dir.path() / "column_LoadCases.json"));
  EXPECT_EQ(all["governing"].get<int>(), 19);
  EXPECT_EQ(all["combinations"].size(), 20u);
  EXPECT_EQ(all["combinations"][19]["name"].get<std::string>(), "Accidental impact");
  EXPECT_EQ(all["combinations"][19]["result"]["designForces"]["nx"].get<double>(), -3120e3);
  EXPECT_NE(run.out.find("> Accidental impact"), std::string::npos) << run.out;
}

TEST(LoadCasesEndToEnd, NamesAreQuotedInTheCsvAndEscapedInTheJson) {
  test::TempDir dir;
  fs::copy_file(test::sourcePath("examples/encased_heb.txt"), dir.path() / "column.txt");
  test::writeFile(dir.path() / "loads.csv",
                  "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]\n"
                  "\"Wind, \"\"left\"\"\",-2000,100,20,5,10\n"
                  "Schnee Ü \\ 1,-2500,80,10,5,10\n");
  const test::RunResult run = test::runColsec({"--threads", "2", "--loads", "loads.csv", "column.txt"}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> rows = csvRows(test::readFile(dir.path() / "column_LoadCases.csv"));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].rfind("\"Wind, \"\"left\"\"\",-2000,100,20,5,10,", 0), 0u) << rows[1];
  EXPECT_EQ(rows[2].rfind("Schnee Ü \\ 1,-2500,80,10,5,10,", 0), 0u) << rows[2];
  nlohmann::json all = nlohmann::json::parse(test::readFile(dir.path() / "column_LoadCases.json"));
  EXPECT_EQ(all["combinations"][0]["name"].get<std::string>(), "Wind, \"left\"");
  EXPECT_EQ(all["combinations"][1]["name"].get<std::string>(), "Schnee Ü \\ 1");
}

TEST(LoadCasesEndToEnd, AMalformedTableWritesAndChangesNothing) {
  test::TempDir dir;
  fs::copy_file(test::sourcePath("examples/encased_heb.txt"), dir.path() / "column.txt");
  test::writeFile(dir.path() / "column_Validation.res", "earlier report\n");
  test::writeFile(dir.path() / "loads.csv", "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]\nA,-2000,1,5,2,0,0\n");
  const test::RunResult run = test::runColsec({"--loads", "loads.csv", "column.txt"}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            "colsec: loads.csv:2: expected a name and 5 values, found 7 fields (numbers take a decimal point: 1.5, "
            "not 1,5) in \"A,-2000,1,5,2,0,0\"\n");
  EXPECT_EQ(test::readFile(dir.path() / "column_Validation.res"), "earlier report\n");
  for (const char* name : {"column.cclog", "column_Section.res", "column_Interaction.res", "column_LoadCases.csv",
                           "column_LoadCases.json"}) {
    EXPECT_FALSE(fs::exists(dir.path() / name)) << name;
  }
  EXPECT_EQ(test::countTemporaryFiles(dir.path()), 0);
  const test::RunResult missing = test::runColsec({"--loads", "nothing.csv", "column.txt"}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err.rfind("colsec: cannot open load table 'nothing.csv'", 0), 0u) << missing.err;
}

}  // namespace
}  // namespace colsec
