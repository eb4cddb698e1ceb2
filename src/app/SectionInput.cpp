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

std::string readInputText(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw InputError("cannot open input file '" + path + "': it is a directory");
  }
  DataFile inputStream;
  if (!inputStream.openStream(path, false)) {
    throw InputError("cannot open input file '" + path + "': " + reason());
  }
  std::ostringstream text;
  text << inputStream.in().rdbuf();
  if (inputStream.in().bad()) throw InputError("cannot read input file '" + path + "': " + reason());
  inputStream.closeStream();
  return text.str();
}

InputRecordLines readSectionText(const std::string& text, const std::string& path, SectionModel& model,
                                 std::ostream& diagnostics) {
  std::istringstream input(text);
  const InputRecordLines lines = readInput(input, model, path, diagnostics);
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
