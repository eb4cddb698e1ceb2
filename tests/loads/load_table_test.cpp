// The table of load combinations: units, quoting, and every malformation
// refused with its file, line and value.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/InputError.h"
#include "loads/LoadTable.h"

namespace colsec {
namespace {

std::vector<LoadCombination> read(const std::string& text) {
  std::istringstream in(text);
  return readLoadTable(in, "loads.csv");
}

std::string errorOf(const std::string& text) {
  try {
    read(text);
  } catch (const InputError& error) {
    return error.what();
  }
  return "<no error>";
}

constexpr const char* kHeader = "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]\n";

TEST(LoadTable, ReadsKiloUnitsIntoNAndNmm) {
  const auto table = read(std::string("# exported from the frame model\n\n") + kHeader +
                          "ULS-1,-1737,110.67,36.89,0,12.5\n"
                          "\n"
                          "# wind from the left\n"
                          "  ULS-2 , 100 , -5e1 , 0 , -3 , 0  \n");
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].name, "ULS-1");
  EXPECT_EQ(table[0].line, 4);
  EXPECT_EQ(table[0].forces.nx, -1737e3);
  EXPECT_EQ(table[0].forces.my, 110.67 * 1e6);
  EXPECT_EQ(table[0].forces.mz, 36.89 * 1e6);
  EXPECT_EQ(table[0].forces.qz, 12.5e3);
  EXPECT_EQ(table[1].name, "ULS-2");
  EXPECT_EQ(table[1].line, 7);
  EXPECT_EQ(table[1].forces.my, -50e6);
  EXPECT_EQ(table[1].forces.qy, -3e3);
}

TEST(LoadTable, BaseUnitsPerColumn) {
  const auto table = read("name,Nx [N],My [Nmm],Mz [kNm],Qy [N],Qz [kN]\nA,-1000,2000,3,4,5\n");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].forces.nx, -1000.0);
  EXPECT_EQ(table[0].forces.my, 2000.0);
  EXPECT_EQ(table[0].forces.mz, 3e6);
  EXPECT_EQ(table[0].forces.qy, 4.0);
  EXPECT_EQ(table[0].forces.qz, 5e3);
}

TEST(LoadTable, QuotedNamesAndLineEnds) {
  const auto table = read(std::string("\xEF\xBB\xBF") + "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]\r\n"
                          "\"Wind, left \"\"gust\"\"\",1,2,3,4,5\r"
                          "Schnee Ü,1,2,3,4,5\r\n");
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].name, "Wind, left \"gust\"");
  EXPECT_EQ(table[1].name, "Schnee Ü");
  EXPECT_EQ(table[1].line, 3);
}

TEST(LoadTable, MalformationsAreRefusedWithFileLineAndValue) {
  const struct {
    const char* name;
    std::string text;
    const char* message;
  } cases[] = {
      {"missing unit", "name,Nx,My [kNm],Mz [kNm],Qy [kN],Qz [kN]\nA,1,2,3,4,5\n",
       "loads.csv:1: column \"Nx\" has no unit; write Nx [kN] or Nx [N]"},
      {"unknown unit", "name,Nx [kN],My [kN*m],Mz [kNm],Qy [kN],Qz [kN]\nA,1,2,3,4,5\n",
       "loads.csv:1: unit [kN*m] of column My is not accepted; write [kNm] or [Nmm]"},
      {"force unit on a moment", "name,Nx [kN],My [kN],Mz [kNm],Qy [kN],Qz [kN]\nA,1,2,3,4,5\n",
       "loads.csv:1: unit [kN] of column My is not accepted; write [kNm] or [Nmm]"},
      {"columns swapped", "name,My [kNm],Nx [kN],Mz [kNm],Qy [kN],Qz [kN]\nA,1,2,3,4,5\n",
       "loads.csv:1: column 2 is \"My [kNm]\"; expected Nx (name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN])"},
      {"short header", "name,Nx [kN],My [kNm]\n",
       "loads.csv:1: the header has 3 columns; expected the 6 columns name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]"},
      {"missing value", std::string(kHeader) + "A,1,2,3,4\n",
       "loads.csv:2: expected a name and 5 values, found 5 fields in \"A,1,2,3,4\""},
      {"empty value", std::string(kHeader) + "A,1,,3,4,5\n", "loads.csv:2: My: missing value"},
      {"extra value", std::string(kHeader) + "A,1,2,3,4,5,6\n",
       "loads.csv:2: expected a name and 5 values, found 7 fields (numbers take a decimal point: 1.5, not 1,5) in "
       "\"A,1,2,3,4,5,6\""},
      {"decimal comma", std::string(kHeader) + "A,1,5,2,3,4,5\n",
       "loads.csv:2: expected a name and 5 values, found 7 fields (numbers take a decimal point: 1.5, not 1,5) in "
       "\"A,1,5,2,3,4,5\""},
      {"text in a number", std::string(kHeader) + "A,1,2,3kN,4,5\n", "loads.csv:2: Mz: \"3kN\" is not a number"},
      {"nan", std::string(kHeader) + "A,1,2,3,nan,5\n", "loads.csv:2: Qy: \"nan\" is not a number"},
      {"duplicate name", std::string(kHeader) + "A,1,2,3,4,5\nB,1,2,3,4,5\nA,0,0,0,0,0\n",
       "loads.csv:4: the name \"A\" is given already in line 2"},
      {"no name", std::string(kHeader) + ",1,2,3,4,5\n", "loads.csv:2: the combination has no name"},
      {"open quote", std::string(kHeader) + "\"A,1,2,3,4,5\n", "loads.csv:2: a quoted field is not closed"},
      {"no rows", std::string(kHeader) + "# nothing yet\n", "loads.csv:2: the table holds no load combination"},
      {"empty file", "", "loads.csv:0: no header row; expected name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]"},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.text), c.message) << c.name;
}

TEST(LoadTable, CsvFieldsAreQuotedWhereNeeded) {
  const struct {
    const char* text;
    const char* field;
  } cases[] = {
      {"ULS-1", "ULS-1"},
      {"Wind, left", "\"Wind, left\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"Schnee Ü", "Schnee Ü"},
      {"#3", "\"#3\""},
      {" padded", "\" padded\""},
  };
  for (const auto& c : cases) EXPECT_EQ(csvField(c.text), c.field) << c.text;
}

TEST(LoadTable, QuotedFieldsReadBackWhatCsvFieldWrote) {
  for (const std::string name : {"Wind, left", "say \"hi\"", "#3", " padded"}) {
    const auto table = read(std::string(kHeader) + csvField(name) + ",1,2,3,4,5\n");
    ASSERT_EQ(table.size(), 1u) << name;
    EXPECT_EQ(table[0].name, name);
  }
}

}  // namespace
}  // namespace colsec
