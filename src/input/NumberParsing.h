#pragma once
// Strict conversion of input tokens. A token must be a complete number of
// the required type: no hex, no inf or nan, no decimal comma, no trailing
// characters, no value beyond the type's range.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace colsec {

enum class ParseStatus { Ok, NotANumber, OutOfRange };

struct ParsedDouble {
  ParseStatus status;
  double value;
};

struct ParsedInt {
  ParseStatus status;
  std::int32_t value;
};

// Decimal number: optional sign, digits with an optional decimal point,
// optional exponent. Values that overflow a double are out of range.
ParsedDouble parseDouble(std::string_view token);
// Decimal integer with optional sign, within 32 bits.
ParsedInt parseInt(std::string_view token);

// The token as it may be shown in a message: control and non-ASCII bytes
// escaped, long tokens shortened.
std::string printableToken(std::string_view token);

}  // namespace colsec
