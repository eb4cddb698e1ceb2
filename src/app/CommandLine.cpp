#include "app/CommandLine.h"

#include <string_view>

#include "input/NumberParsing.h"

namespace colsec {

namespace {

CommandLine usageError(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::UsageError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
  if (argc < 2) return usageError("");
  const std::string_view first = argv[1];
  if (argc == 2 && (first == "--help" || first == "-h")) return {CommandLine::Action::Help, "", "", false, 0, ""};
  if (argc == 2 && first == "--version") return {CommandLine::Action::Version, "", "", false, 0, ""};

  CommandLine line;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--json") {
      line.json = true;
    } else if (arg == "--loads" || arg == "--threads") {
      if (i + 1 >= argc) return usageError(std::string(arg) + " needs a value");
      const std::string_view value = argv[++i];
      if (arg == "--loads") {
        line.loads = value;
      } else {
        const ParsedInt parsed = parseInt(value);
        if (parsed.status != ParseStatus::Ok || parsed.value < 1) {
          return usageError("--threads takes a count of at least 1, not '" + std::string(value) + "'");
        }
        line.threads = parsed.value;
      }
    } else {
      break;  // the input path, whatever it looks like
    }
  }
  if (i >= argc) return usageError("");  // the usage line says it all
  if (i + 1 < argc) return usageError("");
  line.input = argv[i];
  line.action = CommandLine::Action::Run;
  return line;
}

}  // namespace colsec
