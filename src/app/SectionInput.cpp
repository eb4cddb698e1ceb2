#include "app/SectionInput.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ios>
#include <sstream>
#include <system_error>

#include "app/DataFile.h"
#include "input/InputChecks.h"
#include "input/InputError.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

std::string reason() { return std::strerror(errno); }

}  // namespace

InputRecordLines readSectionInput(const std::string& path, SectionModel& model, std::ostream& diagnostics) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw InputError("cannot open input file '" + path + "': it is a directory");
  }
  DataFile inputStream;
  if (!inputStream.openStream(path, false)) {
    throw InputError("cannot open input file '" + path + "': " + reason());
  }
  InputRecordLines lines;
  try {
    lines = readInput(inputStream.in(), model, path, diagnostics);
  } catch (const std::ios_base::failure&) {
    throw InputError("cannot read input file '" + path + "': " + reason());
  }
  if (inputStream.in().bad()) throw InputError("cannot read input file '" + path + "': " + reason());
  inputStream.closeStream();
  model.pruneMaterials();
  checkInput(model, lines, path, diagnostics);
  return lines;
}

std::string readTextFile(const std::string& path, const char* what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("cannot open " + std::string(what) + " '" + path + "': " + reason());
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw InputError("cannot read " + std::string(what) + " '" + path + "': " + reason());
  return text.str();
}

}  // namespace colsec
