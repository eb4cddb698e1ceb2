#pragma once
// Thin shell over one file stream. Readers and writers work on the
// std::istream / std::ostream it exposes.

#include <fstream>
#include <string>

namespace colsec {

class DataFile {
 public:
  DataFile() = default;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // truncate false: open an existing file for reading only;
  // truncate true: create or empty the file for writing. False on failure.
  bool openStream(const std::string& path, bool truncate);
  // Flushes and closes; false when a write or the close failed.
  bool closeStream();

  std::istream& in() { return file_; }
  std::ostream& out() { return file_; }
  bool isOpen() const { return file_.is_open(); }

 private:
  std::fstream file_;
};

}  // namespace colsec
