#include "plot/ResultFiles.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <istream>
#include <limits>
#include <system_error>

namespace colsec::plot {

namespace {

// The lines of a text file without their line ends (LF, or CRLF).
std::vector<std::string> readLines(std::istream& in, const std::string& fileName) {
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (in.bad()) throw ResultFileError(locatedMessage(fileName, 0, "read error"));
  return lines;
}

std::vector<std::string_view> splitTokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

// Printable form of a piece of a line for a message: tabs as "\t",
// control bytes as "?", long text shortened.
std::string shown(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, 80)) {
    if (c == '\t') {
      out += "\\t";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      out += '?';
    } else {
      out += c;
    }
  }
  if (text.size() > 80) out += "...";
  return out;
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out += shown(text);
  out += '"';
  return out;
}

double numberOrThrow(std::string_view token, const std::string& what, const std::string& fileName, int line) {
  const std::optional<double> value = parseResultNumber(token);
  if (!value) {
    throw ResultFileError(locatedMessage(fileName, line, what + ": " + quoted(token) + " is not a number"));
  }
  return *value;
}

}  // namespace

std::string locatedMessage(const std::string& fileName, int line, const std::string& text) {
  if (line <= 0) return fileName + ": " + text;
  return fileName + ":" + std::to_string(line) + ": " + text;
}

std::optional<double> parseResultNumber(std::string_view token) {
  if (token.empty()) return std::nullopt;
  // from_chars takes no leading plus and no blanks; the writer prints neither.
  double value = 0.0;
  const char* first = token.data();
  const char* last = token.data() + token.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

// ---------------------------------------------------------------- elements

std::vector<ElementRecord> readSectionResults(std::istream& in, const std::string& fileName) {
  const std::vector<std::string> lines = readLines(in, fileName);
  if (lines.empty()) {
    throw ResultFileError(locatedMessage(fileName, 1, "the file is empty; a complete run starts it with \"//Elements\""));
  }
  if (lines[0] != "//Elements") {
    throw ResultFileError(locatedMessage(fileName, 1, "expected \"//Elements\", found " + quoted(lines[0])));
  }
  static constexpr std::string_view kLabels[] = {"#ELEMENT", "PROF:", "POS:", "DIM:", "EPSx:", "sigX/tauY/Z:"};
  static constexpr int kLabelAt[] = {0, 1, 3, 6, 9, 11};
  std::vector<ElementRecord> records;
  records.reserve(lines.size() - 1);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i + 1);
    const std::vector<std::string_view> tokens = splitTokens(lines[i]);
    const std::string expected =
        "expected \"#ELEMENT PROF: p POS: y z DIM: dy dz EPSx: e sigX/tauY/Z: s ty tz\", found " + quoted(lines[i]);
    if (tokens.size() != 15) throw ResultFileError(locatedMessage(fileName, lineNumber, expected));
    for (int k = 0; k < 6; ++k) {
      if (tokens[kLabelAt[k]] != kLabels[k]) throw ResultFileError(locatedMessage(fileName, lineNumber, expected));
    }
    ElementRecord record;
    record.line = lineNumber;
    std::int32_t profile = 0;
    const std::string_view p = tokens[2];
    const auto [end, error] = std::from_chars(p.data(), p.data() + p.size(), profile);
    if (error != std::errc() || end != p.data() + p.size()) {
      throw ResultFileError(
          locatedMessage(fileName, lineNumber, "profile number " + quoted(p) + " is not a whole number"));
    }
    record.profileNumber = profile;
    record.posY = numberOrThrow(tokens[4], "position y", fileName, lineNumber);
    record.posZ = numberOrThrow(tokens[5], "position z", fileName, lineNumber);
    record.dimY = numberOrThrow(tokens[7], "width dy", fileName, lineNumber);
    record.dimZ = numberOrThrow(tokens[8], "width dz", fileName, lineNumber);
    record.epsX = numberOrThrow(tokens[10], "strain", fileName, lineNumber);
    record.sigX = numberOrThrow(tokens[12], "sigX", fileName, lineNumber);
    record.tauY = numberOrThrow(tokens[13], "tauY", fileName, lineNumber);
    record.tauZ = numberOrThrow(tokens[14], "tauZ", fileName, lineNumber);
    if (!std::isfinite(record.posY) || !std::isfinite(record.posZ)) {
      throw ResultFileError(locatedMessage(fileName, lineNumber, "the element position must be finite"));
    }
    if (!(record.dimY > 0.0) || !(record.dimZ > 0.0) || !std::isfinite(record.dimY) ||
        !std::isfinite(record.dimZ)) {
      throw ResultFileError(locatedMessage(fileName, lineNumber, "the element widths must be finite and positive"));
    }
    records.push_back(record);
  }
  return records;
}

// ------------------------------------------------------------------ curves

InteractionResults readInteractionResults(std::istream& in, const std::string& fileName) {
  const std::vector<std::string> lines = readLines(in, fileName);
  static constexpr std::string_view kNames[] = {"NMy", "NMz", "MyMzN0", "MyMz"};
  InteractionResults results;
  InteractionCurve* curves[] = {&results.nMy, &results.nMz, &results.myMzN0, &results.myMz};
  int block = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i + 1);
    const std::vector<std::string_view> tokens = splitTokens(lines[i]);
    if (tokens.size() != 5 || tokens[0] != "#CURVEPOINT") {
      throw ResultFileError(
          locatedMessage(fileName, lineNumber, "expected \"#CURVEPOINT NAME nx my mz\", found " + quoted(lines[i])));
    }
    int index = -1;
    for (int k = 0; k < 4; ++k) {
      if (tokens[1] == kNames[k]) index = k;
    }
    if (index < 0) {
      throw ResultFileError(locatedMessage(fileName, lineNumber,
                                           "unknown curve " + quoted(tokens[1]) + "; expected NMy, NMz, MyMzN0 or MyMz"));
    }
    if (index < block) {
      throw ResultFileError(locatedMessage(fileName, lineNumber,
                                           "a point of curve " + std::string(kNames[index]) + " after the block of " +
                                               std::string(kNames[block]) + "; the blocks come in the order NMy, NMz, "
                                                                            "MyMzN0, MyMz"));
    }
    block = index;
    CurvePoint point;
    point.nx = numberOrThrow(tokens[2], "nx", fileName, lineNumber);
    point.my = numberOrThrow(tokens[3], "my", fileName, lineNumber);
    point.mz = numberOrThrow(tokens[4], "mz", fileName, lineNumber);
    curves[index]->push_back(point);
  }
  results.lineCount = static_cast<int>(lines.size());
  return results;
}

// ------------------------------------------------------------------ report

bool matchLinePattern(std::string_view line, std::string_view pattern, std::vector<std::string>& fields) {
  fields.clear();
  std::vector<std::string_view> literals;
  std::size_t from = 0;
  while (true) {
    const std::size_t field = pattern.find("{}", from);
    if (field == std::string_view::npos) {
      literals.push_back(pattern.substr(from));
      break;
    }
    literals.push_back(pattern.substr(from, field - from));
    from = field + 2;
  }
  if (line.substr(0, literals[0].size()) != literals[0]) return false;
  std::size_t at = literals[0].size();
  for (std::size_t k = 1; k < literals.size(); ++k) {
    const std::string_view next = literals[k];
    std::size_t end = 0;
    if (next.empty()) {
      if (k + 1 != literals.size()) return false;  // two fields side by side cannot be told apart
      end = line.size();
    } else {
      end = line.find(next, at);
      if (end == std::string_view::npos) return false;
    }
    fields.emplace_back(line.substr(at, end - at));
    at = end + next.size();
  }
  return at == line.size();
}

namespace {

// Walks the report's lines in order; every item is looked for after the
// one before it.
class ReportScanner {
 public:
  ReportScanner(std::vector<std::string> lines, const std::string& fileName)
      : lines_(std::move(lines)), fileName_(fileName) {}

  // Index of the first line from the cursor that starts with `prefix`;
  // the cursor moves past it.
  std::size_t find(std::string_view prefix, const std::string& what) {
    for (std::size_t i = cursor_; i < lines_.size(); ++i) {
      if (std::string_view(lines_[i]).substr(0, prefix.size()) == prefix) {
        cursor_ = i + 1;
        return i;
      }
    }
    throw ResultFileError(locatedMessage(fileName_, static_cast<int>(lines_.size()),
                                         "end of file reached without " + what + " (a line starting " +
                                             quoted(prefix) + ")"));
  }

  // The next line after the cursor, which must exist.
  std::size_t next(const std::string& what) {
    if (cursor_ >= lines_.size()) {
      throw ResultFileError(locatedMessage(fileName_, static_cast<int>(lines_.size()),
                                           "end of file reached without " + what));
    }
    return cursor_++;
  }

  // Fields of line i against one of the patterns; `which` tells which one.
  std::vector<std::string> fields(std::size_t i, std::initializer_list<std::string_view> patterns,
                                  const std::string& what, int* which = nullptr) {
    std::vector<std::string> result;
    int k = 0;
    for (std::string_view pattern : patterns) {
      if (matchLinePattern(lines_[i], pattern, result)) {
        if (which) *which = k;
        return result;
      }
      ++k;
    }
    std::string shape = std::string(*patterns.begin());
    for (std::size_t at = shape.find("{}"); at != std::string::npos; at = shape.find("{}", at + 5)) {
      shape.replace(at, 2, "<val>");
    }
    throw ResultFileError(locatedMessage(fileName_, line(i),
                                         "malformed " + what + ": expected " + quoted(shape) + ", found " +
                                             quoted(lines_[i])));
  }

  double number(std::size_t i, const std::string& field, const std::string& what) const {
    return numberOrThrow(field, what, fileName_, line(i));
  }

  // A verdict word, trailing blanks ignored; must be one of `words`.
  std::string word(std::size_t i, std::string field, std::initializer_list<std::string_view> words,
                   const std::string& what) const {
    while (!field.empty() && field.back() == ' ') field.pop_back();
    std::string allowed;
    for (std::string_view w : words) {
      if (field == w) return field;
      allowed += (allowed.empty() ? "" : " or ") + quoted(w);
    }
    throw ResultFileError(locatedMessage(fileName_, line(i),
                                         what + ": expected " + allowed + ", found " + quoted(field)));
  }

  bool yes(std::size_t i, const std::string& field, const std::string& what) const {
    return word(i, field, {"JA", "NEIN"}, what) == "JA";
  }

  // First line from the cursor that equals one of the texts; -1 at the end.
  int findExact(std::initializer_list<std::string_view> texts, std::size_t* index) {
    for (std::size_t i = cursor_; i < lines_.size(); ++i) {
      int k = 0;
      for (std::string_view text : texts) {
        if (lines_[i] == text) {
          cursor_ = i + 1;
          *index = i;
          return k;
        }
        ++k;
      }
    }
    return -1;
  }

  [[noreturn]] void fail(std::size_t i, const std::string& text) const {
    throw ResultFileError(locatedMessage(fileName_, line(i), text));
  }

  int line(std::size_t i) const { return static_cast<int>(i + 1); }
  int lineCount() const { return static_cast<int>(lines_.size()); }

 private:
  std::vector<std::string> lines_;
  const std::string& fileName_;
  std::size_t cursor_ = 0;
};

constexpr std::string_view kLinearLine = " Linear Material found, interaction curves not generated.";
constexpr std::string_view kSimplifiedTitle = "   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren";
constexpr std::string_view kOk = "OK";
constexpr std::string_view kNotMet = "Nicht erfüllt";
constexpr std::string_view kOutside = "Außerhalb der Fließfläche";

void readGeneralMethod(ReportScanner& scan, GeneralMethodFigures& g) {
  scan.find("   Nachweis nach EN 1994-1-1 6.7.2 Allgemeines Bemessungsverfahren", "the general-method section");

  scan.find("Resultierende Querkräfte [kN/kNm]:", "the resulting shear forces");
  std::size_t i = scan.next("the line of the resulting shear forces");
  int which = 0;
  std::vector<std::string> f = scan.fields(
      i, {"\tKonvergiert:  Qy: {} Qz: {}", "\tNICHT KONVERGIERT:  Qy: {} Qz: {}"}, "shear force line", &which);
  g.shearConverged = which == 0;
  g.qyKN = scan.number(i, f[0], "Qy");
  g.qzKN = scan.number(i, f[1], "Qz");

  scan.find("Resultierende Normalkräfte und Momente [kN/kNm]:", "the resulting axial force and moments");
  i = scan.next("the line of the resulting axial force and moments");
  f = scan.fields(i, {"\tKonvergiert:  Nx: {} My: {} Mz: {}", "\tNICHT KONVERGIERT:  Nx: {} My: {} Mz: {}"},
                  "axial force line", &which);
  g.axialConverged = which == 0;
  g.nxKN = scan.number(i, f[0], "Nx");
  g.myKNm = scan.number(i, f[1], "My");
  g.mzKNm = scan.number(i, f[2], "Mz");

  i = scan.find("\t im Dehnungszustand epsX: ", "the strain state");
  f = scan.fields(i, {"\t im Dehnungszustand epsX: {}[-] kappaY: {}[1/mm]  kappaZ: {}[1/mm]"}, "strain state line");
  g.strainState.epsX = scan.number(i, f[0], "epsX");
  g.strainState.kappaY = scan.number(i, f[1], "kappaY");
  g.strainState.kappaZ = scan.number(i, f[2], "kappaZ");

  i = scan.find("\t Nullinie Offset y/z: ", "the neutral axis");
  f = scan.fields(i, {"\t Nullinie Offset y/z: {}/{}[mm] alpha: {}[deg]"}, "neutral axis line");
  g.neutralAxisOffY = scan.number(i, f[0], "offset y");
  g.neutralAxisOffZ = scan.number(i, f[1], "offset z");
  g.neutralAxisAlphaDeg = scan.number(i, f[2], "alpha");

  i = scan.find("Reaktionskräfte gültig: ", "the validity of the reactions");
  f = scan.fields(i, {"Reaktionskräfte gültig: Qi: {} Nx und Mi: {}"}, "validity line");
  if (scan.yes(i, f[0], "Qi") != g.shearConverged || scan.yes(i, f[1], "Nx und Mi") != g.axialConverged) {
    scan.fail(i, "the validity of the reactions contradicts the convergence lines above it");
  }

  i = scan.find("Spannungen in Elementen überschritten", "the stress check");
  f = scan.fields(i, {"Spannungen in Elementen überschritten (siehe Zusammenfassung): {}"}, "stress check line");
  g.stressesExceeded = scan.yes(i, f[0], "stress check");
  i = scan.find("Dehnungen in Elementen überschritten", "the strain check");
  f = scan.fields(i, {"Dehnungen in Elementen überschritten (siehe Zusammenfassung): {}"}, "strain check line");
  g.strainsExceeded = scan.yes(i, f[0], "strain check");

  i = scan.find("NACHWEIS ERBRACHT: ", "the verdict of the general method");
  f = scan.fields(i, {"NACHWEIS ERBRACHT: {}"}, "verdict line");
  g.verified = scan.yes(i, f[0], "verdict");
  g.verdictLine = scan.line(i);
}

void readSimplifiedMethod(ReportScanner& scan, SimplifiedMethodFigures& s) {
  scan.find("Einwirkende Kräfte FEd [kN,kNm]", "the design forces of the simplified method");
  std::size_t i = scan.next("the design forces of the simplified method");
  std::vector<std::string> f = scan.fields(i, {"\tNx: {} My: {} Mz: {} Qy: {} Qz: {}"}, "design force line");
  s.designKN = {scan.number(i, f[0], "Nx"), scan.number(i, f[1], "My"), scan.number(i, f[2], "Mz"),
                scan.number(i, f[3], "Qy"), scan.number(i, f[4], "Qz")};

  i = scan.find("\tQpl,Rd,y = ", "the plastic shear resistances");
  f = scan.fields(i, {"\tQpl,Rd,y = {}[kN]   Qpl,Rd,z = {}[kN]"}, "shear resistance line");
  s.qPlRdYKN = scan.number(i, f[0], "Qpl,Rd,y");
  s.qPlRdZKN = scan.number(i, f[1], "Qpl,Rd,z");
  i = scan.find("\tQEd,y / Qpl,Rd,y = ", "the shear checks");
  f = scan.fields(i, {"\tQEd,y / Qpl,Rd,y = {}[-]  {}\tQEd,z / Qpl,Rd,z = {}[-]  {}"}, "shear check line");
  s.ratioQy = scan.number(i, f[0], "QEd,y / Qpl,Rd,y");
  s.wordQy = scan.word(i, f[1], {kOk, kNotMet}, "shear check y");
  s.ratioQz = scan.number(i, f[2], "QEd,z / Qpl,Rd,z");
  s.wordQz = scan.word(i, f[3], {kOk, kNotMet}, "shear check z");

  i = scan.find("\tNpl,Rd,max = ", "the plastic axial resistances");
  f = scan.fields(i, {"\tNpl,Rd,max = {}[kN]   Npl,Rd,min = {}[kN]"}, "axial resistance line");
  s.nPlRdMaxKN = scan.number(i, f[0], "Npl,Rd,max");
  s.nPlRdMinKN = scan.number(i, f[1], "Npl,Rd,min");
  i = scan.find("\tNEd/Npl,Rd = ", "the axial force check");
  f = scan.fields(i, {"\tNEd/Npl,Rd = {}   {}"}, "axial force check line");
  s.ratioN = scan.number(i, f[0], "NEd/Npl,Rd");
  s.wordN = scan.word(i, f[1], {kOk, kNotMet}, "axial force check");

  i = scan.find("\tMpl,y,Rd = ", "the plastic moments");
  f = scan.fields(i, {"\tMpl,y,Rd = {}[kNm]   Mpl,z,Rd = {}[kNm]"}, "plastic moment line");
  s.mPlYRdKNm = scan.number(i, f[0], "Mpl,y,Rd");
  s.mPlZRdKNm = scan.number(i, f[1], "Mpl,z,Rd");
  i = scan.find("\tmdy = ", "the factors mdy and mdz");
  f = scan.fields(i, {"\tmdy = {}[-]   \tmdz = {}[-]"}, "mdy/mdz line");
  s.mdy = scan.number(i, f[0], "mdy");
  s.mdz = scan.number(i, f[1], "mdz");
  i = scan.find("\t[1] My,Ed/mdy/Mpl,y,Rd = ", "the term [1]");
  f = scan.fields(i, {"\t[1] My,Ed/mdy/Mpl,y,Rd = {}[-] siehe alphaM 6.7.3.6(1)"}, "term [1] line");
  s.ratioMy = scan.number(i, f[0], "[1]");
  i = scan.find("\t[2] Mz,Ed/mdz/Mpl,z,Rd = ", "the term [2]");
  f = scan.fields(i, {"\t[2] Mz,Ed/mdz/Mpl,z,Rd = {}[-] siehe alphaM 6.7.3.6(1)"}, "term [2] line");
  s.ratioMz = scan.number(i, f[0], "[2]");
  i = scan.find("\t   [1]+[2] = ", "the linear interaction check");
  f = scan.fields(i, {"\t   [1]+[2] = {} <= 1,0 (siehe 6.7.3.7 (2)) {}"}, "linear interaction line");
  s.ratioSum = scan.number(i, f[0], "[1]+[2]");
  s.wordSum = scan.word(i, f[1], {kOk, kNotMet}, "linear interaction check");

  i = scan.find("\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: ", "the closest point");
  f = scan.fields(i, {"\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]: Nx: {} My: {} Mz: {}"},
                  "closest point line");
  s.closestPoint = {scan.number(i, f[0], "Nx"), scan.number(i, f[1], "My"), scan.number(i, f[2], "Mz")};
  i = scan.find("\tAusnutzungsgrad My: ", "the utilisation in My");
  f = scan.fields(i, {"\tAusnutzungsgrad My: {}   {}"}, "utilisation line");
  s.utilisationMy = scan.number(i, f[0], "utilisation My");
  s.wordMy = scan.word(i, f[1], {kOk, kOutside}, "utilisation My");
  i = scan.find("\tAusnutzungsgrad Mz: ", "the utilisation in Mz");
  f = scan.fields(i, {"\tAusnutzungsgrad Mz: {}   {}"}, "utilisation line");
  s.utilisationMz = scan.number(i, f[0], "utilisation Mz");
  s.wordMz = scan.word(i, f[1], {kOk, kOutside}, "utilisation Mz");
}

}  // namespace

bool SimplifiedMethodFigures::allChecksOk() const {
  return wordQy == kOk && wordQz == kOk && wordN == kOk && wordSum == kOk;
}

bool SimplifiedMethodFigures::nonlinearOk() const { return wordMy == kOk && wordMz == kOk; }

ValidationReport readValidationReport(std::istream& in, const std::string& fileName) {
  std::vector<std::string> lines = readLines(in, fileName);
  if (lines.empty()) {
    throw ResultFileError(locatedMessage(fileName, 1, "the file is empty; the run that wrote it did not finish"));
  }
  ReportScanner scan(std::move(lines), fileName);
  ValidationReport report;
  readGeneralMethod(scan, report.general);

  std::size_t i = 0;
  const int kind = scan.findExact({kLinearLine, kSimplifiedTitle}, &i);
  if (kind < 0) {
    throw ResultFileError(locatedMessage(fileName, scan.lineCount(),
                                         "end of file reached without the simplified-method section or the line " +
                                             quoted(kLinearLine)));
  }
  report.linearMaterial = kind == 0;
  report.methodLine = scan.line(i);
  if (!report.linearMaterial) {
    SimplifiedMethodFigures simplified;
    readSimplifiedMethod(scan, simplified);
    report.simplified = simplified;
  }

  i = scan.find("Force FEd [kN/kNm]: ", "the design forces of the input summary");
  std::vector<std::string> f =
      scan.fields(i, {"Force FEd [kN/kNm]: Nx: {} My: {} Mz: {} Qy: {} Qz: {}"}, "design force line");
  report.designKN = {scan.number(i, f[0], "Nx"), scan.number(i, f[1], "My"), scan.number(i, f[2], "Mz"),
                     scan.number(i, f[3], "Qy"), scan.number(i, f[4], "Qz")};
  report.designLine = scan.line(i);
  i = scan.find("FE-Size [mm]: ", "the element size");
  f = scan.fields(i, {"FE-Size [mm]: {}"}, "element size line");
  report.feSize = scan.number(i, f[0], "FE-Size");
  report.feSizeLine = scan.line(i);
  return report;
}

}  // namespace colsec::plot
