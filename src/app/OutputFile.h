#pragma once
// An output file written under a temporary name of its own
// ("<final>.XXXXXX.tmp", the Xs unique) in the folder of its final name,
// flushed to the disk and only then renamed to the final name, and the
// folder flushed after the rename. Runs of the same input at the same time
// so never share a temporary file, and after a crash or power cut a final
// name holds either the earlier file or the complete new one. Until it is
// renamed the temporary file is registered with the interrupt clean-up,
// and one that is never renamed is removed, so a failed or interrupted run
// leaves earlier files as they were and nothing half-written behind.

#include <iosfwd>
#include <stdexcept>
#include <string>

#include "app/DataFile.h"

namespace colsec {

// An output file that could not be created, written or closed.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { discard(); }

  void setFinalPath(std::string finalPath);
  const std::string& finalPath() const { return finalPath_; }

  // Creates a new temporary file under a name no other file has and
  // registers it under the interrupt clean-up's `slot`. Throws
  // OutputError, also when a folder holds the final name.
  void create(int slot);
  std::ostream& out() { return file_.out(); }
  // Flushes and closes the temporary file and starts writing it to the
  // disk; throws OutputError when a write or the close failed.
  void close();
  // Waits until the closed temporary file is on the disk; throws
  // OutputError when that failed. commit() does it too.
  void sync();
  // Moves the closed temporary file, once on the disk, to the final name
  // and, unless the caller does it once for several files, flushes the
  // folder; throws OutputError.
  void commit(bool flushFolder = true);
  // Flushes the folder of `path` to the disk, so that the renames in it
  // last; throws OutputError.
  static void flushFolderOf(const std::string& path);
  // Closes and removes the temporary file unless it was committed.
  void discard();

 private:
  std::string finalPath_;
  std::string temporaryPath_;  // registered by pointer while created_
  DataFile file_;
  int descriptor_ = -1;  // of the temporary file while it is open, for the flush
  int slot_ = -1;
  bool created_ = false;  // the temporary file is ours to remove
};

// Writes `text` to `path` through an OutputFile in `slot`.
void writeFileAtomically(const std::string& path, const std::string& text, int slot);

}  // namespace colsec
