// The program as a user starts it: one table of invocations, each with the
// exit status, both output streams and every file of the folder afterwards.
// (Hostile input files are the catalogue of tests/bad-inputs.)

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec::test {
namespace {

namespace fs = std::filesystem;

// A steel plate of a linear material: a quick run with all four results.
const std::string kPlate =
    "#MATERIAL LINEAR Nr 1 Prio 1 E/fyt/fyc/G/fys 210000 355 -355 81000 205\n"
    "#PROFILE RECT Nr 1 Mat 1 Dim 100 50 0 0 0\n"
    "#FORCEED F -100000 1000000 0 0 0\n"
    "#SETTINGS S 10 0 0 8 20\n";
const std::string kUsage = "usage: colsec INPUT   (colsec --help for more)\n";
const std::string kResults = "+cclog +_Interaction.res +_Section.res +_Validation.res";

// Every file and folder below root with its bytes ("/" for a folder).
std::map<std::string, std::string> snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    entries[fs::relative(entry.path(), root).generic_string()] = entry.is_directory() ? "/" : readFile(entry.path());
  }
  return entries;
}

struct Invocation {
  const char* name;
  std::function<void(const fs::path&)> setUp;  // files in the folder before the run
  const char* cwd;                             // below the folder
  std::vector<std::string> args;
  int exitCode;
  std::string out;    // "*" for anything
  std::string err;
  std::string added;  // paths the run adds (stem + suffixes for "+suffix" after a stem "S:")
};

void plate(const fs::path& dir, const std::string& file) {
  fs::create_directories((dir / file).parent_path());
  writeFile(dir / file, kPlate);
}

// "S: +a +b" becomes {S.a... } as in "col.cclog"; "S" alone stands for itself.
std::vector<std::string> expand(const std::string& added) {
  std::vector<std::string> paths;
  std::string stem;
  std::istringstream words(added);
  for (std::string word; words >> word;) {
    if (word.back() == ':') {
      stem = word.substr(0, word.size() - 1);
    } else if (word[0] == '+') {
      const std::string suffix = word.substr(1);
      paths.push_back(fs::path(stem + (suffix == "cclog" ? ".cclog" : suffix)).lexically_normal().generic_string());
    } else {
      paths.push_back(word);
    }
  }
  return paths;
}

TEST(CommandLine, InvocationsGiveTheirStatusMessagesAndFiles) {
  const auto col = [](const fs::path& d) { plate(d, "col.txt"); };
  const auto earlier = [](const fs::path& d) {
    for (const char* suffix : kResultSuffixes) writeFile(d / (std::string("missing") + suffix), "earlier\n");
  };
  const auto folderNamed = [](const std::string& name) {
    return [name](const fs::path& d) {
      plate(d, "col.txt");
      fs::create_directories(d / name / "keep");
    };
  };
  const Invocation cases[] = {
      {"no argument", col, "", {}, 2, "Wrong Parameter List", kUsage, ""},
      {"two inputs", col, "", {"col.txt", "col.txt"}, 2, "Wrong Parameter List", kUsage, ""},
      {"help and version", col, "", {"--help", "--version"}, 2, "Wrong Parameter List", kUsage, ""},
      {"three words", col, "", {"a", "b", "c"}, 2, "Wrong Parameter List", kUsage, ""},
      {"version", nullptr, "", {"--version"}, 0, std::string("colsec ") + COLSEC_VERSION + "\n", "", ""},
      {"missing input", earlier, "", {"missing.txt"}, 1, "",
       "colsec: cannot open input file 'missing.txt': No such file or directory\n", ""},
      {"missing folder", earlier, "", {"no.such/dir/col.txt"}, 1, "",
       "colsec: cannot open input file 'no.such/dir/col.txt': No such file or directory\n", ""},
      {"input is a folder", [](const fs::path& d) { fs::create_directory(d / "case.txt"); }, "", {"case.txt"}, 1, "",
       "colsec: cannot open input file 'case.txt': it is a directory\n", ""},
      {"no forces", [](const fs::path& d) { writeFile(d / "col.txt", kPlate.substr(0, kPlate.find("#FORCEED")) +
                                                                          "#SETTINGS S 10 0 0 8 20\n"); },
       "", {"col.txt"}, 0, "*", "col.txt: warning: no #FORCEED record; the design forces are taken as 0\n",
       "col: " + kResults},
      {"json", col, "", {"--json", "col.txt"}, 0, "*", "", "col: " + kResults + " +_Result.json"},
      {"json without input", col, "", {"--json"}, 2, "Wrong Parameter List", kUsage, ""},
      {"threads without a count", col, "", {"--threads"}, 2, "Wrong Parameter List",
       "colsec: --threads needs a value\n" + kUsage, ""},
      {"loads without a table", col, "", {"--json", "--loads"}, 2, "Wrong Parameter List",
       "colsec: --loads needs a value\n" + kUsage, ""},
      {"threads", col, "", {"--threads", "2", "col.txt"}, 0, "*", "", "col: " + kResults},
      {"folder of a result's name", folderNamed("col_Section.res"), "", {"col.txt"}, 1, "",
       "colsec: cannot create output file 'col_Section.res': a directory of that name exists\n", ""},
      {"folder of the log's name", folderNamed("col.cclog"), "", {"col.txt"}, 1, "",
       "colsec: cannot create output file 'col.cclog': a directory of that name exists\n", ""},
      {"dots in folders", [](const fs::path& d) { plate(d, "run.v1/case.2/col.in"); }, "",
       {"run.v1/case.2/col.in"}, 0, "*", "", "run.v1/case.2/col: " + kResults},
      {"no extension", [](const fs::path& d) { plate(d, "run.v1/col"); }, "", {"./run.v1/col"}, 0, "*", "",
       "run.v1/col: " + kResults},
      {"folder ending in a dot, no extension", [](const fs::path& d) { plate(d, "run./col"); }, "", {"run./col"}, 0,
       "*", "", "run./col: " + kResults},
      {"two dots", [](const fs::path& d) { plate(d, "run.v1/a.b.txt"); }, "", {"run.v1/a.b.txt"}, 0, "*", "",
       "run.v1/a.b: " + kResults},
      {"only an extension", [](const fs::path& d) { plate(d, "run.v1/.txt"); }, "", {"run.v1/.txt"}, 0, "*", "",
       "run.v1/: " + kResults},
      {"double slash", [](const fs::path& d) { plate(d, "run.v1/col.txt"); }, "", {"run.v1//col.txt"}, 0, "*", "",
       "run.v1/col: " + kResults},
      {"up and over", [](const fs::path& d) { plate(d, "in.put/x.y/col"); }, "work.d/sub", {"../../in.put/x.y/col"},
       0, "*", "", "in.put/x.y/col: " + kResults},
  };
  for (const Invocation& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.setUp) c.setUp(dir.path());
    fs::create_directories(dir.path() / c.cwd);
    std::map<std::string, std::string> expected = snapshot(dir.path());
    for (const std::string& path : expand(c.added)) expected[path];
    const RunResult run = runColsec(c.args, dir.path() / c.cwd);
    EXPECT_EQ(run.exitCode, c.exitCode);
    if (c.out != "*") {
      EXPECT_EQ(run.out, c.out);
    }
    EXPECT_EQ(run.err, c.err);
    std::map<std::string, std::string> after = snapshot(dir.path());
    for (auto& [path, content] : after) {
      if (expected.count(path) && expected[path].empty() && !content.empty()) content.clear();  // a new result
    }
    EXPECT_EQ(after, expected) << "files changed, appeared or went missing";
  }
}

TEST(CommandLine, HelpGoesToStandardOutputAndWritesNothing) {
  TempDir dir;
  const RunResult help = runColsec({"--help"}, dir.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: colsec INPUT\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--json"), std::string::npos) << help.out;
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(runColsec({"-h"}, dir.path()).out, help.out);
  EXPECT_TRUE(snapshot(dir.path()).empty());
}

}  // namespace
}  // namespace colsec::test
