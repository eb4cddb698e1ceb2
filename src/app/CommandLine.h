#pragma once
// The command line of colsec:
//   colsec [--json] [--loads LOADS.csv] [--threads N] INPUT
//   colsec --help | -h | --version
// Options come before INPUT; anything that is not an option is INPUT.

#include <string>

namespace colsec {

struct CommandLine {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::UsageError;
  std::string input;
  std::string loads;   // empty: the design forces of the input
  bool json = false;   // also write <base>_Result.json
  int threads = 0;     // 0: one per core
  std::string error;   // for a usage error in an option, what was wrong; "" otherwise
};

CommandLine parseCommandLine(int argc, const char* const* argv);

}  // namespace colsec
