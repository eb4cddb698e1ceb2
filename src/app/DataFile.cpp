#include "app/DataFile.h"

namespace colsec {

bool DataFile::openStream(const std::string& path, bool truncate) {
  // Binary mode: line ends are read and written exactly as they are.
  const auto mode = truncate ? std::ios::out | std::ios::trunc | std::ios::binary : std::ios::in | std::ios::binary;
  file_.open(path, mode);
  return file_.is_open();
}

bool DataFile::closeStream() {
  if (!file_.is_open()) return false;
  file_.flush();
  const bool written = !file_.fail();
  file_.close();
  return written && !file_.fail();
}

}  // namespace colsec
