#pragma once
// Shared helpers of the test suite: temporary folders, files, and running
// the real binaries into files or on a pseudo-terminal.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
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

inline std::filesystem::path uniquePath(const char* prefix) {
  static std::atomic<int> counter{0};
  return std::filesystem::temp_directory_path() /
         (prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

// A fresh folder below the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() : path_(uniquePath("colsec-test-")) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
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
  std::string out;  // standard output (the terminal's bytes on a terminal)
  std::string err;  // standard error
};

// Runs `program` with the arguments in folder `cwd`, standard error into a
// file. Standard output goes into a file too, or with `columns` > 0 onto a
// pseudo-terminal of that width in raw mode (no "\n" -> "\r\n").
inline RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                            const std::filesystem::path& cwd, int columns = 0) {
  const std::filesystem::path capture = uniquePath("colsec-run-");
  std::filesystem::create_directories(capture);
  const std::string outPath = (capture / "stdout").string(), errPath = (capture / "stderr").string();
  int master = -1;
  std::string slaveName;
  if (columns > 0) {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) throw std::runtime_error("no terminal");
    slaveName = ::ptsname(master);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    if (columns > 0) ::setsid();  // the terminal becomes the child's own
    const int out = columns > 0 ? ::open(slaveName.c_str(), O_RDWR) : ::open(outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::chdir(cwd.c_str()) != 0) ::_exit(127);
    if (columns > 0) {
      termios mode{};
      ::tcgetattr(out, &mode);
      ::cfmakeraw(&mode);
      ::tcsetattr(out, TCSANOW, &mode);
      winsize size{};
      size.ws_col = static_cast<unsigned short>(columns);
      size.ws_row = 24;
      ::ioctl(out, TIOCSWINSZ, &size);
      ::dup2(out, STDIN_FILENO);
    }
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    std::vector<std::string> copies(args);
    std::string binary = program.string();
    std::vector<char*> argv{binary.data()};
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execvp(binary.c_str(), argv.data());  // a bare name is looked up on PATH
    ::_exit(127);
  }
  RunResult result;
  if (columns > 0) {  // read until the child has closed the terminal (EIO on Linux)
    char buffer[4096];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR);) {
      if (n > 0) result.out.append(buffer, static_cast<std::size_t>(n));
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (columns > 0) ::close(master);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (columns == 0) result.out = readFile(outPath);
  result.err = readFile(errPath);
  std::filesystem::remove_all(capture);
  return result;
}

// Runs the built colsec binary.
inline RunResult runColsec(const std::vector<std::string>& args, const std::filesystem::path& cwd, int columns = 0) {
  return runProgram(COLSEC_BINARY, args, cwd, columns);
}

// The lines of a text; the part after the last line feed is a line of its own.
inline std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text + "\n");
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Where two texts first differ, line by line, for a failure message; control
// bytes shown as escapes.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
  const auto visible = [](const std::string& text) {
    std::ostringstream out;
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < 0x20) {
        out << "\\x" << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
      } else {
        out << c;
      }
    }
    return out.str();
  };
  const std::vector<std::string> want = splitLines(expected), got = splitLines(actual);
  std::ostringstream out;
  out << "expected " << expected.size() << " bytes, got " << actual.size() << "; ";
  const std::size_t common = std::min(want.size(), got.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (want[i] != got[i]) {
      out << "line " << i + 1 << ":\n  expected: \"" << visible(want[i]) << "\"\n  actual:   \"" << visible(got[i]) << "\"";
      return out.str();
    }
  }
  out << (want.size() > got.size() ? "output ends early" : "output goes on") << " after line " << common;
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
