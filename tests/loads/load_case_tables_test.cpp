// The views of a table of combinations: the CSV row and the console's
// compact table, from outcomes set by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "loads/LoadCaseRun.h"
#include "loads/LoadCaseTables.h"

namespace colsec {
namespace {

LoadCaseResults handResults() {
  LoadCaseResults results;
  CombinationOutcome a;
  a.combination = {"Wind, \"left\"", {-2e6, 1.5e8, -5e7, 2e4, 0.0}, 2};
  a.generalVerified = true;
  a.simplifiedComputed = true;
  a.simplifiedOk = true;
  a.shearConverged = a.axialConverged = true;
  DesignCheckItem item;
  item.clause = "6.7.3.7(2)";
  item.what = "linear interaction |My,Ed|/(μdy·Mpl,y,Rd) + |Mz,Ed|/(μdz·Mpl,z,Rd) ≤ 1.0";
  item.utilisation = 0.75;
  item.ok = true;
  a.designCheck.items = {item};
  a.designCheck.governing = 0;
  a.designCheck.verdict = true;
  a.utilisation = 0.75;
  CombinationOutcome b;
  b.combination = {"ULS-2", {-9e6, 0.0, 0.0, 0.0, 0.0}, 3};
  b.shearConverged = true;
  b.fallback.beyondResistance = true;
  b.utilisation = std::nan("");
  results.outcomes = {a, b};
  results.governing = 1;
  return results;
}

TEST(LoadCaseTables, CsvRowsQuoteNamesAndItemsAndMarkTheGoverningOne) {
  std::ostringstream csv;
  writeLoadCaseCsv(csv, handResults());
  EXPECT_EQ(csv.str(),
            "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN],general method,simplified method,design check,"
            "governing clause,governing item,utilisation,strain state,governs\n"
            "\"Wind, \"\"left\"\"\",-2000,150,-50,20,0,ok,ok,ok,6.7.3.7(2),"
            "\"linear interaction |My,Ed|/(μdy·Mpl,y,Rd) + |Mz,Ed|/(μdz·Mpl,z,Rd) ≤ 1.0\",0.75,converged,\n"
            "ULS-2,-9000,0,0,0,0,fails,not applied,fails,,,,beyond the resistance,yes\n");
}

TEST(LoadCaseTables, ConsoleTableClipsLongItemsAndMarksTheGoverningOne) {
  std::ostringstream console;
  writeLoadCaseConsoleTable(console, handResults());
  const std::string text = console.str();
  // 44 characters of "clause what", the last one "…".
  EXPECT_NE(text.find("6.7.3.7(2) linear interaction |My,Ed|/(μdy·…\n"), std::string::npos) << text;
  EXPECT_NE(text.find("> ULS-2 "), std::string::npos) << text;
  EXPECT_NE(text.find("> governs: ULS-2\n"), std::string::npos) << text;
  EXPECT_EQ(strainStateWord(true, false, true, false), std::string("converged (full Newton)"));
  EXPECT_EQ(strainStateWord(false, true, false, false), std::string("shear not converged"));
}

}  // namespace
}  // namespace colsec
