#include "app/OutputFile.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/InterruptCleanup.h"

namespace colsec {

namespace {

std::string reason() { return std::strerror(errno); }

// "<final>.XXXXXX.tmp" with six letters or digits that differ from run to
// run and from call to call; the exclusive creation decides uniqueness.
std::string temporaryName(const std::string& finalPath) {
  static std::atomic<std::uint64_t> calls{0};
  std::uint64_t x = (static_cast<std::uint64_t>(::getpid()) << 32) ^
                    static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                    (calls++ * 0x9e3779b97f4a7c15u);
  // splitmix64: neighbouring seeds give unrelated names.
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9u;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebu;
  x ^= x >> 31;
  constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  char unique[8] = {'.'};
  for (int i = 1; i <= 6; ++i, x /= 62) unique[i] = kDigits[x % 62];
  unique[7] = '.';
  std::string name = finalPath;
  name.append(unique, sizeof unique).append("tmp");
  return name;
}

// The interrupt signals wait while held, so that a temporary file never
// exists unregistered. Files are created while no other thread runs.
class InterruptsHeld {
 public:
  InterruptsHeld() {
    sigset_t interrupts;
    sigemptyset(&interrupts);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&interrupts, signalNumber);
    pthread_sigmask(SIG_BLOCK, &interrupts, &previous_);
  }
  ~InterruptsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;

 private:
  sigset_t previous_;
};

// Flushes a descriptor to the disk. Where the file system has no such
// flush (EINVAL), there is nothing more to be done.
bool flushToDisk(int descriptor) { return ::fsync(descriptor) == 0 || errno == EINVAL || errno == ENOTSUP; }

}  // namespace

void OutputFile::setFinalPath(std::string finalPath) { finalPath_ = std::move(finalPath); }

void OutputFile::create(int slot) {
  std::error_code error;
  if (std::filesystem::is_directory(finalPath_, error)) {
    throw OutputError("cannot create output file '" + finalPath_ + "': a directory of that name exists");
  }
  {
    const InterruptsHeld held;
    for (int attempt = 0;; ++attempt) {
      temporaryPath_ = temporaryName(finalPath_);
      // Mode 0666 less the umask, as for any file the run creates.
      descriptor_ = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor_ >= 0) break;
      if (errno != EEXIST || attempt == 100) {
        throw OutputError("cannot create output file '" + finalPath_ + "': " + reason());
      }
    }
    registerTemporaryFile(slot, temporaryPath_.c_str());
    created_ = true;
    slot_ = slot;
  }
  if (!file_.openStream(temporaryPath_, true)) {
    const std::string why = reason();
    discard();
    throw OutputError("cannot create output file '" + finalPath_ + "': " + why);
  }
}

void OutputFile::close() {
  if (!file_.closeStream()) throw OutputError("cannot write output file '" + finalPath_ + "': " + reason());
  // The disk starts writing now, so that the files of one run are written
  // side by side and sync() mostly finds them done.
  if (descriptor_ >= 0) (void)::sync_file_range(descriptor_, 0, 0, SYNC_FILE_RANGE_WRITE);
}

void OutputFile::sync() {
  if (descriptor_ < 0) return;
  bool flushed = flushToDisk(descriptor_);
  int error = errno;
  if (::close(descriptor_) != 0 && flushed) {
    flushed = false;
    error = errno;
  }
  descriptor_ = -1;
  if (!flushed) throw OutputError("cannot write output file '" + finalPath_ + "': " + std::strerror(error));
}

void OutputFile::commit(bool flushFolder) {
  sync();
  if (std::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
    throw OutputError("cannot write output file '" + finalPath_ + "': " + reason());
  }
  withdrawTemporaryFile(slot_);
  created_ = false;
  if (flushFolder) flushFolderOf(finalPath_);
}

void OutputFile::flushFolderOf(const std::string& path) {
  // A rename lasts only once the folder is on the disk too.
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::filesystem::path folder = parent.empty() ? std::filesystem::path(".") : parent;
  // A folder that may be written but not read (mode -wx) cannot be opened
  // for the flush: its files are complete, they only wait for the system's
  // own flush, as before.
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  const bool flushed = flushToDisk(descriptor);
  const std::string why = reason();
  ::close(descriptor);
  if (!flushed) throw OutputError("cannot write output file '" + path + "': " + why);
}

void OutputFile::discard() {
  if (file_.isOpen()) file_.closeStream();
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
  if (!created_) return;
  withdrawTemporaryFile(slot_);
  std::error_code error;
  std::filesystem::remove(temporaryPath_, error);
  created_ = false;
}

void writeFileAtomically(const std::string& path, const std::string& text, int slot) {
  OutputFile file;
  file.setFinalPath(path);
  file.create(slot);
  file.out() << text;
  file.close();
  file.commit();
}

}  // namespace colsec
