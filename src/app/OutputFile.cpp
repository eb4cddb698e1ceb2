#include "app/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "app/InterruptCleanup.h"

namespace colsec {

namespace {

std::string reason() { return std::strerror(errno); }

}  // namespace

void OutputFile::setFinalPath(std::string finalPath) {
  finalPath_ = std::move(finalPath);
  temporaryPath_ = finalPath_ + ".tmp";
}

void OutputFile::create(int slot) {
  std::error_code error;
  if (std::filesystem::is_directory(finalPath_, error)) {
    throw OutputError("cannot create output file '" + finalPath_ + "': a directory of that name exists");
  }
  // Registered before the file exists: an interruption between creating
  // and registering it would leave it behind. Removing a path that does
  // not exist yet is harmless.
  registerTemporaryFile(slot, temporaryPath_.c_str());
  if (!file_.openStream(temporaryPath_, true)) {
    const std::string why = reason();
    withdrawTemporaryFile(slot);
    throw OutputError("cannot create output file '" + finalPath_ + "': " + why);
  }
  created_ = true;
  slot_ = slot;
}

void OutputFile::close() {
  if (!file_.closeStream()) throw OutputError("cannot write output file '" + finalPath_ + "': " + reason());
}

void OutputFile::commit() {
  std::error_code error;
  std::filesystem::rename(temporaryPath_, finalPath_, error);
  if (error) throw OutputError("cannot write output file '" + finalPath_ + "': " + error.message());
  withdrawTemporaryFile(slot_);
  created_ = false;
}

void OutputFile::discard() {
  if (file_.isOpen()) file_.closeStream();
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
