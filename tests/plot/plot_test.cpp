// colsec-plot end to end. Every input of the expected-file folders (tests/e2e,
// tests/examples, tests/plot/cases) is drawn alone in a fresh folder: the
// page must equal NAME_Plot.html of the case's expected folder byte for
// byte, be well-formed XML that needs nothing from outside, and nothing else
// may be written. Then a table of failures, each leaving an earlier page.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec::test {
namespace {

namespace fs = std::filesystem;

RunResult runPlot(const std::vector<std::string>& args, const fs::path& cwd) {
  return runProgram(fs::path(COLSEC_BINARY).parent_path() / "colsec-plot", args, cwd);
}

struct Page {
  std::string name;  // NAME.txt drawn into NAME_Plot.html
  fs::path input, table, expected;  // table: a load table, or empty
};
void PrintTo(const Page& p, std::ostream* os) { *os << p.name; }

std::vector<Page> pages() {
  const fs::path root(COLSEC_SOURCE_DIR);
  std::vector<Page> found;
  for (const auto& [inputs, expected] : {std::pair{root / "tests/e2e/cases", root / "tests/e2e/expected"},
                                         std::pair{root / "examples", root / "tests/examples/expected"},
                                         std::pair{root / "tests/plot/cases", root / "tests/plot/expected"}}) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(inputs)) {
      if (entry.path().extension() == ".txt") names.insert(entry.path().stem());
    }
    for (const std::string& name : names) {
      found.push_back({name, inputs / (name + ".txt"), {}, expected / name / (name + "_Plot.html")});
    }
  }
  // The governing combination of the example's load table with every other.
  found.push_back({"encased_heb", root / "examples/encased_heb.txt", root / "examples/encased_heb_loads.csv",
                   root / "tests/plot/expected/loads/encased_heb_Plot.html"});
  return found;
}

// The time of the drawing is the one thing a page may not repeat.
std::string withoutDate(std::string page) {
  const std::string mark = "<dt>analysed</dt><dd>";
  const std::size_t at = page.find(mark);
  if (at != std::string::npos) page.replace(at + mark.size(), page.find("</dd>", at) - at - mark.size(), "DATE");
  return page;
}

std::set<std::string> filesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

class PlotPage : public ::testing::TestWithParam<Page> {};

TEST_P(PlotPage, IsTheExpectedWellFormedSelfContainedPage) {
  const Page& p = GetParam();
  TempDir dir;
  fs::copy_file(p.input, dir.path() / (p.name + ".txt"));
  std::vector<std::string> args{p.name + ".txt"};
  std::set<std::string> files{p.name + ".txt", p.name + "_Plot.html"};
  if (!p.table.empty()) {
    fs::copy_file(p.table, dir.path() / p.table.filename());
    args.insert(args.begin(), {"--loads", p.table.filename()});
    files.insert(p.table.filename());
  }
  const RunResult run = runPlot(args, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Plot: " + p.name + "_Plot.html\n");
  EXPECT_EQ(filesIn(dir.path()), files) << "the page only: no result file, no temporary file";
  const std::string page = withoutDate(readFile(dir.path() / (p.name + "_Plot.html")));
  const std::string expected = withoutDate(readFile(p.expected));
  EXPECT_TRUE(page == expected) << firstDifference(expected, page);
  const RunResult lint = runProgram("xmllint", {"--noout", p.name + "_Plot.html"}, dir.path());
  ASSERT_NE(lint.exitCode, 127) << "xmllint is missing: apt-get install libxml2-utils";
  EXPECT_EQ(lint.exitCode, 0) << lint.err;
  for (const char* outside : {"<script", "href=", "src=", "url(", "@import"}) {
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, PlotPage, ::testing::ValuesIn(pages()),
                         [](const ::testing::TestParamInfo<Page>& info) {
                           return info.param.name + (info.param.table.empty() ? "" : "_loads");
                         });

// tests/plot/cases/small_section.txt: #PROFILE on line 4, #FORCEED on 5.
struct Failure {
  const char* name;
  const char* from;  // replaced in the input (empty: unchanged)
  const char* to;
  bool removeInput, pageIsFolder;
  int exitCode;
  std::string err;
};

TEST(PlotFailures, LeaveTheEarlierPageAndNoTemporaryFile) {
  const Failure cases[] = {
      {"decimal comma", "#FORCEED FED -100000", "#FORCEED FED -1000,5", false, false, 1,
       "colsec-plot: col.txt:5: #FORCEED nx: \"-1000,5\" is not a number\n"},
      {"negative size", "DIM 20 40", "DIM -20 40", false, false, 1,
       "colsec-plot: col.txt:4: #PROFILE H: \"-20\" must not be negative\n"},
      {"missing input", "", "", true, false, 1,
       "colsec-plot: cannot open input file 'col.txt': No such file or directory\n"},
      {"page name taken by a folder", "", "", false, true, 1,
       "colsec-plot: cannot create output file 'col_Plot.html': a directory of that name exists\n"},
      {"no forces: a warning, and the page", "#FORCEED FED -100000 200000 100000 0 0", "", false, false, 0,
       "col.txt: warning: no #FORCEED record; the design forces are taken as 0\n"},
  };
  for (const Failure& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::string input = readFile(sourcePath("tests/plot/cases/small_section.txt"));
    if (*c.from) input.replace(input.find(c.from), std::string(c.from).size(), c.to);
    if (!c.removeInput) writeFile(dir.path() / "col.txt", input);
    if (c.pageIsFolder) {
      fs::create_directory(dir.path() / "col_Plot.html");
    } else {
      writeFile(dir.path() / "col_Plot.html", "earlier page");
    }
    for (const char* suffix : kResultSuffixes) writeFile(dir.path() / (std::string("col") + suffix), "earlier");
    const RunResult run = runPlot({"col.txt"}, dir.path());
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.err, c.err);
    if (!c.pageIsFolder) {
      EXPECT_EQ(readFile(dir.path() / "col_Plot.html") == "earlier page", c.exitCode != 0) << "the page";
    }
    for (const char* suffix : kResultSuffixes) {
      EXPECT_EQ(readFile(dir.path() / (std::string("col") + suffix)), "earlier") << "neither read nor written";
    }
    EXPECT_EQ(countTemporaryFiles(dir.path()), 0);
  }
}

TEST(PlotUsage, ArgumentsHelpAndVersion) {
  TempDir dir;
  const std::string usage = "usage: colsec-plot [--loads LOADS.csv] INPUT";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"a.txt", "b.txt"}, {"--loads", "a.csv"}, {"--json", "a.txt"}}) {
    const RunResult run = runPlot(args, dir.path());
    EXPECT_EQ(run.exitCode, 2) << args.size() << " arguments";
    EXPECT_NE(run.err.find(usage), std::string::npos) << run.err;
  }
  EXPECT_EQ(runPlot({"--help"}, dir.path()).out.find(usage), 0u);
  EXPECT_EQ(runPlot({"--version"}, dir.path()).out.rfind("colsec-plot ", 0), 0u);
  EXPECT_TRUE(filesIn(dir.path()).empty());
}

// Benchmark figure, not timed: the encased HEB with elements of 1 mm gives
// 501 × 501 cells; merged by colour the page stays under 3 MB (one rect per
// element took about 40 MB).
TEST(PlotSize, ThePageOfAQuarterMillionElementsStaysSmall) {
  std::string input = readFile(sourcePath("examples/encased_heb.txt"));
  const std::string settings = "#SETTINGS SET 8 0 0 19 100";
  ASSERT_NE(input.find(settings), std::string::npos);
  input.replace(input.find(settings), settings.size(), "#SETTINGS SET 1 0 0 7 40");
  TempDir dir;
  writeFile(dir.path() / "big.txt", input);
  ASSERT_EQ(runPlot({"big.txt"}, dir.path()).exitCode, 0);
  const std::string page = readFile(dir.path() / "big_Plot.html");
  EXPECT_NE(page.find("data-elements=\"2"), std::string::npos) << "250 000 elements and more";
  EXPECT_LT(page.size(), 3u * 1024 * 1024);
}

}  // namespace
}  // namespace colsec::test
