#pragma once
// Helpers of the picture tool's tests: running the built colsec-plot, and
// counting marked-up items on a page.

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace colsec::test {

// colsec-plot is built into the root of the build folder, beside colsec.
inline std::filesystem::path plotBinary() {
  return std::filesystem::path(COLSEC_BINARY).parent_path() / "colsec-plot";
}

// Runs `program` with the arguments in folder `cwd`, capturing both
// output streams.
inline RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                            const std::filesystem::path& cwd) {
  static std::atomic<int> counter{0};
  const std::filesystem::path capture =
      std::filesystem::temp_directory_path() /
      ("colsec-plot-run-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(capture);
  const std::string outPath = (capture / "stdout").string();
  const std::string errPath = (capture / "stderr").string();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr)) ::_exit(127);
    std::string binary = program.string();
    std::vector<std::string> copies(args);
    std::vector<char*> argv;
    argv.push_back(binary.data());
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execvp(binary.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  RunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  std::filesystem::remove_all(capture);
  return result;
}

inline RunResult runPlot(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  return runProgram(plotBinary(), args, cwd);
}

// Non-overlapping occurrences of `needle` in `text`.
inline std::size_t countOf(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

}  // namespace colsec::test
