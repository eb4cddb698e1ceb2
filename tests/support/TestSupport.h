#pragma once
// Shared helpers of the test suite: temporary folders, files, and running
// the real binary.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace colsec::test {

// The suffixes of the four result files, in the order a run creates them.
inline constexpr const char* kResultSuffixes[] = {".cclog", "_Interaction.res", "_Section.res", "_Validation.res"};

// A fresh folder below the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("colsec-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 error);
    std::filesystem::remove_all(path_, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

struct RunResult {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `program` (a path, or a name looked up on PATH) with the arguments
// in folder `cwd`, capturing both output streams. `inChild`, if given, runs
// in the child before the program starts (to drop privileges, say); the
// child gives up when it returns false.
inline RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                            const std::filesystem::path& cwd, bool (*inChild)(const void*) = nullptr,
                            const void* context = nullptr) {
  static std::atomic<int> counter{0};
  const std::filesystem::path capture =
      std::filesystem::temp_directory_path() /
      ("colsec-run-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(capture);
  const std::string outPath = (capture / "stdout").string();
  const std::string errPath = (capture / "stderr").string();

  const pid_t child = ::fork();
  if (child == 0) {
    if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr)) ::_exit(127);
    if (inChild != nullptr && !inChild(context)) ::_exit(127);
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv;
    std::string binary = program.string();
    argv.push_back(binary.data());
    std::vector<std::string> copies(args);
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execvp(binary.c_str(), argv.data());  // a bare name is looked up on PATH
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

// Runs the built colsec binary.
inline RunResult runColsec(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  return runProgram(COLSEC_BINARY, args, cwd);
}

// Makes tabs, carriage returns and other control bytes visible.
inline std::string visible(const std::string& text) {
  static const char* const kHex = "0123456789abcdef";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out += c;
    }
  }
  return out;
}

// The lines of a text; the part after the last line feed is a line of its own.
inline std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (true) {
    const std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// Where two texts first differ, line by line, for a failure message.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> want = splitLines(expected);
  const std::vector<std::string> got = splitLines(actual);
  std::ostringstream out;
  out << "expected " << expected.size() << " bytes in " << want.size() << " pieces, got " << actual.size()
      << " bytes in " << got.size() << " pieces\n";
  const std::size_t common = std::min(want.size(), got.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (want[i] != got[i]) {
      out << "first difference in line " << i + 1 << ":\n  expected: \"" << visible(want[i]) << "\"\n  actual:   \""
          << visible(got[i]) << "\"";
      return out.str();
    }
  }
  if (want.size() > got.size()) {
    out << "output ends early; next expected line " << common + 1 << ": \"" << visible(want[common]) << "\"";
  } else if (want.size() < got.size()) {
    out << "output goes on; extra line " << common + 1 << ": \"" << visible(got[common]) << "\"";
  }
  return out.str();
}

// Temporary result files a run left in `folder`.
inline int countTemporaryFiles(const std::filesystem::path& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) count += entry.path().extension() == ".tmp";
  return count;
}

// Path of a file below the source tree.
inline std::filesystem::path sourcePath(const std::string& relative) {
  return std::filesystem::path(COLSEC_SOURCE_DIR) / relative;
}

}  // namespace colsec::test
