#include "input/NumberParsing.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace colsec {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isDecimalNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == s.size();
}

}  // namespace

ParsedDouble parseDouble(std::string_view token) {
  if (!isDecimalNumber(token)) return {ParseStatus::NotANumber, 0.0};
  const std::string text(token);
  errno = 0;
  const double value = std::strtod(text.c_str(), nullptr);
  // Underflow to a tiny or zero value is harmless; overflow is not.
  if (std::isinf(value)) return {ParseStatus::OutOfRange, 0.0};
  return {ParseStatus::Ok, value};
}

ParsedInt parseInt(std::string_view token) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) return {ParseStatus::NotANumber, 0};
  long long magnitude = 0;
  bool tooLarge = false;
  for (; i < token.size(); ++i) {
    if (!isDigit(token[i])) return {ParseStatus::NotANumber, 0};
    if (!tooLarge) {
      magnitude = magnitude * 10 + (token[i] - '0');
      if (magnitude > 2147483648LL) tooLarge = true;
    }
  }
  const long long value = negative ? -magnitude : magnitude;
  if (tooLarge || value > std::numeric_limits<std::int32_t>::max() ||
      value < std::numeric_limits<std::int32_t>::min()) {
    return {ParseStatus::OutOfRange, 0};
  }
  return {ParseStatus::Ok, static_cast<std::int32_t>(value)};
}

std::string printableToken(std::string_view token) {
  constexpr std::size_t kMaxShown = 40;
  static const char* const kHex = "0123456789ABCDEF";
  std::string shown;
  for (std::size_t i = 0; i < token.size() && i < kMaxShown; ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 0xF];
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (token.size() > kMaxShown) shown += "...";
  return shown;
}

}  // namespace colsec
