// The command line: options before the input, the input whatever it looks
// like, and every usage error.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace colsec {
namespace {

using Action = CommandLine::Action;

CommandLine parse(std::vector<const char*> args) {
  args.insert(args.begin(), "colsec");
  return parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineParse, ActionsOptionsAndInput) {
  const struct {
    const char* name;
    std::vector<const char*> args;
    Action action;
    const char* input;
    const char* loads;
    bool json;
    int threads;
  } cases[] = {
      {"plain input", {"col.txt"}, Action::Run, "col.txt", "", false, 0},
      {"help", {"--help"}, Action::Help, "", "", false, 0},
      {"short help", {"-h"}, Action::Help, "", "", false, 0},
      {"version", {"--version"}, Action::Version, "", "", false, 0},
      {"json", {"--json", "col.txt"}, Action::Run, "col.txt", "", true, 0},
      {"loads", {"--loads", "l.csv", "col.txt"}, Action::Run, "col.txt", "l.csv", false, 0},
      {"all options", {"--threads", "3", "--json", "--loads", "l.csv", "col.txt"}, Action::Run, "col.txt", "l.csv",
       true, 3},
      {"a dash file name is an input", {"-x.txt"}, Action::Run, "-x.txt", "", false, 0},
      {"help after an option is an input", {"--json", "--help"}, Action::Run, "--help", "", true, 0},
      {"no argument", {}, Action::UsageError, "", "", false, 0},
      {"json alone", {"--json"}, Action::UsageError, "", "", true, 0},
      {"option after the input", {"col.txt", "--json"}, Action::UsageError, "", "", false, 0},
      {"two inputs", {"a.txt", "b.txt"}, Action::UsageError, "", "", false, 0},
      {"loads without a file", {"--loads"}, Action::UsageError, "", "", false, 0},
      {"threads of zero", {"--threads", "0", "col.txt"}, Action::UsageError, "", "", false, 0},
      {"threads not a number", {"--threads", "many", "col.txt"}, Action::UsageError, "", "", false, 0},
  };
  for (const auto& c : cases) {
    const CommandLine line = parse(c.args);
    EXPECT_EQ(line.action, c.action) << c.name;
    if (c.action != Action::Run) continue;
    EXPECT_EQ(line.input, c.input) << c.name;
    EXPECT_EQ(line.loads, c.loads) << c.name;
    EXPECT_EQ(line.json, c.json) << c.name;
    EXPECT_EQ(line.threads, c.threads) << c.name;
  }
}

}  // namespace
}  // namespace colsec
