// Text on the page: bytes of the input that are not UTF-8 become U+FFFD
// and the page stays well-formed; the design-check table gives forces in
// kN and moments in kNm; alike warnings of several profiles are one row.

#include <gtest/gtest.h>

#include <string>

#include "plot/PlotTestSupport.h"
#include "plot/Svg.h"

namespace colsec::test {
namespace {

const std::string kReplacement = "\xef\xbf\xbd";

TEST(PageText, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
  struct Row {
    const char* name;
    std::string text;
    std::string escaped;
  };
  const Row rows[] = {
      {"Latin-1 u umlaut", "St\xfctze", "St" + kReplacement + "tze"},
      {"UTF-8 u umlaut passes", "St\xc3\xbctze", "St\xc3\xbctze"},
      {"sequence cut short at the end", "a\xe2\x82", "a" + kReplacement + kReplacement},
      {"stray continuation byte", "\x80<", kReplacement + "&lt;"},
      {"overlong form of '/'", "\xc0\xaf", kReplacement + kReplacement},
      {"U+FFFF, not an XML character", "\xef\xbf\xbf", kReplacement},
      {"four-byte sequence passes", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
  };
  for (const Row& row : rows) EXPECT_EQ(plot::escapeXml(row.text), row.escaped) << row.name;
}

TEST(PageText, ALatin1TitleGivesAWellFormedPageWithTheDesignCheckInKilonewtons) {
  std::string input = readFile(sourcePath("examples/encased_heb.txt"));
  const std::size_t title = input.find("// Concrete-encased");
  ASSERT_NE(title, std::string::npos);
  input.insert(title, "// St\xfctze B\xfcro\n");
  TempDir folder;
  writeFile(folder.file("col.txt"), input);
  ASSERT_EQ(runPlot({"col.txt"}, folder.path()).exitCode, 0);
  const std::string page = readFile(folder.file("col_Plot.html"));
  const RunResult lint = runProgram("xmllint", {"--noout", "col_Plot.html"}, folder.path());
  ASSERT_NE(lint.exitCode, 127) << "xmllint is missing: apt-get install libxml2-utils";
  EXPECT_EQ(lint.exitCode, 0) << lint.err;
  EXPECT_EQ(countOf(page, "<h1>St" + kReplacement + "tze B" + kReplacement + "ro</h1>"), 1u);

  // The example: NEd = -3000 kN against Npl,Rd; My,Ed = 150 kNm, Mz,Ed = 50 kNm.
  const std::string table = page.substr(page.find("Design check, item by item"));
  EXPECT_EQ(countOf(table, "<td class=\"v\">3000 kN</td>"), 1u);
  EXPECT_EQ(countOf(table, "<td class=\"v\">150 kNm</td>"), 1u);
  EXPECT_EQ(countOf(table, "<td class=\"v\">50 kNm</td>"), 1u);
  EXPECT_EQ(countOf(table.substr(0, table.find("</table>")), "e+0"), 0u);
  // The four equal bars (profiles 3 to 6) have one fibre-area row.
  EXPECT_EQ(countOf(page, "fibre area of profile"), 1u);
  EXPECT_EQ(countOf(page, "fibre area of profiles 3, 4, 5 and 6: "), 1u);
}

}  // namespace
}  // namespace colsec::test
