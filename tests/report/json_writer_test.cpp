// The JSON writer: string escaping, numbers at full precision with null
// for what JSON cannot express, and the layout of nested containers.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>

#include "report/JsonWriter.h"
#include "support/JsonReader.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

using test::JsonReader;
using test::JsonValue;
using test::visible;

TEST(JsonWriterTest, StringsAreEscaped) {
  struct Case {
    std::string text;
    std::string json;
  };
  const Case cases[] = {
      {"", "\"\""},
      {"plain 6.7.3.6(1)", "\"plain 6.7.3.6(1)\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\data\\col.txt", "\"C:\\\\data\\\\col.txt\""},
      {"a/b", "\"a/b\""},  // the solidus needs no escape
      {"line\nnext\r\tend", "\"line\\nnext\\r\\tend\""},
      {"\b\f", "\"\\b\\f\""},
      {std::string("nul\0x", 5), "\"nul\\u0000x\""},
      {"\x01\x1f", "\"\\u0001\\u001f\""},
      {"\x7f", "\"\x7f\""},  // DEL is not a control character to JSON
      // Valid UTF-8 passes through: ü (2 bytes), € (3), 𝜎 (4).
      {"\xc3\xbc \xe2\x82\xac \xf0\x9d\x9c\x8e", "\"\xc3\xbc \xe2\x82\xac \xf0\x9d\x9c\x8e\""},
      // Bytes that are no valid UTF-8 become U+FFFD, one per byte.
      {"a\xff" "b", "\"a\\ufffdb\""},
      {"\x80", "\"\\ufffd\""},                    // stray continuation byte
      {"\xc3", "\"\\ufffd\""},                    // cut short at the end
      {"\xc3(", "\"\\ufffd(\""},                  // lead without continuation
      {"\xc0\xaf", "\"\\ufffd\\ufffd\""},         // overlong "/"
      {"\xe0\x80\xaf", "\"\\ufffd\\ufffd\\ufffd\""},  // overlong, 3 bytes
      {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},  // surrogate U+D800
      {"\xf4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""},  // beyond U+10FFFF
  };
  for (const Case& c : cases) {
    EXPECT_EQ(jsonString(c.text), c.json) << "text: \"" << visible(c.text) << "\"";
    // And a strict reader gets a string back.
    const JsonValue back = JsonReader::parse(jsonString(c.text));
    EXPECT_EQ(back.kind, JsonValue::Kind::String) << visible(c.text);
  }
}

TEST(JsonWriterTest, EscapedStringsReadBackToTheText) {
  const std::string texts[] = {"", "\"\\/", "tab\there", std::string("\0\x01\x1f", 3), "\xc3\xbc\xe2\x82\xac"};
  for (const std::string& text : texts) {
    EXPECT_EQ(JsonReader::parse(jsonString(text)).str(), text) << visible(text);
  }
}

TEST(JsonWriterTest, NumbersAreShortestRoundTripOrNull) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double value;
    const char* json;
  };
  // Shortest text that reads back to the same double; between the fixed
  // and the exponent form the shorter one, fixed on a tie.
  const Case cases[] = {
      {0.0, "0"},
      {-0.0, "-0"},
      {1.5, "1.5"},
      {-17.0, "-17"},
      {20000.0, "20000"},          // 5 characters either way: fixed
      {-3000000.0, "-3e+06"},      // shorter than -3000000
      {150000000.0, "1.5e+08"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.30000000000000004"},
      {0.0035, "0.0035"},
      {1e-7, "1e-07"},
      {1.0 / 3.0, "0.3333333333333333"},
      {2.0 / 3.0, "0.6666666666666666"},
      {123456789012345680.0, "123456789012345680"},  // 18 characters against 22
      {1e300, "1e+300"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {nan, "null"},
      {-nan, "null"},
      {inf, "null"},
      {-inf, "null"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(jsonNumber(c.value), c.json) << "value " << c.value;
    if (std::isfinite(c.value)) {
      // Bit for bit the same double when read back.
      const JsonValue back = JsonReader::parse(jsonNumber(c.value));
      EXPECT_EQ(std::memcmp(&back.number, &c.value, sizeof(double)), 0) << c.json;
    }
  }
}

TEST(JsonWriterTest, NestedContainersAreIndentedAndSeparated) {
  std::ostringstream out;
  JsonWriter json(out);
  json.beginObject();
  json.field("a", std::int32_t{1});
  json.field("b", true);
  json.field("c", "x");
  json.key("empty");
  json.beginArray();
  json.endArray();
  json.key("none");
  json.beginObject();
  json.endObject();
  json.key("list");
  json.beginArray();
  json.value(2.5);
  json.null();
  json.beginObject();
  json.field("d", false);
  json.endObject();
  json.endArray();
  json.field("nan", std::nan(""));
  json.endObject();
  json.finish();
  EXPECT_EQ(out.str(),
            "{\n"
            "  \"a\": 1,\n"
            "  \"b\": true,\n"
            "  \"c\": \"x\",\n"
            "  \"empty\": [],\n"
            "  \"none\": {},\n"
            "  \"list\": [\n"
            "    2.5,\n"
            "    null,\n"
            "    {\n"
            "      \"d\": false\n"
            "    }\n"
            "  ],\n"
            "  \"nan\": null\n"
            "}\n");
}

// The test reader must refuse what is not JSON, or reading a document back
// would prove nothing about it.
TEST(JsonWriterTest, TestReaderRefusesInvalidJson) {
  const char* const invalid[] = {
      "",          "{",           "{\"a\":1,}",     "[1,]",        "NaN",        "nan",       "Infinity",
      "-inf",      "01",          "1.",             ".5",          "1e",         "+1",        "\"a\nb\"",
      "\"\\x41\"", "\"\\ud800\"", "{\"a\":1,\"a\":2}", "[1] 2",    "{a:1}",      "'a'",       "tru",
      "[1 2]",     "{\"a\" 1}",   "\"unterminated",
  };
  for (const char* text : invalid) {
    EXPECT_THROW(JsonReader::parse(text), std::runtime_error) << visible(text);
  }
  const char* const valid[] = {"0", "-0", "1e+06", "1E-7", "-0.5e2", "[]", "{}", " [ null , true ] ", "\"\\u00fc\""};
  for (const char* text : valid) {
    EXPECT_NO_THROW(JsonReader::parse(text)) << visible(text);
  }
}

}  // namespace
}  // namespace colsec
