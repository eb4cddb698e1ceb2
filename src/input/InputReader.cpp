#include "input/InputReader.h"

#include <cstdint>
#include <istream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

#include "input/InputError.h"
#include "input/NumberParsing.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::vector<std::string_view> splitTokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

// The values of one record line, taken by position. Every accessor names
// the value it reads so that a message can say what is wrong and where.
class RecordCursor {
 public:
  RecordCursor(const std::vector<std::string_view>& tokens, const std::string& fileName, int lineNumber)
      : tokens_(tokens), fileName_(fileName), lineNumber_(lineNumber), keyword_(tokens[0]) {}

  std::string_view token(const char* name) {
    if (next_ >= tokens_.size()) fail(name, "missing value");
    current_ = tokens_[next_++];
    return current_;
  }

  // The next token, or an empty one at the end of the line.
  std::string_view optionalToken() { return next_ < tokens_.size() ? tokens_[next_++] : std::string_view(); }

  void label(const char* name) { token(name); }

  double number(const char* name) {
    const ParsedDouble parsed = parseDouble(token(name));
    if (parsed.status == ParseStatus::NotANumber) failToken(name, "is not a number");
    if (parsed.status == ParseStatus::OutOfRange) failToken(name, "is out of range");
    return parsed.value;
  }

  double nonNegative(const char* name) {
    const double value = number(name);
    if (value < 0.0) failToken(name, "must not be negative");
    return value;
  }

  double nonZero(const char* name) {
    const double value = number(name);
    if (value == 0.0) failToken(name, "must not be 0");
    return value;
  }

  std::int32_t integer(const char* name) {
    const ParsedInt parsed = parseInt(token(name));
    if (parsed.status == ParseStatus::NotANumber) failToken(name, "is not an integer");
    if (parsed.status == ParseStatus::OutOfRange) failToken(name, "is out of range");
    return parsed.value;
  }

  bool flag(const char* name) {
    const ParsedInt parsed = parseInt(token(name));
    if (parsed.status != ParseStatus::Ok || (parsed.value != 0 && parsed.value != 1)) {
      failToken(name, "is not a flag (0 or 1)");
    }
    return parsed.value == 1;
  }

  // Rejects the value just read.
  [[noreturn]] void failToken(const char* name, const char* reason) const {
    std::string what = "\"";
    what += printableToken(current_);
    what += "\" ";
    what += reason;
    fail(name, what);
  }

 private:
  [[noreturn]] void fail(const char* name, const std::string& what) const {
    throw InputError(fileName_ + ":" + std::to_string(lineNumber_) + ": " + std::string(keyword_) + " " + name +
                     ": " + what);
  }

  const std::vector<std::string_view>& tokens_;
  const std::string& fileName_;
  const int lineNumber_;
  const std::string_view keyword_;
  std::size_t next_ = 1;
  std::string_view current_;
};

class Reader {
 public:
  Reader(SectionModel& model, const std::string& fileName, std::ostream& warnings)
      : model_(model), fileName_(fileName), warnings_(warnings) {}

  void readLine(std::string_view line, int lineNumber) {
    const std::vector<std::string_view> tokens = splitTokens(line);
    if (tokens.empty() || tokens[0].front() == '/') return;
    RecordCursor record(tokens, fileName_, lineNumber);
    if (tokens[0] == "#PROFILE") {
      readProfile(record, lineNumber);
    } else if (tokens[0] == "#MATERIAL") {
      readMaterial(record, lineNumber);
    } else if (tokens[0] == "#FORCEED") {
      readForces(record);
      lines.forcesLine = lineNumber;
    } else if (tokens[0] == "#SETTINGS") {
      readSettings(record);
      lines.settingsLine = lineNumber;
    }
  }

  InputRecordLines lines;

 private:
  void warnIgnored(int lineNumber, const char* what, std::string_view keyword) {
    warnings_ << fileName_ << ":" << lineNumber << ": warning: ";
    if (keyword.empty()) {
      warnings_ << "no " << what;
    } else {
      warnings_ << "unknown " << what << " \"" << printableToken(keyword) << "\"";
    }
    warnings_ << "; the line is ignored\n";
  }

  void readProfile(RecordCursor& record, int lineNumber) {
    const std::string_view shape = record.optionalToken();
    if (shape != "HEB" && shape != "RECT" && shape != "CIRC") {
      warnIgnored(lineNumber, "profile shape", shape);
      return;
    }
    record.label("label before the profile number");
    const std::int32_t number = record.integer("profile number");
    record.label("label before the material number");
    const std::int32_t materialNumber = record.integer("material number");
    if (materialNumber == 0) return;  // a profile switched off in the input
    record.label("label before the shape values");
    if (shape == "HEB") {
      const double H = record.nonNegative("H");
      const double B = record.nonNegative("B");
      const double ts = record.nonNegative("ts");
      const double tg = record.nonNegative("tg");
      const double r = record.nonNegative("r");
      const bool rotated = record.flag("rotated");
      model_.addHebProfile(number, materialNumber, H, B, ts, tg, r, rotated);
    } else if (shape == "RECT") {
      const double H = record.nonNegative("H");
      const double B = record.nonNegative("B");
      const double t = record.nonNegative("t");
      const double r = record.nonNegative("r");
      const bool hollow = record.flag("hollow");
      model_.addRectProfile(number, materialNumber, H, B, t, r, hollow);
    } else {
      const double offsetY = record.number("offsetY");
      const double offsetZ = record.number("offsetZ");
      const double diameter = record.nonNegative("diameter");
      const double t = record.nonNegative("t");
      const bool hollow = record.number("hollow") != 0.0;
      model_.addCircProfile(number, materialNumber, offsetY, offsetZ, diameter, t, hollow);
    }
  }

  void readMaterial(RecordCursor& record, int lineNumber) {
    const std::string_view law = record.optionalToken();
    if (law != "LINEAR" && law != "Steel1993_543" && law != "Steel1992_327b" && law != "CONC1992_3171" &&
        law != "CONC1992_3172") {
      warnIgnored(lineNumber, "material law", law);
      return;
    }
    record.label("label before the material number");
    const std::int32_t number = record.integer("material number");
    record.label("label before the priority");
    const std::int32_t priority = record.integer("priority");
    record.label("label before the law parameters");
    std::unique_ptr<Material> material;
    if (law == "LINEAR") {
      const double E = record.number("E");
      const double fyt = record.number("fyt");
      const double fyc = record.number("fyc");
      const double G = record.number("G");
      const double fys = record.number("fys");
      material = std::make_unique<LinearMaterial>(number, priority, E, fyt, fyc, G, fys);
    } else if (law == "Steel1993_543") {
      const double E = record.number("E");
      const double fyd = record.number("fyd");
      const double G = record.number("G");
      material = std::make_unique<Steel1993_543>(number, priority, E, fyd, G);
    } else if (law == "Steel1992_327b") {
      const double E = record.number("E");
      const double fyd = record.number("fyd");
      material = std::make_unique<Steel1992_327b>(number, priority, E, fyd);
    } else if (law == "CONC1992_3171") {
      const double E = record.number("E");
      const double fcd = record.number("fcd");
      const double fcdRedF = record.number("fcdRedF");
      const double epsC2 = record.nonZero("epsC2");
      const double epsCu2 = record.number("epsCu2");
      const double n = record.number("n");
      material = std::make_unique<Concrete1992_3171>(number, priority, E, fcd, fcdRedF, epsC2, epsCu2, n);
    } else {
      const double E = record.number("E");
      const double fcd = record.number("fcd");
      const double fcdRedF = record.number("fcdRedF");
      const double epsC2 = record.nonZero("epsC2");
      const double epsCu2 = record.number("epsCu2");
      material = std::make_unique<Concrete1992_3172>(number, priority, E, fcd, fcdRedF, epsC2, epsCu2);
    }
    model_.materials.push_back(std::move(material));
  }

  void readForces(RecordCursor& record) {
    record.label("label before the forces");
    SectionForces forces;
    forces.nx = record.number("nx");
    forces.my = record.number("my");
    forces.mz = record.number("mz");
    forces.qy = record.number("qy");
    forces.qz = record.number("qz");
    model_.designForces = forces;
  }

  void readSettings(RecordCursor& record) {
    record.label("label before the settings");
    Settings settings;
    settings.feSize = record.number("feSize");
    if (!(settings.feSize > 0.0)) record.failToken("feSize", "must be greater than 0");
    settings.settingsExtra1 = record.number("settingsExtra1");
    settings.settingsExtra2 = record.number("settingsExtra2");
    settings.angularSubdivisions = record.integer("angularSubdivisions");
    if (settings.angularSubdivisions > kMaxSubdivisions) record.failToken("angularSubdivisions", kTooManyText);
    settings.offsetSubdivisions = record.integer("offsetSubdivisions");
    if (settings.offsetSubdivisions > kMaxSubdivisions) record.failToken("offsetSubdivisions", kTooManyText);
    model_.settings = settings;
  }

  static constexpr std::int32_t kMaxSubdivisions = 100000;
  static constexpr const char* kTooManyText = "must not exceed 100000";

  SectionModel& model_;
  const std::string& fileName_;
  std::ostream& warnings_;
};

}  // namespace

InputRecordLines readInput(std::istream& input, SectionModel& model, const std::string& fileName,
                           std::ostream& warnings) {
  const std::string content{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
  std::string_view text(content);
  // A byte-order mark from a Windows editor would hide the first record.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  Reader reader(model, fileName, warnings);
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    reader.readLine(text.substr(start, end - start), ++lineNumber);
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return reader.lines;
}

}  // namespace colsec
