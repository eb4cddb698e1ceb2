#include "loads/LoadTable.h"

#include <array>
#include <cmath>
#include <istream>
#include <map>
#include <sstream>

#include "input/InputError.h"
#include "input/NumberParsing.h"

namespace colsec {

namespace {

constexpr std::size_t kColumns = 6;
constexpr const char* kLayout = "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]";

std::string located(const std::string& fileName, int line, const std::string& text) {
  return fileName + ":" + std::to_string(line) + ": " + text;
}

std::string trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Splits one line into fields; a field in double quotes may hold commas
// and doubled quotes. Throws for an unterminated quote.
std::vector<std::string> splitFields(const std::string& line, const std::string& fileName, int lineNumber) {
  std::vector<std::string> fields;
  std::string field;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    field.clear();
    if (i < line.size() && line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        field += line[i++];
      }
      if (!closed) throw InputError(located(fileName, lineNumber, "a quoted field is not closed"));
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      if (i < line.size() && line[i] != ',') {
        throw InputError(located(fileName, lineNumber, "text after the closing quote of \"" + printableToken(field) + "\""));
      }
    } else {
      const std::size_t end = line.find(',', i);
      field = trim(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
      i = end == std::string::npos ? line.size() : end;
    }
    fields.push_back(field);
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  return fields;
}

// Factor from the header's unit to N or Nmm; 0 for an unknown unit.
struct Column {
  const char* name;
  const char* base;      // "N" or "Nmm"
  const char* thousand;  // "kN" or "kNm"
  double factor;         // of the thousand unit
};
constexpr std::array<Column, 5> kValueColumns = {{
    {"Nx", "N", "kN", 1e3},
    {"My", "Nmm", "kNm", 1e6},
    {"Mz", "Nmm", "kNm", 1e6},
    {"Qy", "N", "kN", 1e3},
    {"Qz", "N", "kN", 1e3},
}};

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::array<double, 5> readHeader(const std::vector<std::string>& fields, const std::string& fileName, int line) {
  if (fields.size() != kColumns) {
    throw InputError(located(fileName, line,
                             "the header has " + std::to_string(fields.size()) + " columns; expected the 6 columns " +
                                 kLayout));
  }
  if (!equalsIgnoringCase(fields[0], "name")) {
    throw InputError(located(fileName, line, "the first column is \"" + printableToken(fields[0]) +
                                                 "\"; expected \"name\" (" + kLayout + ")"));
  }
  std::array<double, 5> factors{};
  for (std::size_t k = 0; k < kValueColumns.size(); ++k) {
    const Column& column = kValueColumns[k];
    const std::string& field = fields[k + 1];
    const std::size_t open = field.find('[');
    const std::size_t close = field.find(']');
    const std::string name = trim(field.substr(0, open));
    if (!equalsIgnoringCase(name, column.name)) {
      throw InputError(located(fileName, line, "column " + std::to_string(k + 2) + " is \"" + printableToken(field) +
                                                   "\"; expected " + column.name + " (" + kLayout + ")"));
    }
    if (open == std::string::npos || close == std::string::npos || close < open || trim(field.substr(close + 1)) != "") {
      throw InputError(located(fileName, line, "column \"" + printableToken(field) + "\" has no unit; write " +
                                                   column.name + " [" + column.thousand + "] or " + column.name +
                                                   " [" + column.base + "]"));
    }
    const std::string unit = trim(field.substr(open + 1, close - open - 1));
    if (unit == column.thousand) {
      factors[k] = column.factor;
    } else if (unit == column.base) {
      factors[k] = 1.0;
    } else {
      throw InputError(located(fileName, line, "unit [" + printableToken(unit) + "] of column " + column.name +
                                                   " is not accepted; write [" + column.thousand + "] or [" +
                                                   column.base + "]"));
    }
  }
  return factors;
}

}  // namespace

std::vector<LoadCombination> readLoadTable(std::istream& input, const std::string& fileName) {
  std::vector<LoadCombination> table;
  std::map<std::string, int> names;
  std::array<double, 5> factors{};
  bool haveHeader = false;
  std::string raw;
  int lineNumber = 0;
  // Line ends LF, CRLF or CR; a byte-order mark at the start is skipped.
  std::string text((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", at);
    raw = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text.size() : end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    ++lineNumber;
    const std::string line = trim(raw);
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = splitFields(line, fileName, lineNumber);
    if (!haveHeader) {
      factors = readHeader(fields, fileName, lineNumber);
      haveHeader = true;
      continue;
    }
    if (fields.size() != kColumns) {
      std::string message = "expected a name and 5 values, found " + std::to_string(fields.size()) + " fields";
      // A decimal comma splits a number in two.
      if (fields.size() > kColumns) message += " (numbers take a decimal point: 1.5, not 1,5)";
      throw InputError(located(fileName, lineNumber, message + " in \"" + printableToken(line) + "\""));
    }
    LoadCombination combination;
    combination.name = fields[0];
    combination.line = lineNumber;
    if (combination.name.empty()) throw InputError(located(fileName, lineNumber, "the combination has no name"));
    double values[5];
    for (std::size_t k = 0; k < 5; ++k) {
      const std::string& field = fields[k + 1];
      if (field.empty()) {
        throw InputError(located(fileName, lineNumber, std::string(kValueColumns[k].name) + ": missing value"));
      }
      const ParsedDouble parsed = parseDouble(field);
      if (parsed.status != ParseStatus::Ok) {
        throw InputError(located(fileName, lineNumber, std::string(kValueColumns[k].name) + ": \"" +
                                                           printableToken(field) + "\" is not a number"));
      }
      values[k] = parsed.value * factors[k];
      if (!std::isfinite(values[k])) {
        throw InputError(located(fileName, lineNumber, std::string(kValueColumns[k].name) + ": \"" +
                                                           printableToken(field) + "\" is out of range"));
      }
    }
    combination.forces = {values[0], values[1], values[2], values[3], values[4]};
    const auto [previous, inserted] = names.emplace(combination.name, lineNumber);
    if (!inserted) {
      throw InputError(located(fileName, lineNumber, "the name \"" + printableToken(combination.name) +
                                                         "\" is given already in line " +
                                                         std::to_string(previous->second)));
    }
    table.push_back(std::move(combination));
  }
  if (!haveHeader) throw InputError(located(fileName, lineNumber, std::string("no header row; expected ") + kLayout));
  if (table.empty()) throw InputError(located(fileName, lineNumber, "the table holds no load combination"));
  return table;
}

std::string csvField(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '#'));
  if (!quote) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace colsec
