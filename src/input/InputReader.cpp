#include "input/InputReader.h"

#include <cstdint>
#include <istream>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/InputError.h"
#include "input/NumberParsing.h"
#include "input/Suggestions.h"
#include "materials/MaterialLaws.h"
#include "model/SectionModel.h"
#include "profiles/ProfileShapes.h"

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
  [[noreturn]] void failToken(const char* name, const std::string& reason) const {
    failToken(name, current_, reason);
  }

  // Rejects a value read earlier on the line.
  [[noreturn]] void failToken(const char* name, std::string_view token, const std::string& reason) const {
    std::string what = "\"";
    what += printableToken(token);
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

// "a, b and c" for a message.
template <typename Range, typename Name>
std::string listOf(const Range& items, Name name) {
  std::string text;
  for (const auto& item : items) {
    if (!text.empty()) text += ", ";
    text += name(item);
  }
  return text;
}

bool isNumberToken(std::string_view token) { return parseDouble(token).status != ParseStatus::NotANumber; }

// Positions of the labels of each record kind (the keyword is position 0).
constexpr std::size_t kHeadLabels[] = {2, 4, 6};  // "#MATERIAL" and "#PROFILE"
constexpr std::size_t kHeadLength = 7;
constexpr std::size_t kSingleLabel[] = {1};  // "#FORCEED", "#SETTINGS", "#MOMENTSFROMAXIALFORCE"

class Reader {
 public:
  Reader(SectionModel& model, const std::string& fileName, std::ostream& warnings,
         const std::vector<std::string_view>& lines)
      : model_(model), fileName_(fileName), warnings_(warnings), lines_(lines) {}

  void readLine(std::size_t index) {
    const int lineNumber = static_cast<int>(index + 1);
    const std::vector<std::string_view> tokens = splitTokens(lines_[index]);
    if (tokens.empty() || tokens[0].front() == '/') return;
    RecordCursor record(tokens, fileName_, lineNumber);
    if (tokens[0] == "#PROFILE") {
      readProfile(record, tokens, index);
    } else if (tokens[0] == "#MATERIAL") {
      readMaterial(record, tokens, lineNumber);
    } else if (tokens[0] == "#FORCEED") {
      checkLabelsPresent(tokens, kSingleLabel, 7, lineNumber, "#FORCEED <label> nx my mz qy qz");
      readForces(record);
      lines.forcesLine = lineNumber;
    } else if (tokens[0] == "#MOMENTSFROMAXIALFORCE") {
      // EN 1994-1-1 6.7.3.6 (2): μd may exceed 1.0 only where the bending
      // moment results directly from the axial force.
      checkLabelsPresent(tokens, kSingleLabel, 3, lineNumber, "#MOMENTSFROMAXIALFORCE <label> flag");
      record.label("label before the flag");
      model_.momentsFromAxialForce = record.flag("flag");
    } else if (tokens[0] == "#MEMBER") {
      readMember(record);
    } else if (tokens[0] == "#SETTINGS") {
      checkLabelsPresent(tokens, kSingleLabel, 7, lineNumber,
                         "#SETTINGS <label> feSize settingsExtra1 settingsExtra2 angularSubdivisions "
                         "offsetSubdivisions");
      readSettings(record);
      lines.settingsLine = lineNumber;
    } else {
      // A record with a typing error would otherwise vanish without a word,
      // and the section would be analysed without it.
      const std::string meant = nearRecordKeyword(tokens[0]);
      if (!meant.empty()) {
        failLine(lineNumber, "unknown record \"" + printableToken(tokens[0]) + "\"; did you mean " + meant + "?");
      }
    }
  }

  InputRecordLines lines;

 private:
  [[noreturn]] void failLine(int lineNumber, const std::string& what) const {
    throw InputError(fileName_ + ":" + std::to_string(lineNumber) + ": " + what);
  }

  // A record written without its labels takes the values as labels and
  // reports a value as missing; say what really is wrong. The line is short
  // by exactly the number of labels, and numbers stand where labels belong.
  template <std::size_t N>
  void checkLabelsPresent(const std::vector<std::string_view>& tokens, const std::size_t (&labels)[N],
                          std::size_t fullLength, int lineNumber, const std::string& layout) const {
    if (tokens.size() + N != fullLength) return;
    for (const std::size_t position : labels) {
      if (position < tokens.size() && !isNumberToken(tokens[position])) return;
    }
    failLine(lineNumber, std::string(tokens[0]) + ": the labels are missing (numbers stand where labels belong); " +
                             "the record reads: " + layout);
  }

  static std::string layoutOf(const char* keyword, const char* kind, const char* numberName,
                              const char* secondName, std::span<const ValueField> values) {
    std::string layout = std::string(keyword) + " " + kind + " <label> " + numberName + " <label> " + secondName +
                         " <label>";
    for (const ValueField& value : values) layout += std::string(" ") + value.name;
    return layout;
  }

  std::vector<double> readValues(RecordCursor& record, std::span<const ValueField> fields) {
    std::vector<double> values;
    values.reserve(fields.size());
    for (const ValueField& field : fields) {
      switch (field.check) {
        case ValueCheck::Number: values.push_back(record.number(field.name)); break;
        case ValueCheck::NonNegative: values.push_back(record.nonNegative(field.name)); break;
        case ValueCheck::NonZero: values.push_back(record.nonZero(field.name)); break;
        case ValueCheck::Flag: values.push_back(record.flag(field.name) ? 1.0 : 0.0); break;
      }
    }
    return values;
  }

  // Material 0 switches a profile off, whatever else the line holds.
  static bool switchedOff(const std::vector<std::string_view>& tokens) {
    if (tokens.size() <= 5) return false;
    const ParsedInt materialNumber = parseInt(tokens[5]);
    return materialNumber.status == ParseStatus::Ok && materialNumber.value == 0;
  }

  // The line of the first "#MATERIAL" record after `index` with this
  // number, 0 when there is none.
  int laterMaterialLine(std::size_t index, std::int32_t number) const {
    for (std::size_t i = index + 1; i < lines_.size(); ++i) {
      const std::vector<std::string_view> tokens = splitTokens(lines_[i]);
      if (tokens.size() < 4 || tokens[0] != "#MATERIAL") continue;
      const ParsedInt parsed = parseInt(tokens[3]);
      if (parsed.status == ParseStatus::Ok && parsed.value == number) return static_cast<int>(i + 1);
    }
    return 0;
  }

  void readProfile(RecordCursor& record, const std::vector<std::string_view>& tokens, std::size_t index) {
    const int lineNumber = static_cast<int>(index + 1);
    const std::string_view keyword = record.token("shape");
    const ProfileShape* shape = findProfileShape(keyword);
    if (shape == nullptr) {
      if (switchedOff(tokens)) return;
      const auto shapes = profileShapes();
      std::vector<const char*> names;
      for (const ProfileShape& known : shapes) names.push_back(known.keyword);
      record.failToken("shape", ("is not a known shape; known shapes: " +
                                 listOf(names, [](const char* name) { return std::string(name); }) +
                                 "; did you mean " + nearestWord(keyword, names) + "?"));
    }
    checkLabelsPresent(tokens, kHeadLabels, kHeadLength + shape->values.size(), lineNumber,
                       layoutOf("#PROFILE", shape->keyword, "number", "material", shape->values));
    record.label("label before the profile number");
    const std::int32_t number = record.integer("profile number");
    record.label("label before the material number");
    const std::int32_t materialNumber = record.integer("material number");
    if (materialNumber == 0) return;  // a profile switched off in the input
    record.label("label before the shape values");
    const std::vector<double> values = readValues(record, shape->values);
    // Resolved once the line itself is well formed.
    if (!materialDefinedAt_.contains(materialNumber)) {
      // The profile would own no area: a part of the section gone in silence.
      std::string what = "names no material defined before this line";
      const int later = laterMaterialLine(index, materialNumber);
      if (later != 0) {
        what += "; material " + std::to_string(materialNumber) + " is defined on line " + std::to_string(later) +
                ", move it before the profile";
      }
      record.failToken("material number", tokens[5], what);
    }
    model_.addProfile(shape->create(number, materialNumber, values));
  }

  void readMaterial(RecordCursor& record, const std::vector<std::string_view>& tokens, int lineNumber) {
    const std::string_view keyword = record.token("law");
    const MaterialLaw* law = findMaterialLaw(keyword);
    if (law == nullptr) {
      std::vector<const char*> names;
      for (const MaterialLaw& known : materialLaws()) names.push_back(known.keyword);
      record.failToken("law", ("is not a known law; known laws: " +
                               listOf(names, [](const char* name) { return std::string(name); }) +
                               "; did you mean " + nearestWord(keyword, names) + "?"));
    }
    checkLabelsPresent(tokens, kHeadLabels, kHeadLength + law->parameters.size(), lineNumber,
                       layoutOf("#MATERIAL", law->keyword, "number", "priority", law->parameters));
    record.label("label before the material number");
    const std::int32_t number = record.integer("material number");
    record.label("label before the priority");
    const std::int32_t priority = record.integer("priority");
    record.label("label before the law parameters");
    const std::vector<double> values = readValues(record, law->parameters);
    model_.materials.push_back(law->create(number, priority, values));
    const auto [first, isNew] = materialDefinedAt_.try_emplace(number, lineNumber);
    if (!isNew) {
      warnings_ << fileName_ << ":" << lineNumber << ": warning: material " << number
                << " is already defined on line " << first->second << "; profiles use the one on line "
                << first->second << " and this one is unused\n";
    }
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

  // "#MEMBER LEN L LCR Lcr,y Lcr,z RATIO r_y r_z" and, in any order, the
  // optional "GAMMA γa γc γs", "CREEP φt NG,Ed/NEd" and "CURVES y z". An
  // unknown word after the values is an error, not ignored text: a
  // misspelt GAMMA would otherwise leave the default partial factors. A
  // word starting with "/" begins a comment.
  void readMember(RecordCursor& record) {
    static constexpr const char* kLayout =
        "the record reads: #MEMBER LEN <L> LCR <Lcr,y> <Lcr,z> RATIO <r_y> <r_z> [GAMMA <γa> <γc> <γs>] "
        "[CREEP <φt> <NG,Ed/NEd>] [CURVES <y> <z>]";
    const auto expectLabel = [&record](const char* name, std::string_view wanted) {
      const std::string_view token = record.token(name);
      if (token != wanted) record.failToken(name, std::string("is not ") + std::string(wanted) + "; " + kLayout);
    };
    const auto positive = [&record](const char* name) {
      const double value = record.number(name);
      if (!(value > 0.0)) record.failToken(name, "must be a length greater than 0");
      return value;
    };
    const auto factor = [&record](const char* name) {
      const double value = record.number(name);
      if (!(value > 0.0)) record.failToken(name, "must be a partial factor greater than 0");
      return value;
    };
    const auto ratio = [&record](const char* name) {
      const double value = record.number(name);
      if (!(value >= -1.0 && value <= 1.0)) record.failToken(name, "must lie between -1 and 1 (Table 6.4)");
      return value;
    };
    const auto curve = [&record](const char* name) {
      const std::string_view token = record.token(name);
      if (token.size() != 1 || token[0] < 'a' || token[0] > 'd') {
        record.failToken(name, "is not a buckling curve (a, b, c or d)");
      }
      return token[0];
    };
    MemberInput member;
    member.present = true;
    expectLabel("label LEN", "LEN");
    member.length = positive("L");
    expectLabel("label LCR", "LCR");
    member.lcrY = positive("Lcr,y");
    member.lcrZ = positive("Lcr,z");
    expectLabel("label RATIO", "RATIO");
    member.ratioY = ratio("r_y");
    member.ratioZ = ratio("r_z");
    bool gamma = false;
    bool creep = false;
    bool curves = false;
    for (std::string_view label = record.optionalToken(); !label.empty(); label = record.optionalToken()) {
      if (label.front() == '/') break;  // a comment to the end of the line
      const auto once = [&record, label](bool& seen) {
        if (seen) record.failToken("label", label, "is given twice");
        seen = true;
      };
      if (label == "GAMMA") {
        once(gamma);
        member.gammaA = factor("γa");
        member.gammaC = factor("γc");
        member.gammaS = factor("γs");
      } else if (label == "CREEP") {
        once(creep);
        member.creep = true;
        member.phiT = record.nonNegative("φt");
        member.permanentRatio = record.number("NG,Ed/NEd");
        if (!(member.permanentRatio >= 0.0 && member.permanentRatio <= 1.0)) {
          record.failToken("NG,Ed/NEd", "must lie between 0 and 1");
        }
      } else if (label == "CURVES") {
        once(curves);
        member.curveY = curve("curve y");
        member.curveZ = curve("curve z");
      } else {
        record.failToken("label", label, std::string("is not GAMMA, CREEP or CURVES; ") + kLayout);
      }
    }
    model_.memberInput = member;
  }

  static constexpr std::int32_t kMaxSubdivisions = 100000;
  static constexpr const char* kTooManyText = "must not exceed 100000";

  SectionModel& model_;
  const std::string& fileName_;
  std::ostream& warnings_;
  // The lines of the whole input, owned by readInput.
  const std::vector<std::string_view>& lines_;
  // Material number -> line of its first definition; profiles use that one.
  std::map<std::int32_t, int> materialDefinedAt_;
};

}  // namespace

InputRecordLines readInput(std::istream& input, SectionModel& model, const std::string& fileName,
                           std::ostream& warnings) {
  const std::string content{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
  std::string_view text(content);
  // A byte-order mark from a Windows editor would hide the first record.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  Reader reader(model, fileName, warnings, lines);
  for (std::size_t i = 0; i < lines.size(); ++i) reader.readLine(i);
  return reader.lines;
}

}  // namespace colsec
