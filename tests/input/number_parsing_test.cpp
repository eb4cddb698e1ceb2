// Strict conversion of the numbers of an input line. A token either is a
// complete decimal number of the required type or it is rejected; nothing
// is ever read as 0 behind the user's back.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "input/NumberParsing.h"

namespace colsec {
namespace {

const char* statusName(ParseStatus status) {
  switch (status) {
    case ParseStatus::Ok: return "Ok";
    case ParseStatus::NotANumber: return "NotANumber";
    case ParseStatus::OutOfRange: return "OutOfRange";
  }
  return "?";
}

struct DoubleCase {
  const char* token;
  double value;
};

TEST(ParseDoubleTest, AcceptsDecimalNumbers) {
  const double largest = std::numeric_limits<double>::max();
  const DoubleCase cases[] = {
      {"0", 0.0},
      {"-0", -0.0},
      {"+1", 1.0},
      {"355", 355.0},
      {"-500000", -500000.0},
      {"1.", 1.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"+.25", 0.25},
      {"007", 7.0},
      {"0.85", 0.85},
      {"1e3", 1000.0},
      {"1E3", 1000.0},
      {"1e+3", 1000.0},
      {"2.5e-3", 0.0025},
      {"-3.5E-03", -0.0035},
      {"210000.0", 210000.0},
      {"1.7976931348623157e308", largest},
      // Below the midpoint to the next power of two: still rounds to the largest double.
      {"1.7976931348623158e308", largest},
      {"-1.7976931348623157e308", -largest},
  };
  for (const DoubleCase& c : cases) {
    const ParsedDouble parsed = parseDouble(c.token);
    EXPECT_EQ(parsed.status, ParseStatus::Ok) << c.token << " gave " << statusName(parsed.status);
    EXPECT_EQ(parsed.value, c.value) << c.token;
    EXPECT_EQ(std::signbit(parsed.value), std::signbit(c.value)) << c.token;
  }
}

TEST(ParseDoubleTest, UnderflowIsHarmless) {
  // A value too small for a double is as good as zero for any length or force.
  for (const char* token : {"1e-400", "-1e-400", "4.9e-324"}) {
    const ParsedDouble parsed = parseDouble(token);
    EXPECT_EQ(parsed.status, ParseStatus::Ok) << token;
    EXPECT_LT(std::fabs(parsed.value), 1e-320) << token;
  }
}

TEST(ParseDoubleTest, RejectsValuesBeyondTheRangeOfADouble) {
  for (const char* token : {"1e400", "-1e400", "1e309", "1.7976931348623159e308", "1e99999999999999999999"}) {
    const ParsedDouble parsed = parseDouble(token);
    EXPECT_EQ(parsed.status, ParseStatus::OutOfRange) << token << " gave " << statusName(parsed.status);
  }
}

TEST(ParseDoubleTest, RejectsEverythingThatIsNotACompleteDecimalNumber) {
  const char* const cases[] = {
      "",         "+",        "-",       ".",        "+.",      "e5",     ".e5",   "1e",    "1e+",
      "1e-",      "1,5",      "0,85",    "1.000,5",  "1.2.3",   "0x10",   "0X1A",  "0x1p3", "inf",
      "-inf",     "+inf",     "INF",     "infinity", "nan",     "NaN",    "-nan",  "12a",   "a12",
      "1_000",    "1'000",    "++1",     "+-1",      "--1",     " 1",     "1 ",    "1d0",   "1.5f",
      "1e3.5",    "1e 3",     "\t1",     "1\r",      "1/2",     "5kN",    "e",     "E",     "1ee3",
  };
  for (const char* token : cases) {
    const ParsedDouble parsed = parseDouble(token);
    EXPECT_EQ(parsed.status, ParseStatus::NotANumber) << '"' << token << "\" gave " << statusName(parsed.status);
  }
}

struct IntCase {
  const char* token;
  std::int32_t value;
};

TEST(ParseIntTest, AcceptsDecimalIntegersWithin32Bits) {
  const IntCase cases[] = {
      {"0", 0},
      {"-0", 0},
      {"+7", 7},
      {"42", 42},
      {"-3", -3},
      {"0010", 10},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"00000000000000000000002147483647", 2147483647},
  };
  for (const IntCase& c : cases) {
    const ParsedInt parsed = parseInt(c.token);
    EXPECT_EQ(parsed.status, ParseStatus::Ok) << c.token << " gave " << statusName(parsed.status);
    EXPECT_EQ(parsed.value, c.value) << c.token;
  }
}

TEST(ParseIntTest, RejectsIntegersBeyond32Bits) {
  for (const char* token : {"2147483648", "-2147483649", "4294967296", "4294967297", "9223372036854775808",
                            "99999999999999999999999999", "-99999999999999999999999999"}) {
    const ParsedInt parsed = parseInt(token);
    EXPECT_EQ(parsed.status, ParseStatus::OutOfRange) << token << " gave " << statusName(parsed.status);
  }
}

TEST(ParseIntTest, RejectsEverythingThatIsNotADecimalInteger) {
  const char* const cases[] = {"",    "+",   "-",    "1.5", "1.",  ".5",   "1.0", "1e3", "1E3", "0x10",
                               "1,0", " 1",  "1 ",   "12a", "a12", "--1",  "+-1", "inf", "nan", "1_000",
                               "٣",   "\t2", "2\r",  "1/2", "0b1", "1e+3", "e",   "+ 1"};
  for (const char* token : cases) {
    const ParsedInt parsed = parseInt(token);
    EXPECT_EQ(parsed.status, ParseStatus::NotANumber) << '"' << token << "\" gave " << statusName(parsed.status);
  }
}

TEST(PrintableTokenTest, EscapesWhatATerminalWouldNotShowFaithfully) {
  struct Case {
    std::string token;
    std::string shown;
  };
  const Case cases[] = {
      {"", ""},
      {"12a", "12a"},
      {"1,5", "1,5"},
      {"#FORCEED", "#FORCEED"},
      {"~!@#$%^&*()_+{}|:<>?`'", "~!@#$%^&*()_+{}|:<>?`'"},
      {"\t", "\\x09"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"x\r", "x\\x0D"},
      {"\x1B[2J", "\\x1B[2J"},
      {"\x7F", "\\x7F"},
      // Quotes and backslashes would make the quoted token in a message ambiguous.
      {"\"", "\\x22"},
      {"\\", "\\x5C"},
      {"C:\\x", "C:\\x5Cx"},
      // Non-ASCII bytes, here the UTF-8 of a-umlaut and of a byte-order mark.
      {"5\xC3\xA4", "5\\xC3\\xA4"},
      {"\xEF\xBB\xBF#SETTINGS", "\\xEF\\xBB\\xBF#SETTINGS"},
  };
  for (const Case& c : cases) EXPECT_EQ(printableToken(c.token), c.shown) << c.shown;
}

TEST(PrintableTokenTest, ShortensLongTokensAfter40Bytes) {
  const std::string forty(40, 'a');
  EXPECT_EQ(printableToken(forty), forty);
  EXPECT_EQ(printableToken(forty + "b"), forty + "...");
  EXPECT_EQ(printableToken(std::string(1000, '7')), std::string(40, '7') + "...");
  // Counted in input bytes, not in escaped characters.
  EXPECT_EQ(printableToken(std::string(41, '\t')), [] {
    std::string shown;
    for (int i = 0; i < 40; ++i) shown += "\\x09";
    return shown + "...";
  }());
}

}  // namespace
}  // namespace colsec
