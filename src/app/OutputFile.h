#pragma once
// An output file written under a temporary name ("<final>.tmp") in the
// folder of its final name and moved there only when complete. Until then
// the temporary file is registered with the interrupt clean-up, and one
// that is never moved is removed, so a failed or interrupted run leaves
// earlier files as they were and nothing half-written behind.

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

  // Creates (empties) the temporary file and registers it under the
  // interrupt clean-up's `slot`. Throws OutputError, also when a folder
  // holds the final name.
  void create(int slot);
  std::ostream& out() { return file_.out(); }
  // Flushes and closes the temporary file; throws OutputError when a write
  // or the close failed.
  void close();
  // Moves the closed temporary file to the final name; throws OutputError.
  void commit();
  // Closes and removes the temporary file unless it was committed.
  void discard();

 private:
  std::string finalPath_;
  std::string temporaryPath_;  // registered by pointer while created_
  DataFile file_;
  int slot_ = -1;
  bool created_ = false;  // the temporary file is ours to remove
};

// Writes `text` to `path` through an OutputFile in `slot`.
void writeFileAtomically(const std::string& path, const std::string& text, int slot);

}  // namespace colsec
