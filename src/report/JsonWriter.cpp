#include "report/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace colsec {

std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned char low = 0x80;  // range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

std::string jsonString(std::string_view text) {
  static const char* const kHex = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = utf8SequenceLength(text, i);
      if (length == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xf];
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
  out += '"';
  return out;
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  // Shortest round-trip form, as printf's %f or %e would write it: always a
  // valid JSON number ("-0", "1.5", "3e+06", "1e-07").
  char buffer[32];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void JsonWriter::newline(std::size_t depth) {
  stream_ << '\n';
  for (std::size_t k = 0; k < depth; ++k) stream_ << "  ";
}

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (nonEmpty_.empty()) return;
  if (nonEmpty_.back()) stream_ << ',';
  nonEmpty_.back() = true;
  newline(nonEmpty_.size());
}

void JsonWriter::key(std::string_view name) {
  beforeValue();
  stream_ << jsonString(name) << ": ";
  afterKey_ = true;
}

void JsonWriter::beginObject() {
  beforeValue();
  stream_ << '{';
  nonEmpty_.push_back(false);
}

void JsonWriter::beginArray() {
  beforeValue();
  stream_ << '[';
  nonEmpty_.push_back(false);
}

void JsonWriter::close(char bracket) {
  const bool hadValues = nonEmpty_.back();
  nonEmpty_.pop_back();
  if (hadValues) newline(nonEmpty_.size());
  stream_ << bracket;
}

void JsonWriter::endObject() { close('}'); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::value(double number) {
  beforeValue();
  stream_ << jsonNumber(number);
}

void JsonWriter::value(std::int32_t number) {
  beforeValue();
  char buffer[16];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, number);
  stream_.write(buffer, result.ptr - buffer);
}

void JsonWriter::value(bool flag) {
  beforeValue();
  stream_ << (flag ? "true" : "false");
}

void JsonWriter::value(std::string_view text) {
  beforeValue();
  stream_ << jsonString(text);
}

void JsonWriter::null() {
  beforeValue();
  stream_ << "null";
}

void JsonWriter::rawValue(std::string_view json) {
  beforeValue();
  // A whole document ends in a line feed; as a value it does not.
  while (!json.empty() && (json.back() == '\n' || json.back() == ' ')) json.remove_suffix(1);
  stream_ << json;
}

void JsonWriter::finish() { stream_ << '\n'; }

}  // namespace colsec
